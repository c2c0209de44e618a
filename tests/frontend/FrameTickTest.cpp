#include <cmath>
#include <utility>

#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

class FrameTick : public ::testing::Test {
 protected:
  FrameTick() { Form.Look.FieldOfView = Form.Look.TargetFieldOfView; }
  // The landscape direction the camera looks in, degrees.
  double ViewDirection() const {
    const glm::vec3 forward = Play.Program.Scene.GLCamera1->ForwardVector();
    return RadToDeg(std::atan2(forward.x, forward.z));
  }

  play::TPlaySession Play;
  TForm1& Form = Play.Form;
  TLandscape& Land = Play.Start(4242, 0);
  TAudio& Audio = Form.Game->Audio;
};

// The tension falls by 1.5 a second and stays within 1 to 100; the heartbeat's gaps follow it.
TEST_F(FrameTick, TensionStaysInRangeAndPacesTheHeartbeat) {
  const struct {
    float Raised, Seconds, Tension, Gap;
  } cases[] = {{500, 0.5, 100, 0.2344808f}, {40, 2, 37, 0.3190879f}, {-3, 0.5, 1, 0.6000006f}};
  for (const auto& c : cases) {
    Audio.Tension = c.Raised;
    Play.Tick(c.Seconds);
    EXPECT_FLOAT_EQ(Audio.Tension, c.Tension);
    EXPECT_FLOAT_EQ(Audio.PulseGap1, c.Gap);
    EXPECT_FLOAT_EQ(Audio.PulseGap2, 0.6f * c.Gap);
  }
}

// Falling asleep stops what motion is left; a zoom still easing keeps the view awake.
TEST_F(FrameTick, TheViewFallsAsleepAtRestWithNoMotionLeft) {
  Form.Look.LookVelocityYaw = 0.5f;
  Form.Look.LookVelocityPitch = -0.5f;
  Form.Look.CameraMoved = false;
  int ticks = 0;
  for (; !Form.Asleep && ticks < 100; ++ticks)
    Play.Tick();
  ASSERT_TRUE(Form.Asleep);
  EXPECT_GT(ticks, 1);
  EXPECT_EQ(std::pair(Form.Look.LookVelocityYaw, Form.Look.LookVelocityPitch),
            std::pair(0.0f, 0.0f));
  Form.Look.TargetFieldOfView = Form.Look.FieldOfView + 10.0f;
  Play.Tick();
  EXPECT_FALSE(Form.Asleep);
}

TEST_F(FrameTick, TheRobotTurnsWithTheViewOnlyWhenThePlayerStandsInIt) {
  TPlayer& player = Land.Player();
  const int x = player.X, z = player.Z;
  TStackedObject& robot = Land.Object(x, z, Land.TopLevel(x, z));
  ASSERT_EQ(robot.Kind, go_robot);
  const float facing = robot.Shape->TurnAngle() - robot.Angle;
  const float angle = robot.Angle;
  const double view = ViewDirection();
  Form.Look.LookVelocityYaw = 200.0f;
  const uint64_t changes = Play.Program.Scene.ChangeCount();
  Play.Tick();
  EXPECT_EQ(Play.Program.Scene.ChangeCount(), changes + 1) << "one announcement per frame";
  const double turned = robot.Angle - angle;
  EXPECT_NE(turned, 0.0);
  EXPECT_NEAR(robot.Shape->TurnAngle() - robot.Angle, facing, 1e-3) << "the shape keeps facing";
  EXPECT_NEAR(WrapDegrees(ViewDirection() - view + 180.0) - 180.0, turned, 1e-2)
      << "the robot faces where the view turned";

  // A robot on the grid's edge, or a boulder on the player's robot, does not turn.
  const auto turnOfTop = [&](int atX, int atZ) {
    player.X = atX;
    player.Z = atZ;
    const TStackedObject& top = Land.Object(atX, atZ, Land.TopLevel(atX, atZ));
    const float before = top.Angle;
    Form.Look.LookVelocityYaw = 200.0f;
    Play.Tick();
    return top.Angle - before;
  };
  ASSERT_GE(Land.AddGameObject(0, z, go_robot, 0.0f, false), 1);
  EXPECT_EQ(turnOfTop(0, z), 0.0f);
  ASSERT_GE(Land.AddGameObject(x, z, go_boulder, 0.0f, false), 1);
  EXPECT_EQ(turnOfTop(x, z), 0.0f);
}

TEST_F(FrameTick, TheClockFollowsTheFramesAndAFrameClearsTheMoveFlags) {
  Play.Tick(0.25);
  EXPECT_EQ(std::pair(Form.GameClock(), Form.LastDeltaTime()), std::pair(0.25, 0.25));
  Form.Look.MouseMoved = Form.Look.CameraMoved = true;
  Play.Tick();
  EXPECT_EQ(std::pair(Form.Look.MouseMoved, Form.Look.CameraMoved), std::pair(false, false));
}

}  // namespace
}  // namespace orvane
