// The splash window's life: painted at every showing, start-up run on the first, closed by its
// timer, a key or a click.

#include "dialogs/Splash.h"

#include <exception>

namespace orvane {

void TFormSplash::FormShow(TSplashView& view) {
  Painted = false;
  std::string failure;
  try {
    view.PaintSplash(ImageWidth, ImageHeight);
    Painted = true;
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (StartUpPending) {
    StartUpPending = false;
    if (OnStartUp) OnStartUp();
    TimerEnabled = true;
    view.StartTimer(TimerInterval);
  }
  if (!Painted) {
    Timer1Timer(view);
    if (OnError) OnError(failure);
  }
}

void TFormSplash::Timer1Timer(TSplashView& view) {
  TimerEnabled = false;
  view.StopTimer();
  view.CloseSplash();
}

void TFormSplash::FormKeyPress(TSplashView& view) {
  Timer1Timer(view);
}

void TFormSplash::FormClick(TSplashView& view) {
  Timer1Timer(view);
}

}  // namespace orvane
