// The keys and the mouse through the main window's handlers, as a player uses them.

#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    Play.Run(0.2);
    Windows.Cursor = Windows.ViewerOrigin + glm::ivec2(100, 80);
  }

  // The cursor on a square: the view answers with a point on its middle.
  void PointAt(int x, int z) {
    Windows.Point = {x + 0.5f, Land.PointHeight(x, z) + 0.01f, z + 0.5f};
  }
  // An empty flat square below the eye that the player sees.
  std::pair<int, int> SeenFlatSquare() {
    for (int i = Land.SquareCount; i >= 0; --i) {
      const TSquareEntry& s = Land.SquaresByHeight(i);
      if (Land.IsFlatSquare(s.X, s.Z) && Land.TopLevel(s.X, s.Z) == -1 &&
          s.Height < Play.Me().EyeHgt - 1.0 && Play.Sim().SquareInSight(s.X, s.Z, Play.Eye()))
        return {s.X, s.Z};
    }
    ADD_FAILURE() << "no flat square in sight";
    return {0, 0};
  }
  // The camera's look direction.
  glm::vec3 LookDirection() {
    return glm::normalize(Play.Program.Scene.DummyCube1->Position() -
                          Play.Program.Scene.GLCamera1->Position());
  }
  // The view's turn to the left in degrees, and its rise, from one direction to another.
  static std::pair<double, double> Turned(const glm::vec3& from, const glm::vec3& to) {
    const double left = std::atan2(from.z * to.x - from.x * to.z, from.x * to.x + from.z * to.z);
    return {glm::degrees(left), glm::degrees(std::asin(to.y) - std::asin(from.y))};
  }

  play::TPlaySession Play;
  TLandscape& Land = Play.Start(4242, 20);
  TForm1& Form = Play.Form;
  play::TAnsweringWindowSystem& Windows = Play.Windows;
  TGameSettings& Settings = Play.Program.Settings;
};

// The action keys act on the pointed square (B builds there what A takes back), never in the
// map view, off the grid or on the sky, where the other keys of the table still work; Q and H
// move the player and U turns the view round.
TEST_F(Controls, TheActionKeysActOnThePointedSquareOnlyInThePlayersView) {
  const auto [x, z] = SeenFlatSquare();
  const int energy = Land.Energy, px = Play.Me().X, pz = Play.Me().Z;
  const glm::vec3 nowhere[] = {{-0.5f, 1.0f, 3.5f}, {3.5f, 1.0f, Land.GridSize + 0.5f}};
  for (const glm::vec3& point : nowhere) {
    Windows.Point = point;
    for (const int key : {' ', 'A', '1', 'T', '2', 'B', '3', 'R'})
      Form.FormKeyDown(key);
  }
  PointAt(x, z);
  Form.FormKeyDown('M');
  for (const int key : {' ', 'A', '1', 'T', '2', 'B', '3', 'R', 'Q', 'H', 'U'})
    Form.FormKeyDown(key);
  Play.Run();
  EXPECT_EQ(std::tuple(Land.TopLevel(x, z), Land.Energy, Play.Me().X, Play.Me().Z),
            std::tuple(-1, energy, px, pz));
  const float wide = Form.Look.TargetFieldOfView;
  for (const int key : {int('I'), 37, 115})
    Form.FormKeyDown(key);
  EXPECT_EQ(std::tuple(Form.Look.TargetFieldOfView, Form.Look.LookVelocityYaw != 0.0f,
                       Settings.H_ShowHints()),
            std::tuple(static_cast<float>(wide / 1.2769), true, false));
  Form.FormKeyDown('M');
  ASSERT_FALSE(Form.MapView);

  for (const int key : {'B', 'A', '3'}) {
    Form.FormKeyDown(key);
    Play.Run();
  }
  ASSERT_EQ(std::pair(Land.Object(x, z, 1).Kind, Land.Energy), std::pair(go_robot, energy - 3));
  Windows.Point.y = Land.Object(x, z, 1).Base + 0.5f;
  Form.FormKeyDown('Q');
  Play.Run(1.0);
  EXPECT_EQ(std::pair(Play.Me().X, Play.Me().Z), std::pair(x, z));
  const glm::vec3 before = LookDirection();
  Form.FormKeyDown('U');
  EXPECT_NEAR(std::abs(Turned(before, LookDirection()).first), 180.0, 1e-2);
  Land.SetEnergy(20);
  Form.FormKeyDown('H');
  Play.Run(2.0);
  EXPECT_NE(std::pair(Play.Me().X, Play.Me().Z), std::pair(x, z));
  EXPECT_EQ(Land.Energy, 17);
}

// The arrows feed the look speeds, ten times less with Ctrl alone; any other modifier set is no
// Ctrl. The reverse settings flip the speed the key adds, and the frame tick flips it back, so
// Left turns the view left and Up raises it either way.
TEST_F(Controls, ArrowKeysTurnTheViewTheirWayAndCtrlAloneMakesThemFine) {
  struct Case {
    int Key;
    TShiftState Shift;
    float Yaw, Pitch;
  } const cases[] = {{37, 0, 10, 0},
                     {39, 0, -10, 0},
                     {37, ssCtrl, 1, 0},
                     {37, ssShift | ssCtrl, 10, 0},
                     {38, 0, 0, 6},
                     {40, ssCtrl, 0, -0.6f},
                     {38, ssCtrl | ssLeft, 0, 6}};
  for (const Case& c : cases) {
    Form.Look.LookVelocityYaw = Form.Look.LookVelocityPitch = 0.0f;
    Form.FormKeyDown(c.Key, c.Shift);
    EXPECT_FLOAT_EQ(Form.Look.LookVelocityYaw, c.Yaw) << c.Key << " " << c.Shift;
    EXPECT_FLOAT_EQ(Form.Look.LookVelocityPitch, c.Pitch) << c.Key << " " << c.Shift;
  }
  for (const bool reversed : {false, true}) {
    Settings.gs_CC_ReverseHorizontal(reversed);
    Settings.gs_CC_ReverseVertical(reversed);
    for (const auto& [key, left, up] : {std::tuple{37, true, false}, {38, false, true}}) {
      Form.Look.LookVelocityYaw = Form.Look.LookVelocityPitch = 0.0f;
      const glm::vec3 from = LookDirection();
      Form.FormKeyDown(key);
      EXPECT_EQ(std::abs(Form.Look.LookVelocityYaw + Form.Look.LookVelocityPitch),
                key == 37 ? 10.0f : 6.0f);
      EXPECT_EQ(Form.Look.LookVelocityYaw + Form.Look.LookVelocityPitch > 0, reversed);
      Play.Run(0.5);
      const auto [turnedLeft, rose] = Turned(from, LookDirection());
      EXPECT_EQ(std::pair(turnedLeft > 1.0, rose > 1.0), std::pair(left, up))
          << key << (reversed ? " reversed" : "");
    }
  }
}

// I and O stop at exactly 20 and 135; the wheel steps by 1.13, reversed by its setting.
TEST_F(Controls, ZoomStopsAtItsLimitsExactly) {
  for (int n = 0; n < 20; ++n)
    Form.FormKeyDown('I');
  EXPECT_EQ(Form.Look.TargetFieldOfView, 20.0f);
  Form.FormKeyDown('O', ssCtrl);
  EXPECT_FLOAT_EQ(Form.Look.TargetFieldOfView, static_cast<float>(20 * std::pow(1.13, 0.3)));
  for (int n = 0; n < 20; ++n)
    Form.FormKeyDown('O');
  EXPECT_EQ(Form.Look.TargetFieldOfView, 135.0f);
  Form.MouseWheel(-3);
  EXPECT_EQ(Form.Look.TargetFieldOfView, 135.0f);
  Form.MouseWheel(1);
  EXPECT_FLOAT_EQ(Form.Look.TargetFieldOfView, static_cast<float>(135 / 1.13));
  Form.MouseWheel(1000000);
  EXPECT_EQ(Form.Look.TargetFieldOfView, 20.0f);
  Settings.gs_CC_ReverseZoom(true);
  Form.MouseWheel(-40);
  EXPECT_EQ(Form.Look.TargetFieldOfView, 20.0f);
  Form.MouseWheel(40);
  EXPECT_EQ(Form.Look.TargetFieldOfView, 135.0f);
}

// F1 always switches the hints on and queues the key list; F4 twice leaves them as they were;
// F3 steps the anti-aliasing default, 2x, none, default; F5 queues a tip; F11 and Alt+Enter switch
// full screen.
TEST_F(Controls, FunctionKeysServeTheGame) {
  Settings.gs_H_ShowHints(false);
  Form.FormKeyDown(112);
  EXPECT_TRUE(Settings.H_ShowHints());
  EXPECT_EQ(Form.HintQueue().back(), KeySummaryHint);
  for (const bool shown : {false, true}) {
    Form.FormKeyDown(115);
    EXPECT_EQ(std::pair(Settings.H_ShowHints(), Form.Panel_PopInfo.Visible),
              std::pair(shown, shown));
  }
  for (const TAntiAliasing mode : {aa2x, aaNone, aaDefault, aa2x}) {
    Form.FormKeyDown(114);
    EXPECT_EQ(Form.AntiAliasing, mode);
  }
  Form.AntiAliasing = aa4xHQ;
  Form.FormKeyDown(114);
  EXPECT_EQ(Form.AntiAliasing, aaDefault);
  Form.FormKeyDown(113);
  EXPECT_EQ(Windows.Saved.size(), 1u);
  Form.FormKeyDown(116);
  EXPECT_EQ(Form.HintQueue().back().substr(0, 8), "H*0Tip: ");
  // F11 and Alt+Enter (Alt alone) switch full screen on and off, through its setting.
  for (const auto& [key, shift, on] : {std::tuple{122, 0u, true},
                                       {13, ssAlt, false},
                                       {13, 0u, false},
                                       {13, ssAlt | ssCtrl, false},
                                       {122, ssCtrl, true}}) {
    Form.FormKeyDown(key, shift);
    EXPECT_EQ(std::pair(Settings.D_FullScreen(), Windows.FullScreen), std::pair(on, on)) << key;
  }
  // Keys outside the table do nothing, and a failing key is logged and dropped.
  Form.FormKeyDown(0xFFFF);
  Form.FormKeyDown(-1);
  Windows.SaveFails = true;
  Form.FormKeyDown(113);
  EXPECT_EQ(Play.Program.Log.GetLines().back(),
            "Error 0011: Excpetion, or Landscape object does not exist @ Form.FormKeyDown().");
}

// A steady drag turns the view as far at 30 frames a second as at 120 to within a tenth, one
// mouse event a frame. With the reverse settings on, as they start, a drag pulls the landscape:
// dragging right and down turns the view left and up.
TEST_F(Controls, MouseLookHardlyDependsOnTheFrameRate) {
  std::pair<double, double> turns[2];
  for (const int fps : {30, 120}) {
    Form.SetPlayerView(Play.Me().X, Play.Me().Z, true, false);
    for (int frame = 0; frame < 3 * fps; ++frame)  // the view at rest
      Play.Tick(1.0 / fps);
    const glm::vec3 from = LookDirection();
    Form.ViewerMouseDown(100, 100);
    const int steps = fps / 4;
    for (int frame = 1; frame <= steps; ++frame) {
      Form.ViewerMouseMove(100 + 60 * frame / steps, 100 + 30 * frame / steps, ssLeft);
      Play.Tick(1.0 / fps);
    }
    Form.ViewerMouseUp();
    for (int frame = 0; frame < 3 * fps; ++frame)
      Play.Tick(1.0 / fps);
    turns[fps == 120] = Turned(from, LookDirection());
    EXPECT_GT(turns[fps == 120].first, 5.0) << fps;
    EXPECT_GT(turns[fps == 120].second, 2.0) << fps;
  }
  EXPECT_NEAR(turns[1].first / turns[0].first, 1.0, 0.1);
  EXPECT_NEAR(turns[1].second / turns[0].second, 1.0, 0.1);
}

// In the map view a drag turns the other way and twice as fast; the right button dollies, and a
// Ctrl drag pans the target.
TEST_F(Controls, MapViewDraggingOrbitsDolliesAndPans) {
  Play.Tick(1.0 / 60);
  Form.ViewerMouseDown(200, 200);
  Form.ViewerMouseMove(210, 200, ssLeft);
  const float playerYaw = Form.Look.LookVelocityYaw;
  Form.ViewerMouseUp();
  Form.Look.LookVelocityYaw = Form.Look.LookDriftX = Form.Look.LookDriftY = 0.0f;
  Form.Look.LookVelocityPitch = 0.0f;
  Form.FormKeyDown('M');
  Form.ViewerMouseDown(200, 200);
  Form.ViewerMouseMove(210, 200, ssLeft);
  EXPECT_FLOAT_EQ(Form.Look.LookVelocityYaw, -2 * playerYaw);

  TCamera& camera = *Play.Program.Scene.GLCamera1;
  const TDummyCube& target = *Play.Program.Scene.DummyCube1;
  const glm::vec3 eye = camera.Position(), forward = camera.ForwardVector();
  Form.ViewerMouseMove(210, 190, ssRight);
  EXPECT_NEAR(glm::dot(camera.Position() - eye, forward), 10.0f, 1e-3f);
  const glm::vec3 centre = target.Position(), right = camera.RightVector();
  const float step = 0.001f * Form.Look.TargetFieldOfView;
  Form.ViewerMouseMove(200, 190, ssLeft | ssCtrl);
  EXPECT_NEAR(glm::dot(target.Position() - centre, right), 10 * step, 1e-4f);
  EXPECT_EQ(camera.Position(), eye + 10.0f * forward) << "the pan moves only the target";
}

// With the cursor locked a drag puts the cursor back where it began, and the move that brings
// it there is no look; after a resize the next move starts afresh.
TEST_F(Controls, ALockedCursorStaysWhereTheDragBegan) {
  Settings.gs_CC_LockCursor(true);
  Play.Tick(1.0 / 60);
  Form.ViewerMouseDown(150, 120);
  Form.ViewerMouseMove(170, 120, ssLeft);
  EXPECT_EQ(Windows.Cursor, Windows.ViewerToScreen({150, 120}));
  const float yaw = Form.Look.LookVelocityYaw;
  EXPECT_GT(yaw, 0.0f);
  Form.ViewerMouseMove(150, 120, ssLeft);  // the cursor put back
  EXPECT_EQ(Form.Look.LookVelocityYaw, yaw);
  Form.ViewerMouseMove(165, 120, ssLeft);
  EXPECT_GT(Form.Look.LookVelocityYaw, yaw);
  Form.ViewerMouseUp();

  Settings.gs_CC_LockCursor(false);
  Form.Look.LookVelocityYaw = Form.Look.LookDriftX = 0.0f;
  Form.FormResize(700, 433);
  Windows.Cursor = {0, 0};
  Form.ViewerMouseMove(400, 300, ssLeft);
  EXPECT_EQ(std::tuple(Form.Look.LookVelocityYaw, Windows.Cursor, Form.Look.ResetMouseOrigin),
            std::tuple(0.0f, glm::ivec2(0, 0), false));
}

}  // namespace
}  // namespace orvane
