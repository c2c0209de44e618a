#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"
#include "dialogs/settings/Preferences.h"
#include "frontend/BatchRun.h"

namespace orvane::console_test {
namespace {

const std::string NoUserPreferences =
    "Could not run script file 'script/UserPreferences.osc'; file not found.";

TEST(Preferences, EveryKeyIsSavedAndReadBack) {
  TConsoleSession session;
  const TGameSpec& game = session.Program.Settings.GameSpec();
  session.Run("PREF G_GAMETYPE campaign");
  session.Run("pref g_gametype quick");
  EXPECT_EQ(game.G_GameType, gt_Quick);
  session.Program.Settings.gs_C_PlayerName("Ann/../Lee");  // no path in a player name
  for (const char* line : {"PREFERENCES G_GAMETYPE arcade",
                           "pref s_difficulty 30",
                           "PREF S_DIFFVARIATION 12",
                           "PREF S_GAMESPEED -3",
                           "PREF S_SENTRYSPEED 2",
                           "PREF S_SCANSPEED 1",
                           "PREF S_SCANSECTOR -1",
                           "PREF S_RESOURCES 5",
                           "PREF S_LANDSCAPERANDOM OFF",
                           "PREF S_LANDSCAPERANDOM maybe",
                           "PREF S_LANDSCAPENUMBER -4242",
                           "PREF C_SENSITIVITY 70",
                           "PREF C_REVERSEHORIZONTAL 0",
                           "PREF C_REVERSEVERTICAL OFF",
                           "PREF C_REVERSEZOOM on",
                           "PREF C_LOCKCURSOR 1",
                           "PREF H_SHOWHINTS OFF",
                           "PREF H_SHOWHINTS yes",
                           "PREF C_CAMPAIGNNO 3",
                           "PREF C_DIFFICULTY 20007",
                           "PREF NOSUCH 5",
                           "PREF D_FULLSCREEN on",
                           "PREF D_WINDOW 100 50 900 600",
                           "PREF D_WINDOW 1 2 0 5"})
    EXPECT_EQ(session.Run(line), TLines{}) << line;
  std::filesystem::create_directory("script");
  session.Program.DlgNewGame.SavePreferences();
  const TLines saved = {
      "pref G_gametype campaign",     "pref C_PlayerName AnnLee", "pref C_CampaignNo 3",
      "pref C_Difficulty 10000",      "pref S_Difficulty 30",     "pref S_DiffVariation 12",
      "pref S_GameSpeed -3",          "pref S_SentrySpeed 2",     "pref S_ScanSpeed 1",
      "pref S_ScanSector -1",         "pref S_Resources 5",       "pref S_LandscapeRandom OFF",
      "pref S_LandscapeNumber -4242", "pref C_Sensitivity 70",    "pref C_ReverseHorizontal OFF",
      "pref C_ReverseVertical OFF",   "pref C_ReverseZoom ON",    "pref C_LockCursor ON",
      "pref H_ShowHints OFF",         "pref D_FullScreen ON",     "pref D_Window 100 50 900 600"};
  EXPECT_EQ(ReadTextLines("script/Preferences.osc"), saved);

  TProgram next;  // the next run of the program
  next.Form1.LoadPreferences();
  EXPECT_EQ(PreferenceLines(next.Settings), saved);
  next.Form1.ExecuteCommand("pref C_PlayerName Ann_Lee-2", true);
  EXPECT_EQ(next.Settings.GameSpec().C_PlayerName, "Ann_Lee-2");
  // The dialog's controls follow: the "Landscape #" box ticked, with the number.
  const TDlgNewGame& dialog = next.DlgNewGame;
  EXPECT_TRUE(dialog.cbLandscapeCode.Checked);
  EXPECT_EQ(dialog.E_S_LandscapeNumber.Text, "-4242");
  EXPECT_EQ(dialog.L_S_GameSpeed.Caption, "0.7x");
  EXPECT_EQ(next.Log.GetLines(), TLines{NoUserPreferences});
}

TEST(Preferences, WithoutTheFileTheDefaultsThenTheUsersOwnScript) {
  TWorkingFolder folder;
  {
    TProgram program;
    program.Form1.LoadPreferences();
    TGameSettings defaults;
    defaults.ApplyDefaultSettings();
    EXPECT_EQ(PreferenceLines(program.Settings), PreferenceLines(defaults));
    EXPECT_EQ(program.Settings.GameSpec().G_GameType, gt_Quick);
    EXPECT_EQ(program.Log.GetLines(), TLines{NoUserPreferences});
  }
  TWorkingFolder::Write("script/Preferences.osc", {"pref S_GameSpeed 2", "pref S_Resources 3"});
  TWorkingFolder::Write("script/UserPreferences.osc", {"pref S_GameSpeed 5"});
  TProgram program;
  program.Form1.LoadPreferences();
  EXPECT_EQ(program.Settings.S_GameSpeed(), 5);
  EXPECT_EQ(program.Settings.S_Resources(), 3);
  EXPECT_EQ(program.Settings.CC_Sensitivity(), 0);  // no defaults beside the file
  EXPECT_FALSE(program.Settings.D_FullScreen());    // a file from before full screen
  EXPECT_EQ(program.Settings.D_Window().Width, 0);  // and before the window's place
  EXPECT_EQ(program.Log.GetLines(), TLines{});
}

TEST(Preferences, AFailedSaveLeavesTheOldFileAndOpensTheConsole) {
  TConsoleSession session;
  TForm1& form = session.Program.Form1;
  form.FormClose();  // no script folder
  EXPECT_EQ(session.Written,
            TLines{"Unexpected Exception: Could not create file 'script/Preferences.osc.new'."});
  EXPECT_TRUE(session.Notes().Visible);
  EXPECT_TRUE(form.ConsoleVisible);

  const TLines old = {"pref S_GameSpeed 1"};
  TWorkingFolder::Write("script/Preferences.osc", old);
  std::filesystem::create_directory("script/Preferences.osc.new");  // in the way
  session.Written.clear();
  form.FormClose();
  EXPECT_EQ(ReadTextLines("script/Preferences.osc"), old);
  ASSERT_EQ(session.Written.size(), 1u);
  EXPECT_TRUE(session.Written[0].starts_with("Unexpected Exception: ")) << session.Written[0];
  std::filesystem::remove("script/Preferences.osc.new");
  form.FormClose();
  EXPECT_NE(ReadTextLines("script/Preferences.osc"), old);
}

// What the program says of a line that needs the window, run without one; the game as it stands
// when its window opens. (The run's status and a failing line: app/BatchRunTest.)
TEST(BatchRun, LinesThatNeedTheWindowSaySo) {
  TWorkingFolder folder;
  TWorkingFolder::Write("fine.osc", {"PERF FPS", "PERF RES", "PERF AA 2x", "FONT S 9", "EXIT",
                                     "PERF SLEEP", "ALLOC"});
  TProgram fine;
  EXPECT_EQ(RunBatch(fine, "fine.osc"), bs_Done);
  for (const char* line :
       {"  No window: PERF FPS needs the game's window.",
        "  No window: PERF RES needs the game's window.",
        "  No window: PERF AA needs the game's window.",
        "  No window: FONT needs the game's window.", "  No window: EXIT needs the game's window.",
        "  SLEEP: OFF.", "    StackHeight: 0/18", "    Scanners:    0/14"})
    EXPECT_TRUE(fine.Log.Contains(line)) << line;
  EXPECT_EQ(fine.Form1.AntiAliasing, aaDefault);
}

}  // namespace
}  // namespace orvane::console_test
