// Playing in the real window with the real mouse and keys (xdotool), the result read off the
// screen and out of the world.

#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QScreen>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "console/TextFiles.h"
#include "frontend/Program.h"
#include "frontend/qt/MainWindow.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {
namespace {

using test::WaitFor;

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}

class Playing : public ::testing::Test {
 protected:
  Playing() {
    Program.Settings.ChooseLandscape(4242, 0);
    Program.Settings.gs_H_ShowHints(false);
    Form.Game->Init();
    Form.Simulation->ProgressAnimations(2.5);
    Form.Look.FieldOfView = Form.Look.TargetFieldOfView = 60.0f;
    Program.Scene.GLSceneViewer1.SetFieldOfView(60.0f);
    Window.move(0, 0);
    Window.resize(800, 513);
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(WaitFor([&] { return Window.isActiveWindow(); }));
    Settle();
  }

  void Settle() {
    const uint64_t drawn = Window.Viewer().FramesDrawn();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn + 3; }));
  }

  TLandscape& Land() { return Program.Landscape(); }

  // A pixel of the view under which, and around which, lies an empty flat square the player sees.
  std::optional<std::pair<QPoint, glm::ivec2>> SeenFlatSquare() {
    const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
    const glm::vec3 eye(Land().Player().X + 0.5f, Land().Player().EyeHgt, Land().Player().Z + 0.5f);
    for (int y = viewer.Height - 40; y > viewer.Height / 2; y -= 6)
      for (int x = 40; x < viewer.Width - 40; x += 6) {
        const glm::ivec2 square = PointedAt(x, y);
        if (square.x < 0 || square.x >= Land().GridSize || square.y < 0 ||
            square.y >= Land().GridSize)
          continue;
        if (!Land().IsFlatSquare(square.x, square.y) || Land().TopLevel(square.x, square.y) != -1 ||
            !Form.Simulation->SquareInSight(square.x, square.y, eye))
          continue;
        if (PointedAt(x - 4, y) == square && PointedAt(x + 4, y) == square &&
            PointedAt(x, y - 4) == square && PointedAt(x, y + 4) == square)
          return std::pair(QPoint(x, y), square);
      }
    return std::nullopt;
  }
  glm::ivec2 PointedAt(int x, int y) {
    Form.UpdatePointer(x, y, false);
    return {Form.PointedX, Form.PointedZ};
  }
  glm::vec3 LookDirection() {
    return glm::normalize(Program.Scene.DummyCube1->Position() -
                          Program.Scene.GLCamera1->Position());
  }
  void MoveMouseTo(QPoint viewerPixel) {
    const QPoint p = Window.Viewer().mapToGlobal(viewerPixel);
    Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
  }
  // The share of the view's pixels that differ between two grabs of the screen.
  static double Changed(const QImage& a, const QImage& b) { return test::ShareDiffering(a, b, 24); }
  QImage Screen() { return test::GrabScreen(Window.Viewer(), Window.Viewer().rect()); }

  TProgram Program;
  TForm1& Form = Program.Form1;
  TMainWindow Window{Program};
};

// The mouse on a flat square and B: a boulder stands there, drawn where the mouse points, and
// the energy fell by 2.
TEST_F(Playing, ABoulderWhereTheMousePointsTheMapViewAndADrag) {
  const auto found = SeenFlatSquare();
  ASSERT_TRUE(found);
  const auto [pixel, square] = *found;
  MoveMouseTo(pixel);
  const QRect around(pixel - QPoint(6, 6), QSize(13, 13));
  const QImage before = test::GrabScreen(Window.Viewer(), around);
  const int energy = Land().Energy;
  Xdotool({"key", "b"});
  ASSERT_TRUE(WaitFor([&] { return Land().TopLevel(square.x, square.y) == 1; }));
  EXPECT_EQ(Land().Object(square.x, square.y, 1).Kind, go_boulder);
  EXPECT_EQ(Land().Energy, energy - 2);
  EXPECT_TRUE(WaitFor([&] {
    return Changed(before, test::GrabScreen(Window.Viewer(), around)) > 0.3;
  })) << "the boulder is seen";

  // M shows the landscape from outside and M again gives the same view back; a drag to the
  // right turns the view (to the left, with the reverse settings on as they start).
  const QImage playerView = Screen();
  MoveMouseTo({400, 300});
  Xdotool({"key", "m"});
  ASSERT_TRUE(WaitFor([&] { return Form.MapView; }));
  // From outside, the ground at the bottom of the view gives way to sky.
  const QRect bottom(0, Window.Viewer().height() * 7 / 8, Window.Viewer().width(),
                     Window.Viewer().height() / 8);
  EXPECT_TRUE(
      WaitFor([&] { return Changed(playerView.copy(bottom), Screen().copy(bottom)) > 0.8; }));
  Xdotool({"key", "m"});
  ASSERT_TRUE(WaitFor([&] { return !Form.MapView; }));
  Form.Look.TargetFieldOfView = 60.0f;
  EXPECT_TRUE(WaitFor([&] { return Changed(playerView, Screen()) < 0.05; }, 8000));

  const glm::vec3 from = LookDirection();
  Xdotool({"mousedown", "1"});
  for (int x = 410; x <= 520; x += 10)
    MoveMouseTo({x, 300});
  Xdotool({"mouseup", "1"});
  ASSERT_TRUE(WaitFor([&] {
    const glm::vec3 to = LookDirection();
    return from.z * to.x - from.x * to.z > 0.1f;
  })) << "turned left";
  EXPECT_GT(Changed(playerView, Screen()), 0.1);
}

// F11 fills the screen with the window, the view keeping its aspect rules, and F11 again gives
// the window back as it was.
TEST_F(Playing, F11SwitchesFullScreen) {
  const QRect window = Window.geometry();
  const QRect screen = Window.screen()->geometry();
  Xdotool({"key", "F11"});
  ASSERT_TRUE(WaitFor([&] { return Window.geometry() == screen; }));
  EXPECT_TRUE(Program.Settings.D_FullScreen());
  const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  EXPECT_TRUE(WaitFor([&] { return Window.Viewer().geometry().width() == viewer.Width; }));
  const double aspect = double(viewer.Width) / viewer.Height;
  EXPECT_GE(aspect, 20.0 / 17 - 0.01);
  EXPECT_LE(aspect, 5.0 / 3 + 0.01);
  EXPECT_EQ(viewer.Width, std::min(screen.width(), int(std::lround(viewer.Height * 5.0 / 3))));
  // The view is drawn over the screen, up to its far corner.
  EXPECT_TRUE(WaitFor([&] {
    const QImage corner =
        test::GrabScreen(Window.Viewer(), QRect(viewer.Width - 40, viewer.Height - 40, 30, 30));
    return test::PixelsNear(corner, Qt::black, 8) < 30 * 30 / 10;
  }));
  Xdotool({"key", "F11"});
  EXPECT_TRUE(WaitFor([&] { return Window.geometry() == window; }));
  EXPECT_FALSE(Program.Settings.D_FullScreen());

  // The window's place from the preferences, unless it is off every screen; and where the
  // window is when it closes goes into the preference file.
  Program.Settings.gs_D_Window({-5000, 3000, 700, 450});
  Program.Settings.gs_D_Window({100, 80, 700, 450});
  EXPECT_TRUE(WaitFor([&] { return Window.geometry() == QRect(100, 80, 700, 450); }));
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvane_place";
  std::filesystem::create_directories(folder / "script");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  Window.close();
  const auto lines = ReadTextLines("script/Preferences.osc");
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  ASSERT_TRUE(lines && !lines->empty());
  EXPECT_EQ(lines->back(), "pref D_Window 100 80 700 450");
}

}  // namespace
}  // namespace orvane
