#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "dialogs/NewGame.h"

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace orvane {

class TBandSlider;
class TPreviewPanel;

// The new-game dialog as the window system shows it: borderless, centred on the screen, every
// control showing what the dialog's logic holds and forwarding the player's input to the
// logic's handlers. It is also the pause menu; how it was closed is its Choice().
class TNewGameDialog : public QDialog {
 public:
  static constexpr int ClientWidth = 598;
  static constexpr int ClientHeight = 497;

  explicit TNewGameDialog(TDlgNewGame& logic, QWidget* parent = nullptr);

  // Shows what the logic holds now.
  void Refresh();
  TNewGameChoice Choice() const { return Chosen; }

  // Runs every call into the logic, so that a failure is reported as the program reports it;
  // unset, the calls are made directly.
  std::function<void(const std::function<void()>&)> Guard;
  // "About" and "View Keyboard Controls": the main window's, the dialog staying open.
  std::function<void()> OnAbout;
  std::function<void()> OnViewKeyboardControls;

  // Escape, as "&Return".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // A slider, its caption and value labels, the logic's state of it and its handler.
  struct TSliderBinding {
    TBandSlider* Slider;
    QLabel* Value;
    TTrackBar TDlgNewGame::*State;
    TLabelControl TDlgNewGame::*Label;
  };
  struct TCheckBinding {
    QCheckBox* Box;
    TCheckBoxControl TDlgNewGame::*State;
  };
  struct TButtonBinding {
    QPushButton* Button;
    TButtonControl TDlgNewGame::*State;
  };

  QFrame* BuildTopStrip();
  QWidget* BuildGameOptions();
  QWidget* BuildQuickPlay(QWidget* parent);
  QWidget* BuildDifficulty();
  QWidget* BuildTweaks();
  QWidget* BuildCampaign(QWidget* parent);
  QWidget* BuildConfiguration();
  QWidget* BuildHelp();
  void BuildBottom();

  // A slider row at `top` of its page: caption, slider, value label.
  void AddSlider(QWidget* page, int top, const char* name, const char* caption,
                 TTrackBar TDlgNewGame::*state, TLabelControl TDlgNewGame::*label,
                 void (TDlgNewGame::*handler)(int));
  QCheckBox* AddCheckBox(QWidget* page, QRect place, const char* name,
                         TCheckBoxControl TDlgNewGame::*state, void (TDlgNewGame::*handler)());
  void Call(const std::function<void()>& call);
  void Forward(const std::function<void()>& call);
  void LandscapeNumberEdited(const QString& text);
  void Close(TNewGameChoice choice);
  void CentreOnScreen();

  TDlgNewGame& Logic;
  TNewGameChoice Chosen = nc_Return;
  // While the controls are set from the logic, their changes are not the player's.
  bool Refreshing = false;
  std::vector<TSliderBinding> Sliders;
  std::vector<TCheckBinding> Checks;
  std::vector<TButtonBinding> CampaignButtons;
  QLabel* LabelSuggestion = nullptr;
  QRadioButton* RB_QuickPlay = nullptr;
  QRadioButton* RB_Campaign = nullptr;
  QWidget* PanelQuickPlay = nullptr;
  QWidget* PanelCampaign = nullptr;
  QLineEdit* E_S_LandscapeNumber = nullptr;
  QLineEdit* E_C_PlayerName = nullptr;
  QLineEdit* E_C_CampaignNo = nullptr;
  QLabel* L_C_Campaign = nullptr;
  QTreeWidget* LB_C_Levels = nullptr;
  std::vector<std::vector<std::string>> ShownLevels;
  TPreviewPanel* Preview = nullptr;
};

}  // namespace orvane
