#include "frontend/Form1.h"

#include <algorithm>
#include <stdexcept>

#include "console/Log.h"
#include "frontend/WindowSystem.h"
#include "world/Random.h"

namespace orvane {

TForm1::TForm1(TRandom& random, TLog& log, TScene& scene, TDlgNewGame& settings)
    : Random(random), Log(log), Scene(scene), Settings(settings) {
  Settings.SetHost(this);
}

TForm1::~TForm1() {
  Settings.SetHost(nullptr);
}

void TForm1::CreateGame() {
  if (!Game) Game = std::make_unique<TGame>(Random, Log, Scene, Settings, *this);
}

TWindowSystem& TForm1::RequireWindows() const {
  if (!Windows) throw std::runtime_error("no window system");
  return *Windows;
}

// The frame tick's entry point, called by the frame timer once per frame.
void TForm1::GLCadencer1Progress(double deltaTime, double newTime) {
  LastDeltaTime = deltaTime;
  GameClockValue = newTime;
}

void TForm1::NoteStackLevel(int level) {
  StackHighWater = std::max(StackHighWater, level);
}

void TForm1::NoteScannerSlot(int slot) {
  ScannerHighWater = std::max(ScannerHighWater, slot);
}

}  // namespace orvane
