// A new game and its landscape: the start energy, the steps of making a landscape and how they
// fail. What every new landscape holds is checked over many of them in frontend/RandomPlayTest.

#include <limits>
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
  TCampaignStart StartCampaignLevel() override { return {}; }
};

// A failed step is reported and leaves the previous landscape.
TEST(GameStart, ANumberThatIsNotA32BitIntegerOrAFailedGenerationIsReported) {
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
            std::tuple(size, middle));

  land.Params(3) = std::numeric_limits<double>::quiet_NaN();
  land.GeneratePoints();
  EXPECT_EQ(world.Log.GetLines().back(), "Error 0018: @ Landscape.GeneratePoints.");
  EXPECT_EQ(land.GridSize, size);
}

// The campaign's difficulty is 0 by default; no game type at all is an error. A quick game's
// varied difficulty spreads either way from the setting, within 0..100.
TEST(GameStart, TheGameTypeAndTheVariationDecideTheDifficulty) {
  TWorldFixture world;
  world.Settings.gs_S_Difficulty(60);
  for (const auto& [type, difficulty] :
       {std::pair{gt_Campaign, 0.0}, std::pair{gt_None, 30.0}, std::pair{gt_Quick, 60.0}}) {
    world.Settings.gs_G_GameType(type);
    world.Log.Clear();
    world.Game.Init();
    EXPECT_EQ(world.Land().Difficulty(), difficulty) << type;
    EXPECT_EQ(world.Log.Contains("Error x : GameType of \"None\" should not happen."),
              type == gt_None);
  }

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
    ASSERT_TRUE(d >= 0.0 && d <= 100.0) << d;
    above |= d == 100.0;
    below |= d < 95.0;
  }
  EXPECT_TRUE(above && below);
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

TEST(StartPlacementFailures, ATreeWithNowhereToGoIsGivenUpAfterFourHundredAndOnePairs) {
  test::TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(123456, 50);
  Land.ClearGameObjects();
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z)
      if (Land.IsFlatSquare(x, z)) Land.AddGameObject(x, z, go_robot, 0, false);
  const uint32_t seed = World.Random.RandomSeed;
  const int shapes = World.Scene.DummyCube2->Count();
  Land.PositionStartGameObjects();
  // One draw for the count of trees (at least 3), then two for each pair of coordinates.
  const int draws = test::StepsBetween(seed, World.Random.RandomSeed);
  EXPECT_EQ((draws - 1) % (401 * 2), 0) << draws;
  EXPECT_GE((draws - 1) / (401 * 2), 3) << draws;
  EXPECT_EQ(World.Scene.DummyCube2->Count(), shapes);
}

}  // namespace
}  // namespace orvane
