// The landscape's look: its palette, drawn from the landscape's random numbers, one coloured
// triangle mesh over the grid, and the sky, fog and light colours handed to the scene.

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

#include "console/Log.h"
#include "scene/Scene.h"
#include "world/Landscape.h"
#include "world/MathKT.h"

namespace orvane {

namespace {

float Clamp01(double value) {
  return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

TColor Rgb(double red, double green, double blue) {
  return {static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue), 0.0f};
}

glm::vec3 CornerOf(const TLandscape& land, int x, int z) {
  return glm::vec3(static_cast<float>(x), land.PointHeight(x, z), static_cast<float>(z));
}

// The background and the fog take the sky's colour; the fog's alpha is its density.
void ShowSky(TSceneViewer& viewer, const TColor& sky) {
  viewer.BackgroundColor = ColorNumber(sky);
  viewer.FogEnable = true;
  viewer.Fog.Color = sky;
}

void ColourLight(TLightSource* light, const char* name, const TColor& colour) {
  if (!light) throw std::runtime_error(std::string(name) + " does not exist");
  light->SetDiffuseRGB(colour.r, colour.g, colour.b);
}

}  // namespace

void TLandscape::AddTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c,
                             const TColor& color) {
  Guarded(World.Log, "Error 0016: @ Landscape.AddTriangle()", [&] {
    for (const glm::vec3* p : {&a, &b, &c})
      if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->z))
        throw std::domain_error("a triangle corner is not a finite point");
    World.Scene.Mesh1->AddTriangle(a, b, c, color);
  });
}

// The palette comes first and needs nothing of the scene: the fog and light animations read
// it from the landscape, so a missing scene object must not leave the last landscape's
// colours behind. Then the mesh, the sky and each light take their part on their own; one
// that fails is reported, and the others still show the new landscape.
void TLandscape::CreateMesh() {
  constexpr std::string_view failure = "Error 0016: @ Landscape.CreateMesh()";
  TScene& scene = World.Scene;
  if (!Guarded(World.Log, failure, [&] { WorkOutPalette(); })) return;
  Guarded(World.Log, failure, [&] { BuildGroundMesh(); });
  Guarded(World.Log, failure, [&] { ShowSky(scene.GLSceneViewer1, SkyColour); });
  Guarded(World.Log, failure,
          [&] { ColourLight(scene.GLLightSource1, "GLLightSource1", MainLightColour); });
  Guarded(World.Log, failure,
          [&] { ColourLight(scene.GLLightSource3, "GLLightSource3", SecondLightColour); });
}

// The colours follow from the landscape's own numbers: flat squares a random colour in two
// shades, slopes a light grey in two close shades, an overbright main light, and a sky
// tinted by the second light.
void TLandscape::WorkOutPalette() {
  auto P = [&](int n) { return Params(n); };
  const double b = 0.25 * P(29);
  FlatColourOdd = Rgb(0.45 * P(4) + b, 0.4 * P(5) + b + 0.07, 0.45 * P(6) + b);
  FlatColourEven = {Clamp01(0.4 * P(7) + FlatColourOdd.r - 0.2),
                    Clamp01(0.4 * P(8) + FlatColourOdd.g - 0.2),
                    Clamp01(0.4 * P(9) + FlatColourOdd.b - 0.2), 0.0f};
  SlopeColourEven = {Clamp01(0.25 * P(10) + 0.7), Clamp01(0.25 * P(11) + 0.7),
                     Clamp01(0.25 * P(12) + 0.65), 0.0f};
  SlopeColourOdd = {Clamp01(0.06 * P(13) + SlopeColourEven.r - 0.03),
                    Clamp01(0.06 * P(14) + SlopeColourEven.g - 0.03),
                    Clamp01(0.06 * P(15) + SlopeColourEven.b - 0.03), 0.0f};
  MainLightColour =
      Rgb((0.15 * P(16) + 0.9) * 3.0, (0.15 * P(17) + 0.9) * 3.0, (0.15 * P(18) + 0.9) * 3.0);
  SecondLightColour = Rgb(0.4 * P(19) + 0.01, 0.4 * P(20) + 0.01, 0.4 * P(21) + 0.01);
  const float t = static_cast<float>(P(22) * P(23) * P(24) * 0.1);
  const double u = 0.9 * P(25);
  SkyColour = Rgb(std::max(0.0, 0.6 * P(26) + u), std::max(0.0, 0.6 * P(27) + u),
                  std::max(0.0, 0.6 * P(28) + u));
  SkyColour.a = t;
  for (int c = 0; c < 3; ++c)
    SkyColour[c] =
        static_cast<float>(SecondLightColour[c] * t * 4.0 + (1.0 - t * 4.0) * SkyColour[c]);
}

// Mesh1 is rebuilt from scratch: the squares, the floor under them, and a shine.
void TLandscape::BuildGroundMesh() {
  TMeshObject* mesh = World.Scene.Mesh1;
  if (!mesh) throw std::runtime_error("Mesh1 does not exist");
  const TUpdateBracket bracket(*mesh);
  mesh->Mode = TMeshMode::Triangles;
  mesh->ClearVertices();
  mesh->ReserveVertices(static_cast<size_t>(6 * GridSize * GridSize + 6));
  AddSquareTriangles();
  AddFloor();
  // Each triangle came with its normal, counter-clockwise faces being front faces.
  TMaterial& material = mesh->EditMaterial();
  material.Specular = {1.0f, 1.0f, 1.0f, material.Specular.a};
  material.Shininess = 20.0f;
}

// Two triangles per square, three vertices each, in the square's shade of the checkerboard.
// A sloping square whose corners A and C are level is split along the other diagonal, B-D,
// so that the drawn surface follows the terrace edge.
void TLandscape::AddSquareTriangles() {
  for (int z = 0; z < GridSize; ++z) {
    for (int x = 0; x < GridSize; ++x) {
      const glm::vec3 A = CornerOf(*this, x, z + 1), B = CornerOf(*this, x + 1, z + 1),
                      C = CornerOf(*this, x + 1, z), D = CornerOf(*this, x, z);
      const bool flat = A.y == B.y && D.y == C.y && A.y == D.y;
      const bool odd = (x + z) % 2 != 0;
      const TColor& colour =
          flat ? (odd ? FlatColourOdd : FlatColourEven) : (odd ? SlopeColourOdd : SlopeColourEven);
      if (flat) {
        AddTriangle(D, A, B, colour);
        AddTriangle(B, C, D, colour);
      } else if (A.y == C.y) {
        AddTriangle(D, B, C, colour);
        AddTriangle(B, D, A, colour);
      } else {
        AddTriangle(C, A, B, colour);
        AddTriangle(A, C, D, colour);
      }
    }
  }
}

// A floor under the whole landscape, at the rim's height.
void TLandscape::AddFloor() {
  const int N = GridSize;
  const TColor floorColour{0.0f, 0.5f, 0.0f, 1.0f};
  AddTriangle(CornerOf(*this, 0, N), CornerOf(*this, 0, 0), CornerOf(*this, N, N), floorColour);
  AddTriangle(CornerOf(*this, N, 0), CornerOf(*this, N, N), CornerOf(*this, 0, 0), floorColour);
}

}  // namespace orvane
