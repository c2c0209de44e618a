// The main window's menus: what the new-game dialog's choices do, and the list of keys in the
// console. (The pause menu itself is played in the real window.)

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

  TProgram Program;
  TForm1& Form = Program.Form1;
  TFakeWindowSystem Windows;
};

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
