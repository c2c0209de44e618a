// What the console's commands ask of the main window.

#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

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
