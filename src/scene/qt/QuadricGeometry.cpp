#include "scene/qt/QuadricGeometry.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "scene/Scene.h"

namespace orvane {

namespace {

// Adds a triangle, putting its corners in the order that makes `outward` its front.
void AddFacing(std::vector<TQuadricVertex>& out, TQuadricVertex a, TQuadricVertex b,
               TQuadricVertex c, const glm::vec3& outward) {
  if (glm::dot(glm::cross(b.Position - a.Position, c.Position - a.Position), outward) < 0.0f)
    std::swap(b, c);
  out.push_back(a);
  out.push_back(b);
  out.push_back(c);
}

glm::vec3 Around(float angle) {
  return {std::cos(angle), 0.0f, std::sin(angle)};
}

// The outward normal of the side at an angle: the side leans in by the change of radius.
glm::vec3 SideNormal(float angle, float bottomRadius, float topRadius) {
  return glm::normalize(Around(angle) + glm::vec3(0.0f, bottomRadius - topRadius, 0.0f));
}

void AddCap(std::vector<TQuadricVertex>& out, float radius, float y, int slices) {
  if (radius <= 0.0f) return;
  const float step = 2.0f * glm::pi<float>() / static_cast<float>(slices);
  const glm::vec3 normal(0.0f, y > 0.0f ? 1.0f : -1.0f, 0.0f);
  const TQuadricVertex centre{{0.0f, y, 0.0f}, normal};
  for (int i = 0; i < slices; ++i) {
    const TQuadricVertex a{radius * Around(step * i) + glm::vec3(0.0f, y, 0.0f), normal};
    const TQuadricVertex b{radius * Around(step * (i + 1)) + glm::vec3(0.0f, y, 0.0f), normal};
    AddFacing(out, centre, a, b, normal);
  }
}

void AddSides(std::vector<TQuadricVertex>& out, float bottomRadius, float topRadius, int slices) {
  const float step = 2.0f * glm::pi<float>() / static_cast<float>(slices);
  for (int i = 0; i < slices; ++i) {
    const float a0 = step * i;
    const float a1 = step * (i + 1);
    const glm::vec3 n0 = SideNormal(a0, bottomRadius, topRadius);
    const glm::vec3 n1 = SideNormal(a1, bottomRadius, topRadius);
    const glm::vec3 outward = SideNormal(0.5f * (a0 + a1), bottomRadius, topRadius);
    const TQuadricVertex b0{bottomRadius * Around(a0) - glm::vec3(0.0f, 0.5f, 0.0f), n0};
    const TQuadricVertex b1{bottomRadius * Around(a1) - glm::vec3(0.0f, 0.5f, 0.0f), n1};
    const TQuadricVertex t0{topRadius * Around(a0) + glm::vec3(0.0f, 0.5f, 0.0f), n0};
    const TQuadricVertex t1{topRadius * Around(a1) + glm::vec3(0.0f, 0.5f, 0.0f), n1};
    // At an apex the side is one triangle whose apex has the normal of the side's middle.
    if (topRadius <= 0.0f) {
      AddFacing(out, b0, b1, {t0.Position, outward}, outward);
    } else if (bottomRadius <= 0.0f) {
      AddFacing(out, {b0.Position, outward}, t1, t0, outward);
    } else {
      AddFacing(out, b0, b1, t1, outward);
      AddFacing(out, b0, t1, t0, outward);
    }
  }
}

}  // namespace

std::vector<TQuadricVertex> BuildQuadric(float bottomRadius, float topRadius, int slices,
                                         unsigned parts) {
  std::vector<TQuadricVertex> vertices;
  slices = std::max(slices, 3);
  if (parts & qpSides) AddSides(vertices, bottomRadius, topRadius, slices);
  if (parts & qpTop) AddCap(vertices, topRadius, 0.5f, slices);
  if (parts & qpBottom) AddCap(vertices, bottomRadius, -0.5f, slices);
  return vertices;
}

}  // namespace orvane
