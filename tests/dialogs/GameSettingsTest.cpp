#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Log.h"
#include "dialogs/NewGame.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {
namespace {

struct TRecordingListener : TSettingsListener {
  void SettingChanged(TSetting setting) override { Told.push_back(setting); }
  std::vector<TSetting> Told;
};

struct Settings : ::testing::Test {
  TGameSettings Store;
  TLog Log;
  TDlgNewGame Dlg{Store, Log};
};

// The five speed and resources sliders, with the labels at either end.
struct SpeedSetting {
  void (TGameSettings::*setter)(int32_t);
  void (TDlgNewGame::*handler)(int);
  int32_t (TGameSettings::*stored)() const;
  TTrackBar TDlgNewGame::*slider;
  TLabelControl TDlgNewGame::*label;
  const char* lowest;
  const char* highest;
  const char* name;
};

#define SPEED(name, lowest, highest)                                                          \
  SpeedSetting {                                                                              \
    &TGameSettings::gs_S_##name, &TDlgNewGame::TB_S_##name##Change, &TGameSettings::S_##name, \
        &TDlgNewGame::TB_S_##name, &TDlgNewGame::L_S_##name, lowest, highest, #name           \
  }
const SpeedSetting SpeedSettings[] = {
    SPEED(GameSpeed, "0.3x", "3.0x"), SPEED(SentrySpeed, "0.3x", "3.0x"),
    SPEED(ScanSpeed, "0.3x", "3.0x"), SPEED(ScanSector, "0.3x", "3.0x"),
    SPEED(Resources, "0.5x", "2.0x")};
#undef SPEED

struct BoxClick {
  void (TDlgNewGame::*click)();
  bool (TGameSettings::*stored)() const;
  TCheckBoxControl TDlgNewGame::*box;
  bool byDefault;
  const char* name;
};

#define BOX(group, name, byDefault)                                           \
  BoxClick {                                                                  \
    &TDlgNewGame::CB_##group##_##name##Click, &TGameSettings::group##_##name, \
        &TDlgNewGame::CB_##group##_##name, byDefault, #name                   \
  }
const BoxClick BoxClicks[] = {BOX(CC, ReverseHorizontal, true), BOX(CC, ReverseVertical, true),
                              BOX(CC, ReverseZoom, false), BOX(CC, LockCursor, false),
                              BOX(H, ShowHints, true)};
#undef BOX

// Every setting moved away comes back and the controls follow; the box test checks the boxes.
TEST_F(Settings, DefaultsRestoreEverySettingAndTheControlsFollow) {
  Store.gs_G_GameType(gt_Campaign);
  Store.gs_S_Difficulty(80);
  Store.gs_S_DiffVariation(60);
  Store.gs_S_LandscapeRandom(false);
  Store.gs_S_LandscapeNumber(-42);
  Store.gs_CC_Sensitivity(90);
  for (const SpeedSetting& s : SpeedSettings)
    (Store.*s.setter)(5);

  Store.ApplyDefaultSettings();
  const TGameSpec& game = Store.GameSpec();
  EXPECT_EQ(std::tuple(game.G_GameType, game.S_Difficulty, game.S_DiffVariation,
                       game.LandscapeFixed, game.S_LandscapeNumber, Store.CC_Sensitivity()),
            std::tuple(gt_Quick, 0, 0, false, 1, 50));
  EXPECT_EQ(std::tuple(Dlg.PanelQuickPlay.Visible, Dlg.PanelCampaign.Visible,
                       Dlg.TB_S_Difficulty.SelEnd, Dlg.E_S_LandscapeNumber.Enabled,
                       Dlg.E_S_LandscapeNumber.Text, Dlg.L_CC_Sensitivity.Caption),
            std::tuple(true, false, 200, false, "1", "50"));
  for (const SpeedSetting& s : SpeedSettings)
    EXPECT_EQ(std::tuple((Store.*s.stored)(), (Dlg.*s.label).Caption), std::tuple(0, "1.0x"))
        << s.name;
}

// The slider runs 200 above the clamped difficulty, with a band of half width the variation
// squared over 100, rounded to the nearest (0.49 and 0.64 either side of a half), in either order.
TEST_F(Settings, DifficultyClampsAndTheBandFollowsTheVariationInEitherOrder) {
  const TTrackBar& slider = Dlg.TB_S_Difficulty;
  Store.gs_S_DiffVariation(50);
  Store.gs_S_Difficulty(30);
  EXPECT_EQ(
      std::tuple(slider.Position, slider.SelStart, slider.SelEnd, Dlg.L_S_DiffVariation.Caption),
      std::tuple(230, 205, 255, "25"));
  Store.gs_S_Difficulty(40);
  for (const auto& [variation, half] :
       {std::pair{7, 0}, {8, 1}, {12, 1}, {13, 2}, {99, 98}, {150, 98}, {-3, 0}}) {
    Store.gs_S_DiffVariation(variation);
    EXPECT_EQ(std::tuple(Dlg.L_S_DiffVariation.Caption, slider.SelStart, slider.SelEnd),
              std::tuple(std::to_string(half), 240 - half, 240 + half))
        << variation;
  }
  EXPECT_EQ(Store.GameSpec().S_DiffVariation, 0);
  for (const auto& [set, kept] : {std::pair{150, 100}, {-5, 0}}) {
    Store.gs_S_Difficulty(set);
    EXPECT_EQ(std::tuple(Store.GameSpec().S_Difficulty, slider.Position, slider.SelStart,
                         slider.SelEnd, Dlg.L_S_Difficulty.Caption),
              std::tuple(kept, kept + 200, kept + 200, kept + 200, std::to_string(kept)));
  }
}

// Values clamp to the slider's range, and the same value twice does nothing.
TEST(SpeedSettings, EachSliderMovesOnlyItsOwnSettingAndItsLabelShowsTheFactor) {
  for (const SpeedSetting& s : SpeedSettings) {
    TGameSettings store;
    TLog log;
    TDlgNewGame dlg(store, log);
    (dlg.*s.handler)(-6);
    for (const SpeedSetting& read : SpeedSettings)
      EXPECT_EQ((store.*read.stored)(), &read == &s ? -6 : 0)
          << "moved " << s.name << ", read " << read.name;
    (store.*s.setter)(-8);
    EXPECT_EQ((dlg.*s.label).Caption, s.lowest) << s.name;
    (store.*s.setter)(20);
    EXPECT_EQ(std::tuple((store.*s.stored)(), (dlg.*s.slider).Position, (dlg.*s.label).Caption),
              std::tuple(8, 8, s.highest))
        << s.name;
    (dlg.*s.label).Caption = "marker";
    (store.*s.setter)(8);
    EXPECT_EQ((dlg.*s.label).Caption, "marker") << s.name;
  }
}

TEST(ConfigurationBoxes, ClickFlipsOnlyItsOwnSettingAndASecondReturnsIt) {
  for (const BoxClick& clicked : BoxClicks) {
    TGameSettings store;
    TLog log;
    TDlgNewGame dlg(store, log);
    store.ApplyDefaultSettings();
    for (const bool flipped : {true, false}) {
      (dlg.*clicked.click)();
      for (const BoxClick& b : BoxClicks) {
        const bool expected = b.byDefault != (flipped && &b == &clicked);
        EXPECT_EQ((store.*b.stored)(), expected) << "clicked " << clicked.name << ", " << b.name;
        EXPECT_EQ((dlg.*b.box).Checked, expected) << "clicked " << clicked.name << ", " << b.name;
      }
    }
  }
}

// A script's sensitivity outside the slider's range is clamped, so store, slider and label agree.
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
  Store.gs_CC_Sensitivity(500);
  EXPECT_EQ(std::tuple(Store.CC_Sensitivity(), Dlg.TB_CC_Sensitivity.Position,
                       Dlg.L_CC_Sensitivity.Caption),
            std::tuple(100, 100, "100"));
}

// Campaigns are not offered: their radio button is disabled.
TEST_F(Settings, GameTypeRadiosSwitchPanelsOnlyWhileEnabledAndFollowTheSetting) {
  Store.ApplyDefaultSettings();
  Dlg.RB_Campaign.Enabled = false;
  Dlg.RB_CampaignClick();
  EXPECT_EQ(std::tuple(Store.GameSpec().G_GameType, Dlg.RB_Campaign.Checked),
            std::tuple(gt_Quick, false));
  Dlg.RB_Campaign.Enabled = true;
  Dlg.RB_CampaignClick();
  EXPECT_EQ(std::tuple(Store.GameSpec().G_GameType, Dlg.RB_QuickPlay.Checked,
                       Dlg.PanelCampaign.Visible, Dlg.PanelQuickPlay.Visible),
            std::tuple(gt_Campaign, false, true, false));
  Store.gs_G_GameType(gt_Quick);  // as the preferences set it
  EXPECT_EQ(std::tuple(Dlg.RB_QuickPlay.Checked, Dlg.RB_Campaign.Checked), std::tuple(true, false));
}

// The game's number goes to the dialog's box while there is a dialog, else to the store.
TEST(LandscapeNumber, ComesFromTheBoxWithADialogAndFromTheStoreWithout) {
  TGameSettings store;
  store.ApplyDefaultSettings();
  store.ShowLandscapeNumber(31);
  EXPECT_EQ(std::tuple(store.GameSpec().S_LandscapeNumber, store.TakeLandscapeNumber()),
            std::tuple(31, 31));
  store.ShowSuggestion("nobody sees this");

  TLog log;
  TDlgNewGame dlg(store, log);
  EXPECT_EQ(store.TakeLandscapeNumber(), 1);  // a new dialog's box holds "1"
  store.ShowLandscapeNumber(-77);
  EXPECT_EQ(std::tuple(dlg.E_S_LandscapeNumber.Text, store.GameSpec().S_LandscapeNumber),
            std::tuple("-77", -77));
  store.ShowSuggestion("Close this box to continue!");
  EXPECT_EQ(dlg.LabelSuggestion.Caption, "Close this box to continue!");
}

// A dialog with the number fixed at 77, as a player sees it before typing.
struct LandscapeNumberBox : Settings {
  LandscapeNumberBox() {
    Store.ApplyDefaultSettings();
    Dlg.cbLandscapeCodeClick();
    Store.gs_S_LandscapeNumber(77);
  }
};

// Text that is no whole number is kept in the box but not stored, and reading it back is
// refused, as is a number beyond 32 bits. The box takes typing only while it is ticked.
TEST_F(LandscapeNumberBox, TypedNumbersAreStoredClampedAndShownPlainOtherTextIsNot) {
  for (const char* text : {"", "-", "12x", " 12", "1.5", "+-3", "99999999999999999999", "abc"}) {
    EXPECT_THROW(Dlg.SetLandscapeNumberText(text), std::exception) << '"' << text << '"';
    EXPECT_EQ(Dlg.E_S_LandscapeNumber.Text, text);
    EXPECT_EQ(Store.GameSpec().S_LandscapeNumber, 77) << '"' << text << '"';
  }
  EXPECT_THROW(Dlg.ReadLandscapeNumberBox(), std::invalid_argument);
  Dlg.E_S_LandscapeNumber.Text = "2147483648";
  EXPECT_THROW(Dlg.ReadLandscapeNumberBox(), std::out_of_range);

  for (const auto& [typed, shown] : {std::pair{"12345", "12345"},
                                     {"0042", "42"},
                                     {"+42", "42"},
                                     {"-2147483648", "-2147483647"}}) {
    Dlg.SetLandscapeNumberText(typed);
    EXPECT_EQ(std::tuple(Dlg.E_S_LandscapeNumber.Text, Store.GameSpec().S_LandscapeNumber),
              std::tuple(shown, std::stoi(shown)))
        << typed;
  }
  Store.gs_S_LandscapeNumber(-5);
  EXPECT_EQ(std::tuple(Dlg.E_S_LandscapeNumber.Text, Dlg.ReadLandscapeNumberBox()),
            std::tuple("-5", -5));
  for (const bool ticked : {true, false}) {
    EXPECT_EQ(std::tuple(Dlg.cbLandscapeCode.Checked, Dlg.E_S_LandscapeNumber.Enabled,
                         Store.GameSpec().LandscapeFixed),
              std::tuple(ticked, ticked, ticked));
    Dlg.cbLandscapeCodeClick();
  }
}

}  // namespace
}  // namespace orvane
