#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "frontend/WindowSystem.h"

namespace orvane {

// A window system without a display: a cursor, a window rectangle, a viewer at a fixed
// screen offset, a world point for every pixel, and snapshots that are only remembered.
class TFakeWindowSystem : public TWindowSystem {
 public:
  glm::ivec2 Cursor{0, 0};
  TScreenRect Rect{100, 50, 401, 301};
  glm::ivec2 ViewerOrigin{104, 80};
  glm::vec3 Point{0.0f};
  glm::ivec2 PixelAsked{-1, -1};
  bool CursorFails = false, SaveFails = false;
  std::vector<std::string> Saved;
  std::vector<std::string> ErrorBoxes;
  int NextGameShown = 0, NextGameClosed = 0, FramesMeasured = 0;
  bool MainWindowClosed = false;

  glm::ivec2 CursorPosition() const override { return Cursor; }
  void SetCursorPosition(glm::ivec2 screen) override {
    if (CursorFails) throw std::runtime_error("cursor");
    Cursor = screen;
  }
  glm::ivec2 ScreenToViewer(glm::ivec2 screen) const override { return screen - ViewerOrigin; }
  glm::ivec2 ViewerToScreen(glm::ivec2 viewer) const override { return viewer + ViewerOrigin; }
  TScreenRect WindowRect() const override { return Rect; }
  glm::vec3 WorldPointAt(int x, int y) override {
    PixelAsked = {x, y};
    return Point;
  }
  void SaveSnapshot(const std::string& path) override {
    if (SaveFails) throw std::runtime_error("no folder");
    Saved.push_back(path);
  }
  void ShowErrorBox(const std::string& text) override { ErrorBoxes.push_back(text); }
  double MeasureFramesPerSecond() override {
    ++FramesMeasured;
    return 59.96;
  }
  void CloseMainWindow() override { MainWindowClosed = true; }
  void CloseNextGameDialog() override { ++NextGameClosed; }
  void ShowNextGameDialog() override { ++NextGameShown; }
  // The new-game dialog answers with NewGameChoice; the splash
  // paints a 400 x 300 picture and stays open until it is closed.
  void SetFullScreen(bool on) override { FullScreen = on; }
  bool FullScreen = false;
  void PlaceWindow(const TWindowPlace& place) override { Placed = place; }
  TWindowPlace Placed;
  TNewGameChoice ShowNewGameDialog() override {
    ++NewGameShown;
    return NewGameChoice;
  }
  void ShowSplash(TFormSplash& splash) override { splash.FormShow(Splash); }

  struct TFakeSplashView : TSplashView {
    void PaintSplash(int& width, int& height) override {
      width = 400;
      height = 300;
    }
    void CloseSplash() override {}
    void StartTimer(int) override {}
    void StopTimer() override {}
  };
  TFakeSplashView Splash;
  TNewGameChoice NewGameChoice = nc_Return;
  int NewGameShown = 0;
};

}  // namespace orvane
