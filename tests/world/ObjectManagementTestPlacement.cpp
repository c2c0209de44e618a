// The start of a landscape (the pedestal and the Tolmarch on the highest flat square, the
// sentries on the sites after it, then the trees) and hyperspace, which puts the player on a
// low flat empty square.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::Running;

using Landscapes = test::TMadeLandscape;

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

TEST_P(Landscapes, SentriesTakeTheSitesAndTreesOtherFlatSquaresOfTheirOwn) {
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
  for (int i = 1; i < Sites(); ++i)
    EXPECT_EQ(Land.Object(Land.SquaresByHeight(i).X, Land.SquaresByHeight(i).Z, 1).Kind, go_sentry);
  EXPECT_GE(trees, 3);
}

TEST_P(Landscapes, ScannersStandOnTheirObjects) {
  EXPECT_EQ(test::UsedScanners(Land), Sites());
  for (int n = 1; n <= Sites(); ++n) {
    const TScanner& s = Land.Scanners(n);
    const TStackedObject& object = Land.Object(s.PosX, s.PosZ, s.Level);
    EXPECT_EQ(s.Type, n == 1 ? go_tolmarch : go_sentry) << n;
    EXPECT_EQ(std::tuple(object.Kind, object.Shape), std::tuple(s.Type, s.Shape)) << n;
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

TEST(StartPlacementFailures, AMissingMainLightIsLoggedAndThePlacementGoesOn) {
  test::TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(777, 40);
  Land.ClearGameObjects();
  World.Scene.Root().DestroyChild(World.Scene.GLLightSource1);
  World.Log.Clear();
  Land.PositionStartGameObjects();
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{"Error 0004: OpenGL GLLightSource1 not initialised @ "
                                     "Landscape.PositionStartGameObjects()"});
  EXPECT_EQ(test::UsedScanners(Land), std::min(Land.SiteCount, Land.SquareCount + 1));
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

TEST_F(Hyperspace, ChoosesAmongTheFourLowestSquaresOfAnEmptyLandscapeAndChargesOnlyWhenAsked) {
  World.Host.Clock = 3.25;
  Land.SetEnergy(5);
  for (uint32_t seed = 1000; seed < 1200; seed += 10) {
    World.Random.RandomSeed = seed;
    Land.Hyperspace(false);
    EXPECT_GE(Chosen(), Land.SquareCount - 3) << seed;
  }
  EXPECT_EQ(std::tuple(Land.Energy, Running(Land), World.Host.MapViewLeft), std::tuple(5, 0, 20));
  Land.Hyperspace(true);
  EXPECT_EQ(std::tuple(Land.Energy, Land.Player().Energy, World.Host.PlayerViews.size()),
            std::tuple(2, 2, 21u));
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

TEST_F(Hyperspace, AFreeSquareIsKeptOnlyWhenTheNextDrawIsAboveOneHalf) {
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
  ASSERT_EQ(exact.Int(4), 2);
  ASSERT_EQ(exact.Step(), 0x80000000u);
  ASSERT_EQ(exact.Int(4), 2);
  ASSERT_TRUE(exact.AboveHalf());
  World.Random.RandomSeed = 2128388874u;
  Land.Hyperspace(false);
  EXPECT_EQ(Chosen(), Land.SquareCount - 2);
  EXPECT_EQ(World.Random.RandomSeed, exact.Seed);
}

TEST_F(Hyperspace, TheEleventhSquareDrawnIsTakenWithoutTheHalfChance) {
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
  EXPECT_EQ(Chosen(), Land.SquareCount - eleventh);
  EXPECT_EQ(World.Random.RandomSeed, seedAfter);
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
  Occupy(free);
  Land.SetEnergy(5);
  for (int round = 0; round < 2; ++round, Occupy(0)) {
    World.Host.PlayerViews.clear();
    Land.Hyperspace(true);
    EXPECT_EQ(Chosen(), -1);
    EXPECT_EQ(Land.Energy, 5);
    EXPECT_EQ(Running(Land), 0);
  }
}

}  // namespace
}  // namespace orvane
