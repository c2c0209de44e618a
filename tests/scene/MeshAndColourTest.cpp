#include <cmath>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "SceneTestSupport.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

using test::Near;

TEST(MeshNormals, CounterClockwiseFacesAreFrontAndDegenerateOnesStayFinite) {
  TScene scene;
  TMeshObject& mesh = *scene.Mesh1;
  const TColor grey{0.5f, 0.5f, 0.5f, 1.0f};
  // Counter-clockwise seen from above: faces up.
  mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, grey);
  // The same triangle wound the other way faces down.
  mesh.AddTriangle({0, 0, 0}, {1, 0, 1}, {0, 0, 1}, grey);
  // A slope, large and away from the origin: the normal is still of unit length.
  mesh.AddTriangle({10, 0, 10}, {10, 0, 14}, {14, 4, 14}, grey);
  // Vertices appended one by one, with a normal that BuildNormals must replace.
  for (const glm::vec3& corner : {glm::vec3(5, 1, 5), glm::vec3(5, 1, 6), glm::vec3(6, 1, 6)}) {
    mesh.AddVertex({corner, glm::vec3(0.0f, 0.0f, -1.0f), grey});
  }
  ASSERT_EQ(mesh.TriangleCount(), 4);
  // A triangle carries its face normal from the start.
  EXPECT_TRUE(Near(mesh.Vertices()[0].Normal, {0.0f, 1.0f, 0.0f}, 1e-6f));
  EXPECT_TRUE(Near(mesh.Vertices()[4].Normal, {0.0f, -1.0f, 0.0f}, 1e-6f));
  mesh.BuildNormals();

  const auto& v = mesh.Vertices();
  ASSERT_EQ(v.size(), 12u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(Near(v[9 + k].Normal, {0.0f, 1.0f, 0.0f}, 1e-6f)) << k;
    EXPECT_TRUE(Near(v[k].Normal, {0.0f, 1.0f, 0.0f}, 1e-6f)) << k;
    EXPECT_TRUE(Near(v[3 + k].Normal, {0.0f, -1.0f, 0.0f}, 1e-6f)) << k;
    EXPECT_TRUE(Near(v[6 + k].Normal, glm::normalize(glm::vec3(-1.0f, 1.0f, 0.0f)), 1e-6f)) << k;
  }
  // Positions and colours are kept.
  EXPECT_TRUE(Near(v[2].Position, {1.0f, 0.0f, 1.0f}, 0.0f));
  EXPECT_TRUE(Near(v[8].Color, grey, 0.0f));

  // Degenerate triangles, and a proper one after them that must not suffer.
  mesh.ClearVertices();
  mesh.AddTriangle({2, 3, 4}, {2, 3, 4}, {2, 3, 4}, grey);  // a point
  mesh.AddTriangle({0, 0, 0}, {1, 1, 1}, {3, 3, 3}, grey);  // a line
  mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, grey);
  for (int k = 0; k < 3; ++k)
    mesh.AddVertex({glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(0.0f), grey});
  mesh.BuildNormals();
  const auto& w = mesh.Vertices();
  ASSERT_EQ(w.size(), 12u);
  for (size_t i : {0, 1, 2, 3, 4, 5, 9, 10, 11}) {
    EXPECT_TRUE(std::isfinite(w[i].Normal.x) && std::isfinite(w[i].Normal.y) &&
                std::isfinite(w[i].Normal.z))
        << i;
  }
  for (size_t i = 6; i < 9; ++i) {
    EXPECT_TRUE(Near(w[i].Normal, {0.0f, 1.0f, 0.0f}, 1e-6f)) << i;
  }
}

TEST(MeshGeometry, RevisionFollowsVertexChangesAndAlphaIsSetAlone) {
  TScene scene;
  TMeshObject& mesh = *scene.Mesh1;
  uint64_t last = mesh.GeometryRevision();
  auto grew = [&]() {
    const bool result = mesh.GeometryRevision() > last;
    last = mesh.GeometryRevision();
    return result;
  };

  mesh.SetPosition({1.0f, 2.0f, 3.0f});
  EXPECT_FALSE(grew());
  mesh.SetTurnAngle(20.0f);
  EXPECT_FALSE(grew());
  mesh.SetVisible(false);
  EXPECT_FALSE(grew());
  mesh.EditMaterial().Shininess = 5.0f;
  EXPECT_FALSE(grew());
  mesh.SetScale({2.0f, 2.0f, 2.0f});
  EXPECT_FALSE(grew());

  mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1, 1});
  EXPECT_TRUE(grew());
  mesh.AddVertex({});
  EXPECT_TRUE(grew());
  mesh.BuildNormals();
  EXPECT_TRUE(grew());
  mesh.SetVertexColorAlpha(0.5f);
  EXPECT_TRUE(grew());
  mesh.ClearVertices();
  EXPECT_TRUE(grew());
  EXPECT_TRUE(mesh.Vertices().empty());
  EXPECT_EQ(mesh.TriangleCount(), 0);

  // The alpha of every vertex colour is set, and nothing else.
  mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {0.1f, 0.2f, 0.3f, 1.0f});
  mesh.AddTriangle({0, 0, 0}, {1, 0, 1}, {1, 0, 0}, {0.7f, 0.6f, 0.5f, 0.9f});
  mesh.SetVertexColorAlpha(0.25f);
  const auto& v = mesh.Vertices();
  ASSERT_EQ(v.size(), 6u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(Near(v[i].Color, {0.1f, 0.2f, 0.3f, 0.25f}, 0.0f)) << i;
  }
  for (size_t i = 3; i < 6; ++i) {
    EXPECT_TRUE(Near(v[i].Color, {0.7f, 0.6f, 0.5f, 0.25f}, 0.0f)) << i;
  }
  EXPECT_TRUE(Near(v[4].Position, {1.0f, 0.0f, 1.0f}, 0.0f));
}

TEST(ColourNumber, RedLowByteScaledBy256RoundedHalfToEvenAndClamped) {
  EXPECT_EQ(ColorNumber({1.0f, 0.0f, 0.0f, 1.0f}), 0x0000FFu);
  EXPECT_EQ(ColorNumber({0.0f, 1.0f, 0.0f, 1.0f}), 0x00FF00u);
  EXPECT_EQ(ColorNumber({0.0f, 0.0f, 1.0f, 1.0f}), 0xFF0000u);
  // The alpha plays no part.
  EXPECT_EQ(ColorNumber({0.0f, 0.0f, 0.0f, 0.0f}), 0u);
  EXPECT_EQ(ColorNumber({0.0f, 0.0f, 0.0f, 1.0f}), 0u);
  // Sky blue is red 166, green 202, blue 240.
  EXPECT_EQ(clSkyBlue, 0xF0CAA6u);
  EXPECT_EQ(ColorNumber({166.0f / 256, 202.0f / 256, 240.0f / 256, 1.0f}), clSkyBlue);

  EXPECT_EQ(ColorNumber({0.5f, 0.5f, 0.5f, 1.0f}), 0x808080u);
  EXPECT_EQ(ColorNumber({1.0f, 1.0f, 1.0f, 1.0f}), 0xFFFFFFu);  // 256 is clamped to 255
  EXPECT_EQ(ColorNumber({-0.1f, 2.0f, 0.0f, 1.0f}), 0x00FF00u);
  // Exact halves go to the even neighbour: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(ColorNumber({0.5f / 256, 1.5f / 256, 2.5f / 256, 1.0f}), 0x020200u);
  EXPECT_EQ(ColorNumber({3.5f / 256, 0.0f, 0.0f, 1.0f}), 4u);
  // Otherwise to the nearest: 0.651 * 256 = 166.656.
  EXPECT_EQ(ColorNumber({0.651f, 0.0f, 0.0f, 1.0f}), 167u);
  EXPECT_EQ(ColorNumber({0.0f, 0.0f, 254.4f / 256, 1.0f}), 254u << 16);
}

}  // namespace
}  // namespace orvane
