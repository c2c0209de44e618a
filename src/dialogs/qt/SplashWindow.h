#pragma once

#include <functional>

#include <QPixmap>
#include <QWidget>

#include "dialogs/Splash.h"

class QTimer;

namespace orvane {

// The splash window: borderless, above every other window, showing the title picture on a
// coloured border with its lines of text. It is made once and shown again as the about box; a
// key, a click or its timer go to the splash's logic.
class TSplashWindow : public QWidget, public TSplashView {
 public:
  static constexpr int Border = 16;
  static constexpr int TextLeft = 157;

  TSplashWindow();

  // Shows the window, at no size until it is painted, and hands it to the logic.
  void ShowSplash(TFormSplash& logic);

  // Runs every call into the logic, so that a failure is reported as the program reports it;
  // unset, the calls are made directly.
  std::function<void(const std::function<void()>&)> Guard;

  // ---- the view, for the splash's logic
  void PaintSplash(int& imageWidth, int& imageHeight) override;
  void CloseSplash() override;
  void StartTimer(int milliseconds) override;
  void StopTimer() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Forward(void (TFormSplash::*handler)(TSplashView&));

  TFormSplash* Logic = nullptr;
  QTimer* Timer1;
  // What was painted: the picture on its border with the text.
  QPixmap Painting;
};

}  // namespace orvane
