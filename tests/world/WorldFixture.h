#pragma once

#include <algorithm>
#include <cstdint>
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
  void SetFieldOfView(float /*degrees*/) override {}
  void SetTargetFieldOfView(float /*degrees*/) override {}
  void Wake() override { ++Wakes; }
  void LeaveMapView() override {}
  void NoteStackLevel(int level) override { StackHighWater = std::max(StackHighWater, level); }
  void NoteScannerSlot(int /*slot*/) override {}
  double GameClock() const override { return Clock; }
  void SetPlayerView(int x, int z, bool /*faceTolmarch*/, bool /*map*/) override {
    PlayerViews.push_back({x, z});
  }
  void ExecuteCommand(const std::string& line, bool silent) override {
    Commands.push_back({line, silent});
  }

  std::vector<int> EnergyShown;
  int Tips = 0, FrameTimerResets = 0, Wakes = 0, StackHighWater = 0;
  double Clock = 0.0;
  std::vector<std::pair<int, int>> PlayerViews;
  std::vector<std::pair<std::string, bool>> Commands;
};

// A simulation that only records what the world asks of it.
class TRecordingSimulation : public TWorldSimulation {
 public:
  void AnimationStarted(int slot, float progress) override { Steps.push_back({slot, progress}); }
  void ScanWarning() override { ++ScanWarnings; }
  std::vector<std::pair<int, float>> Steps;
  int ScanWarnings = 0;
};

// A world of its own: generator, log, scene, settings (at their defaults) and a host. The clock
// of the generator is fixed, so even the clock-seeded numbers repeat.
template <class THost>
struct TWorldOf {
  TRandom Random;
  TLog Log;
  TScene Scene;
  TGameSettings Settings;
  THost Host;
  TGame Game{Random, Log, Scene, Settings, Host};

  explicit TWorldOf(uint32_t clock) {
    Random.SetClock([clock] { return clock; });
    Settings.ApplyDefaultSettings();
  }

  // Makes the landscape of a number at a difficulty (quick game, no variation) through
  // the game's own start, as the program does.
  TLandscape& MakeLandscape(int32_t number, int32_t difficulty) {
    Settings.ChooseLandscape(number, difficulty);
    Game.Init();
    return *Game.Landscape;
  }
};

// A world whose host and simulation only record.
struct TWorldFixture : TWorldOf<TRecordingHost> {
  TRecordingSimulation Simulation;

  TWorldFixture() : TWorldOf(12345u) { Game.SetSimulation(Simulation); }
  TLandscape& Land() { return *Game.Landscape; }
};

// A real landscape with nothing on it, and a host and a simulation that have recorded nothing
// yet.
struct TEmptyWorld : TWorldFixture {
  TLandscape& Land;

  explicit TEmptyWorld(int32_t number = 1, int32_t difficulty = 0)
      : Land(MakeLandscape(number, difficulty)) {
    Land.ClearGameObjects();
    Host = TRecordingHost{};
    Simulation = TRecordingSimulation{};
    Log.Clear();
  }

  // The lowest flat square: flat, and empty after clearing.
  const TSquareEntry& LowSquare() const { return Land.SquaresByHeight(Land.SquareCount); }
  int ShapeCount() const { return Scene.DummyCube2->Count(); }
};

// How many draws take the generator from one seed to another; -1 when not within the limit.
inline int StepsBetween(uint32_t from, uint32_t to, int limit = 400000) {
  TRandom random;
  random.RandomSeed = from;
  for (int steps = 0; steps <= limit; ++steps, random.Random())
    if (random.RandomSeed == to) return steps;
  return -1;
}

// How many animation slots run (of one kind, or of any kind for ga_static).
inline int Running(const TLandscape& land, TAnimationKind kind = ga_static) {
  int count = 0;
  for (int slot = 0; slot < AnimationSlots; ++slot)
    count += kind == ga_static ? land.Animations(slot).Kind != ga_static
                               : land.Animations(slot).Kind == kind;
  return count;
}

inline int UsedScanners(const TLandscape& land) {
  int used = 0;
  for (int n = 1; n <= MaxScanners; ++n)
    used += land.Scanners(n).State != ss_Free;
  return used;
}

}  // namespace orvane::test
