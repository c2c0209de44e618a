#include <algorithm>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::TWorldFixture;

int CountAnimations(const TLandscape& land, TAnimationKind kind) {
  int count = 0;
  for (int slot = 0; slot < AnimationSlots; ++slot)
    if (land.Animations(slot).Kind == kind) ++count;
  return count;
}

TEST(StartEnergy, FourUpToDifficulty33AndEightFrom34) {
  EXPECT_EQ(StartEnergyFor(0), 4);
  EXPECT_EQ(StartEnergyFor(33), 4);
  EXPECT_EQ(StartEnergyFor(34), 8);
  EXPECT_EQ(StartEnergyFor(100), 8);
}

TEST(GameStart, MakingALandscapeRunsEveryStep) {
  TWorldFixture world;
  world.Host.Clock = 12.5;
  TLandscape& land = world.MakeLandscape(777, 40);
  const test::TRecordingHost& host = world.Host;
  EXPECT_EQ(host.Tips, 1);
  EXPECT_EQ(host.FrameTimerResets, 1);
  EXPECT_EQ(host.TargetFieldOfView, 135.0f);
  EXPECT_EQ(host.FieldOfView, 5.0f);
  EXPECT_EQ(world.Simulation.ScanWarnings, 1);
  EXPECT_GE(host.MapViewLeft, 1);
  ASSERT_EQ(host.Commands.size(), 1u);
  EXPECT_EQ(host.Commands[0].first, "RUN DefaultStartGame.osc");
  EXPECT_TRUE(host.Commands[0].second);
  ASSERT_EQ(host.PlayerViews.size(), 1u);  // hyperspace put the player on a square
  EXPECT_EQ(world.Game.Audio.Tension, 1.0f);
  EXPECT_EQ(land.Energy, 8);
  EXPECT_EQ(land.Player().Energy, 8);
  EXPECT_EQ(land.PlayerCount, 1);
  EXPECT_EQ(land.CurrentPlayer, 1);

  // The lights come up and the heartbeat starts at the player's square.
  EXPECT_EQ(CountAnimations(land, ga_LightOn), 1);
  ASSERT_EQ(CountAnimations(land, ga_SoundPulse1), 1);
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    const TAnimation& a = land.Animations(slot);
    if (a.Kind == ga_SoundPulse1) {
      EXPECT_FLOAT_EQ(a.Duration, 3.0f);
      EXPECT_EQ(a.StartTime, 12.5f);
      EXPECT_EQ(a.X, land.Player().X);
      EXPECT_EQ(a.Z, land.Player().Z);
    }
    if (a.Kind == ga_LightOn) {
      EXPECT_FLOAT_EQ(a.Duration, 2.0f);
    }
  }
  EXPECT_EQ(land.Difficulty(), 40.0);
}

// The new-game dialog's box holding text that is no landscape number.
struct TBadNumberBox : TSettingsDialog {
  int32_t TakeLandscapeNumber() override { throw std::invalid_argument(Text); }
  void ShowLandscapeNumber(int32_t /*number*/) override {}
  void ShowSuggestion(const std::string& /*text*/) override {}
  std::string Text;
};

TEST(GameStart, ANumberThatIsNotA32BitIntegerFailsTheMake) {
  for (const char* text : {"2147483648", "abc"}) {
    TWorldFixture world;
    TBadNumberBox box;
    TLandscape& land = world.MakeLandscape(5, 0);
    const int size = land.GridSize;
    const float middle = land.PointHeight(size / 2, size / 2);
    world.Settings.gs_S_Difficulty(50);  // so that the first step visibly happens
    box.Text = text;                     // as left in the box
    world.Settings.SetDialog(&box);
    world.Log.Clear();
    land.Make();
    EXPECT_EQ(world.Log.GetLines(), std::vector<std::string>{"Error 0017: @ Landscape.Make()"})
        << text;
    EXPECT_EQ(land.Energy, 8) << "the energy step was done";
    EXPECT_EQ(land.GridSize, size) << "the previous landscape stays";
    EXPECT_EQ(land.PointHeight(size / 2, size / 2), middle);
  }
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

TEST(GameStart, InitResetsThePlayerAndTheCheatFlags) {
  TWorldFixture world;
  TLandscape& land = world.MakeLandscape(12, 0);
  land.Player().Cheat = true;
  world.Game.Cheated = world.Game.CheatsEnabled = true;
  land.SetEnergy(30);
  land.Make();  // a new landscape alone keeps the cheat flags
  EXPECT_TRUE(world.Game.Cheated);
  EXPECT_TRUE(land.Player().Cheat);
  EXPECT_EQ(land.Energy, 4);
  world.Game.Init();
  EXPECT_FALSE(world.Game.Cheated);
  EXPECT_FALSE(world.Game.CheatsEnabled);
  EXPECT_FALSE(land.Player().Cheat);
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

TEST(GameStart, EveryNewLandscapeStartsFromAnEmptyAnimationTable) {
  TWorldFixture world;
  TLandscape& land = world.MakeLandscape(8, 0);
  for (int i = 0; i < 100; ++i)
    land.StartAnimation(1, 0, 1, 0.0f, ga_SoundScan, 0.0, 5.0f, 0.0f, 0.0f);
  ASSERT_GE(land.LastAnimation, 100);
  world.Game.Init();
  EXPECT_EQ(CountAnimations(land, ga_SoundScan), 0);
  EXPECT_LT(land.LastAnimation, 5);
}

}  // namespace
}  // namespace orvane
