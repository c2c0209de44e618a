#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "scene/Scene.h"

namespace orvane {
namespace {

::testing::AssertionResult Near(const glm::vec3& actual, const glm::vec3& expected,
                                float tolerance = 1e-5f) {
  if (glm::length(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z
                                       << ") is off by " << glm::length(actual - expected);
}

TEST(SceneObjectChildren, AreAddedInOrderAndDestroyedCheckedByIndex) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2;
  TDummyCube* holder = parent.AddNewChild<TDummyCube>();
  parent.AddNewChild<TCone>();
  TCylinder* cylinder = parent.AddNewChild<TCylinder>();
  TCone* grandchild = holder->AddNewChild<TCone>();
  ASSERT_EQ(parent.Count(), 3);
  EXPECT_EQ(parent.Child(0), holder);
  EXPECT_EQ(parent.Child(2), cylinder);
  EXPECT_EQ(grandchild->Parent(), holder);

  EXPECT_THROW(parent.Child(-1), std::out_of_range);
  EXPECT_THROW(parent.Child(3), std::out_of_range);
  EXPECT_THROW(parent.DestroyChild(3), std::out_of_range);

  parent.DestroyChild(1);
  ASSERT_EQ(parent.Count(), 2);
  EXPECT_EQ(parent.Child(1), cylinder);
  // Only direct children are destroyed by pointer.
  EXPECT_FALSE(parent.DestroyChild(grandchild));
  EXPECT_FALSE(parent.DestroyChild(scene.Mesh1));
  EXPECT_TRUE(parent.DestroyChild(holder));
  parent.DestroyChildren();
  EXPECT_EQ(parent.Count(), 0);
}

TEST(SceneObjectChildren, DestroyingANamedObjectOrTheTargetClearsThePointers) {
  TScene scene;
  TSceneObject& root = scene.Root();
  ASSERT_TRUE(root.DestroyChild(scene.DummyCube1));
  EXPECT_EQ(scene.DummyCube1, nullptr);
  EXPECT_EQ(scene.GLCamera1->TargetObject, nullptr);

  ASSERT_TRUE(root.DestroyChild(scene.GLFreeForm1));  // takes its named child along
  EXPECT_EQ(scene.GLFreeForm1, nullptr);
  EXPECT_EQ(scene.Mesh1, nullptr);

  // Any target: here one that goes with its holder.
  TDummyCube* holder = scene.DummyCube2->AddNewChild<TDummyCube>();
  scene.GLCamera1->TargetObject = holder->AddNewChild<TDummyCube>();
  scene.DummyCube2->DestroyChild(holder);
  EXPECT_EQ(scene.GLCamera1->TargetObject, nullptr);

  ASSERT_TRUE(root.DestroyChild(scene.GLCamera1));
  EXPECT_EQ(scene.GLSceneViewer1.Camera, nullptr);
  scene.GLSceneViewer1.SetFieldOfView(60.0f);  // no camera: nothing to set
  EXPECT_NE(scene.DummyCube2, nullptr);
}

// The parent's +Z is the world's +X after a quarter turn: children move with their parents.
TEST(SceneObjectPlace, TurnAngleMapsTheFrontOntoTheLandscapeAndChildrenMoveWithTheirParents) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2->AddNewChild<TDummyCube>();
  for (const float degrees : {0.0f, 30.0f, 180.0f, -45.0f, 90.0f}) {  // a quarter turn last
    parent.SetTurnAngle(degrees);
    const glm::vec3 front(parent.AbsoluteMatrix() * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f));
    const glm::vec3 up(parent.AbsoluteMatrix() * glm::vec4(0.0f, 1.0f, 0.0f, 0.0f));
    const float a = glm::radians(degrees);
    EXPECT_TRUE(Near(front, {std::sin(a), 0.0f, std::cos(a)})) << degrees;
    EXPECT_TRUE(Near(up, {0.0f, 1.0f, 0.0f})) << degrees;
  }
  parent.SetPosition({10.0f, 1.0f, 5.0f});
  parent.SetScale({2.0f, 2.0f, 2.0f});
  TCylinder& child = *parent.AddNewChild<TCylinder>();
  child.SetPosition({0.0f, 2.0f, 3.0f});
  EXPECT_TRUE(Near(child.AbsolutePosition(), {16.0f, 5.0f, 5.0f}));
  TCone& grandchild = *child.AddNewChild<TCone>();
  grandchild.SetPosition({1.0f, 0.0f, 0.0f});
  grandchild.SetTurnAngle(45.0f);  // its own turn does not move it
  EXPECT_TRUE(Near(grandchild.AbsolutePosition(), {16.0f, 5.0f, 3.0f}));
}

TEST(MeshNormals, CounterClockwiseFacesAreFront) {
  TScene scene;
  TMeshObject& mesh = *scene.Mesh1;
  const TColor grey{0.5f, 0.5f, 0.5f, 1.0f};
  mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, grey);        // counter-clockwise from above
  mesh.AddTriangle({0, 0, 0}, {1, 0, 1}, {0, 0, 1}, grey);        // the other way round
  mesh.AddTriangle({10, 0, 10}, {10, 0, 14}, {14, 4, 14}, grey);  // a slope
  mesh.AddTriangle({2, 3, 4}, {2, 3, 4}, {2, 3, 4}, grey);        // a point: still finite
  for (const glm::vec3 corner : {glm::vec3(5, 1, 5), glm::vec3(5, 1, 6), glm::vec3(6, 1, 6)})
    mesh.AddVertex({corner, glm::vec3(0.0f, 0.0f, -1.0f), grey});  // a wrong normal

  const glm::vec3 expected[] = {
      {0, 1, 0}, {0, -1, 0}, glm::normalize(glm::vec3(-1, 1, 0)), {0, 1, 0}, {0, 1, 0}};
  for (const bool rebuilt : {false, true}) {
    if (rebuilt) mesh.BuildNormals();
    const auto& v = mesh.Vertices();
    ASSERT_EQ(v.size(), 15u);
    for (size_t i = 0; i < (rebuilt ? 15 : 12); ++i)
      EXPECT_TRUE(Near(v[i].Normal, expected[i / 3])) << i << (rebuilt ? " rebuilt" : "");
  }
}

TEST(MeshGeometry, RevisionGrowsOnlyWithVertexChanges) {
  TScene scene;
  TMeshObject& mesh = *scene.Mesh1;
  const uint64_t start = mesh.GeometryRevision();
  mesh.SetPosition({1.0f, 2.0f, 3.0f});
  mesh.SetTurnAngle(20.0f);
  mesh.EditMaterial().Shininess = 5.0f;
  EXPECT_EQ(mesh.GeometryRevision(), start);

  const std::function<void()> vertexChanges[] = {
      [&] {
        mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1, 1});
      },
      [&] { mesh.AddVertex({}); }, [&] { mesh.BuildNormals(); },
      [&] { mesh.SetVertexColorAlpha(0.5f); }, [&] { mesh.ClearVertices(); }};
  for (size_t i = 0; i < std::size(vertexChanges); ++i) {
    const uint64_t before = mesh.GeometryRevision();
    vertexChanges[i]();
    EXPECT_GT(mesh.GeometryRevision(), before) << "change " << i;
  }
}

TEST(ColourNumber, RedInTheLowByteRoundedHalfToEvenAndClamped) {
  EXPECT_EQ(ColorNumber({1.0f / 256, 2.0f / 256, 3.0f / 256, 0.0f}), 0x030201u);
  EXPECT_EQ(ColorNumber({166.0f / 256, 202.0f / 256, 240.0f / 256, 1.0f}), clSkyBlue);
  // Exact halves go to the even neighbour: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
  EXPECT_EQ(ColorNumber({0.5f / 256, 1.5f / 256, 2.5f / 256, 1.0f}), 0x020200u);
  EXPECT_EQ(ColorNumber({0.651f, 0.0f, 0.0f, 1.0f}), 167u);  // 166.656
  // 256 and more become 255, below zero becomes 0.
  EXPECT_EQ(ColorNumber({1.0f, 2.0f, -0.1f, 1.0f}), 0x00FFFFu);
}

float DistanceToTarget(const TCamera& camera) {
  return glm::length(camera.TargetObject->AbsolutePosition() - camera.AbsolutePosition());
}

// The camera starts north of the target (-Z), 45 degrees above it; a positive quarter turn
// brings it west (-X), counter-clockwise seen from above. A positive pitch lowers it, short of
// the poles; every move keeps the distance.
TEST(CameraOrbit, TurnsCounterClockwisePitchesDownwardsAndKeepsTheDistance) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  camera.MoveAroundTarget(0.0f, 90.0f);
  EXPECT_TRUE(Near(camera.Position(), {-1.0f, 1.0f, 0.0f}));
  const float radius = DistanceToTarget(camera);
  camera.MoveAroundTarget(-10.0f, 0.0f);
  EXPECT_NEAR(glm::degrees(std::asin(camera.Position().y / radius)), 55.0f, 1e-3f);
  for (const float pitch : {600.0f, -1200.0f}) {
    camera.MoveAroundTarget(pitch, 0.0f);
    const glm::vec3 offset = camera.Position();
    EXPECT_NEAR(glm::length(offset), radius, 1e-4f) << pitch;
    EXPECT_EQ(offset.y > 0.0f, pitch < 0.0f) << pitch;
    EXPECT_GT(std::hypot(offset.x, offset.z), 1e-3f * radius) << "over the pole at " << pitch;
    EXPECT_LT(offset.x, 0.0f) << "flipped over the pole at " << pitch;
  }

  scene.DummyCube1->SetPosition({12.0f, 3.0f, 7.0f});
  camera.SetPosition({5.0f, 6.0f, 1.0f});
  const float distance = DistanceToTarget(camera);
  const float moves[][2] = {{0, 30}, {15, 0}, {-40, 75}, {10, -200}, {85, 10}, {-170, 33}};
  for (const auto& move : moves) {
    camera.MoveAroundTarget(move[0], move[1]);
    EXPECT_NEAR(DistanceToTarget(camera), distance, 1e-3f) << move[0] << ", " << move[1];
  }
  EXPECT_TRUE(Near(scene.DummyCube1->Position(), {12.0f, 3.0f, 7.0f}, 0.0f));

  const glm::vec3 start = camera.Position();
  camera.MoveAroundTarget(0.0f, 360.0f);
  EXPECT_TRUE(Near(camera.Position(), start, 1e-4f));
}

TEST(FieldOfView, SpansTheSmallerSideOfTheViewerAndReadsBack) {
  TScene scene;
  TSceneViewer& viewer = scene.GLSceneViewer1;
  TCamera& camera = *scene.GLCamera1;
  for (const auto& [width, height] : {std::pair{500, 300}, std::pair{300, 500}}) {
    viewer.Width = width;
    viewer.Height = height;
    camera.FocalLength = 1.0f;
    viewer.SetFieldOfView(135.0f);
    EXPECT_NEAR(camera.FocalLength, 62.132, 1e-3) << width << "x" << height;  // 300 / 2 tan 67.5
    EXPECT_NEAR(viewer.FieldOfView(), 135.0, 1e-3) << width << "x" << height;
  }
}

// Of a camera or of the whole scene.
TEST(UpdateBracket, NestedBracketsAnnounceOnceAtTheOutermostEnd) {
  TScene scene;
  int redraws = 0;
  scene.SetChangeListener([&redraws] { ++redraws; });
  TCamera& camera = *scene.GLCamera1;
  camera.BeginUpdate();
  camera.SetPosition({0.0f, 2.0f, -2.0f});
  camera.BeginUpdate();
  camera.MoveAroundTarget(10.0f, 20.0f);
  camera.EndUpdate();
  camera.SetDepthOfView(90.0f);
  EXPECT_EQ(redraws, 0) << "the inner end must not announce";
  camera.EndUpdate();
  EXPECT_EQ(redraws, 1);
  // Closed: changes announce one by one again, and a stray end breaks nothing.
  camera.EndUpdate();
  camera.SetDepthOfView(100.0f);
  camera.SetDepthOfView(110.0f);
  EXPECT_EQ(redraws, 3);

  scene.BeginUpdate();
  scene.GLLightSource1->SetDiffuseRGB(0.5f, 0.5f, 0.5f);
  {
    const TUpdateBracket bracket(camera);
    camera.SetDepthOfView(120.0f);
  }
  scene.DummyCube2->DestroyChild(scene.DummyCube2->AddNewChild<TCone>());
  EXPECT_EQ(redraws, 3);
  scene.EndUpdate();
  EXPECT_EQ(redraws, 4);
}

}  // namespace
}  // namespace orvane
