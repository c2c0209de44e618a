#include <tuple>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
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
  ASSERT_GE(Form.HintQueue().size(), 2u);
  EXPECT_EQ(std::tuple(Form.HintQueue()[0], Form.HintQueue()[1]),
            std::tuple(WelcomeHints[0], WelcomeHints[1]));
  EXPECT_EQ(std::tuple(Form.Look.FieldOfView, Form.Panel_PopInfo.Visible, Form.NoSleep, Form.VSync,
                       Form.GLCadencer1.Enabled, Program.Scene.SortFarthestFirst),
            std::tuple(6.0f, true, true, true, true, true));
  EXPECT_EQ(Windows.Cursor, glm::ivec2(300, 200)) << "the window's centre";
  for (const std::string& line : Program.Log.GetLines())
    EXPECT_NE(line.rfind("Error", 0), 0u) << line;

  Form.FormClose();
  EXPECT_FALSE(Form.GLCadencer1.Enabled);
}

// (An unexpected exception opens the console: PreferencesTest, a failed save.)
TEST_F(MainWindow, ACursorThatCannotMoveIsLoggedEachTime) {
  Windows.CursorFails = true;
  Form.CentreCursor();
  Form.SetWindowSystem(nullptr);
  Form.CentreCursor();
  const std::string cursor = "Error 0010: Could not set cursor position @ Form.CentreCursor()";
  EXPECT_EQ(Program.Log.GetLines(), (std::vector<std::string>{cursor, cursor}));
}

// Between 20:17 and 5:3 the viewer fills the area above the status bar, else a strip is left;
// the field of view is applied across the smaller side, in one change of the scene.
TEST_F(MainWindow, TheViewerKeepsItsAspectBetweenTheLimits) {
  const struct {
    int ClientWidth, ClientHeight, Width, Height;
  } cases[] = {{541, 386, 541, 353},  {500, 333, 500, 300}, {400, 373, 400, 340},
               {1000, 333, 500, 300}, {300, 533, 300, 255}, {501, 334, 501, 301},
               {530, 333, 500, 300}};
  Form.Look.FieldOfView = 135.0f;
  for (const auto& c : cases) {
    Viewer.Left = Viewer.Top = 7;
    Form.Look.ResetMouseOrigin = false;
    const uint64_t changes = Program.Scene.ChangeCount();
    Form.FormResize(c.ClientWidth, c.ClientHeight);
    EXPECT_EQ(glm::ivec4(Viewer.Left, Viewer.Top, Viewer.Width, Viewer.Height),
              glm::ivec4(0, 0, c.Width, c.Height))
        << c.ClientWidth << "x" << c.ClientHeight;
    EXPECT_TRUE(Form.Look.ResetMouseOrigin);
    EXPECT_EQ(Program.Scene.ChangeCount(), changes + 1);
  }
  Form.FormResize(500, 333);
  EXPECT_NEAR(Program.Scene.GLCamera1->FocalLength, 62.13, 0.01);

  Form.Look.ResetMouseOrigin = false;
  Form.FormResize(541, 33);  // no room: reported, and the mouse origin still reset
  EXPECT_TRUE(Form.Look.ResetMouseOrigin);
  EXPECT_EQ(Program.Log.GetLines(),
            std::vector<std::string>{
                "Error 0012: GLSceneViewer1 or GLCamera1 does not exist @ Form.FormResize()."});
}

// The pointer reads the row under the cursor and truncates toward zero; on the sky (the far
// plane, wherever it lies above the grid) it points at no square.
TEST_F(MainWindow, ThePointerPicksTheSquareUnderTheCursorAndNoneOnTheSky) {
  Windows.Point = {-0.5f, 2.25f, 7.9f};
  Windows.Cursor = {154, 100};
  Form.UpdatePointer(0, 0, true);
  EXPECT_EQ(Windows.PixelAsked, glm::ivec2(50, 21));
  EXPECT_EQ(glm::vec3(Form.PointedX, Form.PointedHeight, Form.PointedZ), glm::vec3(0, 2.25f, 7));
  Form.UpdatePointer(3, 4, false);
  EXPECT_EQ(Windows.PixelAsked, glm::ivec2(3, 5));

  const TCamera& camera = *Program.Scene.GLCamera1;
  Windows.Point = camera.AbsolutePosition() + camera.ForwardVector() * camera.DepthOfView();
  Form.UpdatePointer(10, 10, false);
  EXPECT_EQ(glm::ivec2(Form.PointedX, Form.PointedZ), glm::ivec2(-1, -1));
  Windows.Point = camera.AbsolutePosition() + camera.ForwardVector() * 2.0f;
  Form.UpdatePointer(10, 10, false);
  EXPECT_NE(Form.PointedX, -1);
}

// The new-game dialog's New Game makes a landscape with a new number, its Exit closes the main
// window; its key list leaves the console shown, holding only the keys as their file has them.
TEST_F(MainWindow, TheMenusChoicesAndTheListOfKeys) {
  Form.FormCreate();
  const int32_t number = Program.Settings.GameSpec().S_LandscapeNumber;
  Program.Random.SetClock([] { return 1234u; });  // a new landscape number is drawn
  Windows.NewGameChoice = nc_NewGame;
  Form.ShowNewGameDialog();
  EXPECT_NE(Program.Settings.GameSpec().S_LandscapeNumber, number);
  EXPECT_FALSE(Windows.MainWindowClosed);

  const console_test::TWorkingFolder folder;
  folder.Write("console_help/Help_KeyBindDefaults.txt", {"[Esc]  Menu", "  [B]  Boulder"});
  Form.ExecuteCommand("echo before", false);
  Form.ViewKeyboardControls();
  EXPECT_EQ(Program.Log.GetLines(), (std::vector<std::string>{"[Esc]  Menu", "  [B]  Boulder"}));
  EXPECT_TRUE(Program.FormNotes.Visible && Form.ConsoleVisible);

  Windows.NewGameChoice = nc_Exit;
  Form.ShowNewGameDialog();
  EXPECT_TRUE(Windows.MainWindowClosed);
}

}  // namespace
}  // namespace orvane
