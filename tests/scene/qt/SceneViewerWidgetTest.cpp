// The scene viewer on a real landscape of the game, in a virtual display: what it draws,
// what picking finds, and how often meshes go to the GPU.

#include <algorithm>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>
#include <QImage>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "frontend/Program.h"
#include "frontend/qt/Pictures.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {
namespace {

using test::ChannelDistance;

constexpr int ViewWidth = 640;
constexpr int ViewHeight = 400;

// One landscape and one viewer on it per test suite: the game's own scene, the camera on
// the player's robot facing the Tolmarch, the view opened out to 135 degrees.
class LandscapeView : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Program = std::make_unique<TProgram>();
    Program->Settings.ApplyDefaultSettings();
    Program->Settings.ChooseLandscape(2016, 100);
    Program->Form1.CreateGame();
    Program->Form1.Game->Init();
    // The landscape's lights come up out of a thick fog: straight to their end.
    Program->Form1.Simulation->ProgressAnimations(2.5);
    TSceneViewer& viewer = Program->Scene.GLSceneViewer1;
    viewer.Width = ViewWidth;
    viewer.Height = ViewHeight;
    viewer.SetFieldOfView(135);
    Widget = std::make_unique<TSceneViewerWidget>(Program->Scene);
    Widget->resize(ViewWidth, ViewHeight);
    Widget->show();
  }
  static void TearDownTestSuite() {
    Widget.reset();
    Program.reset();
  }
  void SetUp() override { ASSERT_TRUE(DrawFrame()); }

  // Asks for a frame and waits until it is drawn.
  static bool DrawFrame() {
    const uint64_t before = Widget->FramesDrawn();
    Widget->RequestFrame();
    return test::WaitFor([&] { return Widget->FramesDrawn() > before; }, 10000);
  }

  static TScene& Scene() { return Program->Scene; }
  static TLandscape& Land() { return Program->Landscape(); }
  static TCamera& Camera() { return *Program->Scene.GLCamera1; }
  static QColor Sky() { return QColourOfNumber(Scene().GLSceneViewer1.BackgroundColor); }
  static QRgb LowerMiddle() { return Widget->Snapshot().pixel(ViewWidth / 2, ViewHeight * 3 / 4); }
  // How far ahead of the camera a point lies, along its line of sight.
  static float DepthOf(const glm::vec3& p) {
    return glm::dot(p - Camera().AbsolutePosition(), Camera().ForwardVector());
  }
  static float DepthAtTheMiddle() {
    return DepthOf(Widget->WorldPointAt(ViewWidth / 2, ViewHeight / 2));
  }

  static inline std::unique_ptr<TProgram> Program;
  static inline std::unique_ptr<TSceneViewerWidget> Widget;
};

// (How the fog blends towards the sky: the main window's fog test.)
TEST_F(LandscapeView, UnlitTerrainIsBlack) {
  TSceneViewer& viewer = Scene().GLSceneViewer1;
  const float density = viewer.Fog.Color.a;
  for (TLightSource* light : {Scene().GLLightSource1, Scene().GLLightSource3}) {
    light->SetDiffuse({0, 0, 0, 1});
    light->Specular = {0, 0, 0, 1};
  }
  viewer.Fog.Color.a = 0.0f;  // no fog at all
  ASSERT_TRUE(DrawFrame());
  EXPECT_LE(ChannelDistance(LowerMiddle(), Qt::black), 2);

  viewer.Fog.Color.a = density;
  Land().CreateMesh();  // puts the light colours back
}

TEST_F(LandscapeView, MeshesAreUploadedOnlyWhenTheirVerticesChange) {
  const uint64_t uploads = Widget->MeshUploads();
  ASSERT_TRUE(DrawFrame());
  EXPECT_EQ(Widget->MeshUploads(), uploads) << "an unchanged scene is drawn from the GPU";

  Scene().Mesh1->SetVertexColorAlpha(1.0f);
  ASSERT_TRUE(DrawFrame());
  EXPECT_EQ(Widget->MeshUploads(), uploads + 1);

  // A mesh made in the same way in place of a destroyed one is drawn as it is now, even if it
  // gets the old one's address; once it is gone its buffers go too.
  TDummyCube& holder = *Scene().DummyCube2;
  const size_t held = Widget->CachedMeshes();
  const glm::vec3 right = Camera().RightVector();
  const glm::vec3 up = Camera().UpwardVector();
  for (float distance : {3.0f, 2.0f}) {
    const glm::vec3 ahead = Camera().AbsolutePosition() + distance * Camera().ForwardVector();
    TMeshObject& mesh = *holder.AddNewChild<TMeshObject>();
    mesh.AddTriangle(ahead - right - up, ahead + right - up, ahead + up, {1, 0, 0, 1});
    ASSERT_TRUE(DrawFrame());
    EXPECT_NEAR(DepthAtTheMiddle(), distance, 0.01f);
    EXPECT_EQ(Widget->CachedMeshes(), held + 1);
    holder.DestroyChild(&mesh);
  }
  EXPECT_EQ(Widget->MeshUploads(), uploads + 3);
  ASSERT_TRUE(DrawFrame());
  EXPECT_EQ(Widget->CachedMeshes(), held);
}

// Shapes out of view are left out of the frame, but only those: a cone ahead is drawn, and
// with it behind the eye the ground shows again; a mesh behind the eye keeps its buffer.
TEST_F(LandscapeView, ShapesInViewAreDrawnAndAMeshOutOfViewKeepsItsBuffer) {
  TDummyCube& holder = *Scene().DummyCube2;
  const glm::vec3 eye = Camera().AbsolutePosition();
  const glm::vec3 forward = Camera().ForwardVector();
  const float ground = DepthAtTheMiddle();
  ASSERT_GT(ground, 4.0f);

  TCone& cone = *holder.AddNewChild<TCone>();
  cone.Height = 2.0f;
  cone.SetPosition(eye + 3.0f * forward);
  ASSERT_TRUE(DrawFrame());
  EXPECT_GT(DepthAtTheMiddle(), 2.0f);
  EXPECT_LT(DepthAtTheMiddle(), 3.1f);

  cone.SetPosition(eye - 3.0f * forward);
  const size_t held = Widget->CachedMeshes();
  TMeshObject& mesh = *holder.AddNewChild<TMeshObject>();
  const glm::vec3 behind = eye - 3.0f * forward;
  mesh.AddTriangle(behind, behind + Camera().RightVector(), behind + Camera().UpwardVector(),
                   {1, 0, 0, 1});
  ASSERT_TRUE(DrawFrame());
  EXPECT_NEAR(DepthAtTheMiddle(), ground, 0.01f);
  EXPECT_EQ(Widget->CachedMeshes(), held + 1);
  holder.DestroyChild(&mesh);
  holder.DestroyChild(&cone);
}

// With and without multisampling: the mode takes effect on the next frame; its snapshot has the
// view's size and shows the sky above and the terrain below; picking finds the ground under a
// pixel, and in the sky a point on the far plane.
TEST_F(LandscapeView, EitherAntiAliasingModeDrawsSnapshotsAndPicks) {
  for (const TAntiAliasing mode : {aaNone, aa4x}) {
    Scene().GLSceneViewer1.AntiAliasing = mode;
    ASSERT_TRUE(DrawFrame());
    EXPECT_EQ(Widget->Samples() > 0, mode == aa4x);
    const QImage frame = Widget->Snapshot();
    ASSERT_EQ(frame.size(), QSize(ViewWidth, ViewHeight));
    // The top rows show the background, which the fog, of the same colour, leaves as it is.
    EXPECT_EQ(test::PixelsNear(frame.copy(0, 0, ViewWidth, 4), Sky(), 3), 4 * ViewWidth) << mode;
    EXPECT_GT(ChannelDistance(LowerMiddle(), Sky()), 20) << mode;
    EXPECT_EQ(qAlpha(LowerMiddle()), 255);

    const glm::vec3 ground = Widget->WorldPointAt(ViewWidth / 2, ViewHeight * 3 / 4 + 1);
    const float n = static_cast<float>(Land().GridSize);
    ASSERT_TRUE(ground.x >= 0 && ground.x <= n && ground.z >= 0 && ground.z <= n) << mode;
    const int x = static_cast<int>(ground.x);
    const int z = static_cast<int>(ground.z);
    const float corners[] = {Land().PointHeight(x, z), Land().PointHeight(x + 1, z),
                             Land().PointHeight(x, z + 1), Land().PointHeight(x + 1, z + 1)};
    EXPECT_GE(ground.y, *std::min_element(std::begin(corners), std::end(corners)) - 0.05f);
    EXPECT_LE(ground.y, *std::max_element(std::begin(corners), std::end(corners)) + 0.05f);
    const float far = DepthOf(Widget->WorldPointAt(ViewWidth / 2, 1));
    EXPECT_NEAR(far, Camera().DepthOfView(), 0.01f * Camera().DepthOfView()) << mode;
  }
}

}  // namespace
}  // namespace orvane
