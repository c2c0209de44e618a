// Objects entering and leaving the squares' stacks: adding, putting back, removing, clearing
// the whole landscape, and the scanners that the Tolmarch and the sentries take.

#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

namespace orvane {
namespace {

using test::GeneratorAt;
using test::Skip;
using test::StepsBetween;
using test::TEmptyWorld;

class ObjectManagement : public ::testing::Test {
 protected:
  TEmptyWorld World;
  TLandscape& Land = World.Land;
  const int X = World.LowSquare().X;
  const int Z = World.LowSquare().Z;
};

// ---- AddGameObject

TEST_F(ObjectManagement, TheFirstObjectStandsOnTheGroundAndTheNextOnTopOfIt) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 30.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_robot, 75.0f, false), 2);

  const TStackedObject& boulder = Land.Object(X, Z, 1);
  EXPECT_EQ(boulder.Kind, go_boulder);
  EXPECT_EQ(boulder.Base, Land.PointHeight(X, Z));
  EXPECT_EQ(boulder.Height, Land.ObjectHeights[go_boulder]);
  EXPECT_EQ(boulder.Angle, 30.0f);
  EXPECT_EQ(boulder.Animation, -1);

  const TStackedObject& robot = Land.Object(X, Z, 2);
  EXPECT_EQ(robot.Kind, go_robot);
  EXPECT_FLOAT_EQ(robot.Base, boulder.Base + boulder.Height);
  EXPECT_EQ(robot.Height, 1.4f);
  EXPECT_EQ(robot.Angle, 75.0f);

  // Each object owns its own shape, standing where the object stands.
  ASSERT_NE(boulder.Shape, nullptr);
  ASSERT_NE(robot.Shape, nullptr);
  EXPECT_NE(boulder.Shape, robot.Shape);
  EXPECT_TRUE(World.IsShapeInScene(boulder.Shape));
  EXPECT_TRUE(World.IsShapeInScene(robot.Shape));
  EXPECT_FLOAT_EQ(robot.Shape->Position().y, robot.Base);
  EXPECT_EQ(World.ShapeCount(), 2);

  // Without animation nothing else happens: no animation, no energy taken.
  EXPECT_EQ(World.RunningAnimations(), 0);
  EXPECT_TRUE(World.Host.Steps.empty());
  EXPECT_TRUE(World.Host.EnergyShown.empty());
}

TEST_F(ObjectManagement, AFullStackAcceptsNoFurtherObjectAndNothingChanges) {
  for (int level = 1; level <= MaxStack; ++level)
    ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), level);
  const int shapes = World.ShapeCount();
  const uint32_t seed = World.Random.RandomSeed;
  const TStackedObject top = Land.Object(X, Z, MaxStack);

  EXPECT_EQ(Land.AddGameObject(X, Z, go_tree, 10.0f, false), -1);
  EXPECT_EQ(Land.AddGameObject(X, Z, go_sentry, 10.0f, false), -1);
  EXPECT_EQ(Land.AddGameObject(X, Z, go_robot, 10.0f, true), -1);

  EXPECT_EQ(World.ShapeCount(), shapes) << "a shape was made for an object that has no room";
  EXPECT_EQ(World.Random.RandomSeed, seed) << "the generator moved";
  EXPECT_EQ(Land.TopLevel(X, Z), MaxStack);
  EXPECT_EQ(Land.Object(X, Z, MaxStack).Kind, go_boulder);
  EXPECT_EQ(Land.Object(X, Z, MaxStack).Shape, top.Shape);
  EXPECT_EQ(World.UsedScanners(), 0);
  EXPECT_EQ(World.RunningAnimations(), 0);
  // The high-water mark is the level found below the new object: 17 before the 18th.
  EXPECT_EQ(World.Host.StackHighWater, MaxStack - 1);
}

TEST_F(ObjectManagement, AnObjectOfNoKindIsNotPlaced) {
  EXPECT_EQ(Land.AddGameObject(X, Z, go_none, 0.0f, false), -1);
  EXPECT_EQ(Land.AddGameObject(X, Z, go_none, 0.0f, true), -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_EQ(World.RunningAnimations(), 0);
}

TEST_F(ObjectManagement, AnObjectWhoseShapeCannotBeMadeIsNotPlaced) {
  World.Scene.SetCreationRefusal(
      [](TSceneObjectKind kind) { return kind == TSceneObjectKind::Mesh; });
  EXPECT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), -1);
  EXPECT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(World.UsedScanners(), 0);
  EXPECT_EQ(World.ShapeCount(), 0);
  // A tree is made of primitives, not a mesh, and still goes on.
  EXPECT_EQ(Land.AddGameObject(X, Z, go_tree, 0.0f, false), 1);
}

TEST_F(ObjectManagement, AnAnimatedSentryAppearsButTakesNoScanner) {
  World.Settings.gs_S_GameSpeed(8);  // three times as fast
  World.Host.Clock = 12.5;
  const int level = Land.AddGameObject(X, Z, go_sentry, 45.0f, true);
  ASSERT_EQ(level, 1);
  EXPECT_EQ(Land.Object(X, Z, 1).Kind, go_sentry);

  EXPECT_EQ(World.UsedScanners(), 0);
  EXPECT_EQ(World.Host.ScannerHighWater, 0) << "no scanner slot may be handed out";

  ASSERT_EQ(World.RunningAnimations(), 1);
  const TAnimation& appear = Land.Animations(0);
  EXPECT_EQ(appear.Kind, ga_appear);
  EXPECT_EQ(appear.X, X);
  EXPECT_EQ(appear.Level, 1);
  EXPECT_EQ(appear.Z, Z);
  EXPECT_NEAR(appear.Duration, ObjectAnimTime[go_sentry] / 3.0, 1e-6);
  EXPECT_FLOAT_EQ(appear.StartTime, 12.5f);
  ASSERT_EQ(World.Host.Steps.size(), 1u);
  EXPECT_EQ(World.Host.Steps[0].first, 0);
  EXPECT_EQ(World.Host.Steps[0].second, 0.0f);
  EXPECT_GE(World.Host.Wakes, 1) << "the main window must redraw the new object";
}

TEST_F(ObjectManagement, EveryKindAppearsForItsOwnTime) {
  for (int kind = go_tree; kind <= go_sentry; ++kind) {
    Land.ClearGameObjects();
    ASSERT_EQ(Land.AddGameObject(X, Z, TGameObjectKind(kind), 0.0f, true), 1);
    EXPECT_NEAR(Land.Animations(0).Duration, ObjectAnimTime[kind], 1e-6) << kind;
  }
}

// ---- scanners of placed Tolmarchs and sentries

struct TExpectedScanner {
  double ScanEff, TTurn, TScan, TPlyr, TObje, Rotation;
};

// The starting values a scanner draws, in the order it draws them.
TExpectedScanner ExpectedScanner(TRandom& random, double difficulty, int sentrySpeed, int scanSpeed,
                                 int scanSector) {
  const double dd = difficulty * 0.01, e = 1 - dd;
  TExpectedScanner s{};
  s.ScanEff = 1 + 3 * random.Random();
  s.TTurn = (0.5 * random.Random() + 1) * 3 * e / std::pow(2.0, sentrySpeed * 0.1);
  s.TScan = (2 * random.Random() * e + 8 * e * e + 2) / std::pow(3.0, sentrySpeed * 0.125);
  s.TPlyr = (3 * random.Random() * e + 8 * e * e + 0.5) / std::pow(3.0, scanSpeed * 0.125);
  s.TObje = (2 * random.Random() * e + 6 * e + 0.5) / std::pow(3.0, scanSpeed * 0.125);
  const double m =
      ((random.Random() * dd + dd) * 0.5 * 25 + 20) * std::pow(3.0, scanSector * 0.125);
  s.Rotation = difficulty < 20 ? -m : m * (random.Random(2) - 0.5) * 2;
  return s;
}

void ExpectScanner(const TScanner& actual, const TExpectedScanner& expected) {
  EXPECT_NEAR(actual.ScanEff, expected.ScanEff, 1e-5);
  EXPECT_NEAR(actual.TTurn, expected.TTurn, 1e-5);
  EXPECT_NEAR(actual.TScan, expected.TScan, 1e-5);
  EXPECT_NEAR(actual.TPlyr, expected.TPlyr, 1e-5);
  EXPECT_NEAR(actual.TObje, expected.TObje, 1e-5);
  EXPECT_NEAR(actual.Rotation, expected.Rotation, 1e-4);
}

TEST_F(ObjectManagement, APlacedTolmarchTakesAScannerWithItsStartingValues) {
  Land.Params(3) = 50.0;
  World.Settings.gs_S_SentrySpeed(4);
  World.Settings.gs_S_ScanSpeed(-4);
  World.Settings.gs_S_ScanSector(8);
  World.Random.RandomSeed = 0xC0FFEEu;
  TRandom replay = GeneratorAt(0xC0FFEEu);

  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  Skip(replay, 16);  // the boulder's shape
  ASSERT_EQ(Land.AddGameObject(X, Z, go_tolmarch, 90.0f, false), 2);
  Skip(replay, 54);  // the Tolmarch's shape, made before the scanner draws
  const TExpectedScanner expected = ExpectedScanner(replay, 50.0, 4, -4, 8);

  const TStackedObject& tolmarch = Land.Object(X, Z, 2);
  const TScanner& scanner = Land.Scanners(1);
  EXPECT_EQ(scanner.PosX, X);
  EXPECT_EQ(scanner.PosZ, Z);
  EXPECT_EQ(scanner.Level, 2);
  EXPECT_FLOAT_EQ(float(scanner.BaseHgt), tolmarch.Base);
  EXPECT_FLOAT_EQ(float(scanner.ViewHgt), tolmarch.Base + 2.5f);
  EXPECT_EQ(scanner.Type, go_tolmarch);
  EXPECT_EQ(scanner.Shape, tolmarch.Shape);
  EXPECT_EQ(scanner.State, ss_Idle);
  EXPECT_EQ(scanner.Seen, 0);
  EXPECT_EQ(scanner.DoBlank, 1);
  EXPECT_EQ(scanner.Blank, 0);
  ExpectScanner(scanner, expected);
  EXPECT_EQ(World.Random.RandomSeed, replay.RandomSeed) << "the scanner drew a different count";
  EXPECT_EQ(World.Host.ScannerHighWater, 1);
}

TEST_F(ObjectManagement, BelowDifficultyTwentyEveryScannerTurnsTheNegativeWayWithoutADraw) {
  Land.Params(3) = 19.5;
  World.Random.RandomSeed = 77u;
  TRandom replay = GeneratorAt(77u);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), 1);
  Skip(replay, 54);
  const TExpectedScanner expected = ExpectedScanner(replay, 19.5, 0, 0, 0);
  ExpectScanner(Land.Scanners(1), expected);
  EXPECT_LT(Land.Scanners(1).Rotation, 0.0f);
  EXPECT_EQ(StepsBetween(77u, World.Random.RandomSeed), 54 + 6);
  EXPECT_FLOAT_EQ(float(Land.Scanners(1).ViewHgt), Land.PointHeight(X, Z) + 2.0f);
}

TEST_F(ObjectManagement, FromDifficultyTwentyTheTurningDirectionIsDrawn) {
  Land.Params(3) = 20.0;
  World.Random.RandomSeed = 5u;
  TRandom replay = GeneratorAt(5u);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), 1);
  Skip(replay, 54);
  ExpectScanner(Land.Scanners(1), ExpectedScanner(replay, 20.0, 0, 0, 0));
  EXPECT_EQ(StepsBetween(5u, World.Random.RandomSeed), 54 + 7);

  // Over many sentries both directions come up, each within 20 to 45 degrees.
  std::set<bool> directions;
  for (int n = 0; n < 13; ++n) {
    ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), n + 2);
    const float rotation = Land.Scanners(n + 2).Rotation;
    EXPECT_GE(std::fabs(rotation), 20.0f);
    EXPECT_LT(std::fabs(rotation), 45.0f);
    directions.insert(rotation > 0);
  }
  EXPECT_EQ(directions.size(), 2u);
}

TEST_F(ObjectManagement, WhenEveryScannerIsTakenAFurtherSentryIsPlacedWithoutOne) {
  for (int n = 1; n <= MaxScanners; ++n)
    ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), n);
  for (int n = 1; n <= MaxScanners; ++n)
    ASSERT_EQ(Land.Scanners(n).Level, n);
  TScanner before[MaxScanners];
  for (int n = 1; n <= MaxScanners; ++n)
    before[n - 1] = Land.Scanners(n);
  const uint32_t seed = World.Random.RandomSeed;

  EXPECT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), MaxScanners + 1);
  EXPECT_EQ(Land.Object(X, Z, MaxScanners + 1).Kind, go_sentry);
  EXPECT_EQ(Land.FindFreeScanner(), 0);
  for (int n = 1; n <= MaxScanners; ++n) {
    EXPECT_EQ(Land.Scanners(n).Level, before[n - 1].Level) << n;
    EXPECT_EQ(Land.Scanners(n).Shape, before[n - 1].Shape) << n;
    EXPECT_EQ(Land.Scanners(n).Rotation, before[n - 1].Rotation) << n;
  }
  EXPECT_EQ(StepsBetween(seed, World.Random.RandomSeed), 54) << "only the shape may draw";
  EXPECT_EQ(World.Host.ScannerHighWater, MaxScanners);
}

TEST_F(ObjectManagement, OtherKindsTakeNoScanner) {
  for (TGameObjectKind kind : {go_tree, go_boulder, go_robot, go_pedestal})
    ASSERT_GT(Land.AddGameObject(X, Z, kind, 0.0f, false), 0);
  EXPECT_EQ(World.UsedScanners(), 0);
}

TEST_F(ObjectManagement, FindFreeScannerGivesTheLowestFreeSlot) {
  EXPECT_EQ(Land.FindFreeScanner(), 1);
  for (int n = 1; n <= MaxScanners; ++n)
    Land.Scanners(n).State = ss_Idle;
  EXPECT_EQ(Land.FindFreeScanner(), 0);
  Land.Scanners(9).State = ss_Free;
  Land.Scanners(4).State = ss_Free;
  EXPECT_EQ(Land.FindFreeScanner(), 4);
  EXPECT_EQ(World.Host.ScannerHighWater, 4);
}

TEST_F(ObjectManagement, ClearScannerFreesOnlySlotsOneToFourteen) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), 1);
  const TScanner taken = Land.Scanners(1);
  Land.Scanners(MaxScanners) = taken;
  EXPECT_NO_THROW(Land.ClearScanner(0));
  EXPECT_NO_THROW(Land.ClearScanner(MaxScanners + 1));
  EXPECT_NO_THROW(Land.ClearScanner(-1));
  EXPECT_EQ(Land.Scanners(1).State, ss_Idle);
  EXPECT_EQ(Land.Scanners(MaxScanners).State, ss_Idle);
  EXPECT_EQ(Land.Scanners(1).PosX, X);

  Land.ClearScanner(MaxScanners);
  EXPECT_EQ(Land.Scanners(MaxScanners).State, ss_Free);
  EXPECT_EQ(Land.Scanners(1).State, ss_Idle);
}

void ExpectFreeScanner(const TScanner& s) {
  EXPECT_EQ(s.PosX, -1);
  EXPECT_EQ(s.PosZ, -1);
  EXPECT_EQ(s.Level, -1);
  EXPECT_TRUE(std::isnan(s.BaseHgt));
  EXPECT_TRUE(std::isnan(s.ViewHgt));
  EXPECT_EQ(s.Shape, nullptr);
  EXPECT_EQ(s.Type, go_none);
  EXPECT_EQ(s.Seen, 0);
  EXPECT_EQ(s.State, ss_Free);
  EXPECT_EQ(s.ScanEff, 0.0f);
  EXPECT_EQ(s.DoBlank, 3);
  EXPECT_EQ(s.Blank, 0);
  EXPECT_EQ(s.Rotation, 28.0f);
  EXPECT_EQ(s.TTurn, 2.0f);
  EXPECT_EQ(s.TScan, 4.0f);
  EXPECT_EQ(s.TPlyr, 1.0f);
  EXPECT_EQ(s.TObje, 0.3f);
}

TEST_F(ObjectManagement, AClearedScannerHoldsItsFreeValues) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_tolmarch, 0.0f, false), 1);
  Land.Scanners(1).Seen = 2;
  Land.Scanners(1).Blank = 5;
  Land.ClearScanner(1);
  ExpectFreeScanner(Land.Scanners(1));
}

// ---- PutGameObject

TEST_F(ObjectManagement, PutGameObjectFillsTheGivenLevelAndLeavesAngleAndAnimation) {
  TStackedObject& slot = Land.Object(X, Z, 3);
  slot.Angle = 33.0f;
  slot.Animation = 7;
  const uint32_t seed = World.Random.RandomSeed;

  EXPECT_EQ(Land.PutGameObject(X, 3, Z, go_robot, 4.25f, 120.0f, 0.5f), 3);
  EXPECT_EQ(slot.Kind, go_robot);
  EXPECT_EQ(slot.Base, 4.25f);
  EXPECT_EQ(slot.Height, 1.4f);
  EXPECT_EQ(slot.Angle, 33.0f);
  EXPECT_EQ(slot.Animation, 7);
  ASSERT_NE(slot.Shape, nullptr);
  // The shape is drawn at the growth and angle asked for.
  EXPECT_EQ(slot.Shape->TurnAngle(), 120.0f);
  EXPECT_EQ(slot.Shape->Position().y, 4.25f);
  EXPECT_EQ(slot.Shape->Material().BlendingMode, TBlendingMode::Transparency);
  EXPECT_EQ(StepsBetween(seed, World.Random.RandomSeed), 47);
}

TEST_F(ObjectManagement, PutGameObjectTouchesNoScannerAnimationOrEnergy) {
  Land.SetEnergy(9);
  EXPECT_EQ(Land.PutGameObject(X, 1, Z, go_sentry, 0.0f, 0.0f, 1.0f), 1);
  EXPECT_EQ(Land.PutGameObject(X, 2, Z, go_tolmarch, 2.0f, 0.0f, 1.0f), 2);
  EXPECT_EQ(World.UsedScanners(), 0);
  EXPECT_EQ(World.RunningAnimations(), 0);
  EXPECT_EQ(Land.Energy, 9);
}

TEST_F(ObjectManagement, PutGameObjectAboveTheTopLevelOrOfNoKindPlacesNothing) {
  const uint32_t seed = World.Random.RandomSeed;
  EXPECT_EQ(Land.PutGameObject(X, MaxStack + 1, Z, go_boulder, 0.0f, 0.0f, 1.0f), -1);
  EXPECT_EQ(Land.PutGameObject(X, 100, Z, go_tree, 0.0f, 0.0f, 1.0f), -1);
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_EQ(World.Random.RandomSeed, seed);
  EXPECT_EQ(Land.PutGameObject(X, 1, Z, go_none, 0.0f, 0.0f, 1.0f), -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_EQ(Land.PutGameObject(X, MaxStack, Z, go_boulder, 0.0f, 0.0f, 1.0f), MaxStack);
}

// ---- RemoveGameObject

TEST_F(ObjectManagement, RemovingWithoutAnimationDestroysTheShapeAndKeepsBaseAndHeight) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_robot, 0.0f, false), 2);
  TStackedObject& robot = Land.Object(X, Z, 2);
  const TSceneObject* shape = robot.Shape;
  const float base = robot.Base, height = robot.Height;
  robot.Animation = 3;
  World.Host.Wakes = 0;

  Land.RemoveGameObject(X, Z, false, -1);  // the top object
  EXPECT_EQ(robot.Kind, go_none);
  EXPECT_EQ(robot.Animation, -1);
  EXPECT_EQ(robot.Base, base);
  EXPECT_EQ(robot.Height, height);
  EXPECT_FALSE(World.IsShapeInScene(shape));
  EXPECT_EQ(World.ShapeCount(), 1);
  EXPECT_EQ(Land.TopLevel(X, Z), 1);
  EXPECT_EQ(Land.Object(X, Z, 1).Kind, go_boulder);
  EXPECT_GE(World.Host.Wakes, 1);
}

TEST_F(ObjectManagement, RemovingATreeTakesItsWholeShape) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_tree, 0.0f, false), 1);
  ASSERT_EQ(World.ShapeCount(), 1);
  Land.RemoveGameObject(X, Z, false, 1);
  EXPECT_EQ(World.ShapeCount(), 0) << "the tree's container was left behind";
}

TEST_F(ObjectManagement, RemovingWithoutAnimationReleasesEveryAnimationOnThatObject) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_sentry, 0.0f, false), 2);
  const int other = Land.StartAnimation(X, 1, Z, 0.0f, ga_appear, 0.0, 1.0f, 0.0f, 0.0f);
  const int rotate = Land.StartAnimation(X, 2, Z, 0.0f, ga_rotate, 0.0, 1.0f, 0.0f, 90.0f);
  const int scan = Land.StartAnimation(X, 2, Z, 0.0f, ga_Scan, 0.0, 1.0f, 0.0f, 0.0f);
  const int sound = Land.StartAnimation(X, 2, Z, 0.0f, ga_SoundRotate, 0.0, 1.0f, 0.0f, 0.0f);
  const int elsewhere = Land.StartAnimation(X + 1, 2, Z, 0.0f, ga_Scan, 0.0, 1.0f, 0.0f, 0.0f);
  const int lights = Land.StartAnimation(0, 0, 0, 0.0f, ga_LightOn, 0.0, 1.0f, 0.0f, 0.0f);

  Land.RemoveGameObject(X, Z, false, 2);
  EXPECT_EQ(Land.Animations(rotate).Kind, ga_static);
  EXPECT_EQ(Land.Animations(scan).Kind, ga_static);
  EXPECT_EQ(Land.Animations(sound).Kind, ga_static);
  EXPECT_EQ(Land.Animations(other).Kind, ga_appear);
  EXPECT_EQ(Land.Animations(elsewhere).Kind, ga_Scan);
  EXPECT_EQ(Land.Animations(lights).Kind, ga_LightOn);
}

TEST_F(ObjectManagement, RemovingFromAnEmptySquareWithoutAnimationDoesNothing) {
  EXPECT_NO_THROW(Land.RemoveGameObject(X, Z, false, -1));
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(World.RunningAnimations(), 0);
}

TEST_F(ObjectManagement, RemovingWithAnimationStartsTheVanishingAndLeavesTheObject) {
  World.Settings.gs_S_GameSpeed(-8);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_robot, 0.0f, false), 2);
  const TSceneObject* shape = Land.Object(X, Z, 2).Shape;

  Land.RemoveGameObject(X, Z, true, -1);
  ASSERT_EQ(World.RunningAnimations(), 1);
  const TAnimation& vanish = Land.Animations(0);
  EXPECT_EQ(vanish.Kind, ga_disappear);
  EXPECT_EQ(vanish.X, X);
  EXPECT_EQ(vanish.Level, 2);
  EXPECT_EQ(vanish.Z, Z);
  EXPECT_NEAR(vanish.Duration, ObjectAnimTime[go_robot] * 3.0, 1e-5);
  // The animation removes the object when it ends; until then it stays.
  EXPECT_EQ(Land.Object(X, Z, 2).Kind, go_robot);
  EXPECT_TRUE(World.IsShapeInScene(shape));

  Land.RemoveGameObject(X, Z, true, 1);
  EXPECT_EQ(Land.Animations(1).Level, 1);
  EXPECT_NEAR(Land.Animations(1).Duration, ObjectAnimTime[go_boulder] * 3.0, 1e-5);
}

// ---- clearing the landscape

TEST(ClearingTheLandscape, LeavesNoObjectNoScannerNoAnimationAndNoShape) {
  test::TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(31337, 60);
  ASSERT_GT(World.Scene.DummyCube2->Count(), 0);
  // Stale animations and an object with one, to be swept away.
  Land.StartAnimation(3, 1, 4, 0.0f, ga_rotate, 2.0, 1.0f, 10.0f, 20.0f);
  const TSquareEntry top = Land.SquaresByHeight(0);
  const TStackedObject tolmarch = Land.Object(top.X, top.Z, 2);
  ASSERT_EQ(tolmarch.Kind, go_tolmarch);
  World.Host.Wakes = 0;

  Land.ClearGameObjects();

  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z)
      ASSERT_EQ(Land.TopLevel(x, z), -1) << x << "," << z;
  for (int n = 1; n <= MaxScanners; ++n) {
    SCOPED_TRACE(n);
    ExpectFreeScanner(Land.Scanners(n));
  }
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    const TAnimation& a = Land.Animations(slot);
    ASSERT_EQ(a.Kind, ga_static) << slot;
    ASSERT_EQ(a.StartTime, 0.0f) << slot;
    ASSERT_EQ(a.Duration, 0.0f) << slot;
    ASSERT_EQ(a.Elapsed, 0.0f) << slot;
    ASSERT_EQ(a.SourcePosition, glm::vec3(0.0f)) << slot;
    ASSERT_EQ(a.SourceVelocity, glm::vec3(0.0f)) << slot;
  }
  // We destroy the trees' empty containers as well: nothing is left below DummyCube2.
  EXPECT_EQ(World.Scene.DummyCube2->Count(), 0);
  EXPECT_GE(World.Host.Wakes, 1);
  // A cleared slot keeps its Base and Height.
  EXPECT_EQ(Land.Object(top.X, top.Z, 2).Base, tolmarch.Base);
  EXPECT_EQ(Land.Object(top.X, top.Z, 2).Height, tolmarch.Height);
}

TEST(ClearingTheLandscape, WithoutDummyCube1LogsAndStillEmptiesTheStacks) {
  test::TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(2, 30);
  const int shapes = World.Scene.DummyCube2->Count();
  ASSERT_TRUE(World.Scene.Root().DestroyChild(World.Scene.DummyCube1));
  ASSERT_EQ(World.Scene.DummyCube1, nullptr);
  World.Log.Clear();

  EXPECT_NO_THROW(Land.ClearGameObjects());
  ASSERT_EQ(World.Log.GetLines().size(), 1u);
  EXPECT_EQ(World.Log.GetLines()[0],
            "Error 0003: OpenGL DummyCube1 not initialised @ Landscape.ClearGameObjects()");
  EXPECT_EQ(World.Scene.DummyCube2->Count(), shapes) << "the shapes are to be left";
  const TSquareEntry top = Land.SquaresByHeight(0);
  EXPECT_EQ(Land.TopLevel(top.X, top.Z), -1);
  ExpectFreeScanner(Land.Scanners(1));
  EXPECT_EQ(Land.Animations(0).Kind, ga_static);
}

}  // namespace
}  // namespace orvane
