#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "simulation/Simulation.h"
#include "world/WorldFixture.h"

namespace orvane::test {

// The main window as the world and the simulation see it, recording what they ask.
class TSimulationTestHost : public TRecordingHost, public TSimulationHost {
 public:
  double GameClock() const override { return Clock; }
  void Wake() override { Asleep = false; }
  void SetPlayerView(int x, int z, bool faceTolmarch, bool map) override {
    if (OnSetPlayerView) OnSetPlayerView(x, z, faceTolmarch, map);
  }
  void AddHint(const std::string& text) override { Hints.push_back(text); }
  void RemoveHints(char topic) override {
    std::erase_if(Hints, [topic](const std::string& h) { return h.size() > 1 && h[1] == topic; });
  }
  void ClearHintQueue() override { Hints.clear(); }
  void SetAsleep(bool asleep) override { Asleep = asleep; }
  double LastDeltaTime() const override { return DeltaTime; }
  void SetWarningColour(uint32_t colour) override { WarningColour = colour; }
  void ShowNextGameDialog(const TGameResult& result) override {
    Results.push_back(result);
    if (OnNextGameDialog) OnNextGameDialog();
  }

  double DeltaTime = 0.0;
  bool Asleep = false;
  uint32_t WarningColour = 0;
  std::vector<std::string> Hints;
  std::function<void(int, int, bool, bool)> OnSetPlayerView;
  std::vector<TGameResult> Results;  // one for each showing of the next-game dialog
  std::function<void()> OnNextGameDialog;
};

// A world with its simulation. The generator's clock is fixed, so runs repeat.
struct TSimulationFixture : TWorldOf<TSimulationTestHost> {
  TSimulation Simulation{Game, Scene, Settings, Random, Log, Host};

  TSimulationFixture() : TWorldOf(24680u) {
    // The player's robot, eye and life, as the main window's camera placement gives them.
    Host.OnSetPlayerView = [this](int x, int z, bool faceTolmarch, bool map) {
      if (map) return;
      TLandscape& land = *Game.Landscape;
      TPlayer& player = land.Player();
      player.X = x;
      player.Z = z;
      if (faceTolmarch) player.Alive = true;
      const int top = land.TopLevel(x, z);
      if (top < 1 || land.Object(x, z, top).Kind != go_robot)
        land.AddGameObject(x, z, go_robot, 0.0f, false);
      player.EyeHgt = 1.45 + double(land.Object(x, z, land.TopLevel(x, z)).Base);
      for (int k = 1; k <= land.SiteCount; ++k)
        Simulation.ScanStep(k, false);
    };
  }

  // Runs the frame tick's animation step for a while, frame by frame.
  void Advance(double seconds, double frameTime = 1.0 / 60) {
    for (double t = 0; t < seconds; t += frameTime) {
      Host.DeltaTime = frameTime;
      Simulation.ProgressAnimations(frameTime);
      Host.Clock += frameTime;
    }
  }

  void SetHeights(const std::function<float(int, int)>& height) {
    for (int x = 0; x <= Game.Landscape->GridSize; ++x)
      for (int z = 0; z <= Game.Landscape->GridSize; ++z)
        Game.Landscape->SetPointHeight(x, z, height(x, z));
  }

  int Running(TAnimationKind kind) const { return test::Running(*Game.Landscape, kind); }

  // Flat empty squares away from the player, in the order the list of squares gives them.
  std::pair<int, int> FreeSquare(int skip = 0) const {
    const TLandscape& land = *Game.Landscape;
    for (int i = land.SquareCount; i >= 0; --i) {
      const TSquareEntry& e = land.SquaresByHeight(i);
      if (!land.IsFlatSquare(e.X, e.Z) || land.TopLevel(e.X, e.Z) != -1) continue;
      if (e.X == land.Player().X && e.Z == land.Player().Z) continue;
      if (skip-- == 0) return {e.X, e.Z};
    }
    throw std::logic_error("no free square");
  }
};

}  // namespace orvane::test
