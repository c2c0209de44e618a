// The main window in a real (virtual) display, read off the screen where it matters: it opens
// on the first landscape and draws it, the hint panel is seen over the view, the energy number
// is shown whole, the view spans its angle, the fog is no brighter than the sky, vertical sync
// switches while playing, picking finds squares, screenshots are saved, and an exception in a
// handler is logged while play goes on.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "frontend/Program.h"
#include "frontend/qt/Application.h"
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

  // A fixed landscape, and the view opened out to its full angle.
  void ShowLandscape(int32_t number) {
    TGameSettings& settings = Program.Settings;
    settings.gs_S_LandscapeRandom(false);
    settings.gs_S_LandscapeNumber(number);
    Program.Form1.Game->Init();
    // The landscape's lights come up out of a thick fog: straight to their end.
    Program.Form1.Simulation->ProgressAnimations(2.5);
    Program.Form1.Look.FieldOfView = 135.0f;
    Program.Scene.GLSceneViewer1.SetFieldOfView(135.0f);
    const uint64_t drawn = Window.Viewer().FramesDrawn();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn + 1; }));
  }

  QImage Frame() { return Window.Viewer().Snapshot(); }

  // The share of the hint panel's place on the screen that shows the panel's light background.
  double PanelPaperShown() {
    const THintPanel& panel = Program.Form1.Panel_PopInfo;
    const QImage place = test::GrabScreen(Window, QRect(16, 16, panel.Width, panel.Height));
    const int paper = test::CountPixels(
        place, [](QColor c) { return test::ChannelDistance(c, QColor(240, 240, 240)) <= 4; });
    return double(paper) / (place.width() * place.height());
  }

  // Whether the screen shows, over an area of the view, what the view draws there.
  bool ScreenShowsTheView(const QRect& area) {
    const QImage screen = test::GrabScreen(Window.Viewer(), area);
    const QImage frame = Frame().copy(area);
    if (frame.size() != screen.size()) return false;
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        differing += test::ChannelDistance(screen.pixelColor(x, y), frame.pixelColor(x, y)) > 8;
    return differing < screen.width() * screen.height() / 50;
  }

  // Lets the window show what its logic holds now, and the view draw a few frames more.
  void Settle() {
    Window.Refresh();
    const uint64_t drawn = Window.Viewer().FramesDrawn();
    EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn + 2; }));
  }

  TProgram Program;
  TMainWindow Window{Program};
};

QColor SkyOf(const TLandscape& land) {
  return QColourOfNumber(ColorNumber(land.SkyColour));
}

TEST_F(MainWindow, OpensOnTheFirstLandscapeWithSkyAboveAndTerrainBelow) {
  const TLandscape& land = Program.Landscape();
  ASSERT_GT(land.GridSize, 0);
  EXPECT_TRUE(Program.Form1.GLCadencer1.Enabled);
  EXPECT_GT(Program.Form1.GLCadencer1.ProgressCount(), 0u);

  ShowLandscape(4242);
  const QImage frame = Frame();
  const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  ASSERT_EQ(frame.size(), QSize(viewer.Width, viewer.Height));
  const QColor sky = SkyOf(land);
  for (int x = 5; x < frame.width(); x += frame.width() / 7)
    EXPECT_LE(test::ChannelDistance(frame.pixelColor(x, 1), sky), 6) << "top row at " << x;
  const QColor ground = frame.pixelColor(frame.width() / 2, frame.height() * 7 / 8);
  EXPECT_GT(test::ChannelDistance(ground, sky), 6) << "the lower middle shows terrain";
}

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
  const QRect place(16, 16, panel.Width, panel.Height);
  EXPECT_GT(PanelPaperShown(), 0.5) << "the panel's background is on the screen";
  const QColor sign = QColourOfNumber(panel.SignColour);
  const QImage signArea = test::GrabScreen(Window, QRect(16 + 4, 16, 29, panel.Height));
  EXPECT_GT(
      test::CountPixels(signArea, [&](QColor c) { return test::ChannelDistance(c, sign) < 40; }),
      20)
      << "the sign is drawn";

  // Off: the view shows through where the panel was, as the view draws it.
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
    const QRect label = bar.EnergyLabelRect();
    const QImage image = test::GrabScreen(bar, label);
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
  const QRect middle = inkOf(200);
  const QRect wide = inkOf(12345);
  EXPECT_GT(middle.width(), 2 * narrow.width());
  EXPECT_GT(wide.width(), 4 * narrow.width());

  // 12345 fills the meter with fifteen-unit shells, gold: none lies over the number.
  const QImage whole = test::GrabScreen(bar, bar.rect());
  const QColor gold(230, 200, 80);
  int leftmostGold = whole.width();
  for (int y = 0; y < whole.height(); ++y)
    for (int x = 0; x < whole.width(); ++x)
      if (test::ChannelDistance(whole.pixelColor(x, y), gold) < 30)
        leftmostGold = std::min(leftmostGold, x);
  EXPECT_LT(leftmostGold, whole.width()) << "the meter is drawn";
  EXPECT_GT(leftmostGold, bar.EnergyLabelRect().right());
}

// A 60 degree view shows a board of known height at a known distance as tall, relative to the
// view's height, as the angle says, in whatever pixels the screen has (the test runs again at
// a scale factor of 2).
TEST_F(MainWindow, TheFieldOfViewSpansItsAngleOnScreen) {
  ShowLandscape(4242);
  TForm1& form = Program.Form1;
  form.Look.FieldOfView = form.Look.TargetFieldOfView = 60.0f;
  TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  viewer.SetFieldOfView(60.0f);
  viewer.FogEnable = false;
  const TCamera& camera = *Program.Scene.GLCamera1;
  const float distance = 4.0f;
  const float height = 1.6f;
  const glm::vec3 middle = camera.AbsolutePosition() + distance * camera.ForwardVector();
  const glm::vec3 right = 0.5f * camera.RightVector();
  const glm::vec3 up = 0.5f * height * camera.UpwardVector();
  TMeshObject& board = *Program.Scene.DummyCube2->AddNewChild<TMeshObject>();
  const TColor red{1.0f, 0.0f, 0.0f, 1.0f};
  board.AddTriangle(middle - right - up, middle + right - up, middle + right + up, red);
  board.AddTriangle(middle - right - up, middle + right + up, middle - right + up, red);
  board.EditMaterial().Emission = red;
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
  const double expected = height / (2.0 * distance * std::tan(glm::radians(30.0)));
  EXPECT_NEAR(double(bottom - top + 1) / screen.height(), expected, 0.01);
}

// A sky brighter than white (landscape 5151 at difficulty 80: about 1.23, 0.99, 1.13) is shown
// clamped, and the fog takes on the sky as shown: a black board half in the fog is half the
// background's colour, in every channel.
TEST_F(MainWindow, TheFogIsNoBrighterThanTheSky) {
  Program.Settings.ChooseLandscape(5151, 80);
  Program.Form1.Game->Init();
  Program.Form1.Simulation->ProgressAnimations(2.5);
  TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  ASSERT_GT(viewer.Fog.Color.r, 1.1f);
  const float distance = 4.0f;
  viewer.Fog.Color.a = std::log(2.0f) / distance;
  const TCamera& camera = *Program.Scene.GLCamera1;
  const glm::vec3 middle = camera.AbsolutePosition() + distance * camera.ForwardVector();
  const glm::vec3 right = 0.1f * camera.RightVector();
  const glm::vec3 up = 0.1f * camera.UpwardVector();
  TMeshObject& board = *Program.Scene.DummyCube2->AddNewChild<TMeshObject>();
  const TColor black{0.0f, 0.0f, 0.0f, 1.0f};
  board.AddTriangle(middle - right - up, middle + right - up, middle + right + up, black);
  board.AddTriangle(middle - right - up, middle + right + up, middle - right + up, black);
  Settle();

  const QColor sky = QColourOfNumber(viewer.BackgroundColor);
  const QImage top = test::GrabScreen(Window.Viewer(), QRect(viewer.Width - 40, 0, 40, 2));
  EXPECT_EQ(test::CountPixels(top, [&](QColor c) { return test::ChannelDistance(c, sky) > 3; }), 0);
  const QImage fogged =
      test::GrabScreen(Window.Viewer(), QRect(viewer.Width / 2 - 2, viewer.Height / 2 - 2, 5, 5));
  const QColor halfSky(sky.red() / 2, sky.green() / 2, sky.blue() / 2);
  EXPECT_EQ(
      test::CountPixels(fogged, [&](QColor c) { return test::ChannelDistance(c, halfSky) > 4; }), 0)
      << "half the sky is " << halfSky.name().toStdString() << ", the board shows "
      << fogged.pixelColor(2, 2).name().toStdString();
}

TEST_F(MainWindow, PickingFindsTheGroundAndNotTheSky) {
  ShowLandscape(4242);
  for (const TAntiAliasing mode : {aaNone, aa4x}) {
    Program.Form1.SetAntiAliasing(mode);
    const uint64_t drawn = Window.Viewer().FramesDrawn();
    ASSERT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn + 1; }));
    const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
    const int N = Program.Landscape().GridSize;
    Program.Form1.UpdatePointer(viewer.Width / 2, viewer.Height * 7 / 8, false);
    EXPECT_GE(Program.Form1.PointedX, 0) << mode;
    EXPECT_LT(Program.Form1.PointedX, N) << mode;
    EXPECT_GE(Program.Form1.PointedZ, 0) << mode;
    EXPECT_LT(Program.Form1.PointedZ, N) << mode;
    Program.Form1.UpdatePointer(viewer.Width / 2, 1, false);
    const bool inside = Program.Form1.PointedX >= 0 && Program.Form1.PointedX < N &&
                        Program.Form1.PointedZ >= 0 && Program.Form1.PointedZ < N;
    EXPECT_FALSE(inside) << "the sky is no square, mode " << mode;
  }
}

// Vertical sync switched while playing, even before the window system has answered a resize,
// reaches the window the view is drawn in, both ways; the view goes on drawing the landscape
// over its whole area and under the hint panel, and picking finds the ground.
TEST_F(MainWindow, VerticalSyncSwitchesWhilePlaying) {
  ShowLandscape(4242);
  TSceneViewerWidget& view = Window.Viewer();
  const int N = Program.Landscape().GridSize;
  ASSERT_TRUE(Program.Form1.Panel_PopInfo.Visible);
  for (const bool on : {true, false, true}) {
    view.resize(view.width() - 20, view.height() - 10);
    Program.Form1.SetVSync(on);
    view.RequestFrame();
    Settle();
    EXPECT_EQ(view.SwapInterval(), on ? 1 : 0);
    EXPECT_EQ(Frame().size(), view.size()) << on;
    EXPECT_TRUE(ScreenShowsTheView(QRect(0, 100, view.width(), view.height() - 100))) << on;
    EXPECT_GT(PanelPaperShown(), 0.5) << "the hint panel stays over the view";
    Program.Form1.UpdatePointer(view.width() / 2, view.height() * 7 / 8, false);
    EXPECT_TRUE(Program.Form1.PointedX >= 0 && Program.Form1.PointedX < N &&
                Program.Form1.PointedZ >= 0 && Program.Form1.PointedZ < N)
        << on;
  }
}

TEST_F(MainWindow, AScreenshotHasTheViewersSize) {
  const auto folder = std::filesystem::temp_directory_path() / "orvane_screenshot_test";
  std::filesystem::create_directories(folder / "snapshot");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  Program.Form1.TakeScreenshot();
  std::filesystem::current_path(previous);
  const std::string line = Program.Log.GetLines().back();
  ASSERT_EQ(line.rfind("Screenshot saved as snapshot/", 0), 0u) << line;
  const QImage saved(QString::fromStdString((folder / line.substr(20)).string()));
  const TSceneViewer& viewer = Program.Scene.GLSceneViewer1;
  EXPECT_EQ(saved.size(), QSize(viewer.Width, viewer.Height));
  std::filesystem::remove_all(folder);
}

TEST_F(MainWindow, AnExceptionInAHandlerIsLoggedOnceAndPlayGoesOn) {
  auto* application = dynamic_cast<TApplication*>(QApplication::instance());
  ASSERT_NE(application, nullptr);
  application->SetExceptionHandler(
      [this](const std::string& message) { Program.Form1.HandleException(message); });
  QTimer::singleShot(0, &Window, [] { throw std::runtime_error("boom"); });
  ASSERT_TRUE(WaitFor([&] { return Program.Log.Contains("Unexpected Exception: boom"); }));
  EXPECT_EQ(Program.Log.CountLinesStartingWith("Unexpected Exception: "), 1);
  const uint64_t drawn = Window.Viewer().FramesDrawn();
  EXPECT_TRUE(WaitFor([&] { return Window.Viewer().FramesDrawn() > drawn; }));
  application->SetExceptionHandler(nullptr);
}

TEST_F(MainWindow, TheFrameTimerKeepsFiringInsideAModalDialog) {
  QDialog dialog(&Window);
  const uint64_t before = Program.Form1.GLCadencer1.ProgressCount();
  uint64_t during = 0;
  QTimer::singleShot(400, &dialog, [&] {
    during = Program.Form1.GLCadencer1.ProgressCount();
    dialog.accept();
  });
  dialog.exec();
  EXPECT_GT(during, before + 5);
}

TEST_F(MainWindow, ResizingKeepsTheViewerWithinItsAspectLimits) {
  Window.resize(900, 333);  // a view of 900 by 300 is wider than 5:3
  ASSERT_TRUE(WaitFor([&] { return Program.Scene.GLSceneViewer1.Height == 300; }));
  EXPECT_EQ(Program.Scene.GLSceneViewer1.Width, 500);
  EXPECT_EQ(Window.Viewer().width(), 500);
}

}  // namespace
}  // namespace orvane
