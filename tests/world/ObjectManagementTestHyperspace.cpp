// Hyperspace: the player is put on a random flat, empty square from the low end of the list
// of flat squares, at a cost of three energy units when it is the player's own action.

#include <cmath>
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"

namespace orvane {
namespace {

using test::GeneratorAt;
using test::TEmptyWorld;

// The choice made from a generator state, worked through step by step: the index of the
// chosen entry, or -1 when there is none.
int ExpectedChoice(TRandom& r, int squareCount, const std::function<bool(int)>& usable) {
  int window = 4;
  for (;;) {
    int candidate = 0;
    int tries = 0;
    for (;;) {
      candidate = squareCount - r.Random(window);
      ++tries;
      if (tries > 10) break;
      if (usable(candidate) && r.Random() > 0.5) break;
    }
    ++window;
    if (window > squareCount) break;
    if (usable(candidate)) return candidate;
  }
  for (int index = squareCount; index >= 1; --index)
    if (usable(index)) return index;
  return -1;
}

class Hyperspace : public ::testing::Test {
 protected:
  TEmptyWorld World{31337, 50};
  TLandscape& Land = World.Land;

  struct TView {
    int X, Z;
    bool FaceTolmarch, Map;
  };
  std::vector<TView> Views;

  Hyperspace() {
    World.Host.OnSetPlayerView = [this](int x, int z, bool face, bool map) {
      Views.push_back({x, z, face, map});
    };
  }

  const TSquareEntry& Entry(int index) const { return Land.SquaresByHeight(index); }

  void Occupy(int index) {
    ASSERT_GT(Land.AddGameObject(Entry(index).X, Entry(index).Z, go_boulder, 0.0f, false), 0);
  }

  bool Usable(int index) const {
    return Land.IsFlatSquare(Entry(index).X, Entry(index).Z) &&
           Land.TopLevel(Entry(index).X, Entry(index).Z) == -1;
  }
};

TEST_F(Hyperspace, OnAnEmptyLandscapeItChoosesAmongTheFourLowestSquares) {
  ASSERT_GT(Land.SquareCount, 10);
  for (int round = 0; round < 20; ++round) {
    World.Random.RandomSeed = 1000u + 7919u * round;
    TRandom replay = GeneratorAt(World.Random.RandomSeed);
    const int expected = ExpectedChoice(replay, Land.SquareCount, [&](int i) { return Usable(i); });
    Views.clear();
    Land.Hyperspace(false);
    ASSERT_EQ(Views.size(), 1u);
    ASSERT_GE(expected, Land.SquareCount - 3);
    EXPECT_EQ(Views[0].X, Entry(expected).X);
    EXPECT_EQ(Views[0].Z, Entry(expected).Z);
    EXPECT_EQ(World.Random.RandomSeed, replay.RandomSeed);
  }
}

TEST_F(Hyperspace, WithoutChargeThePlayerFacesTheTolmarchAtNoCost) {
  Land.SetEnergy(5);
  World.Host.EnergyShown.clear();
  World.Host.MapViewLeft = 0;
  Land.Hyperspace(false);
  ASSERT_EQ(Views.size(), 1u);
  EXPECT_TRUE(Views[0].FaceTolmarch);
  EXPECT_FALSE(Views[0].Map);
  EXPECT_EQ(World.Host.MapViewLeft, 1);
  EXPECT_EQ(Land.Energy, 5);
  EXPECT_TRUE(World.Host.EnergyShown.empty());
  EXPECT_EQ(World.RunningAnimations(), 0);
}

TEST_F(Hyperspace, WithChargeFiveEnergyLeavesTwoAndTheLightsComeUp) {
  World.Settings.gs_S_GameSpeed(4);
  World.Host.Clock = 3.25;
  Land.SetEnergy(5);
  Land.Hyperspace(true);
  EXPECT_EQ(Land.Energy, 2);
  EXPECT_EQ(Land.Player().Energy, 2);
  ASSERT_EQ(World.RunningAnimations(), 1);
  const TAnimation& light = Land.Animations(0);
  EXPECT_EQ(light.Kind, ga_LightOn);
  EXPECT_EQ(light.X, 0);
  EXPECT_EQ(light.Level, 0);
  EXPECT_EQ(light.Z, 0);
  EXPECT_FLOAT_EQ(light.StartTime, 3.25f);
  EXPECT_NEAR(light.Duration, 2.0 / std::sqrt(3.0), 1e-5);
  EXPECT_EQ(Views.size(), 1u);
  EXPECT_EQ(World.Host.MapViewLeft, 1);
}

TEST_F(Hyperspace, OccupiedSquaresAreNeverChosen) {
  // Everything occupied but one square halfway up the list.
  const int free = Land.SquareCount / 2;
  for (int i = 0; i <= Land.SquareCount; ++i)
    if (i != free) Occupy(i);
  Land.Hyperspace(false);
  ASSERT_EQ(Views.size(), 1u);
  EXPECT_EQ(Views[0].X, Entry(free).X);
  EXPECT_EQ(Views[0].Z, Entry(free).Z);
}

TEST_F(Hyperspace, ItReplaysWhenTheLowSquaresAreTaken) {
  for (int i = Land.SquareCount - 6; i <= Land.SquareCount; ++i)
    Occupy(i);
  World.Random.RandomSeed = 4242u;
  TRandom replay = GeneratorAt(4242u);
  const int expected = ExpectedChoice(replay, Land.SquareCount, [&](int i) { return Usable(i); });
  Land.Hyperspace(false);
  ASSERT_EQ(Views.size(), 1u);
  ASSERT_GE(expected, 1);
  EXPECT_EQ(Views[0].X, Entry(expected).X);
  EXPECT_EQ(Views[0].Z, Entry(expected).Z);
  EXPECT_EQ(World.Random.RandomSeed, replay.RandomSeed);
}

TEST_F(Hyperspace, WithNoUsableSquareNothingHappensAndNothingIsCharged) {
  for (int i = 0; i <= Land.SquareCount; ++i)
    Occupy(i);
  Land.SetEnergy(5);
  World.Host.MapViewLeft = 0;
  Land.Hyperspace(true);
  EXPECT_TRUE(Views.empty());
  EXPECT_EQ(Land.Energy, 5);
  EXPECT_EQ(World.RunningAnimations(), 0);
  EXPECT_EQ(World.Host.MapViewLeft, 1) << "the map view is left before the search";
}

TEST_F(Hyperspace, TheHighestSquareIsNeverChosen) {
  for (int i = 1; i <= Land.SquareCount; ++i)
    Occupy(i);
  ASSERT_TRUE(Usable(0));
  Land.SetEnergy(5);
  Land.Hyperspace(true);
  EXPECT_TRUE(Views.empty());
  EXPECT_EQ(Land.Energy, 5);
}

}  // namespace
}  // namespace orvane
