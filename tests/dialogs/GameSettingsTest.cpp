#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/NewGame.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {
namespace {

// Records which settings the store told of.
struct TRecordingListener : TSettingsListener {
  void SettingChanged(TSetting setting) override { Told.push_back(setting); }
  int Count(TSetting setting) const {
    return static_cast<int>(std::count(Told.begin(), Told.end(), setting));
  }
  std::vector<TSetting> Told;
};

// The store with the dialog that shows it.
struct Settings : ::testing::Test {
  TGameSettings Store;
  TDlgNewGame Dlg{Store};
};

TEST_F(Settings, DefaultsRestoreEverySettingAndTheControlsFollow) {
  TRecordingListener listener;
  Store.AddListener(listener);
  Store.gs_G_GameType(gt_Campaign);
  Store.gs_S_Difficulty(80);
  Store.gs_S_DiffVariation(60);
  Store.gs_S_LandscapeRandom(false);
  Store.gs_S_LandscapeNumber(-42);
  Store.gs_S_GameSpeed(8);
  Store.gs_S_Resources(-5);
  Store.gs_CC_Sensitivity(90);
  Store.gs_CC_ReverseZoom(true);
  Store.gs_CC_LockCursor(true);

  Store.ApplyDefaultSettings();
  const TGameSpec& game = Store.GameSpec();
  EXPECT_EQ(game.G_GameType, gt_Quick);
  EXPECT_TRUE(Dlg.PanelQuickPlay.Visible);
  EXPECT_FALSE(Dlg.PanelCampaign.Visible);
  EXPECT_EQ(game.S_Difficulty, 0);
  EXPECT_EQ(Dlg.TB_S_Difficulty.SelEnd, 200);
  EXPECT_FALSE(game.LandscapeFixed);
  EXPECT_FALSE(Dlg.E_S_LandscapeNumber.Enabled);
  EXPECT_EQ(game.S_LandscapeNumber, 1);
  EXPECT_EQ(Dlg.E_S_LandscapeNumber.Text, "1");
  EXPECT_EQ(Store.S_GameSpeed(), 0);
  EXPECT_EQ(Dlg.L_S_Resources.Caption, "1.0x");
  EXPECT_EQ(Store.CC_Sensitivity(), 50);
  EXPECT_EQ(Dlg.L_CC_Sensitivity.Caption, "50");
  EXPECT_TRUE(Store.CC_ReverseHorizontal());
  EXPECT_TRUE(Dlg.CB_CC_ReverseVertical.Checked);
  EXPECT_FALSE(Store.CC_ReverseZoom());
  EXPECT_FALSE(Dlg.CB_CC_LockCursor.Checked);
  EXPECT_TRUE(Store.H_ShowHints());
  EXPECT_TRUE(Dlg.CB_H_ShowHints.Checked);
  EXPECT_EQ(listener.Count(TSetting::ShowHints), 1);
  EXPECT_EQ(listener.Count(TSetting::Sensitivity), 2);
  Store.RemoveListener(listener);
}

TEST_F(Settings, DifficultyClampsAndTheBandFollowsTheVariationInEitherOrder) {
  Store.gs_S_Difficulty(150);
  EXPECT_EQ(Store.GameSpec().S_Difficulty, 100);
  EXPECT_EQ(Dlg.TB_S_Difficulty.Position, 300);
  EXPECT_EQ(Dlg.L_S_Difficulty.Caption, "100");
  Store.gs_S_Difficulty(-5);
  EXPECT_EQ(Store.GameSpec().S_Difficulty, 0);
  EXPECT_EQ(Dlg.TB_S_Difficulty.Position, 200);

  for (const bool difficultyFirst : {true, false}) {
    TGameSettings store;
    TDlgNewGame banded(store);
    if (difficultyFirst) store.gs_S_Difficulty(30);
    store.gs_S_DiffVariation(50);
    if (!difficultyFirst) store.gs_S_Difficulty(30);
    EXPECT_EQ(banded.TB_S_Difficulty.Position, 230) << difficultyFirst;
    EXPECT_EQ(banded.TB_S_Difficulty.SelStart, 205) << difficultyFirst;
    EXPECT_EQ(banded.TB_S_Difficulty.SelEnd, 255) << difficultyFirst;
    EXPECT_EQ(banded.L_S_DiffVariation.Caption, "25") << difficultyFirst;
  }
}

// The band's half width is the variation squared over 100, rounded to the nearest: 0.49 and
// 0.64 fall on either side of one half.
TEST_F(Settings, TheBandRoundsItsHalfWidthToTheNearest) {
  Store.gs_S_Difficulty(40);
  const struct {
    int32_t Variation, HalfWidth;
  } cases[] = {{7, 0}, {8, 1}, {12, 1}, {13, 2}, {99, 98}, {150, 98}, {-3, 0}};
  for (const auto& c : cases) {
    Store.gs_S_DiffVariation(c.Variation);
    EXPECT_EQ(Dlg.L_S_DiffVariation.Caption, std::to_string(c.HalfWidth)) << c.Variation;
    EXPECT_EQ(Dlg.TB_S_Difficulty.SelEnd, 240 + c.HalfWidth) << c.Variation;
    EXPECT_EQ(Dlg.TB_S_Difficulty.SelStart, 240 - c.HalfWidth) << c.Variation;
  }
  // A script's value outside a slider's range is clamped, so store, slider and label agree.
  EXPECT_EQ(Store.GameSpec().S_DiffVariation, 0);
  Store.gs_CC_Sensitivity(500);
  EXPECT_EQ(Store.CC_Sensitivity(), 100);
  EXPECT_EQ(Dlg.TB_CC_Sensitivity.Position, 100);
  EXPECT_EQ(Dlg.L_CC_Sensitivity.Caption, "100");
}

// The five speed and resources sliders: setter, slider handler, store, slider, label and the
// labels at either end.
struct SpeedSetting {
  const char* name;
  void (TGameSettings::*setter)(int32_t);
  void (TDlgNewGame::*handler)(int);
  int32_t (TGameSettings::*stored)() const;
  TTrackBar TDlgNewGame::*slider;
  TLabelControl TDlgNewGame::*label;
  const char* lowest;
  const char* highest;
};

const SpeedSetting SpeedSettings[] = {
    {"GameSpeed", &TGameSettings::gs_S_GameSpeed, &TDlgNewGame::TB_S_GameSpeedChange,
     &TGameSettings::S_GameSpeed, &TDlgNewGame::TB_S_GameSpeed, &TDlgNewGame::L_S_GameSpeed, "0.3x",
     "3.0x"},
    {"SentrySpeed", &TGameSettings::gs_S_SentrySpeed, &TDlgNewGame::TB_S_SentrySpeedChange,
     &TGameSettings::S_SentrySpeed, &TDlgNewGame::TB_S_SentrySpeed, &TDlgNewGame::L_S_SentrySpeed,
     "0.3x", "3.0x"},
    {"ScanSpeed", &TGameSettings::gs_S_ScanSpeed, &TDlgNewGame::TB_S_ScanSpeedChange,
     &TGameSettings::S_ScanSpeed, &TDlgNewGame::TB_S_ScanSpeed, &TDlgNewGame::L_S_ScanSpeed, "0.3x",
     "3.0x"},
    {"ScanSector", &TGameSettings::gs_S_ScanSector, &TDlgNewGame::TB_S_ScanSectorChange,
     &TGameSettings::S_ScanSector, &TDlgNewGame::TB_S_ScanSector, &TDlgNewGame::L_S_ScanSector,
     "0.3x", "3.0x"},
    {"Resources", &TGameSettings::gs_S_Resources, &TDlgNewGame::TB_S_ResourcesChange,
     &TGameSettings::S_Resources, &TDlgNewGame::TB_S_Resources, &TDlgNewGame::L_S_Resources, "0.5x",
     "2.0x"},
};

TEST(SpeedSettings, LabelsShowTheFactorValuesClampAndTheSameValueTwiceDoesNothing) {
  for (const SpeedSetting& s : SpeedSettings) {
    TGameSettings store;
    TDlgNewGame dlg(store);
    (store.*s.setter)(-8);
    EXPECT_EQ((dlg.*s.label).Caption, s.lowest) << s.name;
    (store.*s.setter)(20);
    EXPECT_EQ((store.*s.stored)(), 8) << s.name;
    EXPECT_EQ((dlg.*s.slider).Position, 8) << s.name;
    EXPECT_EQ((dlg.*s.label).Caption, s.highest) << s.name;
    (dlg.*s.label).Caption = "marker";
    (store.*s.setter)(8);
    EXPECT_EQ((dlg.*s.label).Caption, "marker") << s.name;
  }
}

TEST(SpeedSettings, EachSliderMovesOnlyItsOwnSetting) {
  for (const SpeedSetting& moved : SpeedSettings) {
    TGameSettings store;
    TDlgNewGame dlg(store);
    (dlg.*moved.handler)(-6);
    for (const SpeedSetting& read : SpeedSettings) {
      EXPECT_EQ((store.*read.stored)(), &read == &moved ? -6 : 0)
          << "moved " << moved.name << ", read " << read.name;
    }
  }
}

struct BoxClick {
  const char* name;
  void (TDlgNewGame::*click)();
  bool (TGameSettings::*stored)() const;
  TCheckBoxControl TDlgNewGame::*box;
};

const BoxClick BoxClicks[] = {
    {"ReverseHorizontal", &TDlgNewGame::CB_CC_ReverseHorizontalClick,
     &TGameSettings::CC_ReverseHorizontal, &TDlgNewGame::CB_CC_ReverseHorizontal},
    {"ReverseVertical", &TDlgNewGame::CB_CC_ReverseVerticalClick,
     &TGameSettings::CC_ReverseVertical, &TDlgNewGame::CB_CC_ReverseVertical},
    {"ReverseZoom", &TDlgNewGame::CB_CC_ReverseZoomClick, &TGameSettings::CC_ReverseZoom,
     &TDlgNewGame::CB_CC_ReverseZoom},
    {"LockCursor", &TDlgNewGame::CB_CC_LockCursorClick, &TGameSettings::CC_LockCursor,
     &TDlgNewGame::CB_CC_LockCursor},
    {"ShowHints", &TDlgNewGame::CB_H_ShowHintsClick, &TGameSettings::H_ShowHints,
     &TDlgNewGame::CB_H_ShowHints},
};

TEST(ConfigurationBoxes, ClickFlipsOnlyItsOwnSettingAndASecondReturnsIt) {
  for (const BoxClick& clicked : BoxClicks) {
    TGameSettings store;
    TDlgNewGame dlg(store);
    store.ApplyDefaultSettings();
    std::vector<bool> before;
    for (const BoxClick& b : BoxClicks)
      before.push_back((store.*b.stored)());
    (dlg.*clicked.click)();
    for (size_t i = 0; i < std::size(BoxClicks); ++i) {
      const BoxClick& b = BoxClicks[i];
      const bool expected = &b == &clicked ? !before[i] : before[i];
      EXPECT_EQ((store.*b.stored)(), expected) << "clicked " << clicked.name << ", read " << b.name;
      EXPECT_EQ((dlg.*b.box).Checked, expected)
          << "clicked " << clicked.name << ", read " << b.name;
    }
    (dlg.*clicked.click)();
    EXPECT_EQ((store.*clicked.stored)(), before[&clicked - BoxClicks]) << clicked.name;
  }
}

TEST_F(Settings, TheSensitivitySliderAndTheHintsTellTheListenersOnlyOfChanges) {
  TRecordingListener window;
  Store.AddListener(window);
  Dlg.TB_CC_SensitivityChange(60);
  EXPECT_EQ(Store.CC_Sensitivity(), 60);
  Store.gs_H_ShowHints(true);
  Store.gs_H_ShowHints(true);
  EXPECT_EQ(window.Told, (std::vector<TSetting>{TSetting::Sensitivity, TSetting::ShowHints}));
  Store.RemoveListener(window);
  Store.gs_H_ShowHints(false);
  EXPECT_EQ(window.Told.size(), 2u);
}

TEST_F(Settings, GameTypeRadiosSwitchPanelsOnlyWhileEnabled) {
  Store.ApplyDefaultSettings();
  Dlg.RB_CampaignClick();  // disabled: campaigns are not offered
  EXPECT_EQ(Store.GameSpec().G_GameType, gt_Quick);
  EXPECT_FALSE(Dlg.RB_Campaign.Checked);

  Dlg.RB_Campaign.Enabled = true;
  Dlg.RB_CampaignClick();
  EXPECT_EQ(Store.GameSpec().G_GameType, gt_Campaign);
  EXPECT_FALSE(Dlg.RB_QuickPlay.Checked);
  EXPECT_TRUE(Dlg.PanelCampaign.Visible);
  EXPECT_FALSE(Dlg.PanelQuickPlay.Visible);
}

// What the game asks for goes to the dialog's box while there is a dialog, and to the store
// without one.
TEST(LandscapeNumber, ComesFromTheBoxWithADialogAndFromTheStoreWithout) {
  TGameSettings store;
  store.ApplyDefaultSettings();
  store.ShowLandscapeNumber(31);
  EXPECT_EQ(store.GameSpec().S_LandscapeNumber, 31);
  EXPECT_EQ(store.TakeLandscapeNumber(), 31);
  store.ShowSuggestion("nobody sees this");

  TDlgNewGame dlg(store);
  EXPECT_EQ(store.TakeLandscapeNumber(), 1);  // a new dialog's box holds "1"
  store.ShowLandscapeNumber(-77);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-77");
  EXPECT_EQ(store.GameSpec().S_LandscapeNumber, -77);
  EXPECT_THROW(dlg.SetLandscapeNumberText("abc"), std::exception);
  EXPECT_THROW(store.TakeLandscapeNumber(), std::invalid_argument);
  store.ShowSuggestion("Close this box to continue!");
  EXPECT_EQ(dlg.LabelSuggestion.Caption, "Close this box to continue!");
}

}  // namespace
}  // namespace orvane
