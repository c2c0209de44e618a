#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "audio/Audio.h"
#include "console/Log.h"
#include "dialogs/settings/GameSettings.h"
#include "scene/Scene.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/Random.h"
#include "world/WorldHost.h"

namespace orvane::test {

// A main window that records what the world asks of it.
class TRecordingHost : public TWorldHost {
 public:
  void ShowEnergy(int value) override { EnergyShown.push_back(value); }
  void ShowRandomTip() override { ++Tips; }
  void ResetFrameTimer() override { ++FrameTimerResets; }
  void SetFieldOfView(float degrees) override { FieldOfView = degrees; }
  void SetTargetFieldOfView(float degrees) override { TargetFieldOfView = degrees; }
  void Wake() override { ++Wakes; }
  void LeaveMapView() override { ++MapViewLeft; }
  void NoteStackLevel(int level) override { StackHighWater = std::max(StackHighWater, level); }
  void NoteScannerSlot(int slot) override { ScannerHighWater = std::max(ScannerHighWater, slot); }
  double GameClock() const override { return Clock; }
  void SetPlayerView(int x, int z, bool faceTolmarch, bool map) override {
    PlayerViews.push_back({x, z});
    if (OnSetPlayerView) OnSetPlayerView(x, z, faceTolmarch, map);
  }
  void ExecuteCommand(const std::string& line, bool silent) override {
    Commands.push_back({line, silent});
  }

  std::vector<int> EnergyShown;
  int Tips = 0, FrameTimerResets = 0, Wakes = 0, MapViewLeft = 0;
  int StackHighWater = 0, ScannerHighWater = 0;
  float FieldOfView = 0.0f, TargetFieldOfView = 0.0f;
  double Clock = 0.0;
  std::vector<std::pair<int, int>> PlayerViews;
  std::vector<std::pair<std::string, bool>> Commands;
  std::function<void(int, int, bool, bool)> OnSetPlayerView;
};

// A simulation that only records what the world asks of it.
class TRecordingSimulation : public TWorldSimulation {
 public:
  void AnimationStarted(int slot, float progress) override { Steps.push_back({slot, progress}); }
  void ScanWarning() override { ++ScanWarnings; }
  std::vector<std::pair<int, float>> Steps;
  int ScanWarnings = 0;
};

// A world of its own: generator, log, scene, settings (at their defaults) and a recording
// host. The clock of the generator is fixed, so even the clock-seeded numbers repeat.
struct TWorldFixture {
  TRandom Random;
  TLog Log;
  TScene Scene;
  TGameSettings Settings;
  TRecordingHost Host;
  TRecordingSimulation Simulation;
  TGame Game{Random, Log, Scene, Settings, Host};

  TWorldFixture() {
    Random.SetClock([] { return 12345u; });
    Settings.ApplyDefaultSettings();
    Game.SetSimulation(Simulation);
  }

  // Makes the landscape of a number at a difficulty (quick game, no variation) through
  // the game's own start, as the program does.
  TLandscape& MakeLandscape(int32_t number, int32_t difficulty) {
    Settings.ChooseLandscape(number, difficulty);
    Game.Init();
    return *Game.Landscape;
  }

  TLandscape& Land() { return *Game.Landscape; }
};

}  // namespace orvane::test
