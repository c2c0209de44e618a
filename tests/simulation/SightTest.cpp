#include <cmath>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"

namespace orvane {
namespace {

struct Sight : ::testing::Test, test::TSimulationFixture {
  TLandscape& Land = MakeLandscape(4, 50);
};

// Corners (3, 3), (4, 3), (3, 4) and (4, 4): a square of equal (3, 4) and (4, 3) is split from
// (3, 3) to (4, 4), any other from (3, 4) to (4, 3).
TEST_F(Sight, TerrainHeightFollowsTheDrawnDiagonals) {
  const struct {
    float Corners[4], X, Z, Height;
  } cases[] = {{{2, 2, 2, 2}, 3.3f, 3.8f, 2.0f},   {{0, 1, 1, 4}, 3.5f, 3.5f, 2.0f},
               {{0, 1, 1, 4}, 3.25f, 3.75f, 1.5f}, {{0, 1, 1, 4}, 3.75f, 3.25f, 1.5f},
               {{0, 1, 2, 0}, 3.5f, 3.5f, 1.5f},   {{0, 1, 2, 0}, 3.25f, 3.25f, 0.75f},
               {{0, 1, 2, 0}, 3.75f, 3.75f, 0.75f}};
  for (const auto& c : cases) {
    for (int k = 0; k < 4; ++k)
      Land.SetPointHeight(3 + k % 2, 3 + k / 2, c.Corners[k]);
    EXPECT_FLOAT_EQ(*Simulation.TerrainHeightAt(c.X, c.Z), c.Height) << c.X << "," << c.Z;
  }

  const float edge = float(Land.GridSize);
  EXPECT_TRUE(Simulation.TerrainHeightAt(edge, edge).has_value());
  EXPECT_FALSE(Simulation.TerrainHeightAt(-0.01f, 1.0f).has_value());
  EXPECT_FALSE(Simulation.TerrainHeightAt(1.0f, edge + 0.01f).has_value());
}

TEST_F(Sight, OnlyTheGroundBlocksASightLine) {
  SetHeights([](int x, int) { return x == 6 ? 5.0f : 0.0f; });
  for (int i = 0; i < 10; ++i)
    Land.AddGameObject(3, 2, go_boulder, 0.0f, false);
  EXPECT_EQ(Simulation.SightLine({2.5f, 1.0f, 2.5f}, {4.5f, 1.0f, 2.5f}, false), 1.0f);
  EXPECT_EQ(Simulation.SightLine({2.5f, 1.0f, 2.5f}, {9.5f, 1.0f, 2.5f}, false), 0.0f);
  EXPECT_EQ(Simulation.SightLine({6.0f, 1.0f, 2.5f}, {6.1f, 1.0f, 2.5f}, false), 1.0f);
  EXPECT_EQ(Simulation.SightLine({2.5f, 1.0f, 2.5f}, {3.5f, 1.5f, 2.5f}, true), 0.0f);
}

// A square is in sight exactly when some of its visibility is.
TEST_F(Sight, SquareVisibilityComesInSixths) {
  const TScanner& tolmarch = Land.Scanners(1);
  const glm::vec3 eye{float(tolmarch.PosX) + 0.5f, float(tolmarch.ViewHgt),
                      float(tolmarch.PosZ) + 0.5f};
  int partial = 0;
  for (int x = 0; x < Land.GridSize; ++x)
    for (int z = 0; z < Land.GridSize; ++z) {
      const float v = Simulation.SquareVisibility(x, z, eye);
      EXPECT_NEAR(v * 6, std::round(v * 6), 1e-4);
      partial += v > 0.0f && v < 1.0f;
      ASSERT_EQ(Simulation.SquareInSight(x, z, eye), v > 0.0f) << x << "," << z;
    }
  EXPECT_GT(partial, 0);
}

}  // namespace
}  // namespace orvane
