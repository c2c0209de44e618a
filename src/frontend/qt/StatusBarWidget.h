#pragma once

#include <functional>

#include <QWidget>

#include "frontend/Form1.h"

namespace orvane {

// The status bar along the bottom: the energy number and meter, the warning light, the
// activity light and the text area, as the main window's logic holds them.
class TStatusBarWidget : public QWidget {
 public:
  TStatusBarWidget(const TStatusBar& state, QWidget* parent);
  // Repaints when what it shows changed.
  void Refresh();
  std::function<void()> OnLabel1Click;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TStatusBar& State;
  TStatusBar Shown;
};

}  // namespace orvane
