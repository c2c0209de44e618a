// The small queries every subsystem asks of a square's stack: the top level, the top level
// that is not appearing or vanishing, the level at a height, and whether a square is flat.

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

namespace orvane {
namespace {

using test::TEmptyWorld;

class StackQueries : public ::testing::Test {
 protected:
  TEmptyWorld World;
  TLandscape& Land = World.Land;
  const int X = World.LowSquare().X;
  const int Z = World.LowSquare().Z;

  StackQueries() {
    // Cleared slots keep their old Base and Height; start from a square with none.
    for (TStackedObject& object : Land.Points(X, Z).Stack)
      object = TStackedObject{};
  }

  // Puts an object of a kind straight into the stack, with no shape: the queries read only
  // the stack.
  TStackedObject& Stack(int level, TGameObjectKind kind, float base, float height) {
    TStackedObject& object = Land.Object(X, Z, level);
    object.Kind = kind;
    object.Base = base;
    object.Height = height;
    return object;
  }

  int Start(TAnimationKind kind) {
    return Land.StartAnimation(X, 0, Z, 0.0f, kind, 0.0, 5.0f, 0.0f, 0.0f);
  }
};

// ---- TopLevel

TEST_F(StackQueries, AnEmptySquareHasNoTopLevelSettledOrNot) {
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
  EXPECT_EQ(Land.TopLevel(0, 0), -1);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), -1);
}

TEST_F(StackQueries, TopLevelIsMinusOneAgainAfterTheOnlyObjectIsRemoved) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  EXPECT_EQ(Land.TopLevel(X, Z), 1);
  Land.RemoveGameObject(X, Z, false, -1);
  EXPECT_EQ(Land.TopLevel(X, Z), -1);
}

TEST_F(StackQueries, TopLevelLooksFromTheTopDownAndDoesNotCheckForGaps) {
  Stack(5, go_boulder, 0.0f, 1.0f);  // levels 1 to 4 empty
  EXPECT_EQ(Land.TopLevel(X, Z), 5);
  Stack(18, go_tree, 0.0f, 1.0f);
  EXPECT_EQ(Land.TopLevel(X, Z), 18);
}

// ---- TopSettledLevel

TEST_F(StackQueries, TopSettledLevelStepsPastAppearingAndVanishingObjects) {
  Stack(1, go_boulder, 0.0f, 1.0f);
  Stack(2, go_boulder, 1.0f, 1.0f);
  Stack(3, go_tree, 2.0f, 1.0f);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 3);

  // The first slot of the table is a slot like any other: an appear animation held there
  // still marks its object as unsettled.
  const int appear = Start(ga_appear);
  ASSERT_EQ(appear, 0);
  Land.Object(X, Z, 3).Animation = appear;
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 2);

  const int vanish = Start(ga_disappear);
  Land.Object(X, Z, 2).Animation = vanish;
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 1);
}

TEST_F(StackQueries, TopSettledLevelStopsAtAnObjectWithAnotherKindOfAnimation) {
  Stack(1, go_sentry, 0.0f, 2.0f);
  Stack(2, go_boulder, 2.0f, 1.0f);
  Land.Object(X, Z, 1).Animation = Start(ga_rotate);
  Land.Object(X, Z, 2).Animation = Start(ga_appear);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 1);
}

TEST_F(StackQueries, TopSettledLevelIgnoresAReferenceToAFinishedAnimation) {
  Stack(1, go_boulder, 0.0f, 1.0f);
  const int slot = Start(ga_appear);
  Land.Object(X, Z, 1).Animation = slot;
  Land.Animations(slot).Kind = ga_static;  // released
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 1);
}

TEST_F(StackQueries, TopSettledLevelIsZeroWhenEveryObjectIsAnimating) {
  Stack(1, go_boulder, 0.0f, 1.0f);
  Stack(2, go_robot, 1.0f, 1.4f);
  Land.Object(X, Z, 1).Animation = Start(ga_disappear);
  Land.Object(X, Z, 2).Animation = Start(ga_appear);
  EXPECT_EQ(Land.TopSettledLevel(X, Z), 0);
}

// ---- LevelAtHeight

TEST_F(StackQueries, LevelAtHeightCountsTheTopOfAnObjectButNotItsBottom) {
  Stack(1, go_boulder, 2.0f, 0.5f);
  Stack(2, go_robot, 2.5f, 1.4f);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 2.0f), -1);  // the bottom of level 1
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 2.25f), 1);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 2.5f), 1);  // the top of level 1 is the bottom of level 2
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 3.0f), 2);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 3.9f), 2);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 3.95f), -1);
}

TEST_F(StackQueries, LevelAtHeightStillFindsAVacatedSlot) {
  ASSERT_EQ(Land.AddGameObject(X, Z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(X, Z, go_robot, 0.0f, false), 2);
  const TStackedObject& robot = Land.Object(X, Z, 2);
  const float middle = robot.Base + robot.Height / 2;
  Land.RemoveGameObject(X, Z, false, 2);
  ASSERT_EQ(Land.TopLevel(X, Z), 1);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, middle), 2);
}

TEST_F(StackQueries, LevelAtHeightPrefersTheHighestMatchingLevel) {
  // Stored values that overlap (an old slot above a newer, taller one) resolve upwards.
  Stack(1, go_tree, 0.0f, 4.0f);
  Stack(3, go_none, 1.0f, 1.0f);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 1.5f), 3);
  EXPECT_EQ(Land.LevelAtHeight(X, Z, 3.0f), 1);
}

// ---- IsFlatSquare

TEST_F(StackQueries, IsFlatSquareComparesTheCornersExactly) {
  const float h = Land.PointHeight(X, Z);
  const float justAbove = std::nextafter(h, std::numeric_limits<float>::infinity());
  for (const auto& [dx, dz] : {std::pair{1, 0}, std::pair{1, 1}, std::pair{0, 1}}) {
    Land.Points(X + dx, Z + dz).Height = justAbove;
    EXPECT_FALSE(Land.IsFlatSquare(X, Z)) << "corner " << dx << "," << dz;
    Land.Points(X + dx, Z + dz).Height = h;
    EXPECT_TRUE(Land.IsFlatSquare(X, Z));
  }
}

TEST_F(StackQueries, IsFlatSquareIsFalseOnTheLastRowAndColumnEvenWhenLevel) {
  const int N = Land.GridSize;
  ASSERT_LT(N, MaxGridSize);
  // Make the points around the last column and row level, so that only the bounds decide.
  for (int a = 0; a <= N + 1 && a <= MaxGridSize; ++a)
    for (int b = N - 1; b <= N + 1 && b <= MaxGridSize; ++b) {
      Land.Points(a, b).Height = 7.5f;
      Land.Points(b, a).Height = 7.5f;
    }
  EXPECT_TRUE(Land.IsFlatSquare(N - 1, 3));
  EXPECT_TRUE(Land.IsFlatSquare(3, N - 1));
  EXPECT_FALSE(Land.IsFlatSquare(N, 3));
  EXPECT_FALSE(Land.IsFlatSquare(3, N));
  EXPECT_FALSE(Land.IsFlatSquare(N, N));
}

TEST_F(StackQueries, IsFlatSquareIsFalseOutsideTheGridWithoutFailing) {
  for (const auto& [x, z] :
       {std::pair{-1, 5}, std::pair{5, -1}, std::pair{-1, -1}, std::pair{MaxGridSize, 5},
        std::pair{5, 1000}, std::pair{1000, 1000}, std::pair{std::numeric_limits<int>::min(), 3}}) {
    bool flat = true;
    EXPECT_NO_THROW(flat = Land.IsFlatSquare(x, z)) << x << "," << z;
    EXPECT_FALSE(flat) << x << "," << z;
  }
}

}  // namespace
}  // namespace orvane
