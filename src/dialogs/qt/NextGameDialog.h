#pragma once

#include <functional>

#include <QDialog>

#include "dialogs/NextGame.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace orvane {

// The next-game dialog as the window system shows it: borderless, centred on the screen,
// showing every control as the dialog's logic holds it and forwarding clicks and key presses
// to the logic's handlers. It closes as soon as the logic is closed, whoever closed it.
class TNextGameDialog : public QDialog {
 public:
  static constexpr int ClientWidth = 291;
  static constexpr int ClientHeight = 387;

  explicit TNextGameDialog(TFormNextGame& logic, QWidget* parent = nullptr);

  // Shows what the logic holds now, and closes the dialog once the logic is closed.
  void Refresh();

  // Runs every call into the logic, so that a failure is reported as the program reports it;
  // unset, the calls are made directly.
  std::function<void(const std::function<void()>&)> Guard;
  // "&Configure...", while enabled: the new-game dialog shown on top of this one.
  std::function<void()> OnConfigure;

  // Only the logic closes the dialog: Escape does nothing here.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Key preview: a key pressed anywhere in the dialog goes to the logic first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildResultStrip();
  void BuildChoiceStrip();
  void BuildBottom();
  void Call(const std::function<void()>& call);
  void Forward(void (TFormNextGame::*handler)());
  void ConnectClick(QAbstractButton* button, void (TFormNextGame::*handler)());
  void CentreOnScreen();
  QObject* FirstReceiverOfKeys();

  TFormNextGame& Logic;
  QLabel* ResultTitle = nullptr;
  QLabel* ImageWin = nullptr;
  QLabel* ImageLose = nullptr;
  QLabel* LabelNarrative = nullptr;
  QLabel* ChoiceTitle = nullptr;
  QToolButton* btnEasier = nullptr;
  QToolButton* btnSameAgain = nullptr;
  QToolButton* btnMoreDifficult = nullptr;
  QCheckBox* cbLandscapeCode = nullptr;
  QPushButton* BtmCustom = nullptr;
  QPushButton* btnExit = nullptr;
  // Looks at the logic while the dialog is open: a console command may close it meanwhile.
  QTimer* Watch = nullptr;
};

}  // namespace orvane
