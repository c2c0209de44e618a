#pragma once

#include <string>

#include <glm/glm.hpp>

#include "dialogs/NewGame.h"
#include "dialogs/Splash.h"

namespace orvane {

struct TScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// What the main window's logic needs of the window system. The Qt window implements it;
// tests fake it.
class TWindowSystem {
 public:
  virtual ~TWindowSystem() = default;

  // The mouse cursor in screen coordinates; moving it may fail (std::runtime_error).
  virtual glm::ivec2 CursorPosition() const = 0;
  virtual void SetCursorPosition(glm::ivec2 screen) = 0;
  // The viewer's client coordinates of a screen point, and back.
  virtual glm::ivec2 ScreenToViewer(glm::ivec2 screen) const = 0;
  virtual glm::ivec2 ViewerToScreen(glm::ivec2 viewer) const = 0;
  // The main window's outer rectangle on the screen.
  virtual TScreenRect WindowRect() const = 0;
  // The world point under a viewer pixel (y counted from the top), read from the depth
  // buffer of the last frame; a pixel where nothing was drawn gives a far-plane point.
  virtual glm::vec3 WorldPointAt(int x, int y) = 0;
  // Saves the last rendered frame, at the viewer's size, as a PNG file; throws on failure.
  virtual void SaveSnapshot(const std::string& path) = 0;
  // A modal error box with an OK button.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // Switches vertical synchronisation off, draws three frames at once, switches it on again
  // and returns the frames per second they were drawn at.
  virtual double MeasureFramesPerSecond() = 0;
  // Closes the main window, which ends the program.
  virtual void CloseMainWindow() = 0;
  // Closes the next-game dialog if it is open.
  virtual void CloseNextGameDialog() = 0;
  // The next-game dialog, shown modally: returns once it is closed, the frame timer firing
  // on meanwhile.
  virtual void ShowNextGameDialog() = 0;
  // The new-game dialog, shown modally on top of whatever is open: returns how it was closed,
  // the frame timer firing on meanwhile.
  virtual TNewGameChoice ShowNewGameDialog() = 0;
  // The main window on the whole screen, or back in its window.
  virtual void SetFullScreen(bool on) = 0;
  // The main window at a place of the desktop (its client area), unless that lies off every
  // screen.
  virtual void PlaceWindow(const TWindowPlace& place) = 0;
  // Shows the splash window and hands it to the splash's logic (TFormSplash::FormShow).
  virtual void ShowSplash(TFormSplash& splash) = 0;
};

}  // namespace orvane
