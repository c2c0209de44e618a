#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "SceneTestSupport.h"
#include "scene/Scene.h"

namespace orvane {
namespace {

using test::Near;

TEST(DesignScene, HoldsEveryNamedObjectInItsPlace) {
  TScene scene;
  TSceneObject& root = scene.Root();
  ASSERT_NE(scene.GLLightSource1, nullptr);
  ASSERT_NE(scene.DummyCube1, nullptr);
  ASSERT_NE(scene.DummyCube2, nullptr);
  ASSERT_NE(scene.GLFreeForm1, nullptr);
  ASSERT_NE(scene.Mesh1, nullptr);
  ASSERT_NE(scene.GLLines1, nullptr);
  ASSERT_NE(scene.GLLightSource3, nullptr);
  ASSERT_NE(scene.GLCamera1, nullptr);

  for (TSceneObject* object :
       {static_cast<TSceneObject*>(scene.GLLightSource1),
        static_cast<TSceneObject*>(scene.DummyCube1), static_cast<TSceneObject*>(scene.DummyCube2),
        static_cast<TSceneObject*>(scene.GLFreeForm1), static_cast<TSceneObject*>(scene.GLLines1),
        static_cast<TSceneObject*>(scene.GLLightSource3),
        static_cast<TSceneObject*>(scene.GLCamera1)}) {
    EXPECT_EQ(object->Parent(), &root) << object->Name;
  }
  EXPECT_EQ(scene.Mesh1->Parent(), scene.GLFreeForm1);
  EXPECT_EQ(scene.GLFreeForm1->Count(), 1);

  EXPECT_EQ(scene.GLLightSource1->Name, "GLLightSource1");
  EXPECT_EQ(scene.DummyCube1->Name, "DummyCube1");
  EXPECT_EQ(scene.DummyCube2->Name, "DummyCube2");
  EXPECT_EQ(scene.GLFreeForm1->Name, "GLFreeForm1");
  EXPECT_EQ(scene.Mesh1->Name, "Mesh1");
  EXPECT_EQ(scene.GLLines1->Name, "GLLines1");
  EXPECT_EQ(scene.GLLightSource3->Name, "GLLightSource3");
  EXPECT_EQ(scene.GLCamera1->Name, "GLCamera1");

  EXPECT_EQ(scene.GLLightSource1->Kind(), TSceneObjectKind::Light);
  EXPECT_EQ(scene.DummyCube1->Kind(), TSceneObjectKind::Dummy);
  EXPECT_EQ(scene.GLFreeForm1->Kind(), TSceneObjectKind::FreeForm);
  EXPECT_EQ(scene.Mesh1->Kind(), TSceneObjectKind::Mesh);
  EXPECT_EQ(scene.GLLines1->Kind(), TSceneObjectKind::Lines);
  EXPECT_EQ(scene.GLCamera1->Kind(), TSceneObjectKind::Camera);
  // Run-time shapes hang below DummyCube2, which starts empty.
  EXPECT_EQ(scene.DummyCube2->Count(), 0);
}

TEST(DesignScene, ObjectsCarryTheirDesignSettings) {
  TScene scene;
  const TLightSource& main = *scene.GLLightSource1;
  EXPECT_TRUE(Near(main.Position(), {70.0f, 50.0f, 30.0f}, 0.0f));
  EXPECT_FLOAT_EQ(main.ConstantAttenuation, 1.0f);
  EXPECT_FLOAT_EQ(main.LinearAttenuation, 0.002f);
  EXPECT_FLOAT_EQ(main.QuadraticAttenuation, 0.0005f);
  EXPECT_TRUE(Near(main.Diffuse(), {0.95f, 0.95f, 0.95f, 1.0f}, 0.0f));
  EXPECT_TRUE(Near(main.Specular, {1.0f, 1.0f, 1.0f, 1.0f}, 0.0f));
  EXPECT_FLOAT_EQ(main.SpotCutOff, 180.0f);
  EXPECT_TRUE(Near(main.SpotDirection, {-0.2f, -1.0f, -0.3f}, 0.0f));

  const TLightSource& second = *scene.GLLightSource3;
  EXPECT_FLOAT_EQ(second.ConstantAttenuation, 1.0f);
  EXPECT_FLOAT_EQ(second.SpotCutOff, 180.0f);

  EXPECT_FLOAT_EQ(scene.DummyCube1->CubeSize, 10.0f);
  EXPECT_FALSE(scene.DummyCube1->Visible());
  EXPECT_FLOAT_EQ(scene.DummyCube2->CubeSize, 1.0f);
  EXPECT_FALSE(scene.DummyCube2->Visible());

  const TMeshObject& mesh = *scene.Mesh1;
  EXPECT_FLOAT_EQ(mesh.Material().Shininess, 128.0f);
  EXPECT_TRUE(Near(mesh.Material().Specular, {0.4f, 0.4f, 0.4f, 0.0f}, 0.0f));
  EXPECT_EQ(mesh.Mode, TMeshMode::Triangles);
  EXPECT_EQ(mesh.VertexMode, TMeshVertexMode::PositionNormalColor);
  EXPECT_TRUE(mesh.Vertices().empty());

  EXPECT_FLOAT_EQ(scene.GLLines1->NodeSize, 0.05f);
  EXPECT_TRUE(scene.GLLines1->AntiAliased);
  EXPECT_EQ(scene.GLLines1->Count(), 0);
}

TEST(DesignScene, CameraLooksAtDummyCube1FromItsDesignPlace) {
  TScene scene;
  const TCamera& camera = *scene.GLCamera1;
  EXPECT_EQ(camera.TargetObject, scene.DummyCube1);
  EXPECT_FLOAT_EQ(camera.DepthOfView(), 160.0f);
  EXPECT_FLOAT_EQ(camera.NearPlaneBias, 0.05f);
  EXPECT_TRUE(Near(camera.Position(), {0.0f, 1.0f, -1.0f}, 0.0f));
  EXPECT_TRUE(Near(camera.Up(), {0.0f, 1.0f, 0.0f}, 0.0f));

  // The viewer's design field of view, applied on the design viewer (541 by 353: the
  // 386-pixel client area less the 33-pixel status bar), decides the focal length.
  const TSceneViewer& viewer = scene.GLSceneViewer1;
  EXPECT_EQ(viewer.Camera, scene.GLCamera1);
  EXPECT_EQ(viewer.Width, 541);
  EXPECT_EQ(viewer.Height, 353);
  EXPECT_NEAR(camera.FocalLength,
              353.0 / (2.0 * std::tan(42.71484375 / 2.0 * std::numbers::pi / 180.0)), 1e-3);
  EXPECT_NEAR(camera.FocalLength, 451.362, 1e-3);
  EXPECT_NEAR(viewer.FieldOfView(), 42.71484375, 1e-4);
}

TEST(DesignScene, ViewerHasItsDesignBufferFogAndSync) {
  TScene scene;
  const TSceneViewer& viewer = scene.GLSceneViewer1;
  EXPECT_EQ(viewer.VSync, TVSyncMode::vsmSync);
  EXPECT_EQ(viewer.AntiAliasing, aaNone);
  EXPECT_EQ(viewer.BackgroundColor, clSkyBlue);
  EXPECT_TRUE(Near(viewer.AmbientColor, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f));
  EXPECT_TRUE(viewer.FogEnable);
  EXPECT_TRUE(Near(viewer.Fog.Color, {0.651f, 0.792f, 0.941f, 0.1f}, 0.0f));
  EXPECT_FLOAT_EQ(viewer.Fog.Start, 4.0f);
  EXPECT_FLOAT_EQ(viewer.Fog.End, 100.0f);
  EXPECT_EQ(viewer.Fog.Mode, TFogMode::Exponential);
}

TEST(FieldOfView, SpansTheSmallerSideOfTheViewer) {
  TScene scene;
  test::TChangeCounter counter(scene);
  TSceneViewer& viewer = scene.GLSceneViewer1;
  TCamera& camera = *scene.GLCamera1;
  viewer.Width = 500;
  viewer.Height = 300;
  viewer.SetFieldOfView(135.0f);
  EXPECT_NEAR(camera.FocalLength, 62.1320, 1e-3);  // 300 / (2 tan 67.5)
  EXPECT_NEAR(viewer.FieldOfView(), 135.0, 1e-3);
  EXPECT_NEAR(FocalLengthFor(135.0f, 300), 62.1320, 1e-3);
  EXPECT_EQ(counter.Calls, 1) << "a new focal length asks for a redraw";

  // A tall viewer: the angle spans its width.
  viewer.Width = 300;
  viewer.Height = 500;
  camera.FocalLength = 1.0f;
  viewer.SetFieldOfView(135.0f);
  EXPECT_NEAR(camera.FocalLength, 62.1320, 1e-3);
  EXPECT_NEAR(viewer.FieldOfView(), 135.0, 1e-3);

  for (float degrees : {20.0f, 42.71484375f, 90.0f, 115.0f}) {
    viewer.SetFieldOfView(degrees);
    EXPECT_NEAR(viewer.FieldOfView(), degrees, 1e-3) << degrees;
  }
}

}  // namespace
}  // namespace orvane
