// The shapes of the game's objects: a tree of two primitives, and small hand-made meshes for
// boulders, robots, the pedestal, the Tolmarch and sentries. The same routine draws a
// finished object (growth 1) and its materialising stages: smaller, ragged and translucent.
// Each shape draws a fixed count of random numbers whatever its growth, so that placing
// objects keeps the generator in step.

#include <array>
#include <vector>

#include "console/Log.h"
#include "scene/Scene.h"
#include "world/Landscape.h"
#include "world/Random.h"

namespace orvane {

namespace {

using TPoints = std::vector<glm::vec3>;
using TTriangle = std::array<int, 3>;

struct TRingCorners {
  float FrontY, FrontX, FrontZ, BackY, BackX, BackZ;
};

// A ring's corners: 0 = (+x, +z), 1 = (-x, +z), 2 = (-x, -z), 3 = (+x, -z); +Z is the front.
void AddRing(TPoints& points, const TRingCorners& r) {
  points.push_back({r.FrontX, r.FrontY, r.FrontZ});
  points.push_back({-r.FrontX, r.FrontY, r.FrontZ});
  points.push_back({-r.BackX, r.BackY, r.BackZ});
  points.push_back({r.BackX, r.BackY, r.BackZ});
}

// The band of 8 triangles joining a lower ring to the ring above it.
void AddBand(std::vector<TTriangle>& triangles, int lower, int upper) {
  for (int k = 0; k < 4; ++k) {
    const int next = (k + 1) % 4;
    triangles.push_back({upper + k, lower + next, lower + k});
    triangles.push_back({upper + k, upper + next, lower + next});
  }
}

constexpr std::array<TRingCorners, 5> RobotRings{{
    {0.0f, 0.1f, 0.04f, 0.0f, 0.1f, -0.04f},
    {0.6f, 0.14f, 0.06f, 0.6f, 0.14f, -0.06f},
    {0.7f, 0.16f, 0.08f, 0.7f, 0.16f, -0.08f},
    {1.1f, 0.12f, 0.06f, 1.12f, 0.13f, -0.06f},
    {1.15f, 0.02f, 0.03f, 1.15f, 0.05f, -0.06f},
}};

constexpr std::array<TRingCorners, 6> TolmarchRings{{
    {0.0f, 0.3f, 0.24f, 0.0f, 0.3f, -0.14f},
    {0.9f, 0.28f, 0.22f, 0.9f, 0.28f, -0.12f},
    {1.05f, 0.32f, 0.26f, 1.5f, 0.32f, -0.16f},
    {1.62f, 0.24f, 0.12f, 1.65f, 0.26f, -0.12f},
    {1.71f, 0.04f, 0.06f, 1.725f, 0.1f, -0.12f},
    {1.725f, 0.2f, 0.12f, 1.905f, 0.16f, -0.14f},
}};

// Moves a coordinate towards the vertical axis by an amount; a coordinate on the axis
// moves to the negative side.
float TowardsAxis(float value, double amount) {
  return static_cast<float>(value < 0.0f ? value + amount : value - amount);
}

struct TMeshShape {
  TPoints Points;
  std::vector<TTriangle> Triangles;
  std::vector<TColor> Colours;  // one per triangle
};

TMeshShape RobotShape(TRandom& random, double jitter, const TColor& body) {
  TMeshShape shape;
  for (const auto& ring : RobotRings)
    AddRing(shape.Points, ring);
  const int F = 20, BMinus = 21, BPlus = 22, Apex = 23;
  shape.Points.push_back({0.0f, 1.19f, 0.2f});
  shape.Points.push_back({-0.07f, 1.27f, -0.1f});
  shape.Points.push_back({0.07f, 1.27f, -0.1f});
  shape.Points.push_back({0.0f, 1.4f, 0.0f});
  for (int ring = 0; ring < 4; ++ring)
    AddBand(shape.Triangles, ring * 4, ring * 4 + 4);
  const int r0 = 16, r1 = 17, r2 = 18, r3 = 19;
  shape.Triangles.insert(shape.Triangles.end(), {{r1, r0, F},
                                                 {r3, BPlus, r0},
                                                 {BPlus, F, r0},
                                                 {F, BMinus, r1},
                                                 {BMinus, r2, r1},
                                                 {BMinus, BPlus, r2},
                                                 {r2, BPlus, r3},
                                                 {Apex, F, BPlus},
                                                 {Apex, BPlus, BMinus},
                                                 {Apex, BMinus, F}});
  for (int i = 0; i < Apex; ++i) {
    glm::vec3& p = shape.Points[static_cast<size_t>(i)];
    p.x = TowardsAxis(p.x, random.Random() * jitter);
    p.z = TowardsAxis(p.z, random.Random() * jitter);
  }
  shape.Points[Apex].y = static_cast<float>(shape.Points[Apex].y - random.Random() * jitter);
  shape.Colours.assign(shape.Triangles.size(), body);
  return shape;
}

// The Tolmarch, or a sentry: the Tolmarch's figure narrowed to 0.75 and lowered to 0.8.
TMeshShape TolmarchShape(TRandom& random, double jitter, const TColor& body, const TColor& face,
                         float across, float upward) {
  TMeshShape shape;
  for (const auto& ring : TolmarchRings)
    AddRing(shape.Points, ring);
  const int H1 = 24, H2 = 25, T = 26;
  shape.Points.push_back({0.06f, 2.055f, 0.24f});
  shape.Points.push_back({-0.06f, 2.055f, 0.24f});
  shape.Points.push_back({0.0f, 2.175f, -0.04f});
  for (glm::vec3& p : shape.Points)
    p = {p.x * across, p.y * upward, p.z * across};
  for (int ring = 0; ring < 5; ++ring)
    AddBand(shape.Triangles, ring * 4, ring * 4 + 4);
  shape.Colours.assign(shape.Triangles.size(), body);
  const int r0 = 20, r1 = 21, r2 = 22, r3 = 23;
  const std::array<TTriangle, 8> head{{{r3, T, H1},
                                       {r0, r3, H1},
                                       {r0, H1, H2},
                                       {r0, H2, r1},
                                       {r1, H2, r2},
                                       {r2, H2, T},
                                       {T, r3, r2},
                                       {H1, T, H2}}};
  for (size_t i = 0; i < head.size(); ++i) {
    shape.Triangles.push_back(head[i]);
    shape.Colours.push_back(i == 2 || i == 3 ? face : body);  // the black face
  }
  for (glm::vec3& p : shape.Points) {
    p.x = TowardsAxis(p.x, random.Random() * jitter);
    p.z = TowardsAxis(p.z, random.Random() * jitter);
  }
  return shape;
}

TMeshShape BoulderShape(TRandom& random, double jitter, float height, const TColor& sides,
                        const TColor& caps) {
  TMeshShape shape;
  constexpr float R = 0.45f;
  constexpr float D = 0.31819805f;  // 0.45 at 45 degrees
  shape.Points = {{R, 0, 0},      {0, 0, R},       {-R, 0, 0},       {0, 0, -R},
                  {D, height, D}, {-D, height, D}, {-D, height, -D}, {D, height, -D}};
  for (int k = 0; k < 4; ++k) {
    const int next = (k + 1) % 4;
    shape.Triangles.push_back({4 + k, next, k});
    shape.Triangles.push_back({4 + k, 4 + next, next});
  }
  shape.Colours.assign(shape.Triangles.size(), sides);
  const std::array<TTriangle, 4> capTriangles{{{6, 5, 4}, {4, 7, 6}, {0, 1, 2}, {0, 2, 3}}};
  for (const TTriangle& t : capTriangles) {
    shape.Triangles.push_back(t);
    shape.Colours.push_back(caps);
  }
  // The bottom corners move towards the axis along their own axis only.
  for (int k = 0; k < 4; ++k) {
    glm::vec3& p = shape.Points[static_cast<size_t>(k)];
    float& along = (k % 2 == 0) ? p.x : p.z;
    along = TowardsAxis(along, random.Random() * jitter);
  }
  // The top corners move towards the axis and down.
  for (int k = 4; k < 8; ++k) {
    glm::vec3& p = shape.Points[static_cast<size_t>(k)];
    p.x = TowardsAxis(p.x, random.Random() * jitter);
    p.z = TowardsAxis(p.z, random.Random() * jitter);
    p.y = static_cast<float>(p.y - random.Random() * jitter);
  }
  return shape;
}

TMeshShape PedestalShape(float height) {
  TMeshShape shape;
  shape.Points = {{0.5f, 0, 0.5f},        {-0.5f, 0, 0.5f},      {-0.5f, 0, -0.5f},
                  {0.5f, 0, -0.5f},       {0.5f, height, 0.3f},  {0.3f, height, 0.5f},
                  {-0.3f, height, 0.5f},  {-0.5f, height, 0.3f}, {-0.5f, height, -0.3f},
                  {-0.3f, height, -0.5f}, {0.3f, height, -0.5f}, {0.5f, height, -0.3f}};
  const int b0 = 0, b1 = 1, b2 = 2, b3 = 3, o0 = 4, o1 = 5, o2 = 6, o3 = 7, o4 = 8, o5 = 9, o6 = 10,
            o7 = 11;
  const TColor cornerColour{0.9f, 0.75f, 0.3f, 1.0f}, sideColour{0.7f, 0.7f, 0.5f, 1.0f},
      topColour{0.6f, 0.6f, 0.5f, 1.0f};
  auto add = [&](std::initializer_list<TTriangle> triangles, const TColor& colour) {
    for (const TTriangle& t : triangles) {
      shape.Triangles.push_back(t);
      shape.Colours.push_back(colour);
    }
  };
  add({{b0, o0, o1}, {b1, o2, o3}, {b2, o4, o5}, {b3, o6, o7}}, cornerColour);
  add({{b0, o1, o2},
       {b0, o2, b1},
       {b1, o3, o4},
       {b1, o4, b2},
       {b2, o5, o6},
       {b2, o6, b3},
       {b3, o7, b0},
       {o7, o0, b0}},
      sideColour);
  add({{o2, o1, o0}, {o2, o0, o7}, {o3, o2, o7}, {o3, o7, o6}, {o3, o6, o5}, {o3, o5, o4}},
      topColour);
  return shape;
}

// What the trunk and the crown of a tree have in common: a radius thinned at random while
// the tree grows (x drawn first), translucency while growing, the turn and the place.
struct TTreePart {
  TRandom& Random;
  double Jitter;
  float Growth;
  float Angle;

  void Finish(TSceneObject& part, double radiusScale, const TColor& colour,
              const glm::vec3& centre) const {
    const float sx = static_cast<float>(radiusScale - Random.Random() * Jitter);
    const float sz = static_cast<float>(radiusScale - Random.Random() * Jitter);
    part.SetScale({sx, 1.0f, sz});
    TMaterial& material = part.EditMaterial();
    material.BlendingMode = Growth < 1.0f ? TBlendingMode::Transparency : TBlendingMode::Opaque;
    material.Diffuse = colour;
    part.SetTurnAngle(Angle);
    part.SetPosition(centre);
  }
};

// The trunk fills the lowest quarter of the tree's height.
void MakeTrunk(TCylinder& trunk, const TTreePart& part, float height, const glm::vec3& foot) {
  trunk.Tag = 98;
  trunk.Height = height * 0.25f;
  trunk.Slices = 5;
  trunk.Stacks = 1;
  trunk.Loops = 1;
  trunk.Parts = qpSides;
  part.Finish(trunk, 0.2, {0.65f, 0.3f, 0.1f, part.Growth},
              {foot.x, foot.y + height * 0.125f, foot.z});
}

// The crown stands on the trunk and reaches the top.
void MakeCrown(TCone& crown, const TTreePart& part, float height, const glm::vec3& foot) {
  crown.Tag = 99;
  crown.Slices = 7;
  crown.Stacks = 1;
  crown.Parts = qpSides | qpBottom;
  crown.Height = height * 0.75f;
  part.Finish(crown, 0.6, {0.15f, 0.8f, 0.1f, part.Growth},
              {foot.x, foot.y + height * 0.625f, foot.z});
}

// The figure of a kind drawn with a mesh, jittered for its growth.
TMeshShape MeshShapeOf(TGameObjectKind kind, float g, TRandom& random,
                       const std::array<float, GameObjectKindCount>& heights) {
  const double J = (1.0 - g) * 0.1;
  switch (kind) {
    case go_boulder:
      return BoulderShape(random, J, heights[go_boulder], {0.5f, 0.6f, 0.8f, g},
                          {0.2f, 0.5f, 0.7f, g});
    case go_robot:
      return RobotShape(random, J, {0.7f, 0.6f, 0.2f, g});
    case go_pedestal:
      return PedestalShape(heights[go_pedestal]);
    case go_tolmarch:
      return TolmarchShape(random, J, {1.2f, 0.6f, 0.2f, g}, {0.0f, 0.0f, 0.0f, g}, 1.0f, 1.0f);
    default:  // go_sentry
      return TolmarchShape(random, J, {0.8f, 0.2f, 0.2f, g}, {0.0f, 0.0f, 0.0f, g}, 0.75f, 0.8f);
  }
}

// Every shape but the pedestal is translucent while it grows in or vanishes.
void StartShapeMesh(TMeshObject& mesh, TGameObjectKind kind, float g) {
  mesh.Tag = kind;
  mesh.VertexMode = TMeshVertexMode::PositionNormalColor;
  mesh.Mode = TMeshMode::Triangles;
  if (kind != go_pedestal)
    mesh.EditMaterial().BlendingMode =
        g < 1.0f ? TBlendingMode::Transparency : TBlendingMode::Opaque;
}

void FillShapeMesh(TMeshObject& mesh, const TMeshShape& shape) {
  mesh.ReserveVertices(shape.Triangles.size() * 3);
  for (size_t i = 0; i < shape.Triangles.size(); ++i) {
    const TTriangle& t = shape.Triangles[i];
    mesh.AddTriangle(shape.Points[static_cast<size_t>(t[0])],
                     shape.Points[static_cast<size_t>(t[1])],
                     shape.Points[static_cast<size_t>(t[2])], shape.Colours[i]);
  }
  mesh.BuildNormals();
  mesh.SetVisible(true);
}

// The robot, the pedestal, the Tolmarch and the sentries shine; the boulder keeps the
// scene's plain material.
void SetFigureMaterial(TMeshObject& mesh, TGameObjectKind kind) {
  TMaterial& material = mesh.EditMaterial();
  material.Ambient = {1.2f, 1.2f, 1.2f, 1.0f};
  material.Diffuse = {0.9f, 0.9f, 0.9f, 1.0f};
  const float specularAlpha = kind == go_tolmarch || kind == go_sentry ? 0.5f : 1.0f;
  material.Specular = {0.4f, 0.4f, 0.4f, specularAlpha};
  material.Emission = {0.0f, 0.0f, 0.0f, 1.0f};
  material.MaterialOptions = 0;
}

}  // namespace

TSceneObject* TLandscape::CreateGameShape(TGameObjectKind kind, int x, int z, float base,
                                          float angle, float growth) {
  TDummyCube* parent = World.Scene.DummyCube2;
  if (!parent || kind < go_tree || kind > go_sentry) return nullptr;
  if (kind == go_tree) return CreateTreeShape(*parent, x, z, base, angle, growth);
  return CreateMeshShape(*parent, kind, x, z, base, angle, growth);
}

// A container holding a trunk and a crown; a tree whose trunk cannot be made grows without
// one, a tree whose crown cannot be made stays a trunk.
TSceneObject* TLandscape::CreateTreeShape(TDummyCube& parent, int x, int z, float base, float angle,
                                          float growth) {
  TDummyCube* container = parent.AddNewChild<TDummyCube>();
  if (!container) return nullptr;
  const float H = ObjectHeights[go_tree];
  const TTreePart part{World.Random, (1.0 - growth) * 0.3, growth, angle};
  const glm::vec3 foot(x + 0.5f, base, z + 0.5f);
  if (TCylinder* trunk = container->AddNewChild<TCylinder>())
    MakeTrunk(*trunk, part, H, foot);
  else
    World.Log.Log("Error 0005: Could not create go_tree @ Landscape.CreateGameShape()");
  if (TCone* crown = container->AddNewChild<TCone>()) MakeCrown(*crown, part, H, foot);
  return container;
}

TSceneObject* TLandscape::CreateMeshShape(TDummyCube& parent, TGameObjectKind kind, int x, int z,
                                          float base, float angle, float growth) {
  TMeshObject* mesh = parent.AddNewChild<TMeshObject>();
  if (!mesh) return nullptr;
  const TUpdateBracket bracket(*mesh);
  StartShapeMesh(*mesh, kind, growth);
  FillShapeMesh(*mesh, MeshShapeOf(kind, growth, World.Random, ObjectHeights));
  if (kind != go_boulder) SetFigureMaterial(*mesh, kind);
  mesh->SetTurnAngle(kind == go_boulder ? angle + growth : angle);
  mesh->SetPosition({x + 0.5f, base, z + 0.5f});
  return mesh;
}

}  // namespace orvane
