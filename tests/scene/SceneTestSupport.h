#pragma once

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "scene/Scene.h"

namespace orvane::test {

inline ::testing::AssertionResult Near(const glm::vec3& actual, const glm::vec3& expected,
                                       float tolerance = 1e-4f) {
  if (glm::length(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not within "
         << tolerance << " of (" << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult Near(const glm::vec4& actual, const glm::vec4& expected,
                                       float tolerance = 1e-6f) {
  if (glm::length(actual - expected) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.x << ", " << actual.y << ", " << actual.z << ", " << actual.w
         << ") is not within " << tolerance << " of (" << expected.x << ", " << expected.y << ", "
         << expected.z << ", " << expected.w << ")";
}

// Counts the redraw requests a scene announces through its listener.
class TChangeCounter {
 public:
  explicit TChangeCounter(TScene& scene) {
    scene.SetChangeListener([this] { ++Calls; });
  }
  TChangeCounter(const TChangeCounter&) = delete;
  TChangeCounter& operator=(const TChangeCounter&) = delete;
  int Calls = 0;
};

inline float DistanceToTarget(const TCamera& camera) {
  return glm::length(camera.TargetObject->AbsolutePosition() - camera.AbsolutePosition());
}

}  // namespace orvane::test
