#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "WorldFixture.h"
#include "world/LandscapeDump.h"

namespace orvane {
namespace {

using test::TWorldFixture;

const TMeshVertex& VertexOf(const TMeshObject& mesh, int triangle, int corner) {
  return mesh.Vertices().at(static_cast<size_t>(triangle * 3 + corner));
}

// The colours a landscape draws for itself.
std::vector<TColor> Palette(const TLandscape& land) {
  return {land.FlatColourOdd, land.FlatColourEven,  land.SlopeColourEven,  land.SlopeColourOdd,
          land.SkyColour,     land.MainLightColour, land.SecondLightColour};
}

class MeshOfOneLandscape : public ::testing::Test {
 protected:
  TWorldFixture World;
  TLandscape& Land = World.MakeLandscape(424242, 70);
  const TMeshObject& Mesh = *World.Scene.Mesh1;
};

// Each square is two triangles in its shade of the checkerboard. A sloping square whose corners
// A = (x, z+1) and C = (x+1, z) are level is split along the other diagonal, B-D, so that the
// drawn surface follows the terrace edge.
TEST_F(MeshOfOneLandscape, SquaresAreCheckeredUpwardTrianglesOnTheirCornersSplitAtTerraceEdges) {
  int flats = 0, slopes = 0;
  for (int z = 0; z < Land.GridSize; ++z)
    for (int x = 0; x < Land.GridSize; ++x) {
      const int t = 2 * (z * Land.GridSize + x);  // squares run z-major, x-minor
      const bool flat = Land.IsFlatSquare(x, z), odd = (x + z) % 2 != 0;
      const TColor& colour = flat ? (odd ? Land.FlatColourOdd : Land.FlatColourEven)
                                  : (odd ? Land.SlopeColourOdd : Land.SlopeColourEven);
      for (int k = 0; k < 6; ++k) {
        const TMeshVertex& v = VertexOf(Mesh, t + k / 3, k % 3);
        const glm::vec3 p = v.Position;
        ASSERT_TRUE(p.x >= x && p.x <= x + 1 && p.z >= z && p.z <= z + 1) << x << "," << z;
        ASSERT_EQ(p.y, Land.PointHeight(int(p.x), int(p.z)));
        ASSERT_EQ(v.Color, colour) << x << "," << z;
        ASSERT_GT(v.Normal.y, 0.0f) << "the terrain is seen from above";
        ASSERT_NEAR(glm::length(v.Normal), 1.0f, 1e-4);
        ASSERT_TRUE(!flat || v.Normal == glm::vec3(0, 1, 0)) << x << "," << z;
      }
      if (flat) {
        ++flats;
        continue;
      }
      // The shared edge of the two triangles, the diagonal, is the first one's first two corners.
      const bool aEqualsC = Land.PointHeight(x, z + 1) == Land.PointHeight(x + 1, z);
      const glm::vec3 first = VertexOf(Mesh, t, 0).Position, second = VertexOf(Mesh, t, 1).Position;
      EXPECT_EQ(glm::vec2(first.x, first.z), aEqualsC ? glm::vec2(x, z) : glm::vec2(x + 1, z));
      EXPECT_EQ(glm::vec2(second.x, second.z),
                aEqualsC ? glm::vec2(x + 1, z + 1) : glm::vec2(x, z + 1));
      ++slopes;
    }
  EXPECT_GT(flats, 10);
  EXPECT_GT(slopes, 100);
  EXPECT_NE(Land.FlatColourOdd, Land.FlatColourEven);
}

TEST_F(MeshOfOneLandscape, FloorLiesAtTheRimUnderTheWholeLandscapeAndTheGroundShines) {
  EXPECT_EQ(Mesh.Material().Shininess, 20.0f);
  EXPECT_EQ(glm::vec3(Mesh.Material().Specular), glm::vec3(1.0f));
  const int floor = 2 * Land.GridSize * Land.GridSize;
  for (int k = 0; k < 6; ++k) {
    const TMeshVertex& v = VertexOf(Mesh, floor + k / 3, k % 3);
    EXPECT_EQ(v.Color, TColor(0.0f, 0.5f, 0.0f, 1.0f));
    EXPECT_EQ(v.Position.y, Land.PointHeight(0, 0));
    EXPECT_TRUE(v.Position.x == 0 || v.Position.x == Land.GridSize);
  }
}

TEST_F(MeshOfOneLandscape, PaletteChannelsStayInTheirRanges) {
  const struct {
    const TColor& Colour;
    float Low, High;
  } ranges[] = {{Land.FlatColourOdd, 0.0f, 0.72f},
                {Land.FlatColourEven, 0.0f, 0.92f},
                {Land.SlopeColourEven, 0.62f, 0.98f},
                {Land.SlopeColourOdd, 0.62f, 0.98f},
                {Land.MainLightColour, 2.7f, 3.15f}};
  for (const auto& r : ranges)
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(r.Colour[i] >= r.Low && r.Colour[i] <= r.High + 1e-6f) << r.Colour[i];
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(Land.SlopeColourOdd[i], Land.SlopeColourEven[i], 0.03 + 1e-6);
    EXPECT_NEAR(Land.FlatColourOdd[i], Land.FlatColourEven[i], 0.2 + 1e-6);
  }
  EXPECT_TRUE(Land.SkyColour.a >= 0.0f && Land.SkyColour.a < 0.1f) << Land.SkyColour.a;
}

TEST_F(MeshOfOneLandscape, ABadPointLosesItsTrianglesOnly) {
  Land.SetPointHeight(5, 5, std::numeric_limits<float>::quiet_NaN());
  World.Log.Clear();
  Land.CreateMesh();
  // Point (5, 5) is a corner of four squares: eight triangles cannot be made.
  EXPECT_EQ(World.Log.CountLinesStartingWith("Error 0016: @ Landscape.AddTriangle()"), 8);
  EXPECT_EQ(Mesh.TriangleCount(), 2 * Land.GridSize * Land.GridSize + 2 - 8);
}

// The fog and light animations read the palette from the landscape: a landscape made while the
// mesh or a light is missing must still have its own colours, and show them wherever it can. The
// generator places the second light last: it reports it missing once its draws are made, and
// the landscape is whole; the start placement reports a missing main light, and goes on.
TEST(LandscapeMesh, AMissingMeshOrLightIsReportedAndLeavesNoStaleColours) {
  TWorldFixture reference;
  const TLandscape& next = reference.MakeLandscape(4711, 30);
  for (const std::string missing : {"Mesh1", "GLLightSource1", "GLLightSource3"}) {
    SCOPED_TRACE(missing + " missing");
    TWorldFixture world;
    const TScene& scene = world.Scene;
    const TLandscape& land = world.MakeLandscape(424242, 70);
    for (size_t i = 0; i < Palette(land).size(); ++i)
      ASSERT_NE(Palette(land)[i], Palette(next)[i]) << i;
    TSceneObject* object = scene.Mesh1;
    if (missing != "Mesh1")
      object = missing == "GLLightSource1" ? scene.GLLightSource1 : scene.GLLightSource3;
    ASSERT_TRUE(object->Parent()->DestroyChild(object));

    world.Log.Clear();
    world.MakeLandscape(4711, 30);
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0016"), 1);
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0016: @ Landscape.CreateMesh()"), 1);
    EXPECT_EQ(world.Log.CountLinesStartingWith("Error 0018: @ Landscape.GeneratePoints."),
              missing == "GLLightSource3" ? 1 : 0);
    EXPECT_EQ(
        world.Log.CountLinesStartingWith("Error 0004: OpenGL GLLightSource1 not initialised @ "
                                         "Landscape.PositionStartGameObjects()"),
        missing == "GLLightSource1" ? 1 : 0);
    EXPECT_EQ(LandscapeJson(land, 0), LandscapeJson(next, 0)) << "the landscape is whole";
    EXPECT_EQ(Palette(land), Palette(next));
    EXPECT_EQ(scene.GLSceneViewer1.BackgroundColor, ColorNumber(next.SkyColour));
    EXPECT_EQ(scene.GLSceneViewer1.Fog.Color, next.SkyColour);
    const auto shows = [](const TLightSource* light, const TColor& colour) {
      return !light || glm::vec3(light->Diffuse()) == glm::vec3(colour);
    };
    EXPECT_TRUE(shows(scene.GLLightSource1, next.MainLightColour));
    EXPECT_TRUE(shows(scene.GLLightSource3, next.SecondLightColour));
    EXPECT_TRUE(!scene.Mesh1 ||
                scene.Mesh1->TriangleCount() == 2 * land.GridSize * land.GridSize + 2);
  }
}

}  // namespace
}  // namespace orvane
