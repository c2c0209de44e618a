#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

TEST(UpdateBracket, NestedCameraBracketAnnouncesOnceAtTheOutermostEnd) {
  TScene scene;
  test::TChangeCounter counter(scene);
  TCamera& camera = *scene.GLCamera1;
  const uint64_t before = scene.ChangeCount();

  camera.BeginUpdate();
  camera.SetPosition({0.0f, 2.0f, -2.0f});
  camera.BeginUpdate();
  camera.MoveAroundTarget(10.0f, 20.0f);
  camera.SetDepthOfView(90.0f);
  camera.EndUpdate();
  EXPECT_EQ(scene.ChangeCount(), before) << "the inner end must not announce";
  camera.SetPositionComponent(1, 3.0f);
  EXPECT_EQ(scene.ChangeCount(), before);
  EXPECT_EQ(counter.Calls, 0);
  camera.EndUpdate();
  EXPECT_EQ(scene.ChangeCount(), before + 1);
  EXPECT_EQ(counter.Calls, 1);

  // The bracket is closed: later changes announce one by one again.
  camera.SetDepthOfView(100.0f);
  camera.SetDepthOfView(110.0f);
  EXPECT_EQ(scene.ChangeCount(), before + 3);
  EXPECT_EQ(counter.Calls, 3);
}

TEST(UpdateBracket, NestedSceneBracketCoversChangesOfEveryObject) {
  TScene scene;
  test::TChangeCounter counter(scene);
  const uint64_t before = scene.ChangeCount();

  scene.BeginUpdate();
  scene.BeginUpdate();
  scene.GLLightSource1->SetDiffuseRGB(0.5f, 0.5f, 0.5f);
  scene.GLCamera1->MoveAroundTarget(5.0f, 5.0f);
  TCone* cone = scene.DummyCube2->AddNewChild<TCone>();
  ASSERT_NE(cone, nullptr);
  cone->SetPosition({1.0f, 2.0f, 3.0f});
  scene.DummyCube2->DestroyChild(cone);
  scene.EndUpdate();
  EXPECT_EQ(scene.ChangeCount(), before);
  EXPECT_EQ(counter.Calls, 0);
  scene.EndUpdate();
  EXPECT_EQ(scene.ChangeCount(), before + 1);
  EXPECT_EQ(counter.Calls, 1);

  // An object's own bracket inside the scene's still gives one announcement.
  scene.BeginUpdate();
  {
    const TUpdateBracket bracket(*scene.GLCamera1);
    scene.GLCamera1->MoveInEyeSpace(0.1f, 0.0f, 0.0f);
  }
  scene.DummyCube1->SetPosition({1.0f, 0.0f, 0.0f});
  EXPECT_EQ(counter.Calls, 1);
  scene.EndUpdate();
  EXPECT_EQ(counter.Calls, 2);

  // A scoped bracket holds back the many changes of building a mesh.
  TMeshObject& mesh = *scene.Mesh1;
  {
    const TUpdateBracket bracket(mesh);
    mesh.ClearVertices();
    for (int i = 0; i < 50; ++i)
      mesh.AddTriangle({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1, 1});
    mesh.BuildNormals();
    EXPECT_EQ(counter.Calls, 2);
  }
  EXPECT_EQ(counter.Calls, 3);
}

TEST(UpdateBracket, ChangesOutsideABracketAnnounceEachTime) {
  TScene scene;
  test::TChangeCounter counter(scene);
  const uint64_t before = scene.ChangeCount();
  scene.GLCamera1->SetPosition({0.0f, 2.0f, -1.0f});
  scene.GLCamera1->MoveAroundTarget(0.0f, 10.0f);
  scene.DummyCube1->SetPosition({1.0f, 0.0f, 0.0f});
  scene.GLLightSource1->SetDiffuse({1.0f, 0.0f, 0.0f, 1.0f});
  scene.Mesh1->EditMaterial().Shininess = 10.0f;
  EXPECT_EQ(scene.ChangeCount(), before + 5);
  EXPECT_EQ(counter.Calls, 5);

  // New and destroyed objects change the picture too.
  TCone* cone = scene.DummyCube2->AddNewChild<TCone>();
  EXPECT_EQ(counter.Calls, 6);
  scene.DummyCube2->DestroyChild(cone);
  EXPECT_EQ(counter.Calls, 7);
  scene.DummyCube2->AddNewChild<TCylinder>();
  scene.DummyCube2->DestroyChild(0);
  EXPECT_EQ(counter.Calls, 9);
  EXPECT_EQ(scene.ChangeCount(), before + 9);
}

TEST(UpdateBracket, EndWithoutBeginAndEmptyBracketsAreHarmless) {
  TScene scene;
  test::TChangeCounter counter(scene);
  TCamera& camera = *scene.GLCamera1;
  const uint64_t before = scene.ChangeCount();

  camera.EndUpdate();
  camera.EndUpdate();
  scene.EndUpdate();
  EXPECT_EQ(scene.ChangeCount(), before);
  EXPECT_EQ(counter.Calls, 0);

  // Brackets without changes announce nothing either.
  {
    const TUpdateBracket outer(camera);
    const TUpdateBracket inner(camera);
  }
  scene.BeginUpdate();
  scene.EndUpdate();
  EXPECT_EQ(counter.Calls, 0);

  // Neither the camera nor the scene is left in a broken count: a change announces at
  // once, and a later bracket still holds its changes back until its end.
  camera.SetDepthOfView(50.0f);
  EXPECT_EQ(counter.Calls, 1);
  camera.BeginUpdate();
  camera.SetDepthOfView(60.0f);
  EXPECT_EQ(counter.Calls, 1);
  camera.EndUpdate();
  EXPECT_EQ(counter.Calls, 2);
  scene.BeginUpdate();
  camera.SetDepthOfView(70.0f);
  EXPECT_EQ(counter.Calls, 2);
  scene.EndUpdate();
  EXPECT_EQ(counter.Calls, 3);
}

}  // namespace
}  // namespace orvane
