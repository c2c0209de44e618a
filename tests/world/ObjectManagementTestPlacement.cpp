// The start of a landscape: the pedestal and the Tolmarch on the highest flat square, the
// sentries on the sites that follow it, and the trees, all drawn from the landscape number.

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"
#include "world/MathKT.h"

namespace orvane {
namespace {

using test::GeneratorAt;
using test::Skip;
using test::TWorldFixture;

struct TSample {
  int32_t Number;
  int32_t Difficulty;
};

void PrintTo(const TSample& sample, std::ostream* out) {
  *out << "landscape " << sample.Number << " at difficulty " << sample.Difficulty;
}

const TSample Samples[] = {{1, 0},       {2, 0},   {777, 15},   {31337, 50},
                           {123456, 50}, {99, 75}, {2016, 100}, {-5, 100}};

class StartPlacement : public ::testing::TestWithParam<TSample> {
 protected:
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(GetParam().Number, GetParam().Difficulty);

  int Sites() const { return std::min(Land.SiteCount, Land.SquareCount + 1); }

  int CountOf(TGameObjectKind kind) const {
    int count = 0;
    for (int x = 0; x <= Land.GridSize; ++x)
      for (int z = 0; z <= Land.GridSize; ++z)
        for (int level = 1; level <= MaxStack; ++level)
          if (Land.Object(x, z, level).Kind == kind) ++count;
    return count;
  }
};

TEST_P(StartPlacement, ThePedestalAndTheTolmarchStandOnTheHighestFlatSquare) {
  ASSERT_GE(Land.SquareCount, 0);
  const TSquareEntry top = Land.SquaresByHeight(0);
  const float ground = Land.PointHeight(top.X, top.Z);
  const TStackedObject& pedestal = Land.Object(top.X, top.Z, 1);
  const TStackedObject& tolmarch = Land.Object(top.X, top.Z, 2);
  EXPECT_EQ(pedestal.Kind, go_pedestal);
  EXPECT_EQ(pedestal.Base, ground);
  EXPECT_EQ(pedestal.Height, Land.ObjectHeights[go_pedestal]);
  EXPECT_EQ(pedestal.Angle, 0.0f);
  EXPECT_EQ(tolmarch.Kind, go_tolmarch);
  EXPECT_FLOAT_EQ(tolmarch.Base, ground + Land.ObjectHeights[go_pedestal]);
  EXPECT_EQ(tolmarch.Height, 2.5f);
  // The Tolmarch faces a whole number of degrees.
  EXPECT_EQ(tolmarch.Angle, std::floor(tolmarch.Angle));
  EXPECT_GE(tolmarch.Angle, 0.0f);
  EXPECT_LT(tolmarch.Angle, 360.0f);
  EXPECT_EQ(Land.TopLevel(top.X, top.Z), 2);

  EXPECT_EQ(Land.TolmarchX, float(top.X));
  EXPECT_EQ(Land.TolmarchZ, float(top.Z));
  EXPECT_EQ(Land.PedestalGround, ground);
  EXPECT_EQ(CountOf(go_pedestal), 1);
  EXPECT_EQ(CountOf(go_tolmarch), 1);
}

TEST_P(StartPlacement, EverySiteAfterTheFirstHoldsOneSentry) {
  EXPECT_EQ(CountOf(go_sentry), Sites() - 1);
  for (int i = 1; i < Sites(); ++i) {
    const TSquareEntry site = Land.SquaresByHeight(i);
    EXPECT_EQ(Land.TopLevel(site.X, site.Z), 1) << "site " << i;
    EXPECT_EQ(Land.Object(site.X, site.Z, 1).Kind, go_sentry) << "site " << i;
    EXPECT_EQ(Land.Object(site.X, site.Z, 1).Base, site.Height) << "site " << i;
  }
  if (GetParam().Difficulty == 0) {
    EXPECT_EQ(Land.SiteCount, 1);
    EXPECT_EQ(CountOf(go_sentry), 0);
  }
}

TEST_P(StartPlacement, EveryOtherObjectIsATreeOnAFlatSquareOfItsOwn) {
  const TSquareEntry top = Land.SquaresByHeight(0);
  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z) {
      const int level = Land.TopLevel(x, z);
      if (level < 0) continue;
      ASSERT_TRUE(Land.IsFlatSquare(x, z)) << x << "," << z;
      if (x == top.X && z == top.Z) continue;
      ASSERT_EQ(level, 1) << x << "," << z;
      const TStackedObject& object = Land.Object(x, z, 1);
      ASSERT_TRUE(object.Kind == go_tree || object.Kind == go_sentry) << x << "," << z;
      EXPECT_GE(object.Angle, 0.0f);
      EXPECT_LT(object.Angle, 360.0f);
      if (object.Kind == go_tree) {
        EXPECT_EQ(object.Height, Land.ObjectHeights[go_tree]);
      }
    }
  EXPECT_EQ(CountOf(go_boulder), 0);
  EXPECT_EQ(CountOf(go_robot), 0);
}

TEST_P(StartPlacement, ScannersStandOnTheirObjects) {
  int used = 0;
  for (int n = 1; n <= MaxScanners; ++n) {
    const TScanner& s = Land.Scanners(n);
    if (s.State == ss_Free) continue;
    SCOPED_TRACE(n);
    ++used;
    ASSERT_EQ(s.State, ss_Idle);
    const TStackedObject& object = Land.Object(s.PosX, s.PosZ, s.Level);
    EXPECT_EQ(object.Kind, s.Type);
    EXPECT_EQ(object.Shape, s.Shape);
    EXPECT_FLOAT_EQ(float(s.BaseHgt), object.Base);
    EXPECT_NEAR(s.ViewHgt, s.BaseHgt + Land.ObjectHeights[s.Type], 1e-6);
    EXPECT_EQ(s.DoBlank, 1);
    EXPECT_EQ(s.Blank, 0);
    EXPECT_EQ(s.Seen, 0);
    // The Tolmarch is placed first and takes the first scanner.
    EXPECT_EQ(s.Type, n == 1 ? go_tolmarch : go_sentry);
  }
  EXPECT_EQ(used, Sites());
  // The slots are handed out from the bottom: the free ones are all above the used ones.
  for (int n = used + 1; n <= MaxScanners; ++n)
    EXPECT_EQ(Land.Scanners(n).State, ss_Free) << n;
  EXPECT_EQ(World.Host.ScannerHighWater, used);
  EXPECT_EQ(World.Host.StackHighWater, 1);  // only the Tolmarch went on top of something
}

TEST_P(StartPlacement, ScannerTimingsLieWithinTheirRanges) {
  const double dd = Land.Difficulty() * 0.01, e = 1 - dd;
  const double eps = 1e-5;
  for (int n = 1; n <= Sites(); ++n) {
    const TScanner& s = Land.Scanners(n);
    SCOPED_TRACE(n);
    EXPECT_GE(s.ScanEff, 1.0f);
    EXPECT_LT(s.ScanEff, 4.0f);
    EXPECT_GE(s.TTurn, 3 * e - eps);
    EXPECT_LE(s.TTurn, 4.5 * e + eps);
    EXPECT_GE(s.TScan, 8 * e * e + 2 - eps);
    EXPECT_LE(s.TScan, 2 * e + 8 * e * e + 2 + eps);
    EXPECT_GE(s.TPlyr, 8 * e * e + 0.5 - eps);
    EXPECT_LE(s.TPlyr, 3 * e + 8 * e * e + 0.5 + eps);
    EXPECT_GE(s.TObje, 6 * e + 0.5 - eps);
    EXPECT_LE(s.TObje, 8 * e + 0.5 + eps);
    const double m = std::fabs(s.Rotation);
    EXPECT_GE(m, dd * 12.5 + 20 - eps);
    EXPECT_LE(m, 2 * dd * 12.5 + 20 + eps);
    if (Land.Difficulty() < 20) {
      EXPECT_LT(s.Rotation, 0.0f);
    }
  }
}

// An independent replay of the start placement from the generator's state: which square
// each object gets and which way it faces follow from the order of the draws alone.
TEST_P(StartPlacement, ReplaysFromTheGeneratorInTheOrderOfItsDraws) {
  Land.ClearGameObjects();
  const uint32_t seed = World.Random.RandomSeed;
  Land.PositionStartGameObjects();

  TRandom r = GeneratorAt(seed);
  const int scannerDraws = Land.Difficulty() < 20 ? 6 : 7;
  std::set<std::pair<int, int>> taken;
  std::map<std::pair<int, int>, std::pair<TGameObjectKind, float>> expected;  // top objects
  for (int i = 0; i < Sites(); ++i) {
    const TSquareEntry site = Land.SquaresByHeight(i);
    if (!Land.IsFlatSquare(site.X, site.Z) || taken.count({site.X, site.Z})) continue;
    taken.insert({site.X, site.Z});
    if (i == 0) {
      const float angle = float(r.Random(360));
      Skip(r, 54 + scannerDraws);
      expected[{site.X, site.Z}] = {go_tolmarch, angle};
    } else {
      const float angle = float(r.Random() * 360);
      Skip(r, 54 + scannerDraws);
      expected[{site.X, site.Z}] = {go_sentry, angle};
    }
  }
  const double climb = Land.SquareCount >= 1 ? double(Land.SquaresByHeight(1).Height) -
                                                   Land.SquaresByHeight(Land.SquareCount).Height
                                             : 0.0;
  const double d = Land.Difficulty();
  const int trees = Round((0.15 * r.Random() + 0.0001 * d * d + 1.1) * 0.9 * climb /
                              (double(Land.ObjectHeights[go_boulder]) * Land.HeightStep) +
                          3.0);
  int given = 0;
  for (int tree = 0; tree < trees; ++tree) {
    for (int tries = 0;; ++tries) {
      const int x = r.Random(Land.GridSize);
      const int z = r.Random(Land.GridSize);
      if (tries == 400) {
        ++given;
        break;
      }
      if (Land.IsFlatSquare(x, z) && !taken.count({x, z})) {
        taken.insert({x, z});
        expected[{x, z}] = {go_tree, float(r.Random() * 360)};
        Skip(r, 4);
        break;
      }
    }
  }

  EXPECT_EQ(World.Random.RandomSeed, r.RandomSeed) << "the draws went out of step";
  int placed = 0;
  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z) {
      const int level = Land.TopLevel(x, z);
      if (level < 0) continue;
      ++placed;
      const auto it = expected.find({x, z});
      ASSERT_NE(it, expected.end()) << "unexpected object at " << x << "," << z;
      EXPECT_EQ(Land.Object(x, z, level).Kind, it->second.first) << x << "," << z;
      EXPECT_FLOAT_EQ(Land.Object(x, z, level).Angle, it->second.second) << x << "," << z;
    }
  EXPECT_EQ(placed, int(expected.size()));
  EXPECT_EQ(given, 0) << "trees were given up on a landscape with room for them";
}

TEST_P(StartPlacement, TheSameNumberPlacesTheSameObjects) {
  TWorldFixture again;
  TLandscape& other = again.MakeLandscape(GetParam().Number, GetParam().Difficulty);
  ASSERT_EQ(other.GridSize, Land.GridSize);
  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z)
      for (int level = 1; level <= 2; ++level) {
        const TStackedObject &a = Land.Object(x, z, level), &b = other.Object(x, z, level);
        ASSERT_EQ(a.Kind, b.Kind) << x << "," << z << "," << level;
        if (a.Kind == go_none) continue;
        ASSERT_EQ(a.Angle, b.Angle) << x << "," << z << "," << level;
        ASSERT_EQ(a.Base, b.Base) << x << "," << z << "," << level;
      }
  for (int n = 1; n <= MaxScanners; ++n) {
    EXPECT_EQ(Land.Scanners(n).PosX, other.Scanners(n).PosX) << n;
    EXPECT_EQ(Land.Scanners(n).Rotation, other.Scanners(n).Rotation) << n;
    EXPECT_EQ(Land.Scanners(n).TScan, other.Scanners(n).TScan) << n;
  }
}

TEST_P(StartPlacement, TheLightMovesOverThePedestalAtItsOwnHeight) {
  Land.ClearGameObjects();
  World.Scene.GLLightSource1->SetPosition({1.0f, 77.0f, 2.0f});
  Land.PositionStartGameObjects();
  const TSquareEntry top = Land.SquaresByHeight(0);
  const glm::vec3 light = World.Scene.GLLightSource1->Position();
  EXPECT_EQ(light.x, top.X + 0.5f);
  EXPECT_EQ(light.y, 77.0f);
  EXPECT_EQ(light.z, top.Z + 0.5f);
}

TEST_P(StartPlacement, TreesGrowWithTheHeightToClimbAndTheResources) {
  const double d = Land.Difficulty();
  const double climb =
      double(Land.SquaresByHeight(1).Height) - Land.SquaresByHeight(Land.SquareCount).Height;
  const double unit = double(Land.ObjectHeights[go_boulder]) * Land.HeightStep;
  for (int resources : {-8, 0, 8}) {
    SCOPED_TRACE(resources);
    World.Settings.gs_S_Resources(resources);
    Land.ClearGameObjects();
    Land.PositionStartGameObjects();
    const double supply = std::pow(2.0, resources * 0.125) * 0.9 * climb / unit;
    const int fewest = Round((0.0001 * d * d + 1.1) * supply + 3.0);
    const int most = Round((0.15 + 0.0001 * d * d + 1.1) * supply + 3.0);
    EXPECT_GE(CountOf(go_tree), fewest);
    EXPECT_LE(CountOf(go_tree), most);
  }
}

INSTANTIATE_TEST_SUITE_P(Landscapes, StartPlacement, ::testing::ValuesIn(Samples));

TEST(StartPlacementFailures, ATreeWithNowhereToGoIsGivenUpAfterFourHundredAndOnePairs) {
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(123456, 50);
  Land.ClearGameObjects();
  // Every flat square taken: no site is empty and no tree finds room.
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z)
      if (Land.IsFlatSquare(x, z)) ASSERT_EQ(Land.AddGameObject(x, z, go_robot, 0, false), 1);
  const uint32_t seed = World.Random.RandomSeed;
  const int shapes = World.Scene.DummyCube2->Count();
  World.Host.ScannerHighWater = 0;

  Land.PositionStartGameObjects();

  TRandom r = GeneratorAt(seed);
  const double climb =
      double(Land.SquaresByHeight(1).Height) - Land.SquaresByHeight(Land.SquareCount).Height;
  const double d = Land.Difficulty();
  const int trees = Round((0.15 * r.Random() + 0.0001 * d * d + 1.1) * 0.9 * climb /
                              (double(Land.ObjectHeights[go_boulder]) * Land.HeightStep) +
                          3.0);
  ASSERT_GT(trees, 0);
  EXPECT_EQ(test::StepsBetween(seed, World.Random.RandomSeed), 1 + trees * 401 * 2);
  EXPECT_EQ(World.Scene.DummyCube2->Count(), shapes);
  EXPECT_EQ(World.Host.ScannerHighWater, 0);
}

TEST(StartPlacementFailures, AMissingMainLightIsLoggedAndThePlacementGoesOn) {
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(777, 40);
  Land.ClearGameObjects();
  ASSERT_TRUE(World.Scene.Root().DestroyChild(World.Scene.GLLightSource1));
  World.Log.Clear();

  EXPECT_NO_THROW(Land.PositionStartGameObjects());
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{"Error 0004: OpenGL GLLightSource1 not initialised @ "
                                     "Landscape.PositionStartGameObjects()"});
  const TSquareEntry top = Land.SquaresByHeight(0);
  EXPECT_EQ(Land.Object(top.X, top.Z, 2).Kind, go_tolmarch);
  EXPECT_EQ(Land.TolmarchX, float(top.X));
  if (Land.SiteCount > 1) {
    const TSquareEntry site = Land.SquaresByHeight(1);
    EXPECT_EQ(Land.Object(site.X, site.Z, 1).Kind, go_sentry) << "the sentries were skipped";
  }
}

}  // namespace
}  // namespace orvane
