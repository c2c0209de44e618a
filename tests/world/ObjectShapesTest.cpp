// The shapes of the game's objects: their make-up, the random numbers they draw, how they
// grow, where they stand and what happens when the scene cannot make them.

#include <algorithm>
#include <cmath>
#include <string>
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

TEST_F(ObjectShapes, TheRobotsApexIsAtItsHeightAndTheTolmarchsBlackFaceAtTheFrontOfItsHead) {
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
}

TEST_F(ObjectShapes, ASentryIsTheTolmarchNarrowedAndLowered) {
  const auto& tolmarch = Mesh(go_tolmarch, 1.0f);
  const auto& sentry = Mesh(go_sentry, 1.0f);
  for (size_t i = 0; i < std::min(sentry.size(), tolmarch.size()); ++i) {
    const glm::vec3 t = tolmarch[i].Position * glm::vec3(0.75f, 0.8f, 0.75f);
    EXPECT_LT(glm::length(sentry[i].Position - t), 1e-6f) << i;
  }
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

// The pedestal alone does not depend on growth.
TEST_F(ObjectShapes, GrowingShapesAreTranslucentAndRaggedByAtMostAShortStepTowardsTheAxis) {
  auto blending = [](float growth) {
    return growth < 1 ? TBlendingMode::Transparency : TBlendingMode::Opaque;
  };
  auto towards = [](float from, float to) {
    return std::fabs(to - from) <= 0.05f + 1e-6f && (from > 0   ? to <= from
                                                     : from < 0 ? to >= from
                                                                : to <= 0);
  };
  for (TGameObjectKind kind : MeshKinds) {
    SCOPED_TRACE(GameObjectKindName(kind));
    const bool grows = kind != go_pedestal;
    for (float growth : {1.0f, 0.25f}) {
      EXPECT_EQ(Make(kind, growth)->Material().BlendingMode, blending(grows ? growth : 1.0f));
      for (const TMeshVertex& v : Mesh(kind, growth))
        ASSERT_EQ(v.Color.a, grows ? growth : 1.0f);
    }
    const auto& exact = Mesh(kind, 1.0f);
    const auto& half = Mesh(kind, 0.5f);
    for (size_t i = 0; i < std::min(exact.size(), half.size()); ++i) {
      const glm::vec3 p = exact[i].Position, q = half[i].Position;
      EXPECT_TRUE(grows ? towards(p.x, q.x) && towards(p.z, q.z) && q.y <= p.y && p.y - q.y <= 0.05f
                        : p == q)
          << "vertex " << i;
    }
  }
  for (int n = 0; n < 20; ++n)  // many trees, so that some draws come near the limit
    for (const auto& [part, full] : {std::pair{0, 0.2f}, std::pair{1, 0.6f}}) {
      const float growth = n == 0 ? 1.0f : 0.5f;
      const TSceneObject& p = *Make(go_tree, growth)->Child(part);
      EXPECT_EQ(p.Material().Diffuse.a, growth);
      EXPECT_EQ(p.Material().BlendingMode, blending(growth));
      for (float scale : {p.Scale().x, p.Scale().z})
        EXPECT_TRUE(scale <= full && scale >= full - 0.3f * (1 - growth) - 1e-6f) << scale;
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

TEST_F(ObjectShapes, WhatTheSceneCannotMakeIsLeftOut) {
  World.Scene.SetCreationRefusal([](TSceneObjectKind k) { return k == TSceneObjectKind::Mesh; });
  for (TGameObjectKind kind : MeshKinds)
    EXPECT_EQ(Make(kind, 1.0f), nullptr);
  EXPECT_EQ(World.ShapeCount(), 0);

  // Without a trunk the tree keeps its crown, which takes the first two draws.
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
