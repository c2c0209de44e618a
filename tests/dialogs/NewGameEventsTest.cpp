#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/FakeSettingsHost.h"
#include "dialogs/GameSettings.h"

namespace orvane {
namespace {

using test::FakeSettingsHost;

class NewGameEventsTest : public testing::Test {
 protected:
  void SetUp() override {
    dlg.ApplyDefaultSettings();
    host.Calls.clear();
    host.LookSensitivities.clear();
    host.ShowHints.clear();
  }
  FakeSettingsHost host;
  TDlgNewGame dlg{&host};
};

// ---- Sliders ----

TEST_F(NewGameEventsTest, DifficultySliderSetsDifficultyFromItsOffset) {
  dlg.TB_S_DifficultyChange(230);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 30);
  EXPECT_EQ(dlg.L_S_Difficulty.Caption, "30");
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 230);
}

TEST_F(NewGameEventsTest, DifficultySliderKeepsToItsRange) {
  dlg.TB_S_DifficultyChange(350);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 100);
  dlg.TB_S_DifficultyChange(-2147483647 - 1);
  EXPECT_EQ(dlg.GameSpec().S_Difficulty, 0);
  EXPECT_EQ(dlg.TB_S_Difficulty.Position, 200);
}

TEST_F(NewGameEventsTest, VariationSliderSetsVariation) {
  dlg.TB_S_DifficultyChange(230);
  dlg.TB_S_DiffVariationChange(50);
  EXPECT_EQ(dlg.GameSpec().S_DiffVariation, 50);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelStart, 205);
  EXPECT_EQ(dlg.TB_S_Difficulty.SelEnd, 255);
}

struct SliderRoute {
  const char* name;
  void (TDlgNewGame::*handler)(int);
  int32_t (TDlgNewGame::*stored)() const;
};

const SliderRoute SliderRoutes[] = {
    {"GameSpeed", &TDlgNewGame::TB_S_GameSpeedChange, &TDlgNewGame::S_GameSpeed},
    {"SentrySpeed", &TDlgNewGame::TB_S_SentrySpeedChange, &TDlgNewGame::S_SentrySpeed},
    {"ScanSpeed", &TDlgNewGame::TB_S_ScanSpeedChange, &TDlgNewGame::S_ScanSpeed},
    {"ScanSector", &TDlgNewGame::TB_S_ScanSectorChange, &TDlgNewGame::S_ScanSector},
    {"Resources", &TDlgNewGame::TB_S_ResourcesChange, &TDlgNewGame::S_Resources},
};

TEST(TweakSliders, EachSetsOnlyItsOwnSetting) {
  for (const SliderRoute& route : SliderRoutes) {
    TDlgNewGame fresh;
    (fresh.*route.handler)(-6);
    for (const SliderRoute& other : SliderRoutes) {
      EXPECT_EQ((fresh.*other.stored)(), &other == &route ? -6 : 0)
          << "moved " << route.name << ", read " << other.name;
    }
  }
}

TEST_F(NewGameEventsTest, SensitivitySliderTellsHost) {
  dlg.TB_CC_SensitivityChange(60);
  EXPECT_EQ(dlg.CC_Sensitivity(), 60);
  ASSERT_EQ(host.LookSensitivities.size(), 1u);
  EXPECT_FLOAT_EQ(host.LookSensitivities.back(), 3.0f);
}

// ---- "Landscape #" ----

TEST_F(NewGameEventsTest, TickingLandscapeCodeFixesNumberAndEnablesBox) {
  ASSERT_FALSE(dlg.cbLandscapeCode.Checked);
  dlg.cbLandscapeCodeClick();
  EXPECT_TRUE(dlg.cbLandscapeCode.Checked);
  EXPECT_TRUE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_TRUE(dlg.GameSpec().LandscapeFixed);
}

TEST_F(NewGameEventsTest, UntickingLandscapeCodeDisablesBoxAndMakesNumberRandom) {
  dlg.gs_S_LandscapeRandom(false);
  dlg.cbLandscapeCodeClick();
  EXPECT_FALSE(dlg.cbLandscapeCode.Checked);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_FALSE(dlg.GameSpec().LandscapeFixed);
}

// ---- Configuration and help boxes ----

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
};

void PrintTo(const BoxClick& b, std::ostream* out) {
  *out << b.name;
}

class BoxClickTest : public NewGameEventsTest, public testing::WithParamInterface<BoxClick> {};

TEST_P(BoxClickTest, EachClickFlipsSettingAndTwoReturnIt) {
  const BoxClick& b = GetParam();
  const bool first = (dlg.*b.stored)();
  (dlg.*b.click)();
  EXPECT_EQ((dlg.*b.stored)(), !first);
  EXPECT_EQ((dlg.*b.box).Checked, !first);
  (dlg.*b.click)();
  EXPECT_EQ((dlg.*b.stored)(), first);
  EXPECT_EQ((dlg.*b.box).Checked, first);
}

TEST_P(BoxClickTest, ClickLeavesTheOtherBoxesAlone) {
  const BoxClick& b = GetParam();
  std::vector<bool> before;
  for (const BoxClick& other : BoxClicks)
    before.push_back((dlg.*other.stored)());
  (dlg.*b.click)();
  for (size_t i = 0; i < std::size(BoxClicks); ++i) {
    if (std::string(BoxClicks[i].name) == b.name) continue;
    EXPECT_EQ((dlg.*BoxClicks[i].stored)(), before[i]) << BoxClicks[i].name;
  }
}

INSTANTIATE_TEST_SUITE_P(ConfigurationBoxes, BoxClickTest, testing::ValuesIn(BoxClicks),
                         [](const testing::TestParamInfo<BoxClick>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(NewGameEventsTest, HintsBoxSwitchesHintsInMainWindow) {
  dlg.CB_H_ShowHintsClick();
  EXPECT_FALSE(dlg.H_ShowHints());
  EXPECT_FALSE(dlg.CB_H_ShowHints.Checked);
  dlg.CB_H_ShowHintsClick();
  EXPECT_TRUE(dlg.H_ShowHints());
  EXPECT_TRUE(dlg.CB_H_ShowHints.Checked);
  EXPECT_EQ(host.ShowHints, (std::vector<bool>{false, true}));
}

// ---- Game type ----

TEST_F(NewGameEventsTest, DisabledCampaignRadioIgnoresClicks) {
  dlg.RB_CampaignClick();
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Quick);
  EXPECT_FALSE(dlg.RB_Campaign.Checked);
  EXPECT_TRUE(dlg.PanelQuickPlay.Visible);
}

TEST_F(NewGameEventsTest, RadiosSwitchGameTypeAndPanels) {
  dlg.RB_Campaign.Enabled = true;
  dlg.RB_CampaignClick();
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Campaign);
  EXPECT_TRUE(dlg.RB_Campaign.Checked);
  EXPECT_FALSE(dlg.RB_QuickPlay.Checked);
  EXPECT_TRUE(dlg.PanelCampaign.Visible);
  EXPECT_FALSE(dlg.PanelQuickPlay.Visible);

  dlg.RB_QuickPlayClick();
  EXPECT_EQ(dlg.GameSpec().G_GameType, gt_Quick);
  EXPECT_TRUE(dlg.RB_QuickPlay.Checked);
  EXPECT_FALSE(dlg.RB_Campaign.Checked);
  EXPECT_TRUE(dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(dlg.PanelCampaign.Visible);
}

}  // namespace
}  // namespace orvane
