// The squares' stacks and the objects entering and leaving them, their scanners, clearing the
// landscape, the player's energy, the animation slots, and hyperspace to a low free square.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::Running;
using test::StepsBetween;
using test::UsedScanners;

class ObjectManagement : public ::testing::Test {
 protected:
  test::TEmptyWorld World;
  TLandscape& Land = World.Land;
  const int X = World.LowSquare().X;
  const int Z = World.LowSquare().Z;

  int Add(TGameObjectKind kind, bool animate = false, float angle = 0.0f) {
    return Land.AddGameObject(X, Z, kind, angle, animate);
  }
  // Puts an object straight into the stack, with no shape: the queries read only the stack.
  void Stack(int level, float base, float height, TGameObjectKind kind = go_boulder) {
    Land.Object(X, Z, level) = TStackedObject{kind, nullptr, base, height};
  }
  void Animate(int level, TAnimationKind kind) {
    Land.Object(X, Z, level).Animation =
        Land.StartAnimation(X, level, Z, 0.0f, kind, 0.0, 5.0f, 0.0f, 0.0f);
  }
  int Start() { return Land.StartAnimation(1, 2, 3, 0.0f, ga_Scan, 0.0, 1.0f, 0.0f, 0.0f); }
};
using StackQueries = ObjectManagement;
using EnergyAndAnimations = ObjectManagement;

TEST_F(EnergyAndAnimations, EachNewEnergyIsShownAndFallingBelowZeroKillsALivingPlayerOnce) {
  World.Host.Clock = 8.0;
  Land.Player().Alive = true;
  for (int value : {7, 7, 0, -1, -2}) {
    Land.SetEnergy(value);
    EXPECT_EQ(Land.Player().Alive, value >= 0) << value;
  }
  EXPECT_EQ(World.Host.EnergyShown, (std::vector<int>{7, 0, -1, -2}));
  EXPECT_EQ(std::tuple(Land.Energy, Land.Player().Energy), std::tuple(-2, -2));
  ASSERT_EQ(Running(Land), 1);
  const TAnimation& dead = Land.Animations(0);
  EXPECT_EQ(std::tuple(dead.Kind, dead.Duration, dead.StartTime), std::tuple(ga_Dead, 1.6f, 8.0f));
}

TEST_F(EnergyAndAnimations, AStartTakesTheLowestFreeSlotAfreshUntilTwoHundredFiftyFiveRun) {
  Land.Animations(0).Elapsed = 9.0f;  // left over in a released slot
  ASSERT_EQ(Land.StartAnimation(5, 3, 6, 0.0f, ga_rotate, 4.5, 2.0f, 10.0f, 100.0f), 0);
  const TAnimation& a = Land.Animations(0);
  EXPECT_EQ(std::tuple(a.Kind, a.X, a.Level, a.Z), std::tuple(ga_rotate, 5, 3, 6));
  EXPECT_EQ(std::tuple(a.StartTime, a.From, a.To, a.Elapsed),
            std::tuple(4.5f, 10.0f, 100.0f, 0.0f));
  EXPECT_EQ(World.Simulation.Steps, (std::vector<std::pair<int, float>>{{0, 0.0f}}));

  Land.LastAnimation = 0;
  for (int i = 1; i < 5; ++i)
    ASSERT_EQ(Start(), i);
  Land.Animations(2).Kind = ga_static;
  EXPECT_EQ(Start(), 2);
  EXPECT_EQ(Land.LastAnimation, 4) << "the highest slot taken, not the last";

  for (int i = 5; i < UsableAnimationSlots; ++i)
    ASSERT_EQ(Start(), i);
  World.Simulation.Steps.clear();
  EXPECT_EQ(Start(), -1);
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{
                "Diagnostic: Failed to start Animation; Exceeded maximum of 255 animations."});
  EXPECT_EQ(Land.Animations(AnimationSlots - 1).Kind, ga_static);
  EXPECT_EQ(Land.LastAnimation, UsableAnimationSlots - 1);
  EXPECT_TRUE(World.Simulation.Steps.empty());
}

// The top is looked for from the top down, gaps and all; the settled top steps past appearing
// and vanishing objects only.
TEST_F(StackQueries, TopLevelAndTopSettledLevel) {
  EXPECT_EQ(std::tuple(Land.TopLevel(X, Z), Land.TopSettledLevel(X, Z)), std::tuple(-1, -1));
  Stack(MaxStack, 0.0f, 1.0f);
  EXPECT_EQ(Land.TopLevel(X, Z), MaxStack);
  Land.Object(X, Z, MaxStack).Kind = go_none;
  for (int level = 1; level <= 3; ++level)
    Stack(level, level - 1.0f, 1.0f);
  EXPECT_EQ(std::tuple(Land.TopLevel(X, Z), Land.TopSettledLevel(X, Z)), std::tuple(3, 3));
  Animate(3, ga_appear);  // slot 0 is a slot like any other
  ASSERT_EQ(Land.Object(X, Z, 3).Animation, 0);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 2);
  Animate(2, ga_disappear);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 1);
  Animate(1, ga_rotate);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 1);
  Land.Animations(Land.Object(X, Z, 1).Animation).Kind = ga_appear;
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 0);
  Land.Animations(0).Kind = ga_static;  // a finished animation no longer counts
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 3);
}

TEST_F(StackQueries, LevelAtHeightCountsTheTopOfAnObjectButNotItsBottom) {
  Stack(1, 2.0f, 0.5f);
  Stack(2, 2.5f, 1.4f, go_robot);
  for (const auto& [y, level] : {std::pair{2.0f, -1}, std::pair{2.25f, 1}, std::pair{2.5f, 1},
                                 std::pair{3.9f, 2}, std::pair{3.95f, -1}})
    EXPECT_EQ(Land.LevelAtHeight(X, Z, y), level) << y;
  // A vacated slot keeps its place and is still found.
  Land.Object(X, Z, 2).Kind = go_none;
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 3.0f), 2);
}

TEST_F(StackQueries, IsFlatSquareComparesCornersExactlyAndStaysInsideTheGrid) {
  Land.SetPointHeight(X + 1, Z + 1, std::nextafter(Land.PointHeight(X, Z), 1e9f));
  EXPECT_FALSE(Land.IsFlatSquare(X, Z));

  // Level points all around the last row and column: only the bounds decide.
  const int N = Land.GridSize;
  ASSERT_LT(N, MaxGridSize);
  for (int a = 0; a <= N + 1; ++a)
    for (int b = N - 1; b <= N + 1; ++b) {
      Land.SetPointHeight(a, b, 7.5f);
      Land.SetPointHeight(b, a, 7.5f);
    }
  EXPECT_TRUE(Land.IsFlatSquare(N - 1, 3));
  EXPECT_TRUE(Land.IsFlatSquare(3, N - 1));
  for (const auto& [x, z] : {std::pair{N, 3}, std::pair{3, N}, std::pair{-1, 5}, std::pair{5, -1},
                             std::pair{1000, 1000}, std::pair{std::numeric_limits<int>::min(), 3}})
    EXPECT_FALSE(Land.IsFlatSquare(x, z)) << x << "," << z;
}

TEST_F(ObjectManagement, ObjectsStackUpwardsEachWithItsOwnShape) {
  ASSERT_EQ(Add(go_boulder, false, 30.0f), 1);
  ASSERT_EQ(Add(go_robot, false, 75.0f), 2);
  const TStackedObject& robot = Land.Object(X, Z, 2);
  EXPECT_FLOAT_EQ(robot.Base, Land.PointHeight(X, Z) + Land.ObjectHeights[go_boulder]);
  EXPECT_EQ(std::tuple(robot.Kind, robot.Height, robot.Angle, robot.Animation, World.ShapeCount(),
                       Running(Land)),
            std::tuple(go_robot, Land.ObjectHeights[go_robot], 75.0f, -1, 2, 0));
  EXPECT_FLOAT_EQ(robot.Shape->Position().y, robot.Base);
}

TEST_F(ObjectManagement, ARefusedObjectChangesNothing) {
  EXPECT_EQ(Add(go_none, true), -1);
  World.Scene.SetCreationRefusal([](TSceneObjectKind k) { return k == TSceneObjectKind::Mesh; });
  EXPECT_EQ(Add(go_sentry), -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  World.Scene.SetCreationRefusal({});

  for (int level = 1; level <= MaxStack; ++level)
    ASSERT_EQ(Add(go_boulder), level);
  const int shapes = World.ShapeCount();
  const uint32_t seed = World.Random.RandomSeed;
  EXPECT_EQ(Add(go_sentry), -1);
  EXPECT_EQ(Add(go_robot, true), -1);
  EXPECT_EQ(World.ShapeCount(), shapes);
  EXPECT_EQ(World.Random.RandomSeed, seed);
  EXPECT_EQ(UsedScanners(Land) + Running(Land), 0);
  EXPECT_EQ(World.Host.StackHighWater, MaxStack - 1);
}

// Each kind takes its own time (the game speed scales every animation alike).
TEST_F(ObjectManagement, AnimatedObjectsAppearAndVanishInTheirKindsTime) {
  World.Host.Clock = 12.5;
  ASSERT_EQ(Add(go_sentry, true), 1);
  EXPECT_EQ(UsedScanners(Land), 0) << "an appearing sentry takes no scanner";
  ASSERT_EQ(Running(Land, ga_appear), 1);
  const TAnimation& appear = Land.Animations(0);
  EXPECT_EQ(std::tuple(appear.Level, appear.StartTime, appear.Duration),
            std::tuple(1, 12.5f, ObjectAnimTime[go_sentry]));
  EXPECT_GE(World.Host.Wakes, 1);

  ASSERT_EQ(Add(go_robot), 2);
  Land.RemoveGameObject(X, Z, true, -1);
  ASSERT_EQ(Running(Land, ga_disappear), 1);
  const TAnimation& vanish = Land.Animations(1);
  EXPECT_EQ(
      std::tuple(vanish.Level, vanish.Duration, Land.Object(X, Z, 2).Kind, World.ShapeCount()),
      std::tuple(2, ObjectAnimTime[go_robot], go_robot, 2));
}

// A sentry's shape draws 54 numbers; its scanner 6 more, and a 7th for its turning direction
// from difficulty 20 on. Below 20 every scanner turns the negative way. Past the 14th
// scanner a sentry stands without one.
TEST_F(ObjectManagement, ScannersDrawTheirDirectionFromDifficultyTwentyAndRunOut) {
  for (double difficulty : {19.5, 20.0}) {
    Land.ClearGameObjects();
    Land.Params(3) = difficulty;
    std::set<bool> directions;
    for (int n = 1; n <= MaxScanners + 1; ++n) {
      const uint32_t seed = World.Random.RandomSeed;
      ASSERT_EQ(Add(go_sentry), n);
      const int draws = n > MaxScanners ? 54 : difficulty < 20 ? 60 : 61;
      EXPECT_EQ(StepsBetween(seed, World.Random.RandomSeed), draws) << n;
      directions.insert(Land.Scanners(std::min(n, MaxScanners)).Rotation > 0);
    }
    const std::set<bool> both{false, true}, negative{false};
    EXPECT_EQ(directions, difficulty < 20 ? negative : both) << difficulty;
    EXPECT_EQ(Land.Scanners(MaxScanners).Level, MaxScanners);
    EXPECT_EQ(Land.FindFreeScanner(), 0);
  }
}

// The sentry speed setting divides the turn by 2 and the pause after it by 3 for every 10 and 8
// steps, the scan speed the pauses after a scan by 3 for every 8 steps; the sector setting widens
// the view by 3 for every 8. (The timings themselves are in the landscape prints.)
TEST(ScannerTimings, FollowTheSpeedSettings) {
  const auto scanner = [](int speed) {
    test::TEmptyWorld World(5, 60);
    World.Settings.gs_S_SentrySpeed(speed);
    World.Settings.gs_S_ScanSpeed(-speed);
    World.Settings.gs_S_ScanSector(speed / 2);
    const TSquareEntry& e = World.Land.SquaresByHeight(World.Land.SquareCount);
    EXPECT_EQ(World.Land.AddGameObject(e.X, e.Z, go_sentry, 0.0f, false), 1);
    return World.Land.Scanners(1);
  };
  const TScanner plain = scanner(0);
  for (const int speed : {8, -4}) {
    const TScanner s = scanner(speed);
    const double turn = std::pow(2.0, speed * 0.1), pause = std::pow(3.0, speed * 0.125);
    const double sector = std::pow(3.0, speed / 2 * 0.125);
    EXPECT_EQ(s.ScanEff, plain.ScanEff);
    for (const auto& [value, expected] : {std::pair{s.TTurn * turn, plain.TTurn},
                                          {s.TScan * pause, plain.TScan},
                                          {s.TPlyr / pause, plain.TPlyr},
                                          {s.TObje / pause, plain.TObje},
                                          {s.Rotation / sector, plain.Rotation}})
      EXPECT_NEAR(value, expected, 1e-4) << speed;
  }
}

TEST_F(ObjectManagement, PutGameObjectFillsTheLevelAndTakesNoScannerOrAnimation) {
  TStackedObject& slot = Land.Object(X, Z, 3);
  slot.Angle = 33.0f;  // kept, as is the animation
  slot.Animation = 7;
  EXPECT_EQ(Land.PutGameObject(X, 3, Z, go_sentry, 4.25f, 120.0f, 0.5f), 3);
  EXPECT_EQ(std::tuple(slot.Kind, slot.Base, slot.Angle, slot.Animation),
            std::tuple(go_sentry, 4.25f, 33.0f, 7));
  EXPECT_EQ(slot.Shape->TurnAngle(), 120.0f);
  EXPECT_EQ(UsedScanners(Land) + Running(Land), 0);
  for (int level : {0, MaxStack + 1})
    EXPECT_EQ(Land.PutGameObject(X, level, Z, go_boulder, 0.0f, 0.0f, 1.0f), -1);
  EXPECT_EQ(World.ShapeCount(), 1);
}

TEST_F(ObjectManagement, RemovingAtOnceReleasesTheSlotsAnimationsAndDestroysTheShape) {
  ASSERT_EQ(Add(go_tree), 1);
  ASSERT_EQ(Add(go_sentry), 2);
  TStackedObject& sentry = Land.Object(X, Z, 2);
  const TStackedObject before = sentry;
  sentry.Animation = Land.StartAnimation(X, 2, Z, 0.0f, ga_rotate, 0.0, 1.0f, 0.0f, 90.0f);
  Land.StartAnimation(X, 2, Z, 0.0f, ga_SoundRotate, 0.0, 1.0f, 0.0f, 0.0f);
  Land.StartAnimation(X, 1, Z, 0.0f, ga_appear, 0.0, 1.0f, 0.0f, 0.0f);
  Land.StartAnimation(X + 1, 2, Z, 0.0f, ga_Scan, 0.0, 1.0f, 0.0f, 0.0f);

  Land.RemoveGameObject(X, Z, false, -1);
  EXPECT_EQ(std::tuple(sentry.Kind, sentry.Shape, sentry.Animation),
            std::tuple(go_none, nullptr, -1));
  EXPECT_EQ(std::tuple(sentry.Base, sentry.Height), std::tuple(before.Base, before.Height));
  EXPECT_EQ(World.ShapeCount(), 1);
  // Other objects' animations, and a sound at the same place, run on.
  EXPECT_EQ(std::tuple(Running(Land), Running(Land, ga_appear), Running(Land, ga_Scan),
                       Running(Land, ga_SoundRotate)),
            std::tuple(3, 1, 1, 1));

  Land.RemoveGameObject(X, Z, false, 1);  // a tree goes with its container
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_NO_THROW(Land.RemoveGameObject(X, Z, false, -1));
}

TEST(ClearingTheLandscape, LeavesNoObjectScannerAnimationOrShapeAndLogsAMissingDummyCube1) {
  for (bool dummyCube1 : {true, false}) {
    test::TWorldFixture World;
    TLandscape& Land = World.MakeLandscape(31337, 60);
    Land.StartAnimation(3, 1, 4, 0.0f, ga_rotate, 2.0, 1.0f, 10.0f, 20.0f);
    const TSquareEntry top = Land.SquaresByHeight(0);
    const TStackedObject tolmarch = Land.Object(top.X, top.Z, 2);
    ASSERT_EQ(tolmarch.Kind, go_tolmarch);
    if (!dummyCube1) World.Scene.Root().DestroyChild(World.Scene.DummyCube1);
    World.Log.Clear();

    Land.ClearGameObjects();
    for (int x = 0; x <= Land.GridSize; ++x)
      for (int z = 0; z <= Land.GridSize; ++z)
        ASSERT_EQ(Land.TopLevel(x, z), -1) << x << "," << z;
    EXPECT_EQ(UsedScanners(Land) + Running(Land), 0);
    EXPECT_EQ(Land.Animations(0).Duration, 0.0f);
    EXPECT_EQ(Land.Object(top.X, top.Z, 2).Base, tolmarch.Base);
    if (dummyCube1) {
      EXPECT_EQ(World.Scene.DummyCube2->Count(), 0);
      EXPECT_TRUE(World.Log.GetLines().empty());
    } else {
      EXPECT_EQ(World.Log.GetLines(),
                std::vector<std::string>{"Error 0003: OpenGL DummyCube1 not initialised @ "
                                         "Landscape.ClearGameObjects()"});
    }
  }
}

class Hyperspace : public ::testing::Test {
 protected:
  test::TEmptyWorld World{31337, 50};
  TLandscape& Land = World.Land;

  void Occupy(int index) {
    const TSquareEntry& e = Land.SquaresByHeight(index);
    Land.AddGameObject(e.X, e.Z, go_boulder, 0.0f, false);
  }
  // The entry of the square the player was last put on; -1 for none.
  int Chosen() const {
    for (int i = 0; !World.Host.PlayerViews.empty() && i <= Land.SquareCount; ++i)
      if (World.Host.PlayerViews.back() ==
          std::pair{Land.SquaresByHeight(i).X, Land.SquaresByHeight(i).Z})
        return i;
    return -1;
  }
};

// Charged, the lights come up again. (Uncharged, at the start of a landscape, it costs nothing
// and starts nothing: GameStartTest. What a charged one costs: the player's actions.)
TEST_F(Hyperspace, ChargedTheLightsComeUpAgain) {
  World.Host.Clock = 3.25;
  Land.SetEnergy(5);
  Land.Hyperspace(true);
  ASSERT_EQ(Running(Land), 1);
  const TAnimation& light = Land.Animations(0);
  EXPECT_EQ(std::tuple(light.Kind, light.StartTime, light.Duration),
            std::tuple(ga_LightOn, 3.25f, 2.0f));
}

// The generator's draws worked out from its rule (seed := seed * 134775813 + 1, mod 2^32), apart
// from the game's own generator.
struct TDraws {
  uint32_t Seed;
  uint32_t Step() { return Seed = Seed * 134775813u + 1u; }
  int Int(int n) { return static_cast<int>((uint64_t(n) * Step()) >> 32); }
  bool AboveHalf() { return Step() > 0x80000000u; }
};

// The first seed from 1 on whose draws pass a test.
uint32_t SeedWhere(const std::function<bool(TDraws&)>& test) {
  for (uint32_t seed = 1;; ++seed)
    if (TDraws draws{seed}; test(draws)) return seed;
}

// A free square drawn is kept when the next draw is above one half; the eleventh square drawn is
// taken without the half chance.
TEST_F(Hyperspace, AFreeSquareIsKeptOnADrawAboveOneHalfOrAsTheEleventhDrawn) {
  int first = -1, second = -1;
  World.Random.RandomSeed = SeedWhere([&](TDraws& d) {
    first = d.Int(4);
    if (d.AboveHalf()) return false;
    second = d.Int(4);
    return second != first && d.AboveHalf();
  });
  Land.Hyperspace(false);
  EXPECT_EQ(Chosen(), Land.SquareCount - second);

  // Exactly one half is not above it. Two steps before 2^31 lies 2128388874: its draws give
  // the third-lowest square, then one half; the search draws that square again and keeps it.
  TDraws exact{2128388874u};
  ASSERT_EQ((std::tuple{exact.Int(4), exact.Step(), exact.Int(4), exact.AboveHalf()}),
            std::tuple(2, 0x80000000u, 2, true));
  World.Random.RandomSeed = 2128388874u;
  Land.Hyperspace(false);
  EXPECT_EQ(std::tuple(Chosen(), World.Random.RandomSeed),
            std::tuple(Land.SquareCount - 2, exact.Seed));

  int tenth = -1, eleventh = -1;
  uint32_t seedAfter = 0;
  World.Random.RandomSeed = SeedWhere([&](TDraws& d) {
    for (int tries = 1; tries <= 10; ++tries) {
      tenth = d.Int(4);
      if (d.AboveHalf()) return false;
    }
    eleventh = d.Int(4);
    seedAfter = d.Seed;
    // Neither the tenth square nor the one drawn after a further half chance would do.
    const bool keptByChance = d.AboveHalf();
    return eleventh != tenth && !keptByChance && d.Int(4) != eleventh;
  });
  Land.Hyperspace(false);
  EXPECT_EQ(std::tuple(Chosen(), World.Random.RandomSeed),
            std::tuple(Land.SquareCount - eleventh, seedAfter));
}

// With the lowest squares taken, each round of eleven draws fails and the next draws from one
// square more: from the four lowest, then five, six and seven.
TEST_F(Hyperspace, EachFailedRoundWidensTheSearchByOneSquare) {
  for (const int taken : {4, 6}) {
    for (int i = 0; i < taken; ++i)
      Occupy(Land.SquareCount - i);  // a second boulder on a taken square changes nothing
    // After the failed rounds (no half chance is drawn for a taken square) the next draw
    // picks the lowest free square, where a window one wider would pick the next.
    World.Random.RandomSeed = SeedWhere([&](TDraws& d) {
      for (int draw = 0; draw < 11 * (taken - 3); ++draw)
        d.Step();
      const uint64_t seed = d.Step();
      return int((seed * (taken + 1)) >> 32) == taken &&
             int((seed * (taken + 2)) >> 32) == taken + 1 && d.AboveHalf();
    });
    Land.Hyperspace(false);
    EXPECT_EQ(Chosen(), Land.SquareCount - taken) << taken;
  }
}

// Neither an occupied square nor the highest, entry 0, is ever chosen; with nowhere to go
// nothing is charged.
TEST_F(Hyperspace, OnlyAFreeSquareBelowTheHighestIsChosen) {
  const int free = Land.SquareCount / 2;
  for (int i = 1; i <= Land.SquareCount; ++i)
    if (i != free) Occupy(i);
  Land.Hyperspace(false);
  EXPECT_EQ(Chosen(), free);
  Occupy(free);  // entry 0 alone left free
  Land.SetEnergy(5);
  World.Host.PlayerViews.clear();
  Land.Hyperspace(true);
  EXPECT_EQ(std::tuple(Chosen(), Land.Energy, Running(Land)), std::tuple(-1, 5, 0));
}

}  // namespace
}  // namespace orvane
