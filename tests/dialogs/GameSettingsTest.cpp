#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/GameSettings.h"

namespace orvane {
namespace {

// Records what the settings tell the main window.
class FakeSettingsHost : public TSettingsHost {
 public:
  void SetLookSensitivity(float value) override { LookSensitivities.push_back(value); }
  void SetShowHints(bool on) override { ShowHints.push_back(on); }
  std::vector<float> LookSensitivities;
  std::vector<bool> ShowHints;
};

TEST(DefaultSettings, RestoreEverySettingAndTellTheHost) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_G_GameType(gt_Campaign);
  dlg.gs_S_Difficulty(80);
  dlg.gs_S_DiffVariation(60);
  dlg.gs_S_LandscapeRandom(false);
  dlg.gs_S_LandscapeNumber(-42);
  dlg.gs_S_GameSpeed(8);
  dlg.gs_S_Resources(-5);
  dlg.gs_CC_Sensitivity(90);
  dlg.gs_CC_ReverseZoom(true);
  dlg.gs_CC_LockCursor(true);

  dlg.ApplyDefaultSettings();
  const TGameSpec& game = dlg.GameSpec();
  EXPECT_EQ(game.G_GameType, gt_Quick);
  EXPECT_TRUE(dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(dlg.PanelCampaign.Visible);
  EXPECT_EQ(game.S_Difficulty, 0);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 200);
  EXPECT_FALSE(game.LandscapeFixed);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_EQ(game.S_LandscapeNumber, 1);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "1");
  EXPECT_EQ(dlg.S_GameSpeed(), 0);
  EXPECT_EQ(dlg.L_S_Resources.Caption, "1.0x");
  EXPECT_EQ(dlg.CC_Sensitivity(), 50);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "50");
  EXPECT_TRUE(dlg.CC_ReverseHorizontal());
  EXPECT_TRUE(dlg.CB_CC_ReverseVertical.Checked);
  EXPECT_FALSE(dlg.CC_ReverseZoom());
  EXPECT_FALSE(dlg.CB_CC_LockCursor.Checked);
  EXPECT_TRUE(dlg.H_ShowHints());
  EXPECT_TRUE(dlg.CB_H_ShowHints.Checked);
  ASSERT_FALSE(host.LookSensitivities.empty());
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 2.5f);
  EXPECT_EQ(host.ShowHints, std::vector<bool>{true});
}

TEST(DifficultySetting, ClampsAndDrawsTheVariationBandInEitherOrder) {
  TDlgNewGame dlg;
  dlg.gs_S_Difficulty(150);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 100);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 300);
  EXPECT_EQ(dlg.L_S_Difficulty.Caption, "100");
  dlg.gs_S_Difficulty(-5);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 0);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 200);

  for (const bool difficultyFirst : {true, false}) {
    TDlgNewGame banded;
    if (difficultyFirst) banded.gs_S_Difficulty(30);
    banded.gs_S_DiffVariation(50);
    if (!difficultyFirst) banded.gs_S_Difficulty(30);
    EXPECT_EQ(banded.TB_S_Difficulty.Position, 230) << difficultyFirst;
    EXPECT_EQ(banded.TB_S_Difficulty.SelStart, 205) << difficultyFirst;
    EXPECT_EQ(banded.TB_S_Difficulty.SelEnd, 255) << difficultyFirst;
    EXPECT_EQ(banded.L_S_DiffVariation.Caption, "25") << difficultyFirst;
  }
}

TEST(ScriptSettings, OutOfRangeValuesClampSoStoreSliderAndLabelAgree) {
  TDlgNewGame dlg;
  dlg.gs_S_Difficulty(40);
  dlg.gs_S_DiffVariation(150);
  EXPECT_EQ(dlg.GameSpec().S_DiffVariation, 99);
  EXPECT_EQ(dlg.TB_S_DiffVariation.Position, 99);
  EXPECT_EQ(dlg.L_S_DiffVariation.Caption, "98");
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 240 + 98);
  dlg.gs_S_DiffVariation(-3);
  EXPECT_EQ(dlg.GameSpec().S_DiffVariation, 0);
  EXPECT_EQ(dlg.L_S_DiffVariation.Caption, "0");

  dlg.gs_CC_Sensitivity(500);
  EXPECT_EQ(dlg.CC_Sensitivity(), 100);
  EXPECT_EQ(dlg.TB_CC_Sensitivity.Position, 100);
  EXPECT_EQ(dlg.L_CC_Sensitivity.Caption, "100");
}

TEST(CampaignSettings, DifficultyIsNotStored) {
  TDlgNewGame dlg;
  dlg.gs_C_Difficulty(7);
  EXPECT_EQ(dlg.GameSpec().C_Difficulty, 0);
}

// The five speed and resources sliders: setter, slider handler, store, slider, label and the
// labels at either end.
struct SpeedSetting {
  const char* name;
  void (TDlgNewGame::*setter)(int32_t);
  void (TDlgNewGame::*handler)(int);
  int32_t (TDlgNewGame::*stored)() const;
  TTrackBar TDlgNewGame::*slider;
  TLabelControl TDlgNewGame::*label;
  const char* lowest;
  const char* highest;
};

const SpeedSetting SpeedSettings[] = {
    {"GameSpeed", &TDlgNewGame::gs_S_GameSpeed, &TDlgNewGame::TB_S_GameSpeedChange,
     &TDlgNewGame::S_GameSpeed, &TDlgNewGame::TB_S_GameSpeed, &TDlgNewGame::L_S_GameSpeed, "0.3x",
     "3.0x"},
    {"SentrySpeed", &TDlgNewGame::gs_S_SentrySpeed, &TDlgNewGame::TB_S_SentrySpeedChange,
     &TDlgNewGame::S_SentrySpeed, &TDlgNewGame::TB_S_SentrySpeed, &TDlgNewGame::L_S_SentrySpeed,
     "0.3x", "3.0x"},
    {"ScanSpeed", &TDlgNewGame::gs_S_ScanSpeed, &TDlgNewGame::TB_S_ScanSpeedChange,
     &TDlgNewGame::S_ScanSpeed, &TDlgNewGame::TB_S_ScanSpeed, &TDlgNewGame::L_S_ScanSpeed, "0.3x",
     "3.0x"},
    {"ScanSector", &TDlgNewGame::gs_S_ScanSector, &TDlgNewGame::TB_S_ScanSectorChange,
     &TDlgNewGame::S_ScanSector, &TDlgNewGame::TB_S_ScanSector, &TDlgNewGame::L_S_ScanSector,
     "0.3x", "3.0x"},
    {"Resources", &TDlgNewGame::gs_S_Resources, &TDlgNewGame::TB_S_ResourcesChange,
     &TDlgNewGame::S_Resources, &TDlgNewGame::TB_S_Resources, &TDlgNewGame::L_S_Resources, "0.5x",
     "2.0x"},
};

TEST(SpeedSettings, LabelsShowTheFactorAndScriptValuesClamp) {
  for (const SpeedSetting& s : SpeedSettings) {
    TDlgNewGame dlg;
    (dlg.*s.setter)(-8);
    EXPECT_EQ((dlg.*s.label).Caption, s.lowest) << s.name;
    (dlg.*s.setter)(20);
    EXPECT_EQ((dlg.*s.stored)(), 8) << s.name;
    EXPECT_EQ((dlg.*s.slider).Position, 8) << s.name;
    EXPECT_EQ((dlg.*s.label).Caption, s.highest) << s.name;
  }
}

TEST(RepeatedValue, DoesNothingTheSecondTime) {
  for (const SpeedSetting& s : SpeedSettings) {
    TDlgNewGame dlg;
    (dlg.*s.setter)(3);
    (dlg.*s.label).Caption = "marker";
    (dlg.*s.setter)(3);
    EXPECT_EQ((dlg.*s.label).Caption, "marker") << s.name;
  }
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.gs_H_ShowHints(true);
  dlg.gs_H_ShowHints(true);
  EXPECT_EQ(host.ShowHints, std::vector<bool>{true});
}

TEST(SpeedSettings, EachSliderMovesOnlyItsOwnSetting) {
  for (const SpeedSetting& moved : SpeedSettings) {
    TDlgNewGame dlg;
    (dlg.*moved.handler)(-6);
    for (const SpeedSetting& read : SpeedSettings) {
      EXPECT_EQ((dlg.*read.stored)(), &read == &moved ? -6 : 0)
          << "moved " << moved.name << ", read " << read.name;
    }
  }
}

TEST(SensitivitySlider, TellsTheHostTheLookSensitivity) {
  FakeSettingsHost host;
  TDlgNewGame dlg(&host);
  dlg.TB_CC_SensitivityChange(60);
  EXPECT_EQ(dlg.CC_Sensitivity(), 60);
  EXPECT_EQ(host.LookSensitivities, std::vector<float>{3.0f});
}

struct BoxClick {
  const char* name;
  void (TDlgNewGame::*click)();
  bool (TDlgNewGame::*stored)() const;
  TCheckBoxControl TDlgNewGame::*box;
};

const BoxClick BoxClicks[] = {
    {"ReverseHorizontal", &TDlgNewGame::CB_CC_ReverseHorizontalClick,
     &TDlgNewGame::CC_ReverseHorizontal, &TDlgNewGame::CB_CC_ReverseHorizontal},
    {"ReverseVertical", &TDlgNewGame::CB_CC_ReverseVerticalClick, &TDlgNewGame::CC_ReverseVertical,
     &TDlgNewGame::CB_CC_ReverseVertical},
    {"ReverseZoom", &TDlgNewGame::CB_CC_ReverseZoomClick, &TDlgNewGame::CC_ReverseZoom,
     &TDlgNewGame::CB_CC_ReverseZoom},
    {"LockCursor", &TDlgNewGame::CB_CC_LockCursorClick, &TDlgNewGame::CC_LockCursor,
     &TDlgNewGame::CB_CC_LockCursor},
    {"ShowHints", &TDlgNewGame::CB_H_ShowHintsClick, &TDlgNewGame::H_ShowHints,
     &TDlgNewGame::CB_H_ShowHints},
};

TEST(ConfigurationBoxes, ClickFlipsOnlyItsOwnSettingAndASecondReturnsIt) {
  for (const BoxClick& clicked : BoxClicks) {
    TDlgNewGame dlg;
    dlg.ApplyDefaultSettings();
    std::vector<bool> before;
    for (const BoxClick& b : BoxClicks)
      before.push_back((dlg.*b.stored)());
    (dlg.*clicked.click)();
    for (size_t i = 0; i < std::size(BoxClicks); ++i) {
      const BoxClick& b = BoxClicks[i];
      const bool expected = &b == &clicked ? !before[i] : before[i];
      EXPECT_EQ((dlg.*b.stored)(), expected) << "clicked " << clicked.name << ", read " << b.name;
      EXPECT_EQ((dlg.*b.box).Checked, expected)
          << "clicked " << clicked.name << ", read " << b.name;
    }
    (dlg.*clicked.click)();
    EXPECT_EQ((dlg.*clicked.stored)(), before[&clicked - BoxClicks]) << clicked.name;
  }
}

TEST(GameTypeRadios, SwitchPanelsOnlyWhileEnabled) {
  TDlgNewGame dlg;
  dlg.ApplyDefaultSettings();
  dlg.RB_CampaignClick();  // disabled: campaigns are not offered
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Quick);
  EXPECT_FALSE(dlg.RB_Campaign.Checked);

  dlg.RB_Campaign.Enabled = true;
  dlg.RB_CampaignClick();
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Campaign);
  EXPECT_FALSE(dlg.RB_QuickPlay.Checked);
  EXPECT_TRUE(dlg.PanelCampaign.Visible);
  EXPECT_FALSE(dlg.PanelQuickPlay.Visible);
}

}  // namespace
}  // namespace orvane
