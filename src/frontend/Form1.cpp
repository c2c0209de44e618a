#include "frontend/Form1.h"

#include <algorithm>
#include <stdexcept>

#include "console/Log.h"
#include "frontend/WindowSystem.h"
#include "world/Random.h"

namespace orvane {

TForm1::TForm1(TRandom& random, TLog& log, TScene& scene, TDlgNewGame& settings)
    : FormNextGame(settings), Random(random), Log(log), Scene(scene), Settings(settings) {
  Settings.SetHost(this);
}

TForm1::~TForm1() {
  Settings.SetHost(nullptr);
}

void TForm1::CreateGame() {
  if (Game) return;
  Game = std::make_unique<TGame>(Random, Log, Scene, Settings, *this);
  Simulation = std::make_unique<TSimulation>(*Game, Scene, Settings, Random, Log, *this);
}

TWindowSystem& TForm1::RequireWindows() const {
  if (!Windows) throw std::runtime_error("no window system");
  return *Windows;
}

void TForm1::StepAnimation(int slot, float progress) {
  if (Simulation) Simulation->StepAnimation(slot, progress);
}

void TForm1::ScanWarning() {
  if (Simulation) Simulation->ScanWarning();
}

void TForm1::ShowNextGameDialog() {
  RequireWindows().ShowNextGameDialog();
}

void TForm1::NoteStackLevel(int level) {
  StackHighWater = std::max(StackHighWater, level);
}

void TForm1::NoteScannerSlot(int slot) {
  ScannerHighWater = std::max(ScannerHighWater, slot);
}

}  // namespace orvane
