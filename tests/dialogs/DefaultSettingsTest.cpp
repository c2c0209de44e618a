#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/FakeSettingsHost.h"
#include "dialogs/GameSettings.h"

namespace orvane {
namespace {

using test::FakeSettingsHost;

void ExpectDefaults(const TDlgNewGame& dlg) {
  const TGameSpec& game = dlg.GameSpec();
  EXPECT_EQ(game.G_GameType, gt_Quick);
  EXPECT_EQ(game.S_Difficulty, 0);
  EXPECT_EQ(game.S_DiffVariation, 0);
  EXPECT_FALSE(game.LandscapeFixed);
  EXPECT_EQ(game.S_LandscapeNumber, 1);
  EXPECT_EQ(dlg.S_GameSpeed(), 0);
  EXPECT_EQ(dlg.S_SentrySpeed(), 0);
  EXPECT_EQ(dlg.S_ScanSpeed(), 0);
  EXPECT_EQ(dlg.S_ScanSector(), 0);
  EXPECT_EQ(dlg.S_Resources(), 0);
  EXPECT_EQ(dlg.CC_Sensitivity(), 50);
  EXPECT_TRUE(dlg.CC_ReverseHorizontal());
  EXPECT_TRUE(dlg.CC_ReverseVertical());
  EXPECT_FALSE(dlg.CC_ReverseZoom());
  EXPECT_FALSE(dlg.CC_LockCursor());
  EXPECT_TRUE(dlg.H_ShowHints());

  // What the dialog shows for them.
  EXPECT_TRUE(dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(dlg.PanelCampaign.Visible);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 200);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelStart, 200);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 200);
  EXPECT_EQ(dlg.L_S_Difficulty.Caption, "0");
  EXPECT_EQ(dlg.L_S_DiffVariation.Caption, "0");
  EXPECT_FALSE(dlg.cbLandscapeCode.Checked);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "1");
  for (const TLabelControl* label : {&dlg.L_S_GameSpeed, &dlg.L_S_SentrySpeed, &dlg.L_S_ScanSpeed,
                                     &dlg.L_S_ScanSector, &dlg.L_S_Resources}) {
    EXPECT_EQ(label->Caption, "1.0x");
  }
  for (const TTrackBar* slider : {&dlg.TB_S_GameSpeed, &dlg.TB_S_SentrySpeed, &dlg.TB_S_ScanSpeed,
                                  &dlg.TB_S_ScanSector, &dlg.TB_S_Resources}) {
    EXPECT_EQ(slider->Position, 0);
  }
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Position, 50);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "50");
  EXPECT_TRUE(dlg.CB_CC_ReverseHorizontal.Checked);
  EXPECT_TRUE(dlg.CB_CC_ReverseVertical.Checked);
  EXPECT_FALSE(dlg.CB_CC_ReverseZoom.Checked);
  EXPECT_FALSE(dlg.CB_CC_LockCursor.Checked);
  EXPECT_TRUE(dlg.CB_H_ShowHints.Checked);
}

TEST(DefaultSettings, FreshDialogGetsDefaults) {
  TDlgNewGame dlg;
  dlg.ApplyDefaultSettings();
  ExpectDefaults(dlg);
}

TEST(DefaultSettings, HostIsToldSensitivityThenHints) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.ApplyDefaultSettings();
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"LookSensitivity", "ShowHints on"}));
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 2.5f);
}

TEST(DefaultSettings, RestoreEverySettingChangedBefore) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_G_GameType(gt_Campaign);
  dlg.gs_S_Difficulty(80);
  dlg.gs_S_DiffVariation(60);
  dlg.gs_S_LandscapeRandom(false);
  dlg.gs_S_LandscapeNumber(-42);
  dlg.gs_S_GameSpeed(8);
  dlg.gs_S_SentrySpeed(-8);
  dlg.gs_S_ScanSpeed(3);
  dlg.gs_S_ScanSector(-3);
  dlg.gs_S_Resources(5);
  dlg.gs_CC_Sensitivity(90);
  dlg.gs_CC_ReverseZoom(true);
  dlg.gs_CC_LockCursor(true);
  dlg.gs_CC_ReverseHorizontal(false);
  dlg.gs_CC_ReverseVertical(false);
  dlg.gs_H_ShowHints(false);

  dlg.ApplyDefaultSettings();
  ExpectDefaults(dlg);
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 2.5f);
  EXPECT_TRUE(host.ShowHints.back());
}

// ---- The dialog before any setting reaches it ----

TEST(FreshDialog, SettingsAreZeroFalseOrEmpty) {
  const TDlgNewGame dlg;
  const TGameSpec& game = dlg.GameSpec();
  EXPECT_EQ(game.G_GameType, gt_None);
  EXPECT_EQ(game.C_Difficulty, 0);
  EXPECT_EQ(game.C_CampaignNo, 0);
  EXPECT_TRUE(game.C_PlayerName.empty());
  EXPECT_EQ(game.S_Difficulty, 0);
  EXPECT_EQ(game.S_DiffVariation, 0);
  EXPECT_FALSE(game.LandscapeFixed);
  EXPECT_EQ(game.S_LandscapeNumber, 0);
  EXPECT_EQ(dlg.S_GameSpeed(), 0);
  EXPECT_EQ(dlg.S_Resources(), 0);
  EXPECT_EQ(dlg.CC_Sensitivity(), 0);
  EXPECT_FALSE(dlg.H_ShowHints());
  EXPECT_FALSE(dlg.CC_ReverseHorizontal());
}

TEST(FreshDialog, SlidersHaveTheirRangesAndSteps) {
  const TDlgNewGame dlg;
  EXPECT_EQ(dlg.TB_S_Difficulty.Min, 200);
  EXPECT_EQ(dlg.TB_S_Difficulty.Max, 300);
  EXPECT_EQ(dlg.TB_S_Difficulty.PageSize, 5);
  EXPECT_EQ(dlg.TB_S_Difficulty.Frequency, 10);
  EXPECT_EQ(dlg.TB_S_DiffVariation.Min, 0);
  EXPECT_EQ(dlg.TB_S_DiffVariation.Max, 99);
  EXPECT_EQ(dlg.TB_S_DiffVariation.PageSize, 1);
  for (const TTrackBar* slider : {&dlg.TB_S_GameSpeed, &dlg.TB_S_SentrySpeed, &dlg.TB_S_ScanSpeed,
                                  &dlg.TB_S_ScanSector, &dlg.TB_S_Resources}) {
    EXPECT_EQ(slider->Min, -8);
    EXPECT_EQ(slider->Max, 8);
    EXPECT_EQ(slider->PageSize, 1);
    EXPECT_EQ(slider->Frequency, 4);
    EXPECT_EQ(slider->Position, 0);
  }
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Min, 10);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Max, 100);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.PageSize, 5);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Frequency, 20);
}

TEST(FreshDialog, ControlsShowTheirStartTexts) {
  const TDlgNewGame dlg;
  EXPECT_EQ(dlg.LabelSuggestion.Caption,
            "Adjust the options as you wish, then press 'New Game' to start playing.");
  EXPECT_EQ(dlg.RB_QuickPlay.Caption, "Quick Play: Choose your own game");
  EXPECT_TRUE(dlg.RB_QuickPlay.Checked);
  EXPECT_TRUE(dlg.RB_QuickPlay.Enabled);
  EXPECT_EQ(dlg.RB_Campaign.Caption, "Campaign: Play ever more difficult landscapes");
  EXPECT_FALSE(dlg.RB_Campaign.Checked);
  EXPECT_FALSE(dlg.RB_Campaign.Enabled);
  EXPECT_EQ(dlg.cbLandscapeCode.Caption, "&Landscape #");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "1");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.MaxLength, 11);
  EXPECT_EQ(dlg.E_C_CampaignNo.Text, "0");
  EXPECT_EQ(dlg.E_C_CampaignNo.MaxLength, 4);
  EXPECT_EQ(dlg.L_S_GameSpeed.Caption, "1.0x");
  EXPECT_EQ(dlg.L_S_Resources.Caption, "1.0x");
  EXPECT_EQ(dlg.CB_CC_ReverseVertical.Caption, "Reverse &Vertical");
  EXPECT_EQ(dlg.CB_CC_ReverseHorizontal.Caption, "Reverse &Horizontal");
  EXPECT_EQ(dlg.CB_CC_ReverseZoom.Caption, "Reverse &Zoom");
  EXPECT_EQ(dlg.CB_CC_LockCursor.Caption, "&Lock Cursor on Mouse Look");
  EXPECT_EQ(dlg.CB_H_ShowHints.Caption, "&Show Hints while playing [F4]");
}

TEST(FreshDialog, LandscapeNumberBoxIsWrittenByNumberSetterEvenBeforeDefaults) {
  TDlgNewGame dlg;
  dlg.gs_S_LandscapeNumber(1);
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 1);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "1");
  EXPECT_EQ(dlg.ReadLandscapeNumberBox(), 1);
}

}  // namespace
}  // namespace orvane
