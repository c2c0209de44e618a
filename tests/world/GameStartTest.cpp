// A new game and its landscape: the start energy, the steps of making a landscape, what every
// landscape holds, and the start of its objects (the pedestal and the Tolmarch on the highest
// flat square, the sentries on the sites after it, then the trees).

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
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

// The landscape of a number at a difficulty, for what every landscape must hold.
class Landscapes : public ::testing::TestWithParam<std::pair<int32_t, int32_t>> {
 protected:
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(GetParam().first, GetParam().second);
  // The sites taken: a list shorter than the sites asked for places what it holds.
  int Sites() const { return std::min(Land.SiteCount, Land.SquareCount + 1); }
};

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
    ASSERT_TRUE(d >= 0.0 && d <= 100.0) << d;
    above |= d == 100.0;
    below |= d < 95.0;
  }
  EXPECT_TRUE(above && below);
}

TEST(GameStart, GameTypeDecidesTheDifficulty) {
  TWorldFixture world;
  world.Settings.gs_S_Difficulty(60);
  // The campaign's difficulty is 0 by default; no game type at all is an error.
  for (const auto& [type, difficulty] :
       {std::pair{gt_Campaign, 0.0}, std::pair{gt_None, 30.0}, std::pair{gt_Quick, 60.0}}) {
    world.Settings.gs_G_GameType(type);
    world.Log.Clear();
    world.Game.Init();
    EXPECT_EQ(world.Land().Difficulty(), difficulty) << type;
    EXPECT_EQ(world.Log.Contains("Error x : GameType of \"None\" should not happen."),
              type == gt_None);
  }
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

TEST_P(Landscapes, TheRimLiesBelowACentredInteriorWhoseHighestPointIsKnown) {
  const int N = Land.GridSize;
  const float rim = Land.PointHeight(0, 0);
  float lowest = std::numeric_limits<float>::max(), highest = -lowest;
  for (int x = 0; x <= N; ++x)
    for (int z = 0; z <= N; ++z) {
      if (x == 0 || z == 0 || x == N || z == N) {
        ASSERT_EQ(Land.PointHeight(x, z), rim) << x << "," << z;
      } else {
        lowest = std::min(lowest, Land.PointHeight(x, z));
        highest = std::max(highest, Land.PointHeight(x, z));
      }
    }
  EXPECT_LT(rim, lowest);
  EXPECT_NEAR(lowest, -highest, 1e-4);
  // Sight lines skip what lies above the highest point: the bound is exact after making.
  EXPECT_EQ(Land.HighestPoint(), highest);
  Land.SetPointHeight(3, 3, highest + 1.0f);
  EXPECT_EQ(Land.HighestPoint(), highest + 1.0f);
}

// Points raised by the same number of steps must have exactly the same height, or a square
// in the middle of a terrace is drawn as a slope and refuses every object.
TEST_P(Landscapes, TerracesAreExactAndTheirSquaresFlat) {
  const int N = Land.GridSize;
  const float base = Land.PointHeight(1, 1);
  std::map<long, float> heightOfStep;
  for (int x = 1; x < N; ++x)
    for (int z = 1; z < N; ++z) {
      const float h = Land.PointHeight(x, z);
      const double steps = (h - double(base)) / Land.HeightStep;
      const long k = std::lround(steps);
      ASSERT_NEAR(steps, double(k), 1e-3) << "a height change is not a whole number of steps";
      ASSERT_EQ(heightOfStep.emplace(k, h).first->second, h) << "two heights for step " << k;
      if (x == N - 1 || z == N - 1) continue;
      const bool level = h == Land.PointHeight(x + 1, z) && h == Land.PointHeight(x, z + 1) &&
                         h == Land.PointHeight(x + 1, z + 1);
      ASSERT_EQ(Land.IsFlatSquare(x, z), level) << x << "," << z;
    }
}

TEST_P(Landscapes, FlatSquaresAreListedHighestFirst) {
  float highestFlat = -std::numeric_limits<float>::max();
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z)
      if (Land.IsFlatSquare(x, z)) highestFlat = std::max(highestFlat, Land.PointHeight(x, z));
  ASSERT_GE(Land.SquareCount, 0);
  EXPECT_EQ(Land.SquaresByHeight(0).Height, highestFlat);
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i <= Land.SquareCount; ++i) {
    const TSquareEntry& e = Land.SquaresByHeight(i);
    ASSERT_TRUE(Land.IsFlatSquare(e.X, e.Z)) << e.X << "," << e.Z;
    ASSERT_EQ(e.Height, Land.PointHeight(e.X, e.Z));
    ASSERT_TRUE(seen.insert({e.X, e.Z}).second) << "listed twice";
    ASSERT_TRUE(i == 0 || e.Height <= Land.SquaresByHeight(i - 1).Height) << i;
  }
}

TEST_P(Landscapes, SitesLieApartFromEachOther) {
  const double spacing =
      (std::sqrt(double(Land.GridSize) * Land.GridSize / Land.SiteCount) - 1) * 0.45;
  const int thinned = std::max(20, Land.SquareCount * 80 / 100);  // a lower bound of the range
  const int sites = std::min(Sites(), thinned);
  for (int i = 0; i < sites; ++i)
    for (int j = i + 1; j < sites; ++j) {
      const TSquareEntry &a = Land.SquaresByHeight(i), &b = Land.SquaresByHeight(j);
      EXPECT_GT(std::hypot(double(a.X - b.X), double(a.Z - b.Z)), spacing - 1e-4);
    }
}

// The easiest landscapes are small, with the Tolmarch alone.
TEST_P(Landscapes, SizesAndObjectHeightsStayInTheirRanges) {
  const double d = Land.Difficulty();
  const auto& h = Land.ObjectHeights;
  const struct {
    const char* Name;
    double Value, Low, High;
  } ranges[] = {{"grid size", double(Land.GridSize), 18, d == 0 ? 40.0 : 128.0},
                {"sites", double(Land.SiteCount), 1, d == 0 ? 1.0 : 14.0},
                {"height step", Land.HeightStep, 1.25, 1.26},
                {"tree", h[go_tree], 1.6, 4.6},
                {"boulder", h[go_boulder], 0.5, 0.8},
                {"pedestal", h[go_pedestal], 0.7, 1.4 + 0.05 * d},
                {"robot", h[go_robot], 1.4, 1.4},
                {"tolmarch", h[go_tolmarch], 2.5, 2.5},
                {"sentry", h[go_sentry], 2.0, 2.0}};
  for (const auto& r : ranges)
    EXPECT_TRUE(r.Value >= r.Low - 1e-6 && r.Value <= r.High + 1e-6) << r.Name << " " << r.Value;
}

TEST_P(Landscapes, SecondLightStandsWellAboveTheLandscape) {
  const glm::vec3 light = World.Scene.GLLightSource3->Position();
  const float N = float(Land.GridSize), highest = Land.HighestPoint();
  EXPECT_TRUE(light.y >= 2 * N + highest - 1e-3 && light.y < 4 * N + highest + 1e-3) << light.y;
  EXPECT_TRUE(light.x >= 0.5f - N - 1e-3 && light.x <= 1.5f * N + 0.5f + 1e-3) << light.x;
}

// A spread of landscapes: small and large, few and many sentries.
INSTANTIATE_TEST_SUITE_P(Samples, Landscapes,
                         ::testing::Values(std::pair{1, 0}, std::pair{2, 0}, std::pair{777, 10},
                                           std::pair{31337, 25}, std::pair{-5, 40},
                                           std::pair{123456, 55}, std::pair{99, 70},
                                           std::pair{2016, 100}, std::pair{424242, 100},
                                           std::pair{-2147483647, 85}));

TEST_P(Landscapes, ThePedestalAndTheTolmarchStandOnTheHighestFlatSquareUnderTheLight) {
  const TSquareEntry top = Land.SquaresByHeight(0);
  const float ground = Land.PointHeight(top.X, top.Z);
  const TStackedObject &pedestal = Land.Object(top.X, top.Z, 1),
                       &tolmarch = Land.Object(top.X, top.Z, 2);
  EXPECT_EQ(std::tuple(pedestal.Kind, pedestal.Base, tolmarch.Kind, Land.TopLevel(top.X, top.Z)),
            std::tuple(go_pedestal, ground, go_tolmarch, 2));
  EXPECT_FLOAT_EQ(tolmarch.Base, ground + Land.ObjectHeights[go_pedestal]);
  EXPECT_EQ(std::tuple(Land.TolmarchX, Land.TolmarchZ, Land.PedestalGround),
            std::tuple(float(top.X), float(top.Z), ground));
  const glm::vec3 light = World.Scene.GLLightSource1->Position();
  EXPECT_EQ(std::tuple(light.x, light.z), std::tuple(top.X + 0.5f, top.Z + 0.5f));
}

TEST_P(Landscapes, SentriesTakeTheSitesWithTheirScannersAndTreesOtherFlatSquaresOfTheirOwn) {
  int sentries = 0, trees = 0;
  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z) {
      const int level = Land.TopLevel(x, z);
      if (level < 0 || (x == Land.TolmarchX && z == Land.TolmarchZ)) continue;
      ASSERT_TRUE(Land.IsFlatSquare(x, z) && level == 1) << x << "," << z;
      const TGameObjectKind kind = Land.Object(x, z, 1).Kind;
      ASSERT_TRUE(kind == go_sentry || kind == go_tree) << x << "," << z;
      (kind == go_sentry ? sentries : trees)++;
    }
  EXPECT_EQ(sentries, Sites() - 1);
  EXPECT_GE(trees, 3);
  EXPECT_EQ(test::UsedScanners(Land), Sites());
  for (int n = 1; n <= Sites(); ++n) {
    const TSquareEntry& site = Land.SquaresByHeight(n - 1);
    const TScanner& s = Land.Scanners(n);
    const TStackedObject& object = Land.Object(s.PosX, s.PosZ, s.Level);
    EXPECT_EQ(std::tuple(s.PosX, s.PosZ, s.Type), std::tuple(site.X, site.Z, object.Kind)) << n;
    EXPECT_EQ(std::tuple(object.Kind, object.Shape),
              std::tuple(n == 1 ? go_tolmarch : go_sentry, s.Shape))
        << n;
    EXPECT_FLOAT_EQ(float(s.BaseHgt), object.Base) << n;
    EXPECT_NEAR(s.ViewHgt, s.BaseHgt + Land.ObjectHeights[s.Type], 1e-6) << n;
  }
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
