#include <tuple>

#include <gtest/gtest.h>

#include "console/Log.h"
#include "dialogs/NewGame.h"
#include "dialogs/NextGame.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {
namespace {

struct NextGame : ::testing::Test {
  NextGame() { Settings.ApplyDefaultSettings(); }
  TGameSettings Settings;
  TLog Log;
  TDlgNewGame NewGame{Settings, Log};
  TFormNextGame Dialog{NewGame};
};

// A choice outlives the showing. (Exit, which chooses nothing and ends the program: the dialog's
// and the main window's tests on a display.)
TEST_F(NextGame, KeysChooseAndCloseOtherKeysDoNothingAndChoicesMoveTheDifficulty) {
  for (const char key : {'x', '1', '2', '3'}) {
    Dialog.FormShow();
    Dialog.FormKeyPress(key);
    EXPECT_EQ(Dialog.Closed(), key != 'x') << key;
    EXPECT_EQ(Dialog.Choice, key == 'x' ? 0 : key - '0');
  }
  Dialog.FormShow();
  EXPECT_EQ(std::tuple(Dialog.Choice, Dialog.Closed()), std::tuple(3, false));

  // Easier takes 5; harder adds 2% of what is left and 1, rounded half to even, within 0..100.
  const std::tuple<int, char, int> cases[] = {{98, '3', 99}, {99, '3', 100}, {100, '3', 100},
                                              {0, '3', 3},   {50, '3', 52},  {25, '3', 27},
                                              {3, '1', 0},   {40, '1', 35},  {40, '2', 40}};
  for (const auto& [from, key, to] : cases) {
    Settings.gs_S_Difficulty(from);
    Dialog.FormShow();
    Dialog.FormKeyPress(key);
    Dialog.ApplyChoice([] { return 0.5; });
    EXPECT_EQ(Settings.GameSpec().S_Difficulty, to) << from << " " << key;
  }
}

TEST_F(NextGame, SameLandscapeTicksTheNewGameBoxAndKeepsTheNumber) {
  Settings.gs_S_LandscapeNumber(1234);
  Dialog.FormShow();
  EXPECT_FALSE(Dialog.SameLandscape());
  Dialog.cbLandscapeCodeClick();
  EXPECT_EQ(std::tuple(Dialog.SameLandscape(), NewGame.cbLandscapeCode.Checked,
                       NewGame.E_S_LandscapeNumber.Enabled, Settings.GameSpec().LandscapeFixed),
            std::tuple(true, true, true, true));
  Dialog.btnSameAgainClick();
  Dialog.ApplyChoice([] { return 0.5; });
  EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, 1234);

  // Unticked in the new-game dialog: the next showing follows it, and a new number is drawn.
  NewGame.cbLandscapeCodeClick();
  Dialog.FormShow();
  EXPECT_EQ(std::tuple(Dialog.SameLandscape(), Dialog.cbLandscapeCode.Checked),
            std::tuple(false, false));
  Dialog.ApplyChoice([] { return 0.5; });
  EXPECT_EQ(std::tuple(Settings.GameSpec().S_LandscapeNumber, NewGame.E_S_LandscapeNumber.Text),
            std::tuple(1073741823, "1073741823"));
}

}  // namespace
}  // namespace orvane
