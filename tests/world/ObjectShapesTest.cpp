// The shapes of the game's objects: their exact geometry when complete, their ragged and
// translucent stages while they grow, their colours and materials, where they stand, and the
// random numbers each one draws.

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "ObjectManagementTestSupport.h"
#include "world/MathKT.h"

namespace orvane {
namespace {

using test::DistinctPositions;
using test::GeneratorAt;
using test::StepsBetween;
using test::TEmptyWorld;

// ---- the shapes as they should be, built from their description

struct TExpectedMesh {
  std::vector<glm::vec3> Points;
  std::vector<std::array<int, 3>> Triangles;
  std::vector<TColor> Colours;

  void Add(std::array<int, 3> t, const TColor& colour) {
    Triangles.push_back(t);
    Colours.push_back(colour);
  }
};

struct TRing {
  float FrontY, FrontX, FrontZ, BackY, BackX, BackZ;
};

// Corners 0 = (+x, +z), 1 = (-x, +z), 2 = (-x, -z), 3 = (+x, -z).
void AddRingPoints(TExpectedMesh& mesh, const TRing& r) {
  mesh.Points.push_back({r.FrontX, r.FrontY, r.FrontZ});
  mesh.Points.push_back({-r.FrontX, r.FrontY, r.FrontZ});
  mesh.Points.push_back({-r.BackX, r.BackY, r.BackZ});
  mesh.Points.push_back({r.BackX, r.BackY, r.BackZ});
}

void AddBandTriangles(TExpectedMesh& mesh, int lower, int upper, const TColor& colour) {
  for (int k = 0; k < 4; ++k) {
    const int k1 = (k + 1) % 4;
    mesh.Add({upper + k, lower + k1, lower + k}, colour);
    mesh.Add({upper + k, upper + k1, lower + k1}, colour);
  }
}

TExpectedMesh ExpectedRobot() {
  const TColor body{0.7f, 0.6f, 0.2f, 1.0f};
  TExpectedMesh m;
  const TRing rings[] = {{0, 0.1f, 0.04f, 0, 0.1f, -0.04f},
                         {0.6f, 0.14f, 0.06f, 0.6f, 0.14f, -0.06f},
                         {0.7f, 0.16f, 0.08f, 0.7f, 0.16f, -0.08f},
                         {1.1f, 0.12f, 0.06f, 1.12f, 0.13f, -0.06f},
                         {1.15f, 0.02f, 0.03f, 1.15f, 0.05f, -0.06f}};
  for (const TRing& r : rings)
    AddRingPoints(m, r);
  const int F = 20, Bm = 21, Bp = 22, A = 23;
  m.Points.push_back({0, 1.19f, 0.2f});
  m.Points.push_back({-0.07f, 1.27f, -0.1f});
  m.Points.push_back({0.07f, 1.27f, -0.1f});
  m.Points.push_back({0, 1.4f, 0});
  for (int ring = 0; ring < 4; ++ring)
    AddBandTriangles(m, 4 * ring, 4 * ring + 4, body);
  const int r0 = 16, r1 = 17, r2 = 18, r3 = 19;
  for (const std::array<int, 3>& t : std::vector<std::array<int, 3>>{{r1, r0, F},
                                                                     {r3, Bp, r0},
                                                                     {Bp, F, r0},
                                                                     {F, Bm, r1},
                                                                     {Bm, r2, r1},
                                                                     {Bm, Bp, r2},
                                                                     {r2, Bp, r3},
                                                                     {A, F, Bp},
                                                                     {A, Bp, Bm},
                                                                     {A, Bm, F}})
    m.Add(t, body);
  return m;
}

TExpectedMesh ExpectedTolmarch(const TColor& body, float across, float upward) {
  const TColor face{0, 0, 0, 1.0f};
  TExpectedMesh m;
  const TRing rings[] = {
      {0, 0.3f, 0.24f, 0, 0.3f, -0.14f},           {0.9f, 0.28f, 0.22f, 0.9f, 0.28f, -0.12f},
      {1.05f, 0.32f, 0.26f, 1.5f, 0.32f, -0.16f},  {1.62f, 0.24f, 0.12f, 1.65f, 0.26f, -0.12f},
      {1.71f, 0.04f, 0.06f, 1.725f, 0.1f, -0.12f}, {1.725f, 0.2f, 0.12f, 1.905f, 0.16f, -0.14f}};
  for (const TRing& r : rings)
    AddRingPoints(m, r);
  const int H1 = 24, H2 = 25, T = 26;
  m.Points.push_back({0.06f, 2.055f, 0.24f});
  m.Points.push_back({-0.06f, 2.055f, 0.24f});
  m.Points.push_back({0, 2.175f, -0.04f});
  for (glm::vec3& p : m.Points)
    p = {p.x * across, p.y * upward, p.z * across};
  for (int ring = 0; ring < 5; ++ring)
    AddBandTriangles(m, 4 * ring, 4 * ring + 4, body);
  const int r0 = 20, r1 = 21, r2 = 22, r3 = 23;
  m.Add({r3, T, H1}, body);
  m.Add({r0, r3, H1}, body);
  m.Add({r0, H1, H2}, face);
  m.Add({r0, H2, r1}, face);
  m.Add({r1, H2, r2}, body);
  m.Add({r2, H2, T}, body);
  m.Add({T, r3, r2}, body);
  m.Add({H1, T, H2}, body);
  return m;
}

TExpectedMesh ExpectedBoulder(float height) {
  const TColor sides{0.5f, 0.6f, 0.8f, 1.0f}, caps{0.2f, 0.5f, 0.7f, 1.0f};
  TExpectedMesh m;
  for (int k = 0; k < 4; ++k) {
    const double a = k * 90.0 * Pi / 180.0;
    m.Points.push_back({float(0.45 * std::cos(a)), 0.0f, float(0.45 * std::sin(a))});
  }
  for (int k = 0; k < 4; ++k) {
    const double a = (45.0 + k * 90.0) * Pi / 180.0;
    m.Points.push_back({float(0.45 * std::cos(a)), height, float(0.45 * std::sin(a))});
  }
  for (int k = 0; k < 4; ++k) {
    const int k1 = (k + 1) % 4;
    m.Add({4 + k, k1, k}, sides);
    m.Add({4 + k, 4 + k1, k1}, sides);
  }
  m.Add({6, 5, 4}, caps);
  m.Add({4, 7, 6}, caps);
  m.Add({0, 1, 2}, caps);
  m.Add({0, 2, 3}, caps);
  return m;
}

TExpectedMesh ExpectedPedestal(float h) {
  const TColor corner{0.9f, 0.75f, 0.3f, 1.0f}, side{0.7f, 0.7f, 0.5f, 1.0f},
      top{0.6f, 0.6f, 0.5f, 1.0f};
  TExpectedMesh m;
  m.Points = {{0.5f, 0, 0.5f}, {-0.5f, 0, 0.5f}, {-0.5f, 0, -0.5f}, {0.5f, 0, -0.5f}};
  const float octagon[8][2] = {{0.5f, 0.3f},   {0.3f, 0.5f},   {-0.3f, 0.5f}, {-0.5f, 0.3f},
                               {-0.5f, -0.3f}, {-0.3f, -0.5f}, {0.3f, -0.5f}, {0.5f, -0.3f}};
  for (const auto& o : octagon)
    m.Points.push_back({o[0], h, o[1]});
  const int b0 = 0, b1 = 1, b2 = 2, b3 = 3;
  auto o = [](int i) { return 4 + i; };
  m.Add({b0, o(0), o(1)}, corner);
  m.Add({b1, o(2), o(3)}, corner);
  m.Add({b2, o(4), o(5)}, corner);
  m.Add({b3, o(6), o(7)}, corner);
  m.Add({b0, o(1), o(2)}, side);
  m.Add({b0, o(2), b1}, side);
  m.Add({b1, o(3), o(4)}, side);
  m.Add({b1, o(4), b2}, side);
  m.Add({b2, o(5), o(6)}, side);
  m.Add({b2, o(6), b3}, side);
  m.Add({b3, o(7), b0}, side);
  m.Add({o(7), o(0), b0}, side);
  m.Add({o(2), o(1), o(0)}, top);
  m.Add({o(2), o(0), o(7)}, top);
  m.Add({o(3), o(2), o(7)}, top);
  m.Add({o(3), o(7), o(6)}, top);
  m.Add({o(3), o(6), o(5)}, top);
  m.Add({o(3), o(5), o(4)}, top);
  return m;
}

// A triangle named by its corners, turned so that its smallest corner comes first; the
// winding is kept.
std::array<int, 3> Canonical(std::array<int, 3> t) {
  while (t[0] != std::min({t[0], t[1], t[2]}))
    t = {t[1], t[2], t[0]};
  return t;
}

bool Near(const glm::vec3& a, const glm::vec3& b, float eps = 1e-6f) {
  return std::fabs(a.x - b.x) <= eps && std::fabs(a.y - b.y) <= eps && std::fabs(a.z - b.z) <= eps;
}

bool SameColour(const TColor& a, const TColor& b) {
  return std::fabs(a.r - b.r) < 1e-6f && std::fabs(a.g - b.g) < 1e-6f &&
         std::fabs(a.b - b.b) < 1e-6f && std::fabs(a.a - b.a) < 1e-6f;
}

// Every triangle of the mesh is one of the expected triangles, with the same winding and
// colour, and every expected triangle is there exactly once.
void ExpectMeshMatches(const TMeshObject& mesh, const TExpectedMesh& expected) {
  ASSERT_EQ(mesh.TriangleCount(), int(expected.Triangles.size()));
  std::map<std::array<int, 3>, int> wanted;  // canonical triangle -> index in expected
  for (size_t i = 0; i < expected.Triangles.size(); ++i)
    wanted[Canonical(expected.Triangles[i])] = int(i);
  std::set<int> found;
  const auto& v = mesh.Vertices();
  for (int t = 0; t < mesh.TriangleCount(); ++t) {
    std::array<int, 3> corners{};
    for (int c = 0; c < 3; ++c) {
      const glm::vec3& p = v[size_t(3 * t + c)].Position;
      const auto it = std::find_if(expected.Points.begin(), expected.Points.end(),
                                   [&](const glm::vec3& q) { return Near(p, q); });
      ASSERT_NE(it, expected.Points.end())
          << "triangle " << t << " has a corner at (" << p.x << ", " << p.y << ", " << p.z
          << ") that is no vertex of the shape";
      corners[size_t(c)] = int(it - expected.Points.begin());
    }
    const auto match = wanted.find(Canonical(corners));
    ASSERT_NE(match, wanted.end())
        << "triangle " << t << " (" << corners[0] << ", " << corners[1] << ", " << corners[2]
        << ") is not a triangle of the shape, or is wound backwards";
    EXPECT_TRUE(found.insert(match->second).second) << "triangle " << t << " appears twice";
    for (int c = 0; c < 3; ++c)
      EXPECT_TRUE(SameColour(v[size_t(3 * t + c)].Color, expected.Colours[size_t(match->second)]))
          << "colour of triangle " << t;
  }
}

// ---- the fixture

class ObjectShapes : public ::testing::Test {
 protected:
  TEmptyWorld World;
  TLandscape& Land = World.Land;

  TSceneObject* Make(TGameObjectKind kind, float growth, float angle = 0.0f, int x = 5, int z = 7,
                     float base = 2.0f) {
    return Land.CreateGameShape(kind, x, z, base, angle, growth);
  }

  const TMeshObject& MakeMesh(TGameObjectKind kind, float growth, float angle = 0.0f) {
    TSceneObject* shape = Make(kind, growth, angle);
    if (!shape || shape->Kind() != TSceneObjectKind::Mesh)
      throw std::runtime_error("no mesh was made");
    return *static_cast<const TMeshObject*>(shape);
  }

  int DrawsFor(TGameObjectKind kind, float growth) {
    const uint32_t seed = World.Random.RandomSeed;
    Make(kind, growth);
    return StepsBetween(seed, World.Random.RandomSeed);
  }

  TExpectedMesh Expected(TGameObjectKind kind) const {
    switch (kind) {
      case go_boulder:
        return ExpectedBoulder(Land.ObjectHeights[go_boulder]);
      case go_robot:
        return ExpectedRobot();
      case go_pedestal:
        return ExpectedPedestal(Land.ObjectHeights[go_pedestal]);
      case go_tolmarch:
        return ExpectedTolmarch({1.2f, 0.6f, 0.2f, 1.0f}, 1.0f, 1.0f);
      default:
        return ExpectedTolmarch({0.8f, 0.2f, 0.2f, 1.0f}, 0.75f, 0.8f);
    }
  }
};

const TGameObjectKind MeshKinds[] = {go_boulder, go_robot, go_pedestal, go_tolmarch, go_sentry};
const TGameObjectKind GrowingMeshKinds[] = {go_boulder, go_robot, go_tolmarch, go_sentry};

// ---- counts, tags and draws

TEST_F(ObjectShapes, EachMeshHasItsTriangleCountAndItsKindAsTag) {
  const std::map<TGameObjectKind, int> triangles{
      {go_boulder, 12}, {go_robot, 42}, {go_pedestal, 18}, {go_tolmarch, 48}, {go_sentry, 48}};
  for (TGameObjectKind kind : MeshKinds) {
    SCOPED_TRACE(GameObjectKindName(kind));
    const TMeshObject& mesh = MakeMesh(kind, 1.0f);
    EXPECT_EQ(mesh.TriangleCount(), triangles.at(kind));
    EXPECT_EQ(mesh.Vertices().size(), size_t(3 * triangles.at(kind)));
    EXPECT_EQ(mesh.Tag, int(kind));
    EXPECT_EQ(mesh.Parent(), World.Scene.DummyCube2);
    EXPECT_TRUE(mesh.Visible());
  }
  EXPECT_EQ(DistinctPositions(MakeMesh(go_boulder, 1.0f)).size(), 8u);
  EXPECT_EQ(DistinctPositions(MakeMesh(go_robot, 1.0f)).size(), 24u);
  EXPECT_EQ(DistinctPositions(MakeMesh(go_pedestal, 1.0f)).size(), 12u);
}

TEST_F(ObjectShapes, EachKindDrawsItsOwnCountOfRandomNumbersWhateverItsGrowth) {
  const std::map<TGameObjectKind, int> draws{{go_none, 0},   {go_tree, 4},     {go_boulder, 16},
                                             {go_robot, 47}, {go_pedestal, 0}, {go_tolmarch, 54},
                                             {go_sentry, 54}};
  for (const auto& [kind, count] : draws)
    for (float growth : {1.0f, 0.5f, 0.0f, 0.999f}) {
      EXPECT_EQ(DrawsFor(kind, growth), count)
          << GameObjectKindName(kind) << " at growth " << growth;
    }
}

TEST_F(ObjectShapes, NoKindBuildsNothing) {
  const uint32_t seed = World.Random.RandomSeed;
  EXPECT_EQ(Make(go_none, 1.0f), nullptr);
  EXPECT_EQ(Make(TGameObjectKind(7), 1.0f), nullptr);
  EXPECT_EQ(Make(TGameObjectKind(200), 1.0f), nullptr);
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_EQ(World.Random.RandomSeed, seed);
}

TEST_F(ObjectShapes, AMeshThatCannotBeMadeLeavesNothingBehind) {
  World.Scene.SetCreationRefusal([](TSceneObjectKind k) { return k == TSceneObjectKind::Mesh; });
  for (TGameObjectKind kind : MeshKinds)
    EXPECT_EQ(Make(kind, 1.0f), nullptr);
  EXPECT_EQ(World.ShapeCount(), 0);
}

// ---- exact geometry of complete objects

TEST_F(ObjectShapes, CompleteMeshesHaveExactlyTheirTrianglesWindingsAndColours) {
  for (TGameObjectKind kind : MeshKinds) {
    SCOPED_TRACE(GameObjectKindName(kind));
    ExpectMeshMatches(MakeMesh(kind, 1.0f), Expected(kind));
  }
}

TEST_F(ObjectShapes, ACompleteRobotHasItsApexAtItsHeight) {
  const TMeshObject& robot = MakeMesh(go_robot, 1.0f);
  float top = -1.0f;
  for (const TMeshVertex& v : robot.Vertices())
    top = std::max(top, v.Position.y);
  EXPECT_EQ(top, 1.4f);
  EXPECT_EQ(top, Land.ObjectHeights[go_robot]);
  int atApex = 0;
  for (const TMeshVertex& v : robot.Vertices())
    if (v.Position == glm::vec3(0.0f, 1.4f, 0.0f)) ++atApex;
  EXPECT_EQ(atApex, 3);  // three triangles meet at the apex
}

TEST_F(ObjectShapes, TheTolmarchsBlackFaceLooksForward) {
  const TMeshObject& tolmarch = MakeMesh(go_tolmarch, 1.0f);
  int faceTriangles = 0;
  const auto& v = tolmarch.Vertices();
  for (size_t t = 0; t < v.size(); t += 3) {
    if (v[t].Color != TColor(0, 0, 0, 1)) continue;
    ++faceTriangles;
    for (size_t c = t; c < t + 3; ++c) {
      EXPECT_GE(v[c].Position.y, 1.725f);
      EXPECT_LE(v[c].Position.y, 2.055f);
      EXPECT_GE(v[c].Position.z, 0.12f);
      EXPECT_LE(v[c].Position.z, 0.24f);
    }
    EXPECT_GT(v[t].Normal.z, 0.0f) << "the face looks backwards";
  }
  EXPECT_EQ(faceTriangles, 2);
  float top = 0.0f;
  for (const TMeshVertex& p : v)
    top = std::max(top, p.Position.y);
  EXPECT_FLOAT_EQ(top, 2.175f);
}

TEST_F(ObjectShapes, ASentryIsTheTolmarchNarrowedAndLowered) {
  const TMeshObject& tolmarch = MakeMesh(go_tolmarch, 1.0f);
  const TMeshObject& sentry = MakeMesh(go_sentry, 1.0f);
  ASSERT_EQ(sentry.Vertices().size(), tolmarch.Vertices().size());
  float top = 0.0f, halfWidth = 0.0f;
  for (size_t i = 0; i < sentry.Vertices().size(); ++i) {
    const glm::vec3 t = tolmarch.Vertices()[i].Position;
    EXPECT_TRUE(Near(sentry.Vertices()[i].Position, {t.x * 0.75f, t.y * 0.8f, t.z * 0.75f}, 1e-6f))
        << "vertex " << i;
    top = std::max(top, sentry.Vertices()[i].Position.y);
    halfWidth = std::max(halfWidth, std::fabs(sentry.Vertices()[i].Position.x));
  }
  EXPECT_FLOAT_EQ(top, 1.74f);
  EXPECT_FLOAT_EQ(2 * halfWidth, 0.48f);
}

TEST_F(ObjectShapes, ThePedestalNeverDependsOnGrowth) {
  const TMeshObject& complete = MakeMesh(go_pedestal, 1.0f);
  for (float growth : {0.0f, 0.3f, 0.5f}) {
    const TMeshObject& growing = MakeMesh(go_pedestal, growth);
    ASSERT_EQ(growing.Vertices().size(), complete.Vertices().size());
    for (size_t i = 0; i < complete.Vertices().size(); ++i) {
      EXPECT_EQ(growing.Vertices()[i].Position, complete.Vertices()[i].Position);
      EXPECT_EQ(growing.Vertices()[i].Color, complete.Vertices()[i].Color);
    }
    EXPECT_EQ(growing.Material().BlendingMode, TBlendingMode::Opaque);
    EXPECT_EQ(growing.TurnAngle(), 0.0f);
  }
}

// ---- growing objects

TEST_F(ObjectShapes, CompleteObjectsAreOpaque) {
  for (TGameObjectKind kind : MeshKinds) {
    const TMeshObject& mesh = MakeMesh(kind, 1.0f);
    EXPECT_EQ(mesh.Material().BlendingMode, TBlendingMode::Opaque) << GameObjectKindName(kind);
    for (const TMeshVertex& v : mesh.Vertices())
      ASSERT_EQ(v.Color.a, 1.0f);
  }
}

TEST_F(ObjectShapes, AtHalfGrowthEveryCoordinateLiesWithinAShortStepTowardsTheAxis) {
  for (TGameObjectKind kind : GrowingMeshKinds) {
    SCOPED_TRACE(GameObjectKindName(kind));
    const TMeshObject& exact = MakeMesh(kind, 1.0f);
    const TMeshObject& half = MakeMesh(kind, 0.5f);
    EXPECT_EQ(half.Material().BlendingMode, TBlendingMode::Transparency);
    ASSERT_EQ(half.Vertices().size(), exact.Vertices().size());
    // The same corner moves the same way in every triangle that shares it: no gaps open.
    EXPECT_EQ(DistinctPositions(half).size(), DistinctPositions(exact).size());
    const float step = 0.05f + 1e-6f;
    for (size_t i = 0; i < exact.Vertices().size(); ++i) {
      const glm::vec3 p = exact.Vertices()[i].Position;
      const glm::vec3 q = half.Vertices()[i].Position;
      SCOPED_TRACE(i);
      ASSERT_EQ(half.Vertices()[i].Color.a, 0.5f);
      auto towardsAxis = [&](float from, float to) {
        EXPECT_LE(std::fabs(to - from), step);
        if (from > 0) {
          EXPECT_LE(to, from);
        } else {
          EXPECT_GE(to, from - (from == 0 ? step : 0.0f));
          if (from == 0) EXPECT_LE(to, 0.0f);
        }
      };
      const bool apex = kind == go_robot && p == glm::vec3(0.0f, 1.4f, 0.0f);
      const bool boulderBottom = kind == go_boulder && p.y == 0.0f;
      const bool boulderTop = kind == go_boulder && p.y > 0.0f;
      if (apex) {
        EXPECT_EQ(q.x, 0.0f);
        EXPECT_EQ(q.z, 0.0f);
        EXPECT_LE(q.y, p.y);
        EXPECT_GE(q.y, p.y - step);
      } else if (boulderBottom) {
        // Along its own axis only.
        EXPECT_EQ(q.y, 0.0f);
        if (p.x != 0.0f) {
          EXPECT_EQ(q.z, p.z);
          towardsAxis(p.x, q.x);
        } else {
          EXPECT_EQ(q.x, p.x);
          towardsAxis(p.z, q.z);
        }
      } else {
        towardsAxis(p.x, q.x);
        towardsAxis(p.z, q.z);
        if (boulderTop) {
          EXPECT_LE(q.y, p.y);
          EXPECT_GE(q.y, p.y - step);
        } else {
          EXPECT_EQ(q.y, p.y);
        }
      }
    }
  }
}

TEST_F(ObjectShapes, GrowingColoursCarryTheGrowthAsAlpha) {
  for (TGameObjectKind kind : GrowingMeshKinds) {
    const TMeshObject& mesh = MakeMesh(kind, 0.25f);
    for (const TMeshVertex& v : mesh.Vertices())
      ASSERT_EQ(v.Color.a, 0.25f) << int(kind);
  }
}

// With growth 0 each jitter is a tenth of the draw: the draws are taken vertex by vertex.
TEST_F(ObjectShapes, TheBoulderJittersItsCornersInVertexOrder) {
  const float H = Land.ObjectHeights[go_boulder];
  const float D = 0.45f * std::sqrt(0.5f);
  World.Random.RandomSeed = 99u;
  TRandom r = GeneratorAt(99u);
  const TMeshObject& boulder = MakeMesh(go_boulder, 0.0f);
  std::vector<double> d(16);
  for (double& draw : d)
    draw = r.Random() * 0.1;
  const glm::vec3 expected[8] = {
      {float(0.45 - d[0]), 0, 0},
      {0, 0, float(0.45 - d[1])},
      {float(-0.45 + d[2]), 0, 0},
      {0, 0, float(-0.45 + d[3])},
      {float(D - d[4]), float(H - d[6]), float(D - d[5])},
      {float(-D + d[7]), float(H - d[9]), float(D - d[8])},
      {float(-D + d[10]), float(H - d[12]), float(-D + d[11])},
      {float(D - d[13]), float(H - d[15]), float(-D + d[14])},
  };
  for (const glm::vec3& e : expected) {
    const bool present =
        std::any_of(boulder.Vertices().begin(), boulder.Vertices().end(),
                    [&](const TMeshVertex& v) { return Near(v.Position, e, 2e-6f); });
    EXPECT_TRUE(present) << "no corner at (" << e.x << ", " << e.y << ", " << e.z << ")";
  }
}

TEST_F(ObjectShapes, TheRobotJittersXThenZOfEachVertexAndLowersTheApexLast) {
  World.Random.RandomSeed = 2024u;
  TRandom r = GeneratorAt(2024u);
  const TMeshObject& robot = MakeMesh(go_robot, 0.0f);
  const TExpectedMesh exact = ExpectedRobot();
  auto towards = [](float v, double amount) { return float(v < 0 ? v + amount : v - amount); };
  for (size_t i = 0; i < exact.Points.size(); ++i) {
    glm::vec3 e = exact.Points[i];
    if (i + 1 < exact.Points.size()) {
      e.x = towards(e.x, r.Random() * 0.1);
      e.z = towards(e.z, r.Random() * 0.1);
    } else {
      e.y = float(e.y - r.Random() * 0.1);
    }
    const bool present =
        std::any_of(robot.Vertices().begin(), robot.Vertices().end(),
                    [&](const TMeshVertex& v) { return Near(v.Position, e, 2e-6f); });
    EXPECT_TRUE(present) << "vertex " << i << " not at (" << e.x << ", " << e.y << ", " << e.z
                         << ")";
  }
}

// ---- placing and turning

TEST_F(ObjectShapes, ShapesStandOnTheSquaresCentreTurnedByTheirAngle) {
  for (TGameObjectKind kind : MeshKinds)
    for (float growth : {1.0f, 0.5f}) {
      SCOPED_TRACE(GameObjectKindName(kind));
      TSceneObject* shape = Make(kind, growth, 135.0f, 11, 23, -1.75f);
      ASSERT_NE(shape, nullptr);
      EXPECT_EQ(shape->Position(), glm::vec3(11.5f, -1.75f, 23.5f));
      const float turn = kind == go_boulder ? 135.0f + growth : 135.0f;
      EXPECT_FLOAT_EQ(shape->TurnAngle(), turn) << "growth " << growth;
    }
}

TEST_F(ObjectShapes, TheRobotsFrontFacesItsAngle) {
  // Turned by 90 degrees, the forward point of the head lies towards +X.
  const TMeshObject& robot = MakeMesh(go_robot, 1.0f, 90.0f);
  const glm::mat4 m = robot.LocalMatrix();
  const glm::vec3 front = glm::vec3(m * glm::vec4(0.0f, 1.19f, 0.2f, 1.0f)) - robot.Position();
  EXPECT_NEAR(front.x, 0.2f, 1e-5);
  EXPECT_NEAR(front.z, 0.0f, 1e-5);
}

// ---- normals

TEST_F(ObjectShapes, EveryNormalIsTheUnitNormalOfItsCounterClockwiseTriangle) {
  for (TGameObjectKind kind : MeshKinds) {
    const TMeshObject& mesh = MakeMesh(kind, 1.0f);
    const auto& v = mesh.Vertices();
    for (size_t t = 0; t < v.size(); t += 3) {
      const glm::vec3 n = glm::normalize(
          glm::cross(v[t + 1].Position - v[t].Position, v[t + 2].Position - v[t].Position));
      for (size_t c = t; c < t + 3; ++c) {
        ASSERT_NEAR(glm::length(v[c].Normal), 1.0f, 1e-5) << int(kind);
        ASSERT_GT(glm::dot(v[c].Normal, n), 0.999f) << GameObjectKindName(kind) << " " << t / 3;
      }
    }
  }
}

TEST_F(ObjectShapes, EveryMeshIsWoundOutwards) {
  for (TGameObjectKind kind : MeshKinds) {
    SCOPED_TRACE(GameObjectKindName(kind));
    const TMeshObject& mesh = MakeMesh(kind, 1.0f);
    const auto& v = mesh.Vertices();
    // Neighbouring triangles run along their shared edge in opposite directions...
    std::map<std::pair<std::tuple<long, long, long>, std::tuple<long, long, long>>, int> edges;
    auto key = [](const glm::vec3& p) {
      return std::tuple<long, long, long>{std::lround(p.x * 1e6), std::lround(p.y * 1e6),
                                          std::lround(p.z * 1e6)};
    };
    for (size_t t = 0; t < v.size(); t += 3)
      for (size_t c = 0; c < 3; ++c)
        ++edges[{key(v[t + c].Position), key(v[t + (c + 1) % 3].Position)}];
    for (const auto& [edge, count] : edges) {
      ASSERT_EQ(count, 1) << "an edge is run twice the same way: two triangles face opposite ways";
    }
    // ...and the enclosed volume comes out positive (an open bottom at height 0 adds nothing).
    double volume = 0.0;
    for (size_t t = 0; t < v.size(); t += 3)
      volume += glm::dot(v[t].Position, glm::cross(v[t + 1].Position, v[t + 2].Position)) / 6.0;
    EXPECT_GT(volume, 0.0);
  }
}

TEST_F(ObjectShapes, TheBouldersCapsFaceUpAndDownAndItsSidesAwayFromTheAxis) {
  const TMeshObject& boulder = MakeMesh(go_boulder, 1.0f);
  const auto& v = boulder.Vertices();
  int up = 0, down = 0, sides = 0;
  for (size_t t = 0; t < v.size(); t += 3) {
    const glm::vec3 centre = (v[t].Position + v[t + 1].Position + v[t + 2].Position) / 3.0f;
    const glm::vec3 n = v[t].Normal;
    if (v[t].Position.y == v[t + 1].Position.y && v[t].Position.y == v[t + 2].Position.y) {
      if (centre.y > 0) {
        EXPECT_EQ(n, glm::vec3(0.0f, 1.0f, 0.0f));
        ++up;
      } else {
        EXPECT_EQ(n, glm::vec3(0.0f, -1.0f, 0.0f));
        ++down;
      }
    } else {
      EXPECT_GT(n.x * centre.x + n.z * centre.z, 0.0f) << "side " << t / 3;
      ++sides;
    }
  }
  EXPECT_EQ(up, 2);
  EXPECT_EQ(down, 2);
  EXPECT_EQ(sides, 8);
}

// ---- materials

TEST_F(ObjectShapes, FiguresAndThePedestalGetTheirMaterial) {
  for (TGameObjectKind kind : {go_robot, go_pedestal, go_tolmarch, go_sentry}) {
    SCOPED_TRACE(GameObjectKindName(kind));
    const TMaterial& m = MakeMesh(kind, 1.0f).Material();
    EXPECT_EQ(m.Ambient, TColor(1.2f, 1.2f, 1.2f, 1.0f));
    EXPECT_EQ(m.Diffuse, TColor(0.9f, 0.9f, 0.9f, 1.0f));
    const float alpha = kind == go_tolmarch || kind == go_sentry ? 0.5f : 1.0f;
    EXPECT_EQ(m.Specular, TColor(0.4f, 0.4f, 0.4f, alpha));
    EXPECT_EQ(m.Emission, TColor(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(m.MaterialOptions, 0);
  }
}

// ---- trees

const TSceneObject* ChildTagged(const TSceneObject& parent, int tag) {
  for (int i = 0; i < parent.Count(); ++i)
    if (parent.Child(i)->Tag == tag) return parent.Child(i);
  return nullptr;
}

TEST_F(ObjectShapes, ACompleteTreeIsATrunkAndACrownInAContainer) {
  const float H = Land.ObjectHeights[go_tree];
  TSceneObject* tree = Make(go_tree, 1.0f, 40.0f, 3, 9, 1.5f);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->Kind(), TSceneObjectKind::Dummy);
  EXPECT_EQ(tree->Tag, 0);
  EXPECT_EQ(tree->Parent(), World.Scene.DummyCube2);
  ASSERT_EQ(tree->Count(), 2);

  const auto* trunk = dynamic_cast<const TCylinder*>(ChildTagged(*tree, 98));
  ASSERT_NE(trunk, nullptr);
  EXPECT_FLOAT_EQ(trunk->Height, H * 0.25f);
  EXPECT_EQ(trunk->Slices, 5);
  EXPECT_EQ(trunk->Stacks, 1);
  EXPECT_EQ(trunk->Loops, 1);
  EXPECT_EQ(trunk->Parts, unsigned(qpSides));
  EXPECT_EQ(trunk->TopRadius, 0.5f);
  EXPECT_EQ(trunk->BottomRadius, 0.5f);
  EXPECT_EQ(trunk->Scale(), glm::vec3(0.2f, 1.0f, 0.2f));
  EXPECT_EQ(trunk->Material().Diffuse, TColor(0.65f, 0.3f, 0.1f, 1.0f));
  EXPECT_EQ(trunk->Material().BlendingMode, TBlendingMode::Opaque);
  EXPECT_EQ(trunk->TurnAngle(), 40.0f);
  EXPECT_NEAR(trunk->Position().x, 3.5f, 1e-6);
  EXPECT_NEAR(trunk->Position().y, 1.5f + H * 0.125f, 1e-5);
  EXPECT_NEAR(trunk->Position().z, 9.5f, 1e-6);

  const auto* crown = dynamic_cast<const TCone*>(ChildTagged(*tree, 99));
  ASSERT_NE(crown, nullptr);
  EXPECT_FLOAT_EQ(crown->Height, H * 0.75f);
  EXPECT_EQ(crown->Slices, 7);
  EXPECT_EQ(crown->Stacks, 1);
  EXPECT_EQ(crown->Parts, unsigned(qpSides | qpBottom));
  EXPECT_EQ(crown->BottomRadius, 0.5f);
  EXPECT_EQ(crown->Scale(), glm::vec3(0.6f, 1.0f, 0.6f));
  EXPECT_EQ(crown->Material().Diffuse, TColor(0.15f, 0.8f, 0.1f, 1.0f));
  EXPECT_EQ(crown->Material().BlendingMode, TBlendingMode::Opaque);
  EXPECT_EQ(crown->TurnAngle(), 40.0f);
  EXPECT_NEAR(crown->Position().y, 1.5f + H * 0.625f, 1e-5);
  // The crown sits on the trunk and reaches the tree's full height.
  EXPECT_NEAR(crown->Position().y - crown->Height / 2, trunk->Position().y + trunk->Height / 2,
              1e-5);
  EXPECT_NEAR(crown->Position().y + crown->Height / 2, 1.5f + H, 1e-5);
}

TEST_F(ObjectShapes, AGrowingTreeIsThinnerAndTranslucent) {
  for (int n = 0; n < 20; ++n) {
    TSceneObject* tree = Make(go_tree, 0.5f);
    const TSceneObject* trunk = ChildTagged(*tree, 98);
    const TSceneObject* crown = ChildTagged(*tree, 99);
    ASSERT_TRUE(trunk && crown);
    for (const auto& [part, full] : {std::pair{trunk, 0.2f}, std::pair{crown, 0.6f}}) {
      EXPECT_LE(part->Scale().x, full);
      EXPECT_GE(part->Scale().x, full - 0.15f - 1e-6f);
      EXPECT_LE(part->Scale().z, full);
      EXPECT_GE(part->Scale().z, full - 0.15f - 1e-6f);
      EXPECT_EQ(part->Scale().y, 1.0f);
      EXPECT_EQ(part->Material().Diffuse.a, 0.5f);
      EXPECT_EQ(part->Material().BlendingMode, TBlendingMode::Transparency);
    }
  }
}

TEST_F(ObjectShapes, ATreeDrawsTrunkThenCrownEachXThenZ) {
  World.Random.RandomSeed = 31u;
  TRandom r = GeneratorAt(31u);
  TSceneObject* tree = Make(go_tree, 0.0f);  // j = 0.3
  const double d1 = r.Random(), d2 = r.Random(), d3 = r.Random(), d4 = r.Random();
  const TSceneObject* trunk = ChildTagged(*tree, 98);
  const TSceneObject* crown = ChildTagged(*tree, 99);
  ASSERT_TRUE(trunk && crown);
  EXPECT_NEAR(trunk->Scale().x, 0.2 - d1 * 0.3, 1e-6);
  EXPECT_NEAR(trunk->Scale().z, 0.2 - d2 * 0.3, 1e-6);
  EXPECT_NEAR(crown->Scale().x, 0.6 - d3 * 0.3, 1e-6);
  EXPECT_NEAR(crown->Scale().z, 0.6 - d4 * 0.3, 1e-6);
}

TEST_F(ObjectShapes, ATreeWhoseTrunkCannotBeMadeIsLoggedAndBuiltWithoutIt) {
  World.Scene.SetCreationRefusal(
      [](TSceneObjectKind k) { return k == TSceneObjectKind::Cylinder; });
  World.Random.RandomSeed = 8u;
  TRandom r = GeneratorAt(8u);
  TSceneObject* tree = Make(go_tree, 0.5f);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{
                "Error 0005: Could not create go_tree @ Landscape.CreateGameShape()"});
  ASSERT_EQ(tree->Count(), 1);
  const TSceneObject* crown = tree->Child(0);
  EXPECT_EQ(crown->Tag, 99);
  EXPECT_EQ(StepsBetween(8u, World.Random.RandomSeed), 2);
  // The crown takes the first two draws.
  const double d1 = r.Random(), d2 = r.Random();
  EXPECT_NEAR(crown->Scale().x, 0.6 - d1 * 0.15, 1e-6);
  EXPECT_NEAR(crown->Scale().z, 0.6 - d2 * 0.15, 1e-6);
}

TEST_F(ObjectShapes, ATreeWhoseCrownCannotBeMadeKeepsItsTrunk) {
  World.Scene.SetCreationRefusal([](TSceneObjectKind k) { return k == TSceneObjectKind::Cone; });
  TSceneObject* tree = Make(go_tree, 1.0f);
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(tree->Count(), 1);
  EXPECT_EQ(tree->Child(0)->Tag, 98);
}

TEST_F(ObjectShapes, ATreeWithoutAContainerIsNotMade) {
  World.Scene.SetCreationRefusal([](TSceneObjectKind k) { return k == TSceneObjectKind::Dummy; });
  const uint32_t seed = World.Random.RandomSeed;
  EXPECT_EQ(Make(go_tree, 1.0f), nullptr);
  EXPECT_EQ(World.ShapeCount(), 0);
  EXPECT_EQ(World.Random.RandomSeed, seed);
}

}  // namespace
}  // namespace orvane
