// How often frames are drawn and how they look, and the screenshot key.

#include <exception>
#include <string>

#include "console/Log.h"
#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"
#include "world/Random.h"

namespace orvane {

namespace {

constexpr double AwakeDeltaTime = 1.0 / 120;
constexpr double AsleepDeltaTime = 1.0;
constexpr int AsleepSleepLength = 2;

}  // namespace

void TForm1::SetAsleep(bool value) {
  if (value == Asleep) return;
  if (value && !NoSleep) {
    GLCadencer1.MinDeltaTime = AsleepDeltaTime;
    GLCadencer1.SleepLength = AsleepSleepLength;
    GLCadencer1.ResetTimeBase();
    StatusBar.ActivityColour = clBlack;
  } else {
    GLCadencer1.MinDeltaTime = AwakeDeltaTime;
    GLCadencer1.SleepLength = -1;
    if (!NoSleep) GLCadencer1.ResetTimeBase();
    StatusBar.ActivityColour = clGreen;
  }
  Asleep = value;
}

void TForm1::SetVSync(bool value) {
  Scene.GLSceneViewer1.VSync = value ? TVSyncMode::vsmSync : TVSyncMode::vsmNoSync;
  VSync = value;
}

void TForm1::SetMaxFPS(int value) {
  try {
    if (value <= 3) return;
    MaxFPS = value;
    GLCadencer1.MinDeltaTime = 1.0 / value;
    GLCadencer1.ResetTimeBase();
  } catch (const std::exception&) {
    Log.Log("Error 0015: @ Form.SetMaxFPS(" + std::to_string(value) + ").");
  }
}

void TForm1::SetAntiAliasing(TAntiAliasing mode) {
  AntiAliasing = mode;
  Scene.GLSceneViewer1.AntiAliasing = mode;
}

void TForm1::TakeScreenshot() {
  // A fresh seed each time, so two shots in one second get different names.
  Random.Randomize();
  const std::string name = "snapshot/" + std::to_string(Random.Random(100000000)) + ".png";
  RequireWindows().SaveSnapshot(name);
  Log.Log("Screenshot saved as " + name);
}

}  // namespace orvane
