#include "frontend/Form1.h"

#include <algorithm>

#include "console/Log.h"
#include "scene/Scene.h"
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

void TForm1::NoteStackLevel(int level) {
  StackHighWater = std::max(StackHighWater, level);
}

void TForm1::NoteScannerSlot(int slot) {
  ScannerHighWater = std::max(ScannerHighWater, slot);
}

}  // namespace orvane
