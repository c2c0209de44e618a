// The main window's menus: the new-game dialog as the pause menu and what its choices do, and
// the list of keys in the console.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/FakeWindowSystem.h"
#include "frontend/Program.h"

namespace orvane {
namespace {

class Menus : public ::testing::Test {
 protected:
  Menus() {
    Program.Random.SetClock([] { return 4321u; });
    Form.SetWindowSystem(&Windows);
    Form.FormCreate();
  }

  std::vector<float> Heights() {
    const TLandscape& land = Program.Landscape();
    std::vector<float> heights;
    for (int x = 0; x <= land.GridSize; ++x)
      for (int z = 0; z <= land.GridSize; ++z)
        heights.push_back(land.PointHeight(x, z));
    return heights;
  }
  bool Queued(const std::string& hint) const {
    const auto& queue = Form.HintQueue();
    return std::find(queue.begin(), queue.end(), hint) != queue.end();
  }

  TProgram Program;
  TForm1& Form = Program.Form1;
  TFakeWindowSystem Windows;
};

// Esc pauses: the pause hint and suggestion while the dialog is up, then the hints of that topic
// go, the welcome hint with them. Return leaves the landscape as it is.
TEST_F(Menus, ThePauseMenuShowsThePauseAndTakesItsHintsAway) {
  ASSERT_TRUE(Queued(WelcomeHints[0]));
  const TLandscape* landscape = &Program.Landscape();
  bool paused = false;
  Windows.WhileNewGameShown = [&] {
    paused = Queued("AN0Game Paused") &&
             Program.DlgNewGame.LabelSuggestion.Caption ==
                 "GAME PAUSED - Close this box to return to the game, or use 'New Game' to start "
                 "another game.";
  };
  Form.PauseAndMenu();
  EXPECT_EQ(Windows.NewGameShown, 1);
  EXPECT_TRUE(paused);
  for (const std::string& hint : Form.HintQueue())
    EXPECT_NE(hint[1], 'N') << hint;
  EXPECT_EQ(&Program.Landscape(), landscape);
  EXPECT_FALSE(Windows.MainWindowClosed);
}

TEST_F(Menus, NewGameMakesANewLandscapeAndExitClosesTheMainWindow) {
  const std::vector<float> before = Heights();
  Program.Random.SetClock([] { return 1234u; });  // a new landscape number is drawn
  Windows.NewGameChoice = nc_NewGame;
  Form.ShowNewGameDialog();
  EXPECT_NE(Heights(), before);
  EXPECT_FALSE(Windows.MainWindowClosed);

  Windows.NewGameChoice = nc_Exit;
  Form.ShowNewGameDialog();
  EXPECT_TRUE(Windows.MainWindowClosed);
}

// The console is cleared and shown holding the key list as the file has it.
TEST_F(Menus, ViewKeyboardControlsLeavesOnlyTheKeyListInTheConsole) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / "orvane_menus_test";
  fs::create_directories(folder / "console_help");
  std::ofstream(folder / "console_help" / "Help_KeyBindDefaults.txt")
      << "[Esc]  Menu\n  [B]  Boulder\n";
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  Form.ExecuteCommand("echo before", false);
  Form.ViewKeyboardControls();
  fs::current_path(previous);
  fs::remove_all(folder);
  EXPECT_EQ(Program.Log.GetLines(), (std::vector<std::string>{"[Esc]  Menu", "  [B]  Boulder"}));
  EXPECT_TRUE(Program.FormNotes.Visible);
  EXPECT_TRUE(Form.ConsoleVisible);
}

}  // namespace
}  // namespace orvane
