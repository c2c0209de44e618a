#include <cmath>
#include <stdexcept>

#include <gtest/gtest.h>
#include <glm/glm.hpp>

#include "SceneTestSupport.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

using test::Near;

TEST(SceneObjectChildren, AreAddedInCreationOrderAndCheckedByIndex) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2;
  TCylinder* trunk = parent.AddNewChild<TCylinder>();
  TCone* crown = parent.AddNewChild<TCone>();
  TMeshObject* boulder = parent.AddNewChild<TMeshObject>();
  ASSERT_NE(trunk, nullptr);
  ASSERT_NE(crown, nullptr);
  ASSERT_NE(boulder, nullptr);
  EXPECT_EQ(parent.Count(), 3);
  EXPECT_EQ(parent.Child(0), trunk);
  EXPECT_EQ(parent.Child(1), crown);
  EXPECT_EQ(parent.Child(2), boulder);
  EXPECT_EQ(trunk->Parent(), &parent);
  EXPECT_EQ(&trunk->Scene(), &scene);
  EXPECT_EQ(trunk->Kind(), TSceneObjectKind::Cylinder);
  EXPECT_EQ(crown->Kind(), TSceneObjectKind::Cone);
  EXPECT_EQ(boulder->Kind(), TSceneObjectKind::Mesh);

  // Children of children.
  TDummyCube* holder = parent.AddNewChild<TDummyCube>();
  TCone* inner = holder->AddNewChild<TCone>();
  EXPECT_EQ(holder->Count(), 1);
  EXPECT_EQ(inner->Parent(), holder);
  EXPECT_EQ(parent.Count(), 4);

  // Indexes outside 0 .. Count - 1 are refused, and nothing changes.
  EXPECT_THROW(holder->Child(1), std::out_of_range);
  EXPECT_THROW(inner->Child(0), std::out_of_range);
  EXPECT_THROW(parent.Child(-1), std::out_of_range);
  EXPECT_THROW(parent.Child(4), std::out_of_range);
  EXPECT_THROW(parent.DestroyChild(4), std::out_of_range);
  EXPECT_THROW(parent.DestroyChild(-1), std::out_of_range);
  EXPECT_EQ(parent.Count(), 4);
  EXPECT_EQ(parent.Child(3), holder);
}

TEST(SceneObjectChildren, AreDestroyedByIndexAndByPointer) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2;
  TSceneObject* a = parent.AddNewChild<TDummyCube>();
  TSceneObject* b = parent.AddNewChild<TCone>();
  TSceneObject* c = parent.AddNewChild<TCylinder>();
  TSceneObject* grandchild = static_cast<TDummyCube*>(a)->AddNewChild<TCone>();

  parent.DestroyChild(1);
  ASSERT_EQ(parent.Count(), 2);
  EXPECT_EQ(parent.Child(0), a);
  EXPECT_EQ(parent.Child(1), c);

  // Only direct children are found; anything else is left alone.
  TDummyCube stranger(scene);
  EXPECT_FALSE(parent.DestroyChild(&stranger));
  EXPECT_FALSE(parent.DestroyChild(grandchild));
  EXPECT_FALSE(parent.DestroyChild(static_cast<TSceneObject*>(nullptr)));
  EXPECT_FALSE(parent.DestroyChild(scene.Mesh1));
  EXPECT_EQ(parent.Count(), 2);
  EXPECT_NE(scene.Mesh1, nullptr);

  EXPECT_TRUE(parent.DestroyChild(a));  // takes its own children with it
  ASSERT_EQ(parent.Count(), 1);
  EXPECT_EQ(parent.Child(0), c);
  EXPECT_TRUE(parent.DestroyChild(c));
  EXPECT_EQ(parent.Count(), 0);
  (void)b;

  parent.AddNewChild<TCone>();
  parent.AddNewChild<TCone>();
  parent.DestroyChildren();
  EXPECT_EQ(parent.Count(), 0);
}

TEST(SceneObjectChildren, DestroyingANamedObjectClearsTheScenePointers) {
  TScene scene;
  TSceneObject& root = scene.Root();
  const int count = root.Count();

  ASSERT_TRUE(root.DestroyChild(scene.DummyCube1));
  EXPECT_EQ(root.Count(), count - 1);
  EXPECT_EQ(scene.DummyCube1, nullptr);
  ASSERT_NE(scene.GLCamera1, nullptr);
  EXPECT_EQ(scene.GLCamera1->TargetObject, nullptr);
  // The camera still has well-defined axes and operations without a target.
  EXPECT_NEAR(glm::length(scene.GLCamera1->ForwardVector()), 1.0f, 1e-5f);
  scene.GLCamera1->MoveAroundTarget(10.0f, 10.0f);
  scene.GLCamera1->MoveTargetInEyeSpace(1.0f, 0.0f, 0.0f);

  // A container takes its named child with it.
  ASSERT_TRUE(root.DestroyChild(scene.GLFreeForm1));
  EXPECT_EQ(scene.GLFreeForm1, nullptr);
  EXPECT_EQ(scene.Mesh1, nullptr);

  ASSERT_TRUE(root.DestroyChild(scene.GLCamera1));
  EXPECT_EQ(scene.GLCamera1, nullptr);
  EXPECT_EQ(scene.GLSceneViewer1.Camera, nullptr);
  scene.GLSceneViewer1.SetFieldOfView(60.0f);  // no camera: nothing to set
  EXPECT_EQ(scene.GLSceneViewer1.FieldOfView(), 0.0f);
  EXPECT_NE(scene.DummyCube2, nullptr);
  EXPECT_NE(scene.GLLightSource1, nullptr);
}

TEST(SceneObjectChildren, DestroyingAnyCameraTargetClearsTheTarget) {
  TScene scene;
  TDummyCube* holder = scene.DummyCube2->AddNewChild<TDummyCube>();
  TDummyCube* marker = holder->AddNewChild<TDummyCube>();
  scene.GLCamera1->TargetObject = marker;
  scene.DummyCube2->DestroyChild(0);  // the marker goes with its holder
  EXPECT_EQ(scene.GLCamera1->TargetObject, nullptr);
  EXPECT_NE(scene.DummyCube1, nullptr);
}

TEST(SceneObjectChildren, RefusedKindIsNotCreated) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2;
  scene.SetCreationRefusal([](TSceneObjectKind kind) { return kind == TSceneObjectKind::Cone; });
  EXPECT_EQ(parent.AddNewChild<TCone>(), nullptr);
  EXPECT_EQ(parent.Count(), 0);
  EXPECT_NE(parent.AddNewChild<TCylinder>(), nullptr);
  EXPECT_NE(parent.AddNewChild<TMeshObject>(), nullptr);
  EXPECT_NE(parent.AddNewChild<TDummyCube>(), nullptr);
  EXPECT_EQ(parent.Count(), 3);

  scene.SetCreationRefusal(nullptr);
  EXPECT_NE(parent.AddNewChild<TCone>(), nullptr);
  EXPECT_EQ(parent.Count(), 4);
}

TEST(SceneObjectState, RevisionGrowsWithEveryChange) {
  TScene scene;
  TCylinder& object = *scene.DummyCube2->AddNewChild<TCylinder>();
  uint64_t last = object.Revision();
  auto grew = [&]() {
    const bool result = object.Revision() > last;
    last = object.Revision();
    return result;
  };
  object.SetPosition({1.0f, 2.0f, 3.0f});
  EXPECT_TRUE(grew());
  object.SetPositionComponent(1, 7.0f);
  EXPECT_TRUE(grew());
  EXPECT_TRUE(Near(object.Position(), {1.0f, 7.0f, 3.0f}, 0.0f));
  object.SetDirection({1.0f, 0.0f, 0.0f});
  EXPECT_TRUE(grew());
  object.SetUp({0.0f, 0.0f, 1.0f});
  EXPECT_TRUE(grew());
  object.SetScale({2.0f, 2.0f, 2.0f});
  EXPECT_TRUE(grew());
  object.SetTurnAngle(30.0f);
  EXPECT_TRUE(grew());
  object.TurnBy(5.0f);
  EXPECT_TRUE(grew());
  object.EditMaterial().Diffuse = {1.0f, 0.0f, 0.0f, 0.5f};
  EXPECT_TRUE(grew());
  object.SetVisible(false);
  EXPECT_TRUE(grew());

  // Even within a bracket every change marks the object.
  {
    const TUpdateBracket bracket(object);
    object.SetPosition({0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(grew());
    object.SetPosition({1.0f, 0.0f, 0.0f});
    EXPECT_TRUE(grew());
  }
  EXPECT_THROW(object.SetPositionComponent(4, 1.0f), std::out_of_range);
  EXPECT_THROW(object.SetPositionComponent(-1, 1.0f), std::out_of_range);
  EXPECT_TRUE(Near(object.Position(), {1.0f, 0.0f, 0.0f}, 0.0f));
}

TEST(SceneObjectState, TurnAngleMapsTheFrontOntoTheLandscapeDirection) {
  TScene scene;
  TCone& object = *scene.DummyCube2->AddNewChild<TCone>();
  for (float degrees : {0.0f, 30.0f, 90.0f, 180.0f, 270.0f, -45.0f}) {
    object.SetTurnAngle(degrees);
    EXPECT_FLOAT_EQ(object.TurnAngle(), degrees);
    const glm::vec3 front(object.AbsoluteMatrix() * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f));
    const float a = glm::radians(degrees);
    EXPECT_TRUE(Near(front, {std::sin(a), 0.0f, std::cos(a)}, 1e-5f)) << degrees;
    const glm::vec3 up(object.AbsoluteMatrix() * glm::vec4(0.0f, 1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(Near(up, {0.0f, 1.0f, 0.0f}, 1e-6f)) << degrees;
  }
  object.SetTurnAngle(10.0f);
  object.TurnBy(80.0f);
  EXPECT_FLOAT_EQ(object.TurnAngle(), 90.0f);
  const glm::vec3 front(object.AbsoluteMatrix() * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f));
  EXPECT_TRUE(Near(front, {1.0f, 0.0f, 0.0f}, 1e-5f));
}

TEST(SceneObjectState, AbsolutePositionIncludesTheParentsTransform) {
  TScene scene;
  TDummyCube& parent = *scene.DummyCube2->AddNewChild<TDummyCube>();
  parent.SetPosition({10.0f, 1.0f, 5.0f});
  parent.SetTurnAngle(90.0f);
  TCylinder& child = *parent.AddNewChild<TCylinder>();
  child.SetPosition({0.0f, 2.0f, 3.0f});
  // The parent's +Z is the world's +X.
  EXPECT_TRUE(Near(child.AbsolutePosition(), {13.0f, 3.0f, 5.0f}, 1e-5f));

  parent.SetScale({2.0f, 2.0f, 2.0f});
  EXPECT_TRUE(Near(child.AbsolutePosition(), {16.0f, 5.0f, 5.0f}, 1e-5f));

  // Through two generations, and the absolute matrix agrees.
  TCone& grandchild = *child.AddNewChild<TCone>();
  grandchild.SetPosition({1.0f, 0.0f, 0.0f});
  // Child's +X is the parent's +X, which is the world's -Z after the turn, doubled.
  EXPECT_TRUE(Near(grandchild.AbsolutePosition(), {16.0f, 5.0f, 3.0f}, 1e-5f));
  EXPECT_TRUE(
      Near(glm::vec3(grandchild.AbsoluteMatrix()[3]), grandchild.AbsolutePosition(), 1e-5f));
  // Its own turn does not move an object.
  grandchild.SetTurnAngle(45.0f);
  EXPECT_TRUE(Near(grandchild.AbsolutePosition(), {16.0f, 5.0f, 3.0f}, 1e-5f));
}

}  // namespace
}  // namespace orvane
