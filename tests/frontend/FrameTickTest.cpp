#include <cmath>

#include <gtest/gtest.h>

#include "frontend/Program.h"
#include "world/MathKT.h"

namespace orvane {
namespace {

class FrameTick : public ::testing::Test {
 protected:
  TLandscape& StartGame() {
    Program.Random.SetClock([] { return 777u; });
    TGameSettings& settings = Program.Settings;
    settings.ApplyDefaultSettings();
    settings.gs_S_LandscapeRandom(false);
    settings.gs_S_LandscapeNumber(4242);
    Form.CreateGame();
    Form.Game->Init();
    Form.Look.FieldOfView = Form.Look.TargetFieldOfView;
    return Program.Landscape();
  }

  void Tick(double deltaTime = 1.0 / 60) {
    Clock += deltaTime;
    Form.GLCadencer1Progress(deltaTime, Clock);
  }
  // The landscape direction the camera looks in, degrees.
  double ViewDirection() const {
    const glm::vec3 forward = Program.Scene.GLCamera1->ForwardVector();
    return RadToDeg(std::atan2(forward.x, forward.z));
  }

  TProgram Program;
  TForm1& Form = Program.Form1;
  TLandscape& Land = StartGame();
  TAudio& Audio = Form.Game->Audio;
  double Clock = 0.0;
};

TEST_F(FrameTick, TensionStaysInRangeAndPacesTheHeartbeat) {
  for (const float raised : {500.0f, 40.0f, -3.0f}) {
    Audio.Tension = raised;
    Tick(0.5);
    EXPECT_GE(Audio.Tension, 1.0f);
    EXPECT_LE(Audio.Tension, 100.0f);
    EXPECT_FLOAT_EQ(Audio.PulseGap1, 0.6f / (std::sqrt(0.03f * Audio.Tension) + 0.826794f));
    EXPECT_FLOAT_EQ(Audio.PulseGap2, 0.6f * Audio.PulseGap1);
  }
  EXPECT_NEAR(Audio.PulseGap1, 0.6f, 1e-5) << "at rest";
  Audio.Tension = 40.0f;
  Tick(2.0);
  EXPECT_FLOAT_EQ(Audio.Tension, 37.0f) << "1.5 a second";
}

TEST_F(FrameTick, TheViewFallsAsleepAtRestWithNoMotionLeft) {
  const double dt = 1.0 / 60;
  Form.Look.LookVelocityYaw = 0.5f;
  Form.Look.LookVelocityPitch = -0.5f;
  Form.Look.CameraMoved = false;
  int ticks = 0;
  while (!Form.Asleep && ticks < 100) {
    Tick(dt);
    ++ticks;
    if (!Form.Asleep) {
      EXPECT_GT(std::abs(Form.Look.LookVelocityYaw), 0.0f);
    }
  }
  ASSERT_TRUE(Form.Asleep);
  EXPECT_GT(ticks, 1);
  EXPECT_EQ(Form.Look.LookVelocityYaw, 0.0f);
  EXPECT_EQ(Form.Look.LookVelocityPitch, 0.0f);
  // A zoom still easing keeps it awake.
  Form.Look.TargetFieldOfView = Form.Look.FieldOfView + 10.0f;
  Tick(dt);
  EXPECT_FALSE(Form.Asleep);
}

TEST_F(FrameTick, TheRobotTurnsWithTheViewOnlyWhenThePlayerStandsInIt) {
  TPlayer& player = Land.Player();
  const int x = player.X, z = player.Z;
  ASSERT_GT(x, 0);
  ASSERT_GT(z, 0);
  TStackedObject& robot = Land.Object(x, z, Land.TopLevel(x, z));
  ASSERT_EQ(robot.Kind, go_robot);
  const float facing = robot.Shape->TurnAngle() - robot.Angle;

  const float angle = robot.Angle;
  const double view = ViewDirection();
  Form.Look.LookVelocityYaw = 200.0f;
  const uint64_t changes = Program.Scene.ChangeCount();
  Tick();  // no window system: the pointer is left as it was
  EXPECT_EQ(Program.Scene.ChangeCount(), changes + 1) << "one announcement per frame";
  const double turned = robot.Angle - angle;
  EXPECT_NE(turned, 0.0);
  EXPECT_NEAR(robot.Shape->TurnAngle() - robot.Angle, facing, 1e-3) << "the shape keeps facing";
  EXPECT_NEAR(WrapDegrees(ViewDirection() - view + 180.0) - 180.0, turned, 1e-2)
      << "the robot faces where the view turned";

  // At the grid's edge, or outside a robot, nothing turns.
  for (const glm::ivec2 at : {glm::ivec2(0, z), glm::ivec2(x, 0)}) {
    player.X = at.x;
    player.Z = at.y;
    const float before = robot.Angle;
    Form.Look.LookVelocityYaw = 200.0f;
    Tick();
    EXPECT_EQ(robot.Angle, before);
  }
  player.X = x;
  player.Z = z;
  Land.AddGameObject(x, z, go_boulder, 0.0f, false);
  const float before = robot.Angle;
  Form.Look.LookVelocityYaw = 200.0f;
  Tick();
  EXPECT_EQ(robot.Angle, before);
}

TEST_F(FrameTick, TheClockAndTheLandscapesLightsFollowTheFrames) {
  Tick(0.25);
  EXPECT_EQ(Form.GameClock(), 0.25);
  EXPECT_EQ(Form.LastDeltaTime(), 0.25);
  Form.Look.MouseMoved = Form.Look.CameraMoved = true;
  Tick(3.0);  // a long frame ends the opening light-up in one step
  EXPECT_FALSE(Form.Look.MouseMoved);
  EXPECT_FALSE(Form.Look.CameraMoved);
  EXPECT_EQ(glm::vec3(Program.Scene.GLLightSource1->Diffuse()), glm::vec3(Land.MainLightColour));
}

}  // namespace
}  // namespace orvane
