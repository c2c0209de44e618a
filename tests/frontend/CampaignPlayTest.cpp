// Campaigns played through the main window's logic, their files in a working folder of their own.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"
#include "dialogs/settings/CampaignLevels.h"
#include "frontend/PlayHelpers.h"
#include "world/LandscapeDump.h"

namespace orvane {
namespace {

using console_test::TWorkingFolder;
using TTextLines = std::vector<std::string>;

struct Campaigns : ::testing::Test {
  Campaigns() {
    Settings.gs_C_PlayerName("Tess");
    Settings.gs_G_GameType(gt_Campaign);
  }
  // The game end with the next-game dialog answered by a key; the landscape then made.
  std::string EndWith(bool lost, char answer) {
    Play.Windows.Answer = answer;
    Play.Sim().GameEnd(lost);
    return LandscapeJson(Play.Land(), 0);
  }
  TCampaign Saved(int32_t number) {
    TCampaign campaign;
    EXPECT_EQ(Dialog.Book().Load("Tess", number, campaign), TCampaignBook::cs_Read);
    return campaign;
  }

  TWorkingFolder Folder;  // before the program, which reads its campaigns at once
  play::TPlaySession Play;
  TGameSettings& Settings = Play.Program.Settings;
  TDlgNewGame& Dialog = Play.Program.DlgNewGame;
};

TEST_F(Campaigns, AWinOpensTheNextLevelWithTheEnergyItCarriesAndALossOffersTheSameAgain) {
  Dialog.BtnCreateCampaignClick();
  Dialog.BtnCreateCampaignClick();
  EXPECT_EQ(Settings.GameSpec().C_CampaignNo, 1);  // the lowest number not used
  EXPECT_TRUE(Dialog.BtnPreviousCampaign.Enabled);
  Play.Form.Game->Init();
  const std::string level1 = LandscapeJson(Play.Land(), 0);
  EXPECT_EQ(std::tuple(Play.Land().Energy, Settings.GameSpec().C_Difficulty), std::tuple(4, 0));

  Play.Land().SetEnergy(30);
  const std::string level2 = EndWith(false, '3');
  const int carried = play::CarriedEnergy(30, 0);
  EXPECT_NE(level2, level1);
  EXPECT_EQ(std::tuple(Play.Land().Energy, Settings.GameSpec().C_Difficulty),
            std::tuple(carried, CampaignLevel(1, 2).Difficulty));
  const TFormNextGame& next = Play.Form.FormNextGame;
  EXPECT_EQ(std::tuple(next.btnEasier.Caption, next.btnSameAgain.Caption,
                       next.btnMoreDifficult.Caption, next.cbLandscapeCode.Enabled),
            std::tuple("[1] &Easier: level 1", "[2] &Same again: level 1",
                       "[3] More &Difficult: level 2", false));
  TCampaign campaign = Saved(1);
  ASSERT_EQ(campaign.Levels.size(), 2u);
  EXPECT_EQ(std::tuple(campaign.Levels[0].Result, campaign.Levels[0].EnergyLeft,
                       campaign.Levels[1].StartEnergy),
            std::tuple(lr_Won, 30, carried));

  // Lost: "More difficult" is not offered until level 3 is reached; level 2 again as it was.
  EXPECT_EQ(EndWith(true, '3'), level2);
  EXPECT_FALSE(next.btnMoreDifficult.Enabled);
  EXPECT_EQ(EndWith(true, '2'), level2);
  EXPECT_EQ(Play.Land().Energy, carried);
  EXPECT_EQ(Saved(1).Levels[1].Result, lr_Lost);
  EXPECT_EQ(EndWith(true, '1'), level1);
  EXPECT_EQ(Play.Land().Energy, 4);

  // Another player's campaign 1 meets the same landscapes; the level list chooses one.
  Settings.gs_C_PlayerName("Uma");
  EXPECT_EQ(Dialog.LB_C_Levels.Items.size(), 1u);
  Play.Form.Game->Init();
  EXPECT_EQ(LandscapeJson(Play.Land(), 0), level1);
  Settings.gs_C_PlayerName("Tess");
  Dialog.LB_C_LevelsClick(1);
  EXPECT_EQ(Dialog.LB_C_Levels.Items[1],
            (std::vector<std::string>{"2", std::to_string(CampaignLevel(1, 2).LandscapeNumber),
                                      "4.00", "lost", std::to_string(carried)}));
  Play.Form.ExecuteCommand("New", true);
  EXPECT_EQ(LandscapeJson(Play.Land(), 0), level2);

  // A quick game's end is no campaign's.
  const auto before = ReadTextLines("saved/Tess_Campaign1");
  Settings.gs_G_GameType(gt_Quick);
  Play.Form.ExecuteCommand("New", true);
  EndWith(false, '3');
  EXPECT_EQ(ReadTextLines("saved/Tess_Campaign1"), before);
  EXPECT_EQ(Play.Form.FormNextGame.btnMoreDifficult.Caption, "[3] More &Difficult");
}

TEST_F(Campaigns, AFileThatCannotBeReadIsReportedOnceLeftAsItIsAndNotOffered) {
  for (int32_t number : {0, 5})
    ASSERT_TRUE(Dialog.Book().Save(NewCampaign("Tess", number)));
  const TTextLines damaged = {"Orvane campaign", "player Tess", "campaign 2", "level 1 landscape"};
  TWorkingFolder::Write("saved/Tess_Campaign2", damaged);
  TWorkingFolder::Write("saved/Tess_Campaign3.new", {"half a file"});
  Settings.gs_C_CampaignNo(0);
  Dialog.BtnNextCampaignClick();
  EXPECT_EQ(Settings.GameSpec().C_CampaignNo, 5);  // 2 cannot be read, 3 is no campaign
  EXPECT_FALSE(Dialog.BtnNextCampaign.Enabled);
  Dialog.BtnPreviousCampaignClick();
  EXPECT_EQ(Settings.GameSpec().C_CampaignNo, 0);
  EXPECT_EQ(Play.Program.Log.CountLinesStartingWith("Campaign file 'saved/Tess_Campaign2'"), 1);

  Settings.gs_C_CampaignNo(2);  // typed: shown as unreadable, played but never written
  EXPECT_TRUE(Dialog.LB_C_Levels.Items.empty());
  EXPECT_NE(Dialog.L_C_Campaign.Caption.find("cannot be read"), std::string::npos);
  Play.Form.Game->Init();
  EndWith(false, '3');
  EXPECT_EQ(ReadTextLines("saved/Tess_Campaign2"), damaged);
  EXPECT_EQ(Play.Program.Log.CountLinesStartingWith("Campaign file 'saved/Tess_Campaign2'"), 1);
  Dialog.BtnCreateCampaignClick();
  EXPECT_EQ(Settings.GameSpec().C_CampaignNo, 1);
}

// The file is written beside the old one and renamed over it: a writer killed at any moment
// leaves the old campaign or the new one, whole.
TEST_F(Campaigns, AKillDuringTheWriteLeavesAWholeFile) {
  TCampaign campaign = NewCampaign("Tess", 0);
  for (int32_t level = 2; level <= 4000; ++level)
    campaign.Levels.push_back(LevelRecord(0, level, level));
  ASSERT_TRUE(Dialog.Book().Save(campaign));
  for (int round = 0; round < 12; ++round) {
    const pid_t writer = fork();
    ASSERT_NE(writer, -1);
    if (writer == 0) {
      TLog log;
      TCampaignBook book(log);
      for (int n = 0;; ++n) {
        campaign.Levels[0].EnergyLeft = n;
        campaign.Levels[0].Result = lr_Won;
        book.Save(campaign);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + 7 * round));
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    TCampaign read;
    EXPECT_EQ(Dialog.Book().Load("Tess", 0, read), TCampaignBook::cs_Read) << round;
    EXPECT_EQ(read.Levels.size(), campaign.Levels.size());
  }
}

}  // namespace
}  // namespace orvane
