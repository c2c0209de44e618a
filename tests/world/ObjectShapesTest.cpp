// The shapes of the game's objects: their make-up, the random numbers they draw, how they
// grow, where they stand and what happens when the scene cannot make them.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "WorldFixture.h"

namespace orvane {
namespace {

using test::StepsBetween;

class ObjectShapes : public ::testing::Test {
 protected:
  test::TEmptyWorld World;
  TLandscape& Land = World.Land;

  TSceneObject* Make(TGameObjectKind kind, float growth, float angle = 0.0f, int x = 5, int z = 7,
                     float base = 2.0f) {
    return Land.CreateGameShape(kind, x, z, base, angle, growth);
  }
  const std::vector<TMeshVertex>& Mesh(TGameObjectKind kind, float growth) {
    return dynamic_cast<const TMeshObject&>(*Make(kind, growth)).Vertices();
  }
};

const TGameObjectKind MeshKinds[] = {go_boulder, go_robot, go_pedestal, go_tolmarch, go_sentry};

TEST_F(ObjectShapes, EachKindHasItsMakeUpAndDrawsAFixedCountWhateverItsGrowth) {
  const struct {
    TGameObjectKind Kind;
    int Triangles, Draws;
  } kinds[] = {{go_none, 0, 0},    {go_tree, 0, 4},      {go_boulder, 12, 16},
               {go_robot, 42, 47}, {go_pedestal, 18, 0}, {go_tolmarch, 48, 54},
               {go_sentry, 48, 54}};
  for (const auto& k : kinds)
    for (float growth : {1.0f, 0.5f, 0.0f}) {
      SCOPED_TRACE(std::string(GameObjectKindName(k.Kind)) + " " + std::to_string(growth));
      const uint32_t seed = World.Random.RandomSeed;
      const TSceneObject* shape = Make(k.Kind, growth);
      EXPECT_EQ(StepsBetween(seed, World.Random.RandomSeed), k.Draws);
      if (k.Kind == go_none) {
        EXPECT_EQ(shape, nullptr);
      } else if (k.Kind == go_tree) {  // a container holding a trunk and a crown
        ASSERT_EQ(shape->Count(), 2);
        EXPECT_EQ(shape->Child(0)->Tag, 98);
        EXPECT_EQ(shape->Child(1)->Tag, 99);
      } else {
        EXPECT_EQ(shape->Tag, int(k.Kind));
        EXPECT_EQ(dynamic_cast<const TMeshObject&>(*shape).TriangleCount(), k.Triangles);
      }
    }
}

// A sentry is the Tolmarch narrowed to 0.75 and lowered to 0.8.
TEST_F(ObjectShapes, TheRobotsApexTheTolmarchsBlackFaceAndTheSentrysFigure) {
  float top = 0.0f;
  for (const TMeshVertex& v : Mesh(go_robot, 1.0f))
    top = std::max(top, v.Position.y);
  EXPECT_FLOAT_EQ(top, Land.ObjectHeights[go_robot]);
  const auto& v = Mesh(go_tolmarch, 1.0f);
  int face = 0;
  for (size_t t = 0; t < v.size(); t += 3) {
    if (v[t].Color != TColor(0, 0, 0, 1)) continue;
    ++face;
    EXPECT_GT(v[t].Normal.z, 0.5f) << "the face does not look forward";
    for (size_t c = t; c < t + 3; ++c)
      EXPECT_TRUE(v[c].Position.y >= 1.725f && v[c].Position.y <= 2.055f && v[c].Position.z > 0);
  }
  EXPECT_EQ(face, 2);
  const auto& sentry = Mesh(go_sentry, 1.0f);
  for (size_t i = 0; i < std::min(sentry.size(), v.size()); ++i)
    EXPECT_LT(glm::length(sentry[i].Position - v[i].Position * glm::vec3(0.75f, 0.8f, 0.75f)),
              1e-6f)
        << i;
}

TEST_F(ObjectShapes, EveryNormalFollowsItsTriangleAndPointsOutwards) {
  for (TGameObjectKind kind : MeshKinds) {
    const auto& v = Mesh(kind, 1.0f);
    double volume = 0.0;  // positive when the faces are wound outwards
    for (size_t t = 0; t < v.size(); t += 3) {
      const glm::vec3 a = v[t].Position, b = v[t + 1].Position, c = v[t + 2].Position;
      const glm::vec3 n = v[t].Normal, centre = (a + b + c) / 3.0f;
      volume += glm::dot(a, glm::cross(b, c));
      EXPECT_GT(glm::dot(n, glm::cross(b - a, c - a)), 0.0f);
      EXPECT_GE(n.x * centre.x + n.z * centre.z, -1e-6f)
          << GameObjectKindName(kind) << " triangle " << t / 3 << " faces the axis";
    }
    EXPECT_GT(volume, 0.0) << GameObjectKindName(kind);
  }
}

// Growing shapes are translucent, the pedestal alone whatever its growth, and smaller: no corner
// reaches farther out or higher than the finished shape's.
TEST_F(ObjectShapes, GrowingShapesAreTranslucentAndSmaller) {
  auto blending = [](float growth) {
    return growth < 1 ? TBlendingMode::Transparency : TBlendingMode::Opaque;
  };
  const auto extent = [](const std::vector<TMeshVertex>& vertices) {
    glm::vec3 extent(0.0f);
    for (const TMeshVertex& v : vertices)
      extent = glm::max(extent, glm::abs(v.Position));
    return extent;
  };
  for (TGameObjectKind kind : MeshKinds) {
    const glm::vec3 grown = extent(Mesh(kind, 1.0f)), growing = extent(Mesh(kind, 0.5f));
    EXPECT_TRUE(glm::all(glm::lessThanEqual(growing, grown))) << GameObjectKindName(kind);
    for (float growth : {1.0f, 0.25f}) {
      const float shown = kind == go_pedestal ? 1.0f : growth;
      EXPECT_EQ(Make(kind, growth)->Material().BlendingMode, blending(shown));
      for (const TMeshVertex& v : Mesh(kind, growth))
        ASSERT_EQ(v.Color.a, shown) << GameObjectKindName(kind);
    }
  }
  for (const int part : {0, 1}) {  // the trunk and the crown
    const TSceneObject &grown = *Make(go_tree, 1.0f)->Child(part),
                       &growing = *Make(go_tree, 0.5f)->Child(part);
    EXPECT_TRUE(growing.Scale().x <= grown.Scale().x && growing.Scale().z <= grown.Scale().z);
    for (const TSceneObject* p : {&grown, &growing})
      EXPECT_EQ(std::tuple(p->Material().Diffuse.a, p->Material().BlendingMode),
                std::tuple(p == &grown ? 1.0f : 0.5f, blending(p == &grown ? 1.0f : 0.5f)));
  }
}

TEST_F(ObjectShapes, ShapesStandOnTheSquaresCentreTurnedByTheirAngle) {
  const float H = Land.ObjectHeights[go_tree];
  for (float growth : {1.0f, 0.5f}) {
    for (TGameObjectKind kind : MeshKinds) {
      const TSceneObject* shape = Make(kind, growth, 135.0f, 11, 23, -1.75f);
      EXPECT_EQ(shape->Position(), glm::vec3(11.5f, -1.75f, 23.5f)) << GameObjectKindName(kind);
      EXPECT_FLOAT_EQ(shape->TurnAngle(), kind == go_boulder ? 135.0f + growth : 135.0f);
    }
    const TSceneObject* tree = Make(go_tree, growth, 135.0f, 11, 23, -1.75f);
    for (const auto& [part, centre] : {std::pair{0, 0.125f}, std::pair{1, 0.625f}}) {
      EXPECT_EQ(tree->Child(part)->TurnAngle(), 135.0f);
      EXPECT_EQ(tree->Child(part)->Position(), glm::vec3(11.5f, -1.75f + H * centre, 23.5f));
    }
  }
}

// A tree whose trunk the scene cannot make keeps its crown, which takes the first two draws.
TEST_F(ObjectShapes, ATreeWithoutATrunkKeepsItsCrown) {
  World.Scene.SetCreationRefusal(
      [](TSceneObjectKind k) { return k == TSceneObjectKind::Cylinder; });
  const uint32_t seed = World.Random.RandomSeed;
  const TSceneObject* tree = Make(go_tree, 0.5f);
  EXPECT_EQ(World.Log.GetLines(),
            std::vector<std::string>{
                "Error 0005: Could not create go_tree @ Landscape.CreateGameShape()"});
  ASSERT_EQ(tree->Count(), 1);
  EXPECT_EQ(tree->Child(0)->Tag, 99);
  EXPECT_EQ(StepsBetween(seed, World.Random.RandomSeed), 2);
}

}  // namespace
}  // namespace orvane
