// What can be seen from where: the landscape surface as the mesh draws it, sight lines that
// only the ground can block, and how much of a flat square an eye can see.

#include <algorithm>
#include <array>
#include <cmath>

#include "simulation/Simulation.h"
#include "world/Landscape.h"
#include "world/MathKT.h"

namespace orvane {

namespace {

// The height of the surface at a point of the grid, 0 <= px, pz <= GridSize.
float SurfaceHeight(const TLandscape& land, float px, float pz) {
  const int grid = land.GridSize;
  // The far edge belongs to the last square, so its corners stay inside the grid.
  const int x = std::min(static_cast<int>(px), grid - 1);
  const int z = std::min(static_cast<int>(pz), grid - 1);
  const float level = land.LevelSquareHeight(x, z);
  if (!std::isnan(level)) return level;  // all four corners equal

  const double fx = double(px) - x;
  const double fz = double(pz) - z;
  const double h00 = land.PointHeight(x, z);
  const double h10 = land.PointHeight(x + 1, z);
  const double h01 = land.PointHeight(x, z + 1);
  const double h11 = land.PointHeight(x + 1, z + 1);
  if (h01 == h10) {
    // Split along the diagonal from (x, z) to (x + 1, z + 1).
    if (fz >= fx) return float(h00 + (h11 - h01) * fx + (h01 - h00) * fz);
    return float(h00 + (h10 - h00) * fx + (h11 - h10) * fz);
  }
  // Split along the diagonal from (x, z + 1) to (x + 1, z).
  if (fx + fz < 1.0) return float(h00 + (h10 - h00) * fx + (h01 - h00) * fz);
  return float(h11 + (h01 - h11) * (1.0 - fx) + (h10 - h11) * (1.0 - fz));
}

}  // namespace

std::optional<float> TSimulation::TerrainHeightAt(float px, float pz) {
  const TLandscape& land = Landscape();
  const float grid = float(land.GridSize);
  if (!(px >= 0.0f && pz >= 0.0f && px <= grid && pz <= grid)) return std::nullopt;
  return SurfaceHeight(land, px, pz);
}

float TSimulation::SightLine(const glm::vec3& from, const glm::vec3& to, bool belowCheck) {
  if (belowCheck && to.y > from.y) return 0.0f;
  const glm::dvec3 a(from);
  const glm::dvec3 step = glm::dvec3(to) - a;
  const double distance = glm::length(step);
  if (distance <= 2.0 / 15.0) return 1.0f;

  const TLandscape& land = Landscape();
  const double last = land.GridSize - 1;
  // No ground rises to a point above the highest one; the margin covers the rounding of the
  // surface between its corners.
  const double ceiling = double(land.HighestPoint()) + 0.001;
  const int n = Round(std::trunc(distance * 15.0 + 0.9999));
  for (int i = 1; i < n; ++i) {
    const glm::dvec3 p = a + step * (double(i) / n);
    if (p.y > ceiling || p.x < 0.0 || p.z < 0.0 || p.x > last || p.z > last) continue;
    if (double(SurfaceHeight(land, float(p.x), float(p.z))) > p.y) return 0.0f;
  }
  return 1.0f;
}

namespace {

// The points of a flat square that its visibility looks at, the middle one counted twice.
struct TSquareTargets {
  TSquareTargets(int x, int z, float h)
      : Points{{{x + 0.5f, h, z + 0.5f},
                {x + 0.001f, h, z + 0.001f},
                {x + 0.999f, h, z + 0.001f},
                {x + 0.999f, h, z + 0.999f},
                {x + 0.001f, h, z + 0.999f}}} {}
  static constexpr float Weights[5] = {2, 1, 1, 1, 1};
  std::array<glm::vec3, 5> Points;
};

}  // namespace

float TSimulation::SquareVisibility(int x, int z, const glm::vec3& eye) {
  TLandscape& land = Landscape();
  if (!land.IsFlatSquare(x, z)) return 0.0f;
  const TSquareTargets targets(x, z, land.PointHeight(x, z));
  float seen = 0.0f;
  for (size_t i = 0; i < targets.Points.size(); ++i)
    seen += TSquareTargets::Weights[i] * SightLine(eye, targets.Points[i], true);
  return seen / 6.0f;
}

bool TSimulation::SquareInSight(int x, int z, const glm::vec3& eye) {
  TLandscape& land = Landscape();
  if (!land.IsFlatSquare(x, z)) return false;
  const TSquareTargets targets(x, z, land.PointHeight(x, z));
  for (const glm::vec3& target : targets.Points)
    if (SightLine(eye, target, true) > 0.0f) return true;
  return false;
}

}  // namespace orvane
