#include <cmath>

#include <gtest/gtest.h>

#include "frontend/Program.h"
#include "world/MathKT.h"

namespace orvane {
namespace {

class PlayerView : public ::testing::Test {
 protected:
  TLandscape& StartGame() {
    Program.Random.SetClock([] { return 555u; });
    TGameSettings& settings = Program.Settings;
    settings.ApplyDefaultSettings();
    settings.gs_S_Difficulty(60);
    settings.gs_S_LandscapeRandom(false);
    settings.gs_S_LandscapeNumber(8080);
    Program.Form1.CreateGame();
    Program.Form1.Game->Init();
    return Program.Landscape();
  }

  glm::vec3 TolmarchAim() const {
    const TLandscape& land = *Program.Form1.Game->Landscape;
    return {land.TolmarchX + 0.5f, land.ObjectHeights[go_tolmarch] * 0.5f + land.PedestalGround,
            land.TolmarchZ + 0.5f};
  }

  TProgram Program;
  TLandscape& Land = StartGame();
  TScene& Scene = Program.Scene;
  TForm1& Form = Program.Form1;
};

TEST_F(PlayerView, ANewLandscapePutsThePlayerInARobotFacingTheTolmarch) {
  const TPlayer& player = Land.Player();
  ASSERT_EQ(Land.TopLevel(player.X, player.Z), 1);
  const TStackedObject& robot = Land.Object(player.X, player.Z, 1);
  EXPECT_EQ(robot.Kind, go_robot);
  EXPECT_TRUE(player.Alive);
  EXPECT_DOUBLE_EQ(player.EyeHgt, 1.45 + double(Land.PointHeight(player.X, player.Z)));

  const glm::vec3 eye = Scene.GLCamera1->Position();
  EXPECT_EQ(eye, glm::vec3(player.X + 0.5f, 1.45f + Land.PointHeight(player.X, player.Z),
                           player.Z + 0.5f));
  const glm::vec3 toTolmarch = glm::normalize(TolmarchAim() - eye);
  const glm::vec3 look = Scene.DummyCube1->Position() - eye;
  EXPECT_NEAR(glm::length(look), 0.01f, 1e-5);
  EXPECT_NEAR(glm::dot(glm::normalize(look), toTolmarch), 1.0f, 1e-4);
  EXPECT_NEAR(robot.Angle, RadToDeg(std::atan2(toTolmarch.x, toTolmarch.z)), 1e-3);

  // The player's square is one of the lowest flat squares, never the Tolmarch's.
  EXPECT_NE(glm::vec2(player.X, player.Z), glm::vec2(Land.TolmarchX, Land.TolmarchZ));
  EXPECT_TRUE(Land.IsFlatSquare(player.X, player.Z));
}

TEST_F(PlayerView, FogDepthAndFieldOfViewFollowTheLandscapeSize) {
  const float N = static_cast<float>(Land.GridSize);
  EXPECT_EQ(Scene.GLSceneViewer1.Fog.End, N);
  // The landscape's lights come up out of a thick fog, which clears to the palette's.
  EXPECT_EQ(Scene.GLSceneViewer1.Fog.Color.a, 0.8f);
  EXPECT_EQ(Scene.GLCamera1->DepthOfView(), 1.5f * N);
  // The view opens from a narrow angle towards its target.
  EXPECT_EQ(Form.Look.TargetFieldOfView, 135.0f);
  EXPECT_EQ(Form.Look.FieldOfView, 5.0f);
  EXPECT_NEAR(Scene.GLSceneViewer1.FieldOfView(), 135.0f, 1e-3);
  EXPECT_TRUE(Form.Look.CameraMoved);
}

TEST_F(PlayerView, MovingOntoAnExistingRobotAddsNoOther) {
  const TPlayer& player = Land.Player();
  const int oldX = player.X, oldZ = player.Z;
  // Another robot on a boulder somewhere flat and empty.
  int x = -1, z = -1;
  for (int i = Land.SquareCount; i >= 0 && x < 0; --i) {
    const TSquareEntry& e = Land.SquaresByHeight(i);
    if (Land.TopLevel(e.X, e.Z) == -1 && (e.X != oldX || e.Z != oldZ)) x = e.X, z = e.Z;
  }
  ASSERT_GE(x, 0);
  ASSERT_EQ(Land.AddGameObject(x, z, go_boulder, 0.0f, false), 1);
  ASSERT_EQ(Land.AddGameObject(x, z, go_robot, 90.0f, false), 2);
  Form.Look.CameraMoved = false;
  Form.SetPlayerView(x, z, false, false);
  EXPECT_EQ(Land.TopLevel(x, z), 2);
  EXPECT_EQ(Land.Player().X, x);
  EXPECT_DOUBLE_EQ(Land.Player().EyeHgt, 1.45 + double(Land.Object(x, z, 2).Base));
  EXPECT_EQ(Scene.GLCamera1->Position().y, 1.45f + Land.Object(x, z, 2).Base);
  EXPECT_EQ(Land.TopLevel(oldX, oldZ), 1) << "the old shell stays";
  EXPECT_TRUE(Form.Look.CameraMoved);
}

TEST_F(PlayerView, TheMapViewLooksFromOutsideAndGivesTheViewBack) {
  const glm::vec3 eye = Scene.GLCamera1->Position();
  const glm::vec3 look = glm::normalize(Scene.DummyCube1->Position() - eye);
  const TPlayer& player = Land.Player();
  const float N = static_cast<float>(Land.GridSize);

  Form.MapView = true;
  Form.SetPlayerView(player.X, player.Z, false, true);
  EXPECT_EQ(Scene.GLCamera1->Position(), glm::vec3(2 * N, 1.2f * N, 2 * N));
  EXPECT_EQ(Scene.DummyCube1->Position(), glm::vec3(0.5f * N, -0.15f * N, 0.5f * N));
  EXPECT_EQ(Form.Look.FieldOfView, 115.0f);
  EXPECT_EQ(Form.Look.TargetFieldOfView, 115.0f);
  EXPECT_EQ(Scene.GLCamera1->DepthOfView(), 3.5f * N);
  EXPECT_EQ(Scene.GLSceneViewer1.Fog.End, 5 * N);
  EXPECT_FLOAT_EQ(Scene.GLSceneViewer1.Fog.Color.a, 0.2f * Land.SkyColour.a);
  ASSERT_FALSE(Form.HintQueue().empty());
  EXPECT_EQ(Form.HintQueue().front(), MapViewHint);

  Form.MapView = false;
  Form.SetPlayerView(player.X, player.Z, false, false);
  EXPECT_EQ(Scene.GLCamera1->Position(), eye);
  EXPECT_NEAR(glm::dot(glm::normalize(Scene.DummyCube1->Position() - eye), look), 1.0f, 1e-5);
  for (const std::string& hint : Form.HintQueue())
    EXPECT_NE(hint[1], 'M');
  EXPECT_EQ(Land.TopLevel(player.X, player.Z), 1) << "no second robot";

  Form.MapView = true;
  Land.Hyperspace(false);
  EXPECT_FALSE(Form.MapView) << "hyperspace leaves the map view";
}

}  // namespace
}  // namespace orvane
