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

using Landscapes = test::TMadeLandscape;

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

TEST_P(Landscapes, FlatSquaresAreListedHighestFirstAndAwayFromTheRim) {
  float highestFlat = -std::numeric_limits<float>::max();
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z)
      if (Land.IsFlatSquare(x, z)) highestFlat = std::max(highestFlat, Land.PointHeight(x, z));
  ASSERT_GE(Land.SquareCount, 0);
  EXPECT_EQ(Land.SquaresByHeight(0).Height, highestFlat);
  std::set<std::pair<int, int>> seen;
  for (int i = 0; i <= Land.SquareCount; ++i) {
    const TSquareEntry& e = Land.SquaresByHeight(i);
    ASSERT_TRUE(Land.IsFlatSquare(e.X, e.Z) && e.X > 0 && e.Z > 0 && e.X < Land.GridSize - 1 &&
                e.Z < Land.GridSize - 1)
        << e.X << "," << e.Z;
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
