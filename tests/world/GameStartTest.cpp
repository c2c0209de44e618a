#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::Running;
using test::TWorldFixture;

TEST(StartEnergy, FourUpToDifficulty33AndEightFrom34) {
  for (const auto& [difficulty, energy] :
       {std::pair{0, 4}, std::pair{33, 4}, std::pair{34, 8}, std::pair{100, 8}})
    EXPECT_EQ(StartEnergyFor(difficulty), energy) << difficulty;
}

TEST(GameStart, MakingALandscapeRunsEveryStep) {
  TWorldFixture world;
  world.Host.Clock = 12.5;
  TLandscape& land = world.MakeLandscape(777, 40);
  const test::TRecordingHost& host = world.Host;
  // Hyperspace put the player on a square.
  EXPECT_EQ(std::tuple(host.Tips, host.FrameTimerResets, world.Simulation.ScanWarnings,
                       host.PlayerViews.size()),
            std::tuple(1, 1, 1, 1u));
  EXPECT_EQ(std::tuple(host.TargetFieldOfView, host.FieldOfView, world.Game.Audio.Tension),
            std::tuple(135.0f, 5.0f, 1.0f));
  EXPECT_GE(host.MapViewLeft, 1);
  EXPECT_EQ(host.Commands,
            (std::vector<std::pair<std::string, bool>>{{"RUN DefaultStartGame.osc", true}}));
  EXPECT_EQ(std::tuple(land.Energy, land.PlayerCount, land.CurrentPlayer), std::tuple(8, 1, 1));

  // The lights come up and the heartbeat starts at the player's square.
  ASSERT_EQ(Running(land), 2);
  const TAnimation &light = land.Animations(0), &pulse = land.Animations(1);
  EXPECT_EQ(std::tuple(light.Kind, light.Duration), std::tuple(ga_LightOn, 2.0f));
  EXPECT_EQ(std::tuple(pulse.Kind, pulse.Duration, pulse.StartTime, pulse.X, pulse.Z),
            std::tuple(ga_SoundPulse1, 3.0f, 12.5f, land.Player().X, land.Player().Z));
}

// The new-game dialog's box holding text that is no 32-bit landscape number.
struct TBadNumberBox : TSettingsDialog {
  int32_t TakeLandscapeNumber() override { throw std::invalid_argument("2147483648"); }
  void ShowLandscapeNumber(int32_t /*number*/) override {}
  void ShowSuggestion(const std::string& /*text*/) override {}
};

TEST(GameStart, ANumberThatIsNotA32BitIntegerFailsTheMake) {
  TWorldFixture world;
  TBadNumberBox box;
  TLandscape& land = world.MakeLandscape(5, 0);
  const int size = land.GridSize;
  const float middle = land.PointHeight(size / 2, size / 2);
  world.Settings.gs_S_Difficulty(50);  // so that the first step visibly happens
  world.Settings.SetDialog(&box);
  world.Log.Clear();
  land.Make();
  EXPECT_EQ(world.Log.GetLines(), std::vector<std::string>{"Error 0017: @ Landscape.Make()"});
  EXPECT_EQ(land.Energy, 8) << "the energy step was done";
  EXPECT_EQ(std::tuple(land.GridSize, land.PointHeight(size / 2, size / 2)),
            std::tuple(size, middle))
      << "the previous landscape stays";
}

TEST(GameStart, VariedDifficultyNeverLeavesItsRange) {
  TWorldFixture world;
  uint32_t tick = 1;
  world.Random.SetClock([&tick] { return tick += 7919; });
  world.Settings.gs_S_Difficulty(95);
  world.Settings.gs_S_DiffVariation(99);
  world.Settings.gs_S_LandscapeRandom(false);
  bool above = false, below = false;
  for (int i = 0; i < 60; ++i) {
    world.Settings.gs_S_LandscapeNumber(i + 1);  // the spread's sign follows the number
    world.Game.Init();
    const double d = world.Land().Difficulty();
    ASSERT_GE(d, 0.0);
    ASSERT_LE(d, 100.0);
    above |= d == 100.0;
    below |= d < 95.0;
  }
  EXPECT_TRUE(above);
  EXPECT_TRUE(below);
}

TEST(GameStart, GameTypeDecidesTheDifficulty) {
  TWorldFixture world;
  world.Settings.gs_S_Difficulty(60);
  world.Settings.gs_G_GameType(gt_Campaign);
  world.Game.Init();
  EXPECT_EQ(world.Land().Difficulty(), 0.0);  // the campaign difficulty, 0 by default

  world.Settings.gs_G_GameType(gt_None);
  world.Log.Clear();
  world.Game.Init();
  EXPECT_TRUE(world.Log.Contains("Error x : GameType of \"None\" should not happen."));
  EXPECT_EQ(world.Land().Difficulty(), 30.0);

  world.Settings.gs_G_GameType(gt_Quick);
  world.Game.Init();
  EXPECT_EQ(world.Land().Difficulty(), 60.0);
}

// A new landscape alone keeps the cheat flags; a new game clears them. Every new landscape
// starts from an empty animation table.
TEST(GameStart, InitResetsThePlayerTheCheatFlagsAndTheAnimations) {
  TWorldFixture world;
  TLandscape& land = world.MakeLandscape(12, 0);
  land.Player().Cheat = true;
  world.Game.Cheated = world.Game.CheatsEnabled = true;
  land.SetEnergy(30);
  land.Make();
  EXPECT_EQ(std::tuple(world.Game.Cheated, land.Player().Cheat, land.Energy),
            std::tuple(true, true, 4));
  for (int i = 0; i < 100; ++i)
    land.StartAnimation(1, 0, 1, 0.0f, ga_SoundScan, 0.0, 5.0f, 0.0f, 0.0f);
  ASSERT_GE(land.LastAnimation, 100);
  world.Game.Init();
  EXPECT_EQ(std::tuple(world.Game.Cheated, world.Game.CheatsEnabled, land.Player().Cheat),
            std::tuple(false, false, false));
  EXPECT_EQ(Running(land, ga_SoundScan), 0);
  EXPECT_LT(land.LastAnimation, 5);
}

TEST(GameStart, AWorldThatCannotBeMadeIsReported) {
  TWorldFixture world;
  world.Game.SetLandscapeFactory([](const TWorldLinks&) { return nullptr; });
  world.Game.Cheated = true;
  world.Game.Init();
  EXPECT_EQ(
      world.Log.GetLines(),
      std::vector<std::string>{"Error 0008: Could not create Landscape object @ Game.Init()."});
  EXPECT_EQ(world.Game.Landscape, nullptr);
  EXPECT_FALSE(world.Game.Cheated);
}

}  // namespace
}  // namespace orvane
