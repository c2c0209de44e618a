#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "dialogs/FakeSettingsHost.h"
#include "dialogs/GameSettings.h"

namespace orvane {
namespace {

using test::FakeSettingsHost;

// ---- Difficulty and its variation band ----

TEST(DifficultySetting, ClampsToZeroToHundredAndMovesSlider) {
  TDlgNewGame dlg;
  dlg.gs_S_Difficulty(150);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 100);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 300);
  EXPECT_EQ(dlg.L_S_Difficulty.Caption, "100");

  dlg.gs_S_Difficulty(-5);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 0);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 200);
  EXPECT_EQ(dlg.L_S_Difficulty.Caption, "0");

  dlg.gs_S_Difficulty(std::numeric_limits<int32_t>::min());
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 0);
}

TEST(DifficultySetting, VariationDrawsBandAroundDifficultyInEitherOrder) {
  TDlgNewGame first;
  first.gs_S_DiffVariation(50);
  first.gs_S_Difficulty(30);
  TDlgNewGame second;
  second.gs_S_Difficulty(30);
  second.gs_S_DiffVariation(50);

  for (const TDlgNewGame* dlg : {&first, &second}) {
    EXPECT_EQ(dlg->TB_S_Difficulty.Position, 230);
    EXPECT_EQ(dlg->TB_S_Difficulty.SelStart, 205);
    EXPECT_EQ(dlg->TB_S_Difficulty.SelEnd, 255);
    EXPECT_EQ(dlg->L_S_DiffVariation.Caption, "25");
    EXPECT_EQ(dlg->L_S_Difficulty.Caption, "30");
    EXPECT_EQ(dlg->TB_S_DiffVariation.Position, 50);
    EXPECT_EQ(dlg->GameSpec().S_DiffVariation, 50);
  }
}

TEST(DifficultySetting, BandHalfWidthIsSquareOfVariationOverHundredRounded) {
  struct Case {
    int32_t variation;
    int halfWidth;
  };
  for (const Case c : {Case{0, 0}, Case{7, 0}, Case{8, 1}, Case{10, 1}, Case{15, 2}, Case{35, 12},
                       Case{71, 50}, Case{99, 98}}) {
    TDlgNewGame dlg;
    dlg.gs_S_Difficulty(50);
    dlg.gs_S_DiffVariation(c.variation);
    EXPECT_EQ(dlg.L_S_DiffVariation.Caption, std::to_string(c.halfWidth)) << c.variation;
    EXPECT_EQ(dlg.TB_S_Difficulty.SelStart, 250 - c.halfWidth) << c.variation;
    EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 250 + c.halfWidth) << c.variation;
  }
}

TEST(DifficultySetting, ScriptVariationOutsideSliderIsClampedEverywhere) {
  TDlgNewGame dlg;
  dlg.gs_S_Difficulty(40);
  dlg.gs_S_DiffVariation(150);
  EXPECT_EQ(dlg.GameSpec().S_DiffVariation, 99);
  EXPECT_EQ(dlg.TB_S_DiffVariation.Position, 99);
  EXPECT_EQ(dlg.L_S_DiffVariation.Caption, "98");
  EXPECT_EQ(dlg.TB_S_Difficulty.SelStart, 240 - 98);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 240 + 98);

  dlg.gs_S_DiffVariation(-3);
  EXPECT_EQ(dlg.GameSpec().S_DiffVariation, 0);
  EXPECT_EQ(dlg.TB_S_DiffVariation.Position, 0);
  EXPECT_EQ(dlg.L_S_DiffVariation.Caption, "0");
  EXPECT_EQ(dlg.TB_S_Difficulty.SelStart, 240);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 240);
}

// ---- The speed and resources sliders ----

struct SpeedSetting {
  const char* name;
  void (TDlgNewGame::*setter)(int32_t);
  int32_t (TDlgNewGame::*stored)() const;
  TTrackBar TDlgNewGame::*slider;
  TLabelControl TDlgNewGame::*label;
  const char* lowest;   // label at -8
  const char* middle;   // label at 4
  const char* highest;  // label at 8
};

const SpeedSetting SpeedSettings[] = {
    {"GameSpeed", &TDlgNewGame::gs_S_GameSpeed, &TDlgNewGame::S_GameSpeed,
     &TDlgNewGame::TB_S_GameSpeed, &TDlgNewGame::L_S_GameSpeed, "0.3x", "1.7x", "3.0x"},
    {"SentrySpeed", &TDlgNewGame::gs_S_SentrySpeed, &TDlgNewGame::S_SentrySpeed,
     &TDlgNewGame::TB_S_SentrySpeed, &TDlgNewGame::L_S_SentrySpeed, "0.3x", "1.7x", "3.0x"},
    {"ScanSpeed", &TDlgNewGame::gs_S_ScanSpeed, &TDlgNewGame::S_ScanSpeed,
     &TDlgNewGame::TB_S_ScanSpeed, &TDlgNewGame::L_S_ScanSpeed, "0.3x", "1.7x", "3.0x"},
    {"ScanSector", &TDlgNewGame::gs_S_ScanSector, &TDlgNewGame::S_ScanSector,
     &TDlgNewGame::TB_S_ScanSector, &TDlgNewGame::L_S_ScanSector, "0.3x", "1.7x", "3.0x"},
    {"Resources", &TDlgNewGame::gs_S_Resources, &TDlgNewGame::S_Resources,
     &TDlgNewGame::TB_S_Resources, &TDlgNewGame::L_S_Resources, "0.5x", "1.4x", "2.0x"},
};

void PrintTo(const SpeedSetting& s, std::ostream* out) {
  *out << s.name;
}

class SpeedSettingTest : public testing::TestWithParam<SpeedSetting> {};

TEST_P(SpeedSettingTest, LabelShowsFactorOfPosition) {
  const SpeedSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(-8);
  EXPECT_EQ((dlg.*s.label).Caption, s.lowest);
  (dlg.*s.setter)(4);
  EXPECT_EQ((dlg.*s.label).Caption, s.middle);
  EXPECT_EQ((dlg.*s.slider).Position, 4);
  EXPECT_EQ((dlg.*s.stored)(), 4);
  (dlg.*s.setter)(8);
  EXPECT_EQ((dlg.*s.label).Caption, s.highest);
  (dlg.*s.setter)(0);
  EXPECT_EQ((dlg.*s.label).Caption, "1.0x");
  EXPECT_EQ((dlg.*s.slider).Position, 0);
}

TEST_P(SpeedSettingTest, SameValueAgainDoesNothing) {
  const SpeedSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(3);
  (dlg.*s.label).Caption = "marker";
  (dlg.*s.slider).Position = -1;
  (dlg.*s.setter)(3);
  EXPECT_EQ((dlg.*s.label).Caption, "marker");
  EXPECT_EQ((dlg.*s.slider).Position, -1);
}

TEST_P(SpeedSettingTest, ChangesOnlyItsOwnSliderAndLabel) {
  const SpeedSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(-5);
  for (const SpeedSetting& other : SpeedSettings) {
    if (std::string(other.name) == s.name) continue;
    EXPECT_EQ((dlg.*other.stored)(), 0) << other.name;
    EXPECT_EQ((dlg.*other.slider).Position, 0) << other.name;
    EXPECT_EQ((dlg.*other.label).Caption, "1.0x") << other.name;
  }
}

TEST_P(SpeedSettingTest, ScriptValueOutsideSliderIsClampedEverywhere) {
  const SpeedSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(20);
  EXPECT_EQ((dlg.*s.stored)(), 8);
  EXPECT_EQ((dlg.*s.slider).Position, 8);
  EXPECT_EQ((dlg.*s.label).Caption, s.highest);
  (dlg.*s.setter)(std::numeric_limits<int32_t>::min());
  EXPECT_EQ((dlg.*s.stored)(), -8);
  EXPECT_EQ((dlg.*s.slider).Position, -8);
  EXPECT_EQ((dlg.*s.label).Caption, s.lowest);
}

TEST_P(SpeedSettingTest, ClampedValueEqualToStoredDoesNothing) {
  const SpeedSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(8);
  (dlg.*s.label).Caption = "marker";
  (dlg.*s.setter)(100);
  EXPECT_EQ((dlg.*s.label).Caption, "marker");
}

INSTANTIATE_TEST_SUITE_P(AllFive, SpeedSettingTest, testing::ValuesIn(SpeedSettings),
                         [](const testing::TestParamInfo<SpeedSetting>& info) {
                           return std::string(info.param.name);
                         });

// ---- Control check boxes ----

struct CheckSetting {
  const char* name;
  void (TDlgNewGame::*setter)(bool);
  bool (TDlgNewGame::*stored)() const;
  TCheckBoxControl TDlgNewGame::*box;
};

const CheckSetting CheckSettings[] = {
    {"ReverseHorizontal", &TDlgNewGame::gs_CC_ReverseHorizontal, &TDlgNewGame::CC_ReverseHorizontal,
     &TDlgNewGame::CB_CC_ReverseHorizontal},
    {"ReverseVertical", &TDlgNewGame::gs_CC_ReverseVertical, &TDlgNewGame::CC_ReverseVertical,
     &TDlgNewGame::CB_CC_ReverseVertical},
    {"ReverseZoom", &TDlgNewGame::gs_CC_ReverseZoom, &TDlgNewGame::CC_ReverseZoom,
     &TDlgNewGame::CB_CC_ReverseZoom},
    {"LockCursor", &TDlgNewGame::gs_CC_LockCursor, &TDlgNewGame::CC_LockCursor,
     &TDlgNewGame::CB_CC_LockCursor},
};

void PrintTo(const CheckSetting& s, std::ostream* out) {
  *out << s.name;
}

class CheckSettingTest : public testing::TestWithParam<CheckSetting> {};

TEST_P(CheckSettingTest, TicksOnlyItsOwnBox) {
  const CheckSetting& s = GetParam();
  TDlgNewGame dlg;
  (dlg.*s.setter)(true);
  EXPECT_TRUE((dlg.*s.stored)());
  EXPECT_TRUE((dlg.*s.box).Checked);
  for (const CheckSetting& other : CheckSettings) {
    if (std::string(other.name) == s.name) continue;
    EXPECT_FALSE((dlg.*other.stored)()) << other.name;
    EXPECT_FALSE((dlg.*other.box).Checked) << other.name;
  }
  (dlg.*s.setter)(false);
  EXPECT_FALSE((dlg.*s.stored)());
  EXPECT_FALSE((dlg.*s.box).Checked);
}

INSTANTIATE_TEST_SUITE_P(AllFour, CheckSettingTest, testing::ValuesIn(CheckSettings),
                         [](const testing::TestParamInfo<CheckSetting>& info) {
                           return std::string(info.param.name);
                         });

// ---- Settings the main window follows ----

TEST(SensitivitySetting, TellsHostLookSensitivity) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_CC_Sensitivity(60);
  ASSERT_EQ(host.LookSensitivities.size(), 1u);
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 3.0f);
  EXPECT_EQ(dlg.CC_Sensitivity(), 60);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Position, 60);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "60");
}

TEST(SensitivitySetting, ScriptValueOutsideSliderIsClampedEverywhere) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_CC_Sensitivity(5);
  EXPECT_EQ(dlg.CC_Sensitivity(), 10);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Position, 10);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "10");
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 0.5f);

  dlg.gs_CC_Sensitivity(500);
  EXPECT_EQ(dlg.CC_Sensitivity(), 100);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Position, 100);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "100");
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 5.0f);
}

TEST(SensitivitySetting, HostSetLaterIsToldByTheNextChange) {
  TDlgNewGame dlg;
  dlg.gs_CC_Sensitivity(40);  // no host yet: only stored
  EXPECT_EQ(dlg.CC_Sensitivity(), 40);

  FakeSettingsHost host;
  dlg.SetHost(&host);
  dlg.gs_CC_Sensitivity(40);
  ASSERT_EQ(host.LookSensitivities.size(), 1u);
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 2.0f);
}

TEST(ShowHintsSetting, TellsHostOnlyOnChange) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_H_ShowHints(true);
  dlg.gs_H_ShowHints(true);
  EXPECT_EQ(host.ShowHints, std::vector<bool>{true});
  EXPECT_TRUE(dlg.H_ShowHints());
  EXPECT_TRUE(dlg.CB_H_ShowHints.Checked);

  dlg.gs_H_ShowHints(false);
  EXPECT_EQ(host.ShowHints, (std::vector<bool>{true, false}));
  EXPECT_FALSE(dlg.H_ShowHints());
  EXPECT_FALSE(dlg.CB_H_ShowHints.Checked);
}

TEST(ShowHintsSetting, WithoutHostStillStores) {
  TDlgNewGame dlg(nullptr);
  dlg.gs_H_ShowHints(true);
  EXPECT_TRUE(dlg.H_ShowHints());
  EXPECT_TRUE(dlg.CB_H_ShowHints.Checked);
}

// ---- Game type and campaign fields ----

TEST(GameTypeSetting, ShowsThePanelOfTheType) {
  TDlgNewGame dlg;
  dlg.gs_G_GameType(gt_Campaign);
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Campaign);
  EXPECT_TRUE(dlg.PanelCampaign.Visible);
  EXPECT_FALSE(dlg.PanelQuickPlay.Visible);

  dlg.gs_G_GameType(gt_Quick);
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Quick);
  EXPECT_TRUE(dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(dlg.PanelCampaign.Visible);

  dlg.gs_G_GameType(gt_None);
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_None);
  EXPECT_FALSE(dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(dlg.PanelCampaign.Visible);
}

TEST(GameTypeSetting, LeavesRadioButtonsAlone) {
  TDlgNewGame dlg;
  dlg.gs_G_GameType(gt_Campaign);
  EXPECT_TRUE(dlg.RB_QuickPlay.Checked);
  EXPECT_FALSE(dlg.RB_Campaign.Checked);
}

TEST(CampaignSettings, DifficultyAndNumberAreNotStored) {
  TDlgNewGame dlg;
  dlg.gs_C_Difficulty(7);
  dlg.gs_C_CampaignNo(3);
  EXPECT_EQ(dlg.GameSpec().C_Difficulty, 0);
  EXPECT_EQ(dlg.GameSpec().C_CampaignNo, 0);
  EXPECT_EQ(dlg.E_C_CampaignNo.Text, "0");
}

TEST(CampaignSettings, PlayerNameIsStored) {
  TDlgNewGame dlg;
  dlg.gs_C_PlayerName("Ann Other");
  EXPECT_EQ(dlg.GameSpec().C_PlayerName, "Ann Other");
}

// ---- Landscape number ----

TEST(LandscapeRandomSetting, FixedNumberTicksBoxAndEnablesNumberBox) {
  TDlgNewGame dlg;
  dlg.gs_S_LandscapeRandom(false);
  EXPECT_TRUE(dlg.cbLandscapeCode.Checked);
  EXPECT_TRUE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_TRUE(dlg.GameSpec().LandscapeFixed);

  dlg.gs_S_LandscapeRandom(true);
  EXPECT_FALSE(dlg.cbLandscapeCode.Checked);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_FALSE(dlg.GameSpec().LandscapeFixed);
}

TEST(LandscapeNumberSetting, StoresAndWritesBox) {
  TDlgNewGame dlg;
  dlg.gs_S_LandscapeNumber(-123456);
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -123456);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-123456");
  EXPECT_EQ(dlg.ReadLandscapeNumberBox(), -123456);
}

TEST(LandscapeNumberSetting, LowestIntegerBecomesLowestLandscapeNumber) {
  TDlgNewGame dlg;
  dlg.gs_S_LandscapeNumber(std::numeric_limits<int32_t>::min());
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -2147483647);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-2147483647");
  dlg.gs_S_LandscapeNumber(std::numeric_limits<int32_t>::max());
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 2147483647);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "2147483647");
}

TEST(LandscapeNumberSetting, DoesNotTouchEnabledStateOrFixedFlag) {
  TDlgNewGame dlg;
  dlg.gs_S_LandscapeRandom(true);
  dlg.gs_S_LandscapeNumber(99);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_FALSE(dlg.GameSpec().LandscapeFixed);
  EXPECT_FALSE(dlg.cbLandscapeCode.Checked);
}

}  // namespace
}  // namespace orvane
