#include <gtest/gtest.h>

#include "frontend/FakeWindowSystem.h"
#include "frontend/Program.h"

namespace orvane {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() {
    Program.Random.SetClock([] { return 4321u; });
    Form.SetWindowSystem(&Windows);
  }

  TProgram Program;
  TForm1& Form = Program.Form1;
  TSceneViewer& Viewer = Program.Scene.GLSceneViewer1;
  TFakeWindowSystem Windows;
};

TEST_F(MainWindow, CreationMakesTheFirstLandscapeAndStartsTheTimer) {
  Form.FormCreate();
  ASSERT_TRUE(Form.Game && Form.Game->Landscape);
  EXPECT_GT(Program.Landscape().GridSize, 0);
  ASSERT_GE(Form.HintQueue().size(), 2u);
  EXPECT_EQ(Form.HintQueue()[0], WelcomeHints[0]);
  EXPECT_EQ(Form.HintQueue()[1], WelcomeHints[1]);
  EXPECT_TRUE(Form.Panel_PopInfo.Visible);
  EXPECT_EQ(Form.Look.FieldOfView, 6.0f);
  EXPECT_TRUE(Form.NoSleep);
  EXPECT_TRUE(Form.VSync);
  EXPECT_TRUE(Form.GLCadencer1.Enabled);
  EXPECT_TRUE(Program.Scene.SortFarthestFirst);
  EXPECT_EQ(Windows.Cursor, glm::ivec2(300, 200)) << "the window's centre";
  for (const std::string& line : Program.Log.GetLines())
    EXPECT_NE(line.rfind("Error", 0), 0u) << line;

  Form.FormClose();
  EXPECT_FALSE(Form.GLCadencer1.Enabled);
}

TEST_F(MainWindow, ACursorThatCannotMoveIsReportedOnce) {
  Windows.CursorFails = true;
  Form.CentreCursor();
  Form.SetWindowSystem(nullptr);
  Form.CentreCursor();
  EXPECT_EQ(Program.Log.GetLines(),
            std::vector<std::string>(2,
                                     "Error 0010: Could not set cursor position @ "
                                     "Form.CentreCursor()"));
}

TEST_F(MainWindow, AnUnexpectedExceptionOpensTheConsole) {
  Form.HandleException("boom");
  EXPECT_EQ(Program.Log.GetLines(), std::vector<std::string>{"Unexpected Exception: boom"});
  EXPECT_EQ(Windows.ConsoleShown, 1);
  EXPECT_TRUE(Form.ConsoleVisible);
}

struct TResizeCase {
  int ClientWidth, ClientHeight, Width, Height;
};

TEST_F(MainWindow, TheViewerKeepsItsAspectBetweenTheLimits) {
  const TResizeCase cases[] = {
      {541, 386, 541, 353},   // the design size, inside the limits
      {500, 333, 500, 300},   // exactly 5:3 fills the area
      {400, 373, 400, 340},   // exactly 20:17 fills the area
      {1000, 333, 500, 300},  // wider: a strip on the right
      {300, 533, 300, 255},   // taller: a strip at the bottom
      {501, 334, 501, 301},   // 501/301 just inside the wide limit
  };
  for (const TResizeCase& c : cases) {
    Viewer.Left = Viewer.Top = 7;
    Form.Look.ResetMouseOrigin = false;
    Form.FormResize(c.ClientWidth, c.ClientHeight);
    EXPECT_EQ(Viewer.Left, 0);
    EXPECT_EQ(Viewer.Top, 0);
    EXPECT_EQ(Viewer.Width, c.Width) << c.ClientWidth << "x" << c.ClientHeight;
    EXPECT_EQ(Viewer.Height, c.Height) << c.ClientWidth << "x" << c.ClientHeight;
    EXPECT_TRUE(Form.Look.ResetMouseOrigin);
  }
  EXPECT_TRUE(Program.Log.GetLines().empty());
}

TEST_F(MainWindow, ResizingAppliesTheFieldOfViewAcrossTheSmallerSide) {
  Form.Look.FieldOfView = 135.0f;
  const uint64_t changes = Program.Scene.ChangeCount();
  Form.FormResize(500, 333);
  EXPECT_NEAR(Program.Scene.GLCamera1->FocalLength, 62.13, 0.01);
  EXPECT_EQ(Program.Scene.ChangeCount(), changes + 1) << "one change for the whole resize";
}

TEST_F(MainWindow, AFailedResizeStillResetsTheMouseOrigin) {
  Form.FormResize(541, 33);
  EXPECT_TRUE(Form.Look.ResetMouseOrigin);
  EXPECT_EQ(Program.Log.GetLines(),
            std::vector<std::string>{
                "Error 0012: GLSceneViewer1 or GLCamera1 does not exist @ Form.FormResize()."});
}

TEST_F(MainWindow, ThePointerPicksTheRowUnderTheCursorAndTruncatesTowardZero) {
  Windows.Point = {-0.5f, 2.25f, 7.9f};
  Windows.Cursor = {154, 100};
  Form.UpdatePointer(0, 0, true);
  EXPECT_EQ(Windows.PixelAsked, glm::ivec2(50, 21));
  EXPECT_EQ(Form.PointedX, 0);
  EXPECT_EQ(Form.PointedZ, 7);
  EXPECT_EQ(Form.PointedHeight, 2.25f);
  Form.UpdatePointer(3, 4, false);
  EXPECT_EQ(Windows.PixelAsked, glm::ivec2(3, 5));
}

TEST_F(MainWindow, ThePointerOnTheSkyPointsAtNoSquare) {
  const TCamera& camera = *Program.Scene.GLCamera1;
  // The far plane straight ahead, wherever it lies above the grid.
  Windows.Point = camera.AbsolutePosition() + camera.ForwardVector() * camera.DepthOfView();
  Form.UpdatePointer(10, 10, false);
  EXPECT_EQ(Form.PointedX, -1);
  EXPECT_EQ(Form.PointedZ, -1);
  Windows.Point = camera.AbsolutePosition() + camera.ForwardVector() * 2.0f;
  Form.UpdatePointer(10, 10, false);
  EXPECT_NE(Form.PointedX, -1);
}

}  // namespace
}  // namespace orvane
