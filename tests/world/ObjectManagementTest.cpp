// The squares' stacks: the queries on them, objects entering and leaving them, the scanners
// the Tolmarch and the sentries take, and clearing the whole landscape.

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

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
};
using StackQueries = ObjectManagement;

TEST_F(StackQueries, TopLevelIsMinusOneOnAnEmptySquareAndAgainAfterRemoval) {
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), -1);
  ASSERT_EQ(Add(go_boulder), 1);
  EXPECT_EQ(Land.TopLevel(X, Z), 1);
  Land.RemoveGameObject(X, Z, false, -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  Stack(MaxStack, 0.0f, 1.0f);  // looked for from the top down, gaps and all
  EXPECT_EQ(Land.TopLevel(X, Z), MaxStack);
}

TEST_F(StackQueries, TopSettledLevelStepsPastAppearingAndVanishingObjectsOnly) {
  for (int level = 1; level <= 3; ++level)
    Stack(level, level - 1.0f, 1.0f);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 3);
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
  const TStackedObject &boulder = Land.Object(X, Z, 1), &robot = Land.Object(X, Z, 2);
  EXPECT_EQ(std::tuple(boulder.Base, boulder.Angle), std::tuple(Land.PointHeight(X, Z), 30.0f));
  EXPECT_FLOAT_EQ(robot.Base, boulder.Base + Land.ObjectHeights[go_boulder]);
  EXPECT_EQ(std::tuple(robot.Kind, robot.Height, robot.Animation),
            std::tuple(go_robot, Land.ObjectHeights[go_robot], -1));
  EXPECT_FLOAT_EQ(robot.Shape->Position().y, robot.Base);
  EXPECT_EQ(World.ShapeCount(), 2);
  EXPECT_EQ(Running(Land), 0);
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

TEST_F(ObjectManagement, AnAnimatedSentryAppearsButTakesNoScanner) {
  World.Settings.gs_S_GameSpeed(8);  // three times as fast
  World.Host.Clock = 12.5;
  ASSERT_EQ(Add(go_sentry, true), 1);
  EXPECT_EQ(UsedScanners(Land), 0);
  ASSERT_EQ(Running(Land, ga_appear), 1);
  const TAnimation& appear = Land.Animations(0);
  EXPECT_EQ(std::tuple(appear.Level, appear.StartTime), std::tuple(1, 12.5f));
  EXPECT_NEAR(appear.Duration, ObjectAnimTime[go_sentry] / 3.0, 1e-6);
  EXPECT_GE(World.Host.Wakes, 1);
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

// A scanner's timings at the ends of the difficulty range. The sentry speed setting divides
// the turn by 2 and the pause after it by 3 for every 10 and 8 steps, the scan speed the pauses
// after a scan by 3 for every 8 steps; the sector setting widens the view by 3 for every 8.
TEST(ScannerTimings, FollowTheDifficultyAndTheSpeedSettings) {
  for (const int difficulty : {0, 100})
    for (const int speed : {0, 8, -4}) {
      test::TEmptyWorld World(5, difficulty);
      World.Settings.gs_S_SentrySpeed(speed);
      World.Settings.gs_S_ScanSpeed(-speed);
      World.Settings.gs_S_ScanSector(speed / 2);
      const double turn = std::pow(2.0, speed * 0.1), pause = std::pow(3.0, speed * 0.125);
      const double scan = std::pow(3.0, -speed * 0.125), sector = std::pow(3.0, speed * 0.0625);
      for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(::testing::Message() << difficulty << " " << speed << " " << n);
        const TSquareEntry& e = World.Land.SquaresByHeight(World.Land.SquareCount - n);
        ASSERT_EQ(World.Land.AddGameObject(e.X, e.Z, go_sentry, 0.0f, false), 1);
        const TScanner& s = World.Land.Scanners(n);
        EXPECT_GE(s.ScanEff, 1.0f);
        EXPECT_LT(s.ScanEff, 4.0f);
        if (difficulty == 0) {
          EXPECT_GE(s.TTurn * turn, 3.0 - 1e-5);
          EXPECT_LT(s.TTurn * turn, 4.5 + 1e-5);
          EXPECT_GE(s.TScan * pause, 10.0 - 1e-5);
          EXPECT_LT(s.TScan * pause, 12.0 + 1e-5);
          EXPECT_GE(s.TPlyr * scan, 8.5 - 1e-5);
          EXPECT_LT(s.TPlyr * scan, 11.5 + 1e-5);
          EXPECT_GE(s.TObje * scan, 6.5 - 1e-5);
          EXPECT_LT(s.TObje * scan, 8.5 + 1e-5);
          EXPECT_NEAR(s.Rotation, -20.0 * sector, 1e-4);
        } else {
          EXPECT_EQ(s.TTurn, 0.0f);
          EXPECT_NEAR(s.TScan, 2.0 / pause, 1e-6);
          EXPECT_NEAR(s.TPlyr, 0.5 / scan, 1e-6);
          EXPECT_NEAR(s.TObje, 0.5 / scan, 1e-6);
          EXPECT_GE(std::abs(s.Rotation), 32.5 * sector - 1e-4);
          EXPECT_LT(std::abs(s.Rotation), 45.0 * sector + 1e-4);
        }
      }
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
  EXPECT_EQ(Running(Land, ga_rotate), 0);
  // Other objects' animations, and a sound at the same place, run on.
  EXPECT_EQ(Running(Land), 3);
  EXPECT_EQ(Running(Land, ga_appear) + Running(Land, ga_Scan) + Running(Land, ga_SoundRotate), 3);

  Land.RemoveGameObject(X, Z, false, 1);  // a tree goes with its container
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_NO_THROW(Land.RemoveGameObject(X, Z, false, -1));
}

TEST_F(ObjectManagement, RemovingWithAnimationStartsTheVanishingAndLeavesTheObject) {
  World.Settings.gs_S_GameSpeed(-8);
  ASSERT_EQ(Add(go_robot), 1);
  Land.RemoveGameObject(X, Z, true, -1);
  ASSERT_EQ(Running(Land, ga_disappear), 1);
  EXPECT_NEAR(Land.Animations(0).Duration, ObjectAnimTime[go_robot] * 3.0, 1e-5);
  EXPECT_EQ(Land.Object(X, Z, 1).Kind, go_robot);
  EXPECT_EQ(World.ShapeCount(), 1);
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

}  // namespace
}  // namespace orvane
