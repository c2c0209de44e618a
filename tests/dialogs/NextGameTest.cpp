#include <gtest/gtest.h>

#include "dialogs/NewGame.h"
#include "dialogs/NextGame.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {
namespace {

struct NextGame : ::testing::Test {
  NextGame() { Settings.ApplyDefaultSettings(); }
  // Picks a choice by key, as the player would, and applies it with a fixed draw.
  int DifficultyAfterKey(int difficulty, char key) {
    Settings.gs_S_Difficulty(difficulty);
    Dialog.FormShow();
    Dialog.FormKeyPress(key);
    Dialog.ApplyChoice([] { return 0.5; });
    return Settings.GameSpec().S_Difficulty;
  }
  TGameSettings Settings;
  TDlgNewGame NewGame{Settings};
  TFormNextGame Dialog{NewGame};
};

TEST_F(NextGame, KeysChooseAndCloseOtherKeysDoNothing) {
  Dialog.FormShow();
  Dialog.FormKeyPress('x');
  EXPECT_FALSE(Dialog.Closed());
  EXPECT_EQ(Dialog.Choice, 0);
  for (const char key : {'1', '2', '3'}) {
    Dialog.FormShow();
    Dialog.FormKeyPress(key);
    EXPECT_TRUE(Dialog.Closed());
    EXPECT_EQ(Dialog.Choice, key - '0');
  }
  Dialog.FormShow();  // the choice outlives the showing
  EXPECT_EQ(Dialog.Choice, 3);
  EXPECT_FALSE(Dialog.Closed());
}

TEST_F(NextGame, ChoicesMoveTheDifficultyWithinItsRange) {
  EXPECT_EQ(DifficultyAfterKey(98, '3'), 99);
  EXPECT_EQ(DifficultyAfterKey(99, '3'), 100);
  EXPECT_EQ(DifficultyAfterKey(100, '3'), 100);
  EXPECT_EQ(DifficultyAfterKey(0, '3'), 3);
  EXPECT_EQ(DifficultyAfterKey(50, '3'), 52);
  EXPECT_EQ(DifficultyAfterKey(25, '3'), 27);  // 2.5 steps round to 2
  EXPECT_EQ(DifficultyAfterKey(3, '1'), 0);
  EXPECT_EQ(DifficultyAfterKey(40, '1'), 35);
  EXPECT_EQ(DifficultyAfterKey(40, '2'), 40);
}

TEST_F(NextGame, SameLandscapeTicksTheNewGameBoxAndKeepsTheNumber) {
  Settings.gs_S_LandscapeNumber(1234);
  Dialog.FormShow();
  EXPECT_FALSE(Dialog.SameLandscape());
  Dialog.cbLandscapeCodeClick();
  EXPECT_TRUE(Dialog.SameLandscape());
  EXPECT_TRUE(NewGame.cbLandscapeCode.Checked);
  EXPECT_TRUE(NewGame.E_S_LandscapeNumber.Enabled);
  EXPECT_TRUE(Settings.GameSpec().LandscapeFixed);
  Dialog.btnSameAgainClick();
  Dialog.ApplyChoice([] { return 0.5; });
  EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, 1234);

  // Unticked in the new-game dialog: the next showing follows it, and a new number is drawn.
  NewGame.cbLandscapeCodeClick();
  Dialog.FormShow();
  EXPECT_FALSE(Dialog.SameLandscape());
  EXPECT_FALSE(Dialog.cbLandscapeCode.Checked);
  Dialog.ApplyChoice([] { return 0.5; });
  EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, 1073741823);
  EXPECT_EQ(NewGame.E_S_LandscapeNumber.Text, "1073741823");
}

TEST_F(NextGame, ExitAsksToEndTheProgram) {
  Dialog.FormShow();
  Dialog.btnExitClick();
  EXPECT_EQ(Dialog.ModalResult, mr_Cancel);
  EXPECT_TRUE(Dialog.ExitRequested);
  EXPECT_EQ(Dialog.Choice, 0);
}

}  // namespace
}  // namespace orvane
