// The main window and its console: the keys that show and hide it, and what the console's
// commands ask of the window.

#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

namespace {
constexpr int KeyTab = 9;
constexpr int KeyF9 = 120;
constexpr int KeyF15 = 126;
}  // namespace

void TForm1::FormKeyDown(int key) {
  if (!Game || !Game->Landscape) return;
  if (key == KeyTab || key == KeyF9 || key == KeyF15) ToggleConsole();
}

void TForm1::ToggleConsole() {
  if (!Console) {
    RequireWindows().ShowErrorBox("Error 0012: Console not available.");
    return;
  }
  if (!ConsoleVisible) {
    Console->Show();
    ConsoleVisible = true;
  } else {
    Console->Hide();
    ConsoleVisible = false;
  }
}

double TForm1::MeasureFramesPerSecond() {
  return RequireWindows().MeasureFramesPerSecond();
}

glm::ivec2 TForm1::ViewResolution() const {
  return {Scene.GLSceneViewer1.Width, Scene.GLSceneViewer1.Height};
}

void TForm1::CloseMainWindow() {
  RequireWindows().CloseMainWindow();
}

void TForm1::CloseNextGameDialog() {
  if (Windows) Windows->CloseNextGameDialog();
}

}  // namespace orvane
