#pragma once

#include <functional>
#include <optional>

#include <QFrame>

#include "frontend/Form1.h"

class QLabel;
class QPushButton;

namespace orvane {

// The pop-up hint panel near the top-left corner of the view.
class THintPanelWidget : public QFrame {
 public:
  THintPanelWidget(const THintPanel& state, QWidget* parent);
  // Shows what the main window's logic holds now.
  void Refresh();
  std::function<void()> OnClose;
  // Keys pressed while the close button has the focus go to the main window.
  std::function<void(QKeyEvent*)> OnKey;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  const THintPanel& State;
  // What the panel last showed: a refresh with nothing changed does nothing.
  std::optional<THintPanel> Shown;
  QLabel* Sign;
  QLabel* Text;
  QLabel* More;
  QPushButton* Close;
};

}  // namespace orvane
