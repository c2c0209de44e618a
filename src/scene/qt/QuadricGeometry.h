#pragma once

#include <vector>

#include <glm/glm.hpp>

namespace orvane {

struct TQuadricVertex {
  glm::vec3 Position{0.0f};
  glm::vec3 Normal{0.0f};
};

// The triangles of a cylinder or cone standing on the Y axis, of height 1 and centred on
// the origin, with the given radii at its bottom (y = -0.5) and top (y = +0.5): `Slices`
// sides around, and of the sides, top cap and bottom cap those named by `parts` (a set of
// TQuadricPart). Faces run counter-clockwise seen from outside; the sides are smooth.
std::vector<TQuadricVertex> BuildQuadric(float bottomRadius, float topRadius, int slices,
                                         unsigned parts);

}  // namespace orvane
