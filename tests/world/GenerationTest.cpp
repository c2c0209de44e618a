#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::TWorldFixture;

struct TNumberAndDifficulty {
  int32_t Number;
  int32_t Difficulty;
};

void PrintTo(const TNumberAndDifficulty& sample, std::ostream* out) {
  *out << "landscape " << sample.Number << " at difficulty " << sample.Difficulty;
}

// A spread of landscapes: small and large, few and many sentries.
const TNumberAndDifficulty Samples[] = {{1, 0},        {2, 0},           {777, 10}, {31337, 25},
                                        {-5, 40},      {123456, 55},     {99, 70},  {2016, 100},
                                        {424242, 100}, {-2147483647, 85}};

class GenerationOverSamples : public ::testing::TestWithParam<TNumberAndDifficulty> {
 protected:
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(GetParam().Number, GetParam().Difficulty);
};

TEST_P(GenerationOverSamples, RimIsOneLevelBelowEveryInteriorPoint) {
  const int N = Land.GridSize;
  const float rim = Land.PointHeight(0, 0);
  float lowestInterior = std::numeric_limits<float>::max();
  for (int x = 0; x <= N; ++x)
    for (int z = 0; z <= N; ++z) {
      const bool onRim = x == 0 || z == 0 || x == N || z == N;
      if (onRim) {
        ASSERT_EQ(Land.PointHeight(x, z), rim) << x << "," << z;
      } else {
        lowestInterior = std::min(lowestInterior, Land.PointHeight(x, z));
      }
    }
  EXPECT_LT(rim, lowestInterior);
  // The heights are centred about zero: the interior's lowest and highest are opposite.
  float highestInterior = -std::numeric_limits<float>::max();
  for (int x = 1; x < N; ++x)
    for (int z = 1; z < N; ++z)
      highestInterior = std::max(highestInterior, Land.PointHeight(x, z));
  EXPECT_NEAR(lowestInterior, -highestInterior, 1e-4);
  // Sight lines skip what lies above the highest point: the bound is exact after making.
  EXPECT_EQ(Land.HighestPoint(), highestInterior);
  Land.SetPointHeight(3, 3, highestInterior + 1.0f);
  EXPECT_EQ(Land.HighestPoint(), highestInterior + 1.0f);
}

// Points raised by the same number of steps must have exactly the same height, or a square
// in the middle of a terrace is drawn as a slope and refuses every object.
TEST_P(GenerationOverSamples, TerracesAreExact) {
  const int N = Land.GridSize;
  float lowest = std::numeric_limits<float>::max();
  for (int x = 1; x < N; ++x)
    for (int z = 1; z < N; ++z)
      lowest = std::min(lowest, Land.PointHeight(x, z));
  std::map<long, float> heightOfStep;
  for (int x = 1; x < N; ++x)
    for (int z = 1; z < N; ++z) {
      const double steps = (Land.PointHeight(x, z) - double(lowest)) / Land.HeightStep;
      const long k = std::lround(steps);
      ASSERT_NEAR(steps, double(k), 1e-3) << "a height change is not a whole number of steps";
      const auto [it, inserted] = heightOfStep.emplace(k, Land.PointHeight(x, z));
      ASSERT_EQ(it->second, Land.PointHeight(x, z)) << "two heights for step " << k;
    }
  // And so every square whose four corners lie on one terrace is flat.
  for (int x = 1; x < N - 1; ++x)
    for (int z = 1; z < N - 1; ++z) {
      const double h = Land.PointHeight(x, z);
      auto sameStep = [&](int px, int pz) {
        return std::fabs(Land.PointHeight(px, pz) - h) < 0.5 * Land.HeightStep;
      };
      if (sameStep(x + 1, z) && sameStep(x, z + 1) && sameStep(x + 1, z + 1)) {
        ASSERT_TRUE(Land.IsFlatSquare(x, z)) << x << "," << z;
      }
    }
}

TEST_P(GenerationOverSamples, FlatSquaresAreListedHighestFirstAndAwayFromTheRim) {
  ASSERT_GE(Land.SquareCount, 0);
  float highestFlat = -std::numeric_limits<float>::max();
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z)
      if (Land.IsFlatSquare(x, z)) highestFlat = std::max(highestFlat, Land.PointHeight(x, z));
  EXPECT_EQ(Land.SquaresByHeight(0).Height, highestFlat);
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i <= Land.SquareCount; ++i) {
    const TSquareEntry& entry = Land.SquaresByHeight(i);
    ASSERT_TRUE(Land.IsFlatSquare(entry.X, entry.Z));
    ASSERT_GT(entry.X, 0);
    ASSERT_GT(entry.Z, 0);
    ASSERT_LT(entry.X, Land.GridSize - 1);
    ASSERT_LT(entry.Z, Land.GridSize - 1);
    ASSERT_EQ(entry.Height, Land.PointHeight(entry.X, entry.Z));
    ASSERT_TRUE(seen.insert({entry.X, entry.Z}).second) << "listed twice";
    if (i > 0) {
      ASSERT_LE(entry.Height, Land.SquaresByHeight(i - 1).Height);
    }
  }
}

TEST_P(GenerationOverSamples, SitesLieApartFromEachOther) {
  const double spacing =
      (std::sqrt(double(Land.GridSize) * Land.GridSize / Land.SiteCount) - 1) * 0.45;
  const int thinned = std::max(20, Land.SquareCount * 80 / 100);  // a lower bound of the range
  const int sites = std::min({Land.SiteCount, Land.SquareCount + 1, thinned});
  for (int i = 0; i < sites; ++i)
    for (int j = i + 1; j < sites; ++j) {
      const TSquareEntry &a = Land.SquaresByHeight(i), &b = Land.SquaresByHeight(j);
      EXPECT_GT(std::hypot(double(a.X - b.X), double(a.Z - b.Z)), spacing - 1e-4);
    }
}

TEST_P(GenerationOverSamples, SizesAndObjectHeightsStayInTheirRanges) {
  const double d = Land.Difficulty();
  EXPECT_GE(Land.GridSize, 18);
  EXPECT_LE(Land.GridSize, 128);
  EXPECT_GE(Land.SiteCount, 1);
  EXPECT_LE(Land.SiteCount, 14);
  EXPECT_GE(Land.HeightStep, 1.25f);
  EXPECT_LT(Land.HeightStep, 1.26f);
  const auto& h = Land.ObjectHeights;
  EXPECT_EQ(h[go_none], 1.0f);
  EXPECT_GE(h[go_tree], 1.6f);
  EXPECT_LT(h[go_tree], 4.6f);
  EXPECT_GE(h[go_boulder], 0.5f);
  EXPECT_LT(h[go_boulder], 0.8f);
  EXPECT_EQ(h[go_robot], 1.4f);
  EXPECT_GE(h[go_pedestal], 0.7f);
  EXPECT_LT(h[go_pedestal], 1.4 + 0.05 * d + 1e-6);
  EXPECT_EQ(h[go_tolmarch], 2.5f);
  EXPECT_EQ(h[go_sentry], 2.0f);
}

TEST_P(GenerationOverSamples, SecondLightStandsWellAboveTheLandscape) {
  const glm::vec3 light = World.Scene.GLLightSource3->Position();
  float highest = -std::numeric_limits<float>::max();
  for (int x = 0; x <= Land.GridSize; ++x)
    for (int z = 0; z <= Land.GridSize; ++z)
      highest = std::max(highest, Land.PointHeight(x, z));
  EXPECT_GE(light.y, 2 * Land.GridSize + highest - 1e-3);
  EXPECT_LT(light.y, 4 * Land.GridSize + highest + 1e-3);
  EXPECT_GE(light.x, -Land.GridSize + 0.5f - 1e-3);
  EXPECT_LE(light.x, Land.GridSize * 1.5f + 0.5f + 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Landscapes, GenerationOverSamples, ::testing::ValuesIn(Samples));

TEST(Generation, EasiestLandscapesAreSmallWithTheTolmarchAlone) {
  TWorldFixture world;
  for (int32_t number = 1; number <= 40; ++number) {
    const TLandscape& land = world.MakeLandscape(number * 7919, 0);
    ASSERT_GE(land.GridSize, 18);
    ASSERT_LE(land.GridSize, 40);
    ASSERT_EQ(land.SiteCount, 1);
  }
}

TEST(Generation, TheLargestGridIsKeptWhole) {
  TWorldFixture world;
  const TLandscape& land = world.MakeLandscape(2016, 100);
  ASSERT_EQ(land.GridSize, 128);
  const float rim = land.PointHeight(0, 0);
  for (int i = 0; i <= 128; ++i) {
    EXPECT_EQ(land.PointHeight(128, i), rim);
    EXPECT_EQ(land.PointHeight(i, 128), rim);
  }
  EXPECT_GT(land.PointHeight(127, 127), rim);
  EXPECT_FALSE(land.IsFlatSquare(127, 5));
}

TEST(Generation, AFailureIsReportedAndStopsTheGenerator) {
  TWorldFixture world;
  TLandscape& land = world.MakeLandscape(5, 0);
  const int size = land.GridSize;
  land.Params(3) = std::numeric_limits<double>::quiet_NaN();
  land.GeneratePoints();
  EXPECT_EQ(world.Log.GetLines().back(), "Error 0018: @ Landscape.GeneratePoints.");
  EXPECT_EQ(land.GridSize, size);
}

}  // namespace
}  // namespace orvane
