#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::TWorldFixture;

const TMeshVertex& VertexOf(const TMeshObject& mesh, int triangle, int corner) {
  return mesh.Vertices().at(static_cast<size_t>(triangle * 3 + corner));
}

// The two triangles of square (x, z): squares run z-major, x-minor.
int FirstTriangleOf(const TLandscape& land, int x, int z) {
  return 2 * (z * land.GridSize + x);
}

TEST(LandscapeMesh, TwoTrianglesPerSquareAndTwoForTheFloor) {
  TWorldFixture world;
  for (int32_t number = 1; number < 5000; ++number) {
    const TLandscape& land = world.MakeLandscape(number, 0);
    if (land.GridSize != 18) continue;
    EXPECT_EQ(world.Scene.Mesh1->TriangleCount(), 650);
    return;
  }
  FAIL() << "no landscape of 18 squares a side among the numbers tried";
}

TEST(LandscapeMesh, LargestLandscapeFitsItsBudget) {
  TWorldFixture world;
  const TLandscape& land = world.MakeLandscape(2016, 100);
  ASSERT_EQ(land.GridSize, 128);
  EXPECT_EQ(world.Scene.Mesh1->TriangleCount(), 32770);
  EXPECT_EQ(world.Scene.Mesh1->Vertices().size(), 98310u);
}

class MeshOfOneLandscape : public ::testing::Test {
 protected:
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(424242, 70);
  const TMeshObject& Mesh = *World.Scene.Mesh1;
};

TEST_F(MeshOfOneLandscape, SquaresFollowTheGridWithCornersAtTheirHeights) {
  for (int z = 0; z < Land.GridSize; z += 7)
    for (int x = 0; x < Land.GridSize; x += 5) {
      const int t = FirstTriangleOf(Land, x, z);
      for (int k = 0; k < 6; ++k) {
        const glm::vec3 p = VertexOf(Mesh, t + k / 3, k % 3).Position;
        ASSERT_GE(p.x, x);
        ASSERT_LE(p.x, x + 1);
        ASSERT_GE(p.z, z);
        ASSERT_LE(p.z, z + 1);
        ASSERT_EQ(p.y, Land.PointHeight(int(p.x), int(p.z)));
      }
    }
}

TEST_F(MeshOfOneLandscape, CheckerboardShowsTheSquaresOfEveryTerraceAndSlope) {
  int flatPairs = 0, slopePairs = 0;
  for (int z = 1; z < Land.GridSize - 1; ++z)
    for (int x = 1; x < Land.GridSize - 2; ++x) {
      const bool flat = Land.IsFlatSquare(x, z);
      if (flat != Land.IsFlatSquare(x + 1, z)) continue;
      const TColor a = VertexOf(Mesh, FirstTriangleOf(Land, x, z), 0).Color;
      const TColor b = VertexOf(Mesh, FirstTriangleOf(Land, x + 1, z), 0).Color;
      const bool odd = (x + z) % 2 != 0;
      if (flat) {
        ++flatPairs;
        EXPECT_EQ(a, odd ? Land.FlatColourOdd : Land.FlatColourEven);
        EXPECT_EQ(b, odd ? Land.FlatColourEven : Land.FlatColourOdd);
      } else {
        ++slopePairs;
        EXPECT_EQ(a, odd ? Land.SlopeColourOdd : Land.SlopeColourEven);
        EXPECT_EQ(b, odd ? Land.SlopeColourEven : Land.SlopeColourOdd);
      }
    }
  EXPECT_GT(flatPairs, 0);
  EXPECT_GT(slopePairs, 0);
  EXPECT_NE(Land.FlatColourOdd, Land.FlatColourEven);
}

// A sloping square whose corners A = (x, z+1) and C = (x+1, z) are level is split along the
// other diagonal, B-D, so that the drawn surface follows the terrace edge.
TEST_F(MeshOfOneLandscape, SlopesAreSplitAlongTheRightDiagonal) {
  int checked = 0;
  for (int z = 0; z < Land.GridSize; ++z)
    for (int x = 0; x < Land.GridSize; ++x) {
      if (Land.IsFlatSquare(x, z)) continue;
      const bool aEqualsC = Land.PointHeight(x, z + 1) == Land.PointHeight(x + 1, z);
      const int t = FirstTriangleOf(Land, x, z);
      // The shared edge of the two triangles is the diagonal.
      const glm::vec3 first = VertexOf(Mesh, t, 0).Position, second = VertexOf(Mesh, t, 1).Position;
      const glm::vec3 B(x + 1, Land.PointHeight(x + 1, z + 1), z + 1),
          D(x, Land.PointHeight(x, z), z);
      const glm::vec3 A(x, Land.PointHeight(x, z + 1), z + 1),
          C(x + 1, Land.PointHeight(x + 1, z), z);
      if (aEqualsC) {
        EXPECT_EQ(first, D);
        EXPECT_EQ(second, B);
      } else {
        EXPECT_EQ(first, C);
        EXPECT_EQ(second, A);
      }
      ++checked;
    }
  EXPECT_GT(checked, 100);
}

TEST_F(MeshOfOneLandscape, FlatSquaresFaceUpAndEveryNormalIsAUnitVector) {
  for (size_t i = 0; i < Mesh.Vertices().size(); ++i)
    ASSERT_NEAR(glm::length(Mesh.Vertices()[i].Normal), 1.0f, 1e-4);
  for (int z = 1; z < Land.GridSize - 1; ++z)
    for (int x = 1; x < Land.GridSize - 1; ++x)
      if (Land.IsFlatSquare(x, z)) {
        const glm::vec3 normal = VertexOf(Mesh, FirstTriangleOf(Land, x, z), 0).Normal;
        ASSERT_EQ(normal, glm::vec3(0, 1, 0));
      }
  // Every landscape triangle faces upwards: the terrain is seen from above.
  for (int t = 0; t < 2 * Land.GridSize * Land.GridSize; ++t)
    ASSERT_GT(VertexOf(Mesh, t, 0).Normal.y, 0.0f);
}

TEST_F(MeshOfOneLandscape, FloorLiesAtTheRimUnderTheWholeLandscape) {
  const int floor = 2 * Land.GridSize * Land.GridSize;
  for (int k = 0; k < 6; ++k) {
    const TMeshVertex& v = VertexOf(Mesh, floor + k / 3, k % 3);
    EXPECT_EQ(v.Color, TColor(0.0f, 0.5f, 0.0f, 1.0f));
    EXPECT_EQ(v.Position.y, Land.PointHeight(0, 0));
    EXPECT_TRUE(v.Position.x == 0 || v.Position.x == Land.GridSize);
  }
}

TEST_F(MeshOfOneLandscape, PaletteChannelsStayInTheirRanges) {
  for (const TColor* c : {&Land.FlatColourOdd, &Land.FlatColourEven}) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_GE((*c)[i], 0.0f);
      EXPECT_LT((*c)[i], 0.72f + 1e-6f);
    }
  }
  for (const TColor* c : {&Land.SlopeColourEven, &Land.SlopeColourOdd}) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_GE((*c)[i], 0.62f);
      EXPECT_LE((*c)[i], 0.98f);
    }
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_GE(Land.MainLightColour[i], 2.7f);
    EXPECT_LT(Land.MainLightColour[i], 3.15f);
    EXPECT_NEAR(Land.SlopeColourOdd[i], Land.SlopeColourEven[i], 0.03 + 1e-6);
    EXPECT_NEAR(Land.FlatColourOdd[i], Land.FlatColourEven[i], 0.2 + 1e-6);
  }
  EXPECT_GE(Land.SkyColour.a, 0.0f);
  EXPECT_LT(Land.SkyColour.a, 0.1f);
}

TEST_F(MeshOfOneLandscape, SkyAndLightsReachTheScene) {
  const TSceneViewer& viewer = World.Scene.GLSceneViewer1;
  EXPECT_EQ(viewer.BackgroundColor, ColorNumber(Land.SkyColour));
  EXPECT_TRUE(viewer.FogEnable);
  EXPECT_EQ(viewer.Fog.Color, Land.SkyColour);
  const TColor main = World.Scene.GLLightSource1->Diffuse();
  EXPECT_EQ(glm::vec3(main), glm::vec3(Land.MainLightColour));
  EXPECT_EQ(glm::vec3(World.Scene.GLLightSource3->Diffuse()), glm::vec3(Land.SecondLightColour));
  EXPECT_EQ(Mesh.Material().Shininess, 20.0f);
  EXPECT_EQ(glm::vec3(Mesh.Material().Specular), glm::vec3(1.0f));
}

TEST_F(MeshOfOneLandscape, ABadPointLosesItsTrianglesOnlyAndAMissingMeshIsReported) {
  Land.SetPointHeight(5, 5, std::numeric_limits<float>::quiet_NaN());
  World.Log.Clear();
  Land.CreateMesh();
  // Point (5, 5) is a corner of four squares: eight triangles cannot be made.
  EXPECT_EQ(World.Log.CountLinesStartingWith("Error 0016: @ Landscape.AddTriangle()"), 8);
  EXPECT_EQ(Mesh.TriangleCount(), 2 * Land.GridSize * Land.GridSize + 2 - 8);

  World.Scene.GLFreeForm1->DestroyChildren();
  World.Log.Clear();
  Land.CreateMesh();
  EXPECT_EQ(World.Log.GetLines(), std::vector<std::string>{"Error 0016: @ Landscape.CreateMesh()"});
}

// The fog and light animations read the palette from the landscape: a landscape made while
// Mesh1 is missing must still have its own colours, and show them in the sky and the lights.
TEST_F(MeshOfOneLandscape, AMissingMeshLeavesNoStalePalette) {
  TWorldFixture reference;
  const TLandscape& next = reference.MakeLandscape(4711, 30);
  ASSERT_NE(next.SkyColour, Land.SkyColour);
  ASSERT_NE(next.MainLightColour, Land.MainLightColour);

  World.Scene.GLFreeForm1->DestroyChildren();
  World.Log.Clear();
  World.MakeLandscape(4711, 30);
  EXPECT_EQ(World.Log.CountLinesStartingWith("Error 0016"), 1);
  EXPECT_EQ(World.Log.CountLinesStartingWith("Error 0016: @ Landscape.CreateMesh()"), 1);
  EXPECT_EQ(Land.FlatColourOdd, next.FlatColourOdd);
  EXPECT_EQ(Land.FlatColourEven, next.FlatColourEven);
  EXPECT_EQ(Land.SkyColour, next.SkyColour);
  EXPECT_EQ(Land.SlopeColourEven, next.SlopeColourEven);
  EXPECT_EQ(Land.SlopeColourOdd, next.SlopeColourOdd);
  EXPECT_EQ(Land.MainLightColour, next.MainLightColour);
  EXPECT_EQ(Land.SecondLightColour, next.SecondLightColour);
  const TSceneViewer& viewer = World.Scene.GLSceneViewer1;
  EXPECT_EQ(viewer.BackgroundColor, ColorNumber(next.SkyColour));
  EXPECT_EQ(viewer.Fog.Color, next.SkyColour);
  EXPECT_EQ(glm::vec3(World.Scene.GLLightSource1->Diffuse()), glm::vec3(next.MainLightColour));
  EXPECT_EQ(glm::vec3(World.Scene.GLLightSource3->Diffuse()), glm::vec3(next.SecondLightColour));
}

// A missing light is reported; the other light, the sky and the mesh still take the new
// landscape's colours, whichever light is missing.
TEST(LandscapeMesh, AMissingLightIsReportedAndTheRestStillTakeTheirColours) {
  TWorldFixture reference;
  const TLandscape& next = reference.MakeLandscape(4711, 30);
  for (const bool mainLightMissing : {true, false}) {
    SCOPED_TRACE(mainLightMissing ? "GLLightSource1 missing" : "GLLightSource3 missing");
    TWorldFixture world;
    const TLandscape& land = world.MakeLandscape(424242, 70);
    ASSERT_NE(land.MainLightColour, next.MainLightColour);
    ASSERT_NE(land.SecondLightColour, next.SecondLightColour);
    TLightSource* missing =
        mainLightMissing ? world.Scene.GLLightSource1 : world.Scene.GLLightSource3;
    ASSERT_TRUE(missing->Parent()->DestroyChild(missing));

    world.Log.Clear();
    world.MakeLandscape(4711, 30);
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0016"), 1);
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0016: @ Landscape.CreateMesh()"), 1);
    // The generator places the second light last: it reports the missing light once its draws
    // are made, and the landscape is whole.
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0018: @ Landscape.GeneratePoints."),
              mainLightMissing ? 0 : 1);
    EXPECT_EQ(land.SquareCount, next.SquareCount);
    EXPECT_EQ(land.TolmarchX, next.TolmarchX);
    const TLightSource* present =
        mainLightMissing ? world.Scene.GLLightSource3 : world.Scene.GLLightSource1;
    ASSERT_NE(present, nullptr);
    EXPECT_EQ(glm::vec3(present->Diffuse()),
              glm::vec3(mainLightMissing ? next.SecondLightColour : next.MainLightColour));
    EXPECT_EQ(world.Scene.GLSceneViewer1.Fog.Color, next.SkyColour);
    EXPECT_EQ(world.Scene.Mesh1->TriangleCount(), 2 * land.GridSize * land.GridSize + 2);
  }
}

}  // namespace
}  // namespace orvane
