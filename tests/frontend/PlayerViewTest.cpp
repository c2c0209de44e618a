#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

class PlayerView : public ::testing::Test {
 protected:
  play::TPlaySession Play;
  TLandscape& Land = Play.Start(8080, 60);
  TScene& Scene = Play.Program.Scene;
  TSceneViewer& Viewer = Play.Program.Scene.GLSceneViewer1;
  TForm1& Form = Play.Form;
};

// The view opens from a narrow angle towards its target, out of a thick fog.
TEST_F(PlayerView, ANewLandscapePutsThePlayerInARobotFacingTheTolmarch) {
  const TPlayer& player = Land.Player();
  ASSERT_EQ(Land.TopLevel(player.X, player.Z), 1);
  const TStackedObject& robot = Land.Object(player.X, player.Z, 1);
  const float ground = Land.PointHeight(player.X, player.Z);
  const glm::vec3 eye = Scene.GLCamera1->Position();
  EXPECT_EQ(eye, glm::vec3(player.X + 0.5f, 1.45f + ground, player.Z + 0.5f));
  const glm::vec3 tolmarch(Land.TolmarchX + 0.5f,
                           Land.ObjectHeights[go_tolmarch] * 0.5f + Land.PedestalGround,
                           Land.TolmarchZ + 0.5f);
  const glm::vec3 toTolmarch = glm::normalize(tolmarch - eye);
  const glm::vec3 look = Scene.DummyCube1->Position() - eye;
  EXPECT_NEAR(glm::length(look), 0.01f, 1e-5);
  EXPECT_NEAR(glm::dot(glm::normalize(look), toTolmarch), 1.0f, 1e-4);
  EXPECT_NEAR(robot.Angle, RadToDeg(std::atan2(toTolmarch.x, toTolmarch.z)), 1e-3);

  const float N = static_cast<float>(Land.GridSize);
  EXPECT_EQ(std::tuple(Viewer.Fog.End, Viewer.Fog.Color.a, Scene.GLCamera1->DepthOfView(),
                       Form.Look.TargetFieldOfView, Form.Look.FieldOfView, Form.Look.CameraMoved),
            std::tuple(N, 0.8f, 1.5f * N, 135.0f, 5.0f, true));
  EXPECT_NEAR(Viewer.FieldOfView(), 135.0f, 1e-3);
}

// The view given back, and a move onto a robot that stands on a boulder, add no robot.
TEST_F(PlayerView, TheMapViewLooksFromOutsideAndGivesTheViewBack) {
  const glm::vec3 eye = Scene.GLCamera1->Position();
  const glm::vec3 look = glm::normalize(Scene.DummyCube1->Position() - eye);
  const TPlayer& player = Land.Player();
  const float N = static_cast<float>(Land.GridSize);

  Form.MapView = true;
  Form.SetPlayerView(player.X, player.Z, false, true);
  EXPECT_EQ(Scene.GLCamera1->Position(), glm::vec3(2 * N, 1.2f * N, 2 * N));
  EXPECT_EQ(Scene.DummyCube1->Position(), glm::vec3(0.5f * N, -0.15f * N, 0.5f * N));
  EXPECT_EQ(std::tuple(Form.Look.FieldOfView, Form.Look.TargetFieldOfView,
                       Scene.GLCamera1->DepthOfView(), Viewer.Fog.End),
            std::tuple(115.0f, 115.0f, 3.5f * N, 5 * N));
  EXPECT_FLOAT_EQ(Viewer.Fog.Color.a, 0.2f * Land.SkyColour.a);
  ASSERT_FALSE(Form.HintQueue().empty());
  EXPECT_EQ(Form.HintQueue().front(), MapViewHint);

  Form.MapView = false;
  Form.SetPlayerView(player.X, player.Z, false, false);
  EXPECT_EQ(Scene.GLCamera1->Position(), eye);
  EXPECT_NEAR(glm::dot(glm::normalize(Scene.DummyCube1->Position() - eye), look), 1.0f, 1e-5);
  for (const std::string& hint : Form.HintQueue())
    EXPECT_NE(hint[1], 'M');

  const int oldX = player.X, oldZ = player.Z;
  int i = Land.SquareCount;  // the lowest free flat square
  while (Land.TopLevel(Land.SquaresByHeight(i).X, Land.SquaresByHeight(i).Z) != -1)
    --i;
  const int x = Land.SquaresByHeight(i).X, z = Land.SquaresByHeight(i).Z;
  ASSERT_EQ(Land.AddGameObject(x, z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(x, z, go_robot, 90.0f, false), 2);
  Form.Look.CameraMoved = false;
  Form.SetPlayerView(x, z, false, false);
  const float base = Land.Object(x, z, 2).Base;
  EXPECT_EQ(std::tuple(Land.TopLevel(x, z), Land.TopLevel(oldX, oldZ), Form.Look.CameraMoved),
            std::tuple(2, 1, true));
  EXPECT_DOUBLE_EQ(player.EyeHgt, 1.45 + double(base));
  EXPECT_EQ(Scene.GLCamera1->Position().y, 1.45f + base);

  Form.MapView = true;
  Land.Hyperspace(false);
  EXPECT_FALSE(Form.MapView) << "hyperspace leaves the map view";
}

}  // namespace
}  // namespace orvane
