#include <cmath>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "SceneTestSupport.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

using test::DistanceToTarget;
using test::Near;

TEST(CameraOrbit, KeepsTheDistanceAndAFullTurnReturnsToTheStart) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
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
  for (int i = 0; i < 4; ++i) {
    camera.MoveAroundTarget(0.0f, 90.0f);
  }
  EXPECT_TRUE(Near(camera.Position(), start, 1e-4f));
  camera.MoveAroundTarget(0.0f, -360.0f);
  EXPECT_TRUE(Near(camera.Position(), start, 1e-4f));
}

TEST(CameraOrbit, PositiveTurnGoesCounterClockwiseSeenFromAbove) {
  // Seen from above (looking down -Y) with +X to the right, +Z points down the screen.
  // The camera starts north of the target (at -Z, the top of that picture); a quarter
  // turn counter-clockwise brings it to the west (-X, the left), at the same height.
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  ASSERT_TRUE(Near(camera.Position(), {0.0f, 1.0f, -1.0f}, 0.0f));
  camera.MoveAroundTarget(0.0f, 90.0f);
  EXPECT_TRUE(Near(camera.Position(), {-1.0f, 1.0f, 0.0f}, 1e-5f));

  // A small turn: the offset from the target turns by the right-hand rule about +Y.
  const glm::vec3 before = camera.Position();
  camera.MoveAroundTarget(0.0f, 10.0f);
  EXPECT_GT(glm::cross(before, camera.Position()).y, 0.0f);
  camera.MoveAroundTarget(0.0f, -10.0f);
  EXPECT_TRUE(Near(camera.Position(), before, 1e-5f));
}

TEST(CameraOrbit, PositivePitchLiftsAndStopsShortOfThePoles) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  camera.MoveAroundTarget(10.0f, 0.0f);
  EXPECT_GT(camera.Position().y, 1.0f);
  EXPECT_NEAR(camera.Position().x, 0.0f, 1e-6f);
  EXPECT_LT(camera.Position().z, 0.0f);
  // From 45 degrees above the horizon, 10 more degrees up.
  const float elevation = glm::degrees(std::asin(camera.Position().y / DistanceToTarget(camera)));
  EXPECT_NEAR(elevation, 55.0f, 1e-3f);
  camera.MoveAroundTarget(-20.0f, 0.0f);
  EXPECT_LT(camera.Position().y, 1.0f);

  // Pitching far past straight above, then far past straight below.
  const float distance = DistanceToTarget(camera);
  for (float pitch : {200.0f, -400.0f}) {
    for (int i = 0; i < 3; ++i) {
      camera.MoveAroundTarget(pitch, 0.0f);
    }
    const glm::vec3 offset = camera.Position() - scene.DummyCube1->Position();
    EXPECT_NEAR(glm::length(offset), distance, 1e-4f) << pitch;
    const float horizontal = std::hypot(offset.x, offset.z);
    EXPECT_GT(horizontal, 1e-3f * distance) << "camera over the pole at pitch " << pitch;
    EXPECT_GT(std::abs(offset.y), 0.95f * distance) << pitch;
    EXPECT_EQ(offset.y > 0.0f, pitch > 0.0f) << pitch;
    // It stays on its own side rather than flipping over the pole.
    EXPECT_NEAR(offset.x, 0.0f, 1e-5f);
    EXPECT_LT(offset.z, 0.0f);
    // The camera's axes stay well defined there.
    EXPECT_NEAR(glm::length(camera.RightVector()), 1.0f, 1e-4f);
  }
}

TEST(CameraEyeSpace, MovesFollowTheCameraAxes) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  const glm::vec3 start = camera.Position();
  const float distance = DistanceToTarget(camera);
  const glm::vec3 forward = camera.ForwardVector();
  camera.MoveInEyeSpace(0.5f, 0.0f, 0.0f);
  EXPECT_NEAR(DistanceToTarget(camera), distance - 0.5f, 1e-5f);
  EXPECT_TRUE(Near(camera.Position(), start + 0.5f * forward, 1e-5f));
  EXPECT_TRUE(Near(scene.DummyCube1->Position(), {0.0f, 0.0f, 0.0f}, 0.0f));
  camera.MoveInEyeSpace(-2.0f, 0.0f, 0.0f);  // backwards: away from the target
  EXPECT_NEAR(DistanceToTarget(camera), distance + 1.5f, 1e-5f);

  camera.SetPosition(start);
  const glm::vec3 right = camera.RightVector();
  const glm::vec3 upward = camera.UpwardVector();
  camera.MoveInEyeSpace(0.0f, 2.0f, 0.0f);
  EXPECT_TRUE(Near(camera.Position(), start + 2.0f * right, 1e-5f));
  camera.SetPosition(start);
  camera.MoveInEyeSpace(0.0f, 0.0f, 3.0f);
  EXPECT_TRUE(Near(camera.Position(), start + 3.0f * upward, 1e-5f));
  EXPECT_TRUE(Near(scene.DummyCube1->Position(), {0.0f, 0.0f, 0.0f}, 0.0f));
}

TEST(CameraEyeSpace, MovingTheTargetLeavesTheCameraInPlace) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  const glm::vec3 start = camera.Position();
  const glm::vec3 forward = camera.ForwardVector();
  const glm::vec3 right = camera.RightVector();
  const glm::vec3 upward = camera.UpwardVector();
  camera.MoveTargetInEyeSpace(1.0f, 2.0f, 3.0f);
  EXPECT_TRUE(Near(camera.Position(), start, 0.0f));
  EXPECT_TRUE(
      Near(scene.DummyCube1->Position(), 1.0f * forward + 2.0f * right + 3.0f * upward, 1e-5f));
}

TEST(CameraAxes, AreOrthonormalAndRightHanded) {
  TScene scene;
  TCamera& camera = *scene.GLCamera1;
  // The design camera looks down towards +Z from above the target's north side: its
  // right is -X and its upward axis leans up and forward.
  EXPECT_TRUE(Near(camera.ForwardVector(), glm::normalize(glm::vec3(0, -1, 1)), 1e-6f));
  EXPECT_TRUE(Near(camera.RightVector(), {-1.0f, 0.0f, 0.0f}, 1e-6f));
  EXPECT_TRUE(Near(camera.UpwardVector(), glm::normalize(glm::vec3(0, 1, 1)), 1e-6f));

  scene.DummyCube1->SetPosition({4.0f, -2.0f, 9.0f});
  const float moves[][2] = {{0, 0}, {30, 40}, {-60, 120}, {80, -75}, {-80, 200}};
  for (const auto& move : moves) {
    camera.MoveAroundTarget(move[0], move[1]);
    const glm::vec3 f = camera.ForwardVector();
    const glm::vec3 r = camera.RightVector();
    const glm::vec3 u = camera.UpwardVector();
    EXPECT_NEAR(glm::length(f), 1.0f, 1e-5f);
    EXPECT_NEAR(glm::length(r), 1.0f, 1e-5f);
    EXPECT_NEAR(glm::length(u), 1.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(f, r), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(f, u), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(r, u), 0.0f, 1e-5f);
    EXPECT_GT(u.y, 0.0f);           // the picture is not upside down
    EXPECT_NEAR(r.y, 0.0f, 1e-5f);  // and not rolled
    EXPECT_TRUE(Near(glm::cross(r, u), -f, 1e-5f));
    EXPECT_TRUE(Near(f, glm::normalize(scene.DummyCube1->Position() - camera.Position()), 1e-5f));
  }
}

}  // namespace
}  // namespace orvane
