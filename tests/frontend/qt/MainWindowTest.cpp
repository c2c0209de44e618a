// The main window in a real (virtual) display, read off the screen where it matters, and the
// next-game dialog it runs modally at the end of a landscape.

#include <algorithm>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "frontend/Program.h"
#include "frontend/qt/MainWindow.h"
#include "frontend/qt/Pictures.h"
#include "frontend/qt/StatusBarWidget.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {
namespace {

using test::WaitFor;

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() {
    Window.resize(541, 386);
    Window.show();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > 2; }));
  }

  // A landscape chosen by number, seen at an angle (at first: the full angle).
  void ShowLandscape(int32_t number, int32_t difficulty = 0, float fieldOfView = 135.0f) {
    Program.Settings.ChooseLandscape(number, difficulty);
    Program.Form1.Game->Init();
    // The landscape's lights come up out of a thick fog: straight to their end.
    Program.Form1.Simulation->ProgressAnimations(2.5);
    Program.Form1.Look.FieldOfView = Program.Form1.Look.TargetFieldOfView = fieldOfView;
    Program.Scene.GLSceneViewer1.SetFieldOfView(fieldOfView);
    Settle();
  }

  // Lets the view draw a few frames more, and the window show what its logic holds by then.
  void Settle() {
    const uint64_t drawn = Window.Viewer().FramesDrawn();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn + 2; }));
  }

  // The share of the hint panel's place on the screen that shows the panel's light background.
  double PanelPaperShown() {
    const THintPanel& panel = Program.Form1.Panel_PopInfo;
    const QImage place = test::GrabScreen(Window, QRect(16, 16, panel.Width, panel.Height));
    return double(test::PixelsNear(place, QColor(240, 240, 240), 4)) / place.width() /
           place.height();
  }

  // Whether the screen shows, over an area of the view, what the view draws there.
  bool ScreenShowsTheView(const QRect& area) {
    const QImage screen = test::GrabScreen(Window.Viewer(), area);
    const QImage frame = Window.Viewer().Snapshot().copy(area);
    if (frame.size() != screen.size()) return false;
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        differing += test::ChannelDistance(screen.pixelColor(x, y), frame.pixelColor(x, y)) > 8;
    return differing < screen.width() * screen.height() / 50;
  }

  // Whether the pointer at a pixel of the view points at a square of the landscape.
  bool PointsAtASquare(int x, int y) {
    TForm1& form = Program.Form1;
    form.UpdatePointer(x, y, false);
    const int n = Program.Landscape().GridSize;
    return form.PointedX >= 0 && form.PointedX < n && form.PointedZ >= 0 && form.PointedZ < n;
  }

  // A board facing the camera, `distance` ahead of it.
  TMeshObject& AddBoard(float distance, float width, float height, const TColor& colour) {
    const TCamera& camera = *Program.Scene.GLCamera1;
    const glm::vec3 middle = camera.AbsolutePosition() + distance * camera.ForwardVector();
    const glm::vec3 right = 0.5f * width * camera.RightVector();
    const glm::vec3 up = 0.5f * height * camera.UpwardVector();
    TMeshObject& board = *Program.Scene.DummyCube2->AddNewChild<TMeshObject>();
    board.AddTriangle(middle - right - up, middle + right - up, middle + right + up, colour);
    board.AddTriangle(middle - right - up, middle + right + up, middle - right + up, colour);
    return board;
  }

  // Ends the landscape as lost and, once the next-game dialog has been open for a while, clicks
  // one of its buttons. Gives the frames the frame timer made meanwhile.
  uint64_t LoseAndClick(const char* button) {
    const uint64_t before = Program.Form1.GLCadencer1.ProgressCount();
    uint64_t during = 0;
    QObject guard;
    QTimer::singleShot(400, &guard, [&] {
      during = Program.Form1.GLCadencer1.ProgressCount() - before;
      if (QWidget* dialog = QApplication::activeModalWidget())
        dialog->findChild<QAbstractButton*>(button)->click();
    });
    QTimer::singleShot(5000, &guard, [] {  // a guard against hanging
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->done(-2);
    });
    Program.Form1.Simulation->GameEnd(true);
    return during;
  }

  TProgram Program;
  TMainWindow Window{Program};
};

// The hint panel lies over the 3-D view: the screen shows its light background and its sign
// at its place, and once the queue is empty or hints are off, the view again.
TEST_F(MainWindow, TheHintPanelIsSeenOverTheViewAndGoesWithItsHints) {
  ShowLandscape(4242);
  TForm1& form = Program.Form1;
  Program.Settings.gs_H_ShowHints(true);
  ASSERT_GE(form.HintQueue().size(), 3u);
  Settle();
  const THintPanel& panel = form.Panel_PopInfo;
  ASSERT_TRUE(panel.Visible);
  EXPECT_GT(PanelPaperShown(), 0.5) << "the panel's background is on the screen";
  const QImage signArea = test::GrabScreen(Window, QRect(16 + 4, 16, 29, panel.Height));
  EXPECT_GT(test::PixelsNear(signArea, QColourOfNumber(panel.SignColour), 39), 20) << "the sign";

  const QRect place(16, 16, panel.Width, panel.Height);
  Program.Settings.gs_H_ShowHints(false);
  Settle();
  EXPECT_TRUE(ScreenShowsTheView(place)) << "hints switched off";
  Program.Settings.gs_H_ShowHints(true);
  Settle();
  EXPECT_GT(PanelPaperShown(), 0.5) << "hints switched on again";
  form.ClearHintQueue();
  Settle();
  EXPECT_TRUE(ScreenShowsTheView(place)) << "the queue emptied";
}

// The energy number is drawn whole inside its label, however many digits it has, and the
// meter's icons begin only after the label.
TEST_F(MainWindow, TheEnergyNumberIsShownWholeBesideTheMeter) {
  TStatusBarWidget& bar = Window.StatusBar();
  auto inkOf = [&](int energy) {
    Program.Form1.ShowEnergy(energy);
    Settle();
    const QImage image = test::GrabScreen(bar, bar.EnergyLabelRect());
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) > 40) ink |= QRect(x, y, 1, 1);
    EXPECT_FALSE(ink.isEmpty()) << energy;
    EXPECT_TRUE(ink.adjusted(-1, -1, 1, 1).intersected(image.rect()) == ink.adjusted(-1, -1, 1, 1))
        << energy << ": the number touches the edge of its label";
    return ink;
  };
  const QRect narrow = inkOf(9);
  EXPECT_GT(inkOf(200).width(), 2 * narrow.width());
  EXPECT_GT(inkOf(12345).width(), 4 * narrow.width());

  // 12345 fills the meter with fifteen-unit shells, gold: none lies over the number.
  const QColor gold(230, 200, 80);
  const QRect label(0, 0, bar.EnergyLabelRect().right() + 1, bar.height());
  EXPECT_EQ(test::PixelsNear(test::GrabScreen(bar, label), gold, 29), 0);
  EXPECT_GT(test::PixelsNear(test::GrabScreen(bar, bar.rect()), gold, 29), 0) << "the meter";
}

// A 60 degree view shows a board of known height at a known distance as tall, relative to the
// view's height, as the angle says, in whatever pixels the screen has (the test runs again at
// a scale factor of 2).
TEST_F(MainWindow, TheFieldOfViewSpansItsAngleOnScreen) {
  ShowLandscape(4242, 0, 60.0f);
  Program.Scene.GLSceneViewer1.FogEnable = false;
  const TColor red{1.0f, 0.0f, 0.0f, 1.0f};
  AddBoard(4.0f, 1.0f, 1.6f, red).EditMaterial().Emission = red;
  Settle();

  const QImage screen = test::GrabScreen(Window.Viewer(), Window.Viewer().rect());
  int top = screen.height();
  int bottom = -1;
  for (int y = 0; y < screen.height(); ++y) {
    const QColor c = screen.pixelColor(screen.width() / 2, y);
    if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GE(bottom, top) << "the board is on the screen";
  const double expected = 1.6 / (2.0 * 4.0 * std::tan(glm::radians(30.0)));
  EXPECT_NEAR(double(bottom - top + 1) / screen.height(), expected, 0.01);
}

// A sky brighter than white (landscape 5151 at difficulty 80: about 1.23, 0.99, 1.13) is shown
// clamped, and the fog takes on the sky as shown: a black board half in the fog is half the
// background's colour, in every channel.
TEST_F(MainWindow, TheFogIsNoBrighterThanTheSky) {
  ShowLandscape(5151, 80, 60.0f);
  TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  ASSERT_GT(viewer.Fog.Color.r, 1.1f);
  viewer.Fog.Color.a = std::log(2.0f) / 4.0f;
  AddBoard(4.0f, 0.2f, 0.2f, {0.0f, 0.0f, 0.0f, 1.0f});
  Settle();

  const QColor sky = QColourOfNumber(viewer.BackgroundColor);
  const QImage top = test::GrabScreen(Window.Viewer(), QRect(viewer.Width - 40, 0, 40, 2));
  EXPECT_EQ(test::PixelsNear(top, sky, 3), 80);
  const QImage fogged =
      test::GrabScreen(Window.Viewer(), QRect(viewer.Width / 2 - 2, viewer.Height / 2 - 2, 5, 5));
  const QColor halfSky(sky.red() / 2, sky.green() / 2, sky.blue() / 2);
  EXPECT_EQ(test::PixelsNear(fogged, halfSky, 4), 25)
      << "half the sky is " << halfSky.name().toStdString() << ", the board shows "
      << fogged.pixelColor(2, 2).name().toStdString();
}

// Vertical sync switched while playing, even before the window system has answered a resize,
// reaches the window the view is drawn in, both ways; the view goes on drawing the landscape
// over its whole area and under the hint panel, and picking finds the ground.
TEST_F(MainWindow, VerticalSyncSwitchesWhilePlaying) {
  ShowLandscape(4242);
  TSceneViewerWidget& view = Window.Viewer();
  ASSERT_TRUE(Program.Form1.Panel_PopInfo.Visible);
  for (const bool on : {true, false, true}) {
    view.resize(view.width() - 20, view.height() - 10);
    Program.Form1.SetVSync(on);
    view.RequestFrame();
    Settle();
    EXPECT_EQ(view.SwapInterval(), on ? 1 : 0);
    EXPECT_EQ(view.Snapshot().size(), view.size()) << on;
    EXPECT_TRUE(ScreenShowsTheView(QRect(0, 100, view.width(), view.height() - 100))) << on;
    EXPECT_GT(PanelPaperShown(), 0.5) << "the hint panel stays over the view";
    EXPECT_TRUE(PointsAtASquare(view.width() / 2, view.height() * 7 / 8)) << on;
  }
}

// A window of 900 by 333 leaves a view of 900 by 300, wider than 5:3: the viewer keeps to
// 500 by 300, and a screenshot has its size.
TEST_F(MainWindow, AScreenshotHasTheViewersSizeKeptWithinItsAspectLimits) {
  Window.resize(900, 333);
  ASSERT_TRUE(WaitFor([&] { return Program.Scene.GLSceneViewer1.Height == 300; }));
  EXPECT_EQ(Program.Scene.GLSceneViewer1.Width, 500);
  Settle();
  const auto folder = std::filesystem::temp_directory_path() / "orvane_screenshot_test";
  std::filesystem::create_directories(folder / "snapshot");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  Program.Form1.TakeScreenshot();
  std::filesystem::current_path(previous);
  const std::string line = Program.Log.GetLines().back();
  ASSERT_EQ(line.rfind("Screenshot saved as snapshot/", 0), 0u) << line;
  EXPECT_EQ(QImage(QString::fromStdString((folder / line.substr(20)).string())).size(),
            QSize(500, 300));
  std::filesystem::remove_all(folder);
}

// At the end of a landscape the next-game dialog runs modally while the frame timer fires on
// behind it; a choice makes the next landscape, and Exit closes the main window.
TEST_F(MainWindow, TheNextGameDialogRunsModallyAtTheEndOfALandscape) {
  Program.Settings.gs_S_Difficulty(50);
  EXPECT_GT(LoseAndClick("btnMoreDifficult"), 5u) << "the frame timer fires behind the dialog";
  EXPECT_EQ(Program.Settings.GameSpec().S_Difficulty, 52);
  EXPECT_TRUE(Window.isVisible());
  LoseAndClick("btnExit");
  EXPECT_TRUE(Program.Form1.FormNextGame.ExitRequested);
  EXPECT_FALSE(Window.isVisible());
  EXPECT_FALSE(Program.Form1.GLCadencer1.Enabled);
}

}  // namespace
}  // namespace orvane
