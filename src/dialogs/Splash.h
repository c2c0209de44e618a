#pragma once

#include <functional>
#include <string>

namespace orvane {

// What the splash needs of its window: painting, closing and its timer.
class TSplashView {
 public:
  virtual ~TSplashView() = default;
  // Loads the title picture, sizes and centres the window around it and draws it with its
  // lines of text; returns the picture's width and height. Throws std::runtime_error when the
  // picture cannot be loaded, having drawn nothing.
  virtual void PaintSplash(int& imageWidth, int& imageHeight) = 0;
  virtual void CloseSplash() = 0;
  virtual void StartTimer(int milliseconds) = 0;
  virtual void StopTimer() = 0;
};

// The splash window: the title picture while the program starts, and again the about box. Its
// first showing runs the program's start-up; then its timer closes it after three seconds. A key
// or a click closes it at any time.
class TFormSplash {
 public:
  static constexpr int TimerInterval = 3000;
  static constexpr const char* PictureFile = "media/Orvane_Splash1.png";

  // Set by the main window before the first showing; cleared once start-up has run.
  bool StartUpPending = false;
  bool Painted = false;
  bool TimerEnabled = false;
  int ImageWidth = 0;
  int ImageHeight = 0;

  // The main window's start-up, and its handler of unexpected errors.
  std::function<void()> OnStartUp;
  std::function<void(const std::string&)> OnError;

  // Paints at once; runs start-up when it is pending and starts the timer; closes again when
  // nothing could be painted.
  void FormShow(TSplashView& view);
  void Timer1Timer(TSplashView& view);
  void FormKeyPress(TSplashView& view);
  void FormClick(TSplashView& view);
};

}  // namespace orvane
