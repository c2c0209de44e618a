// The new-game dialog's controls as the settings store has them.

#include "dialogs/NewGame.h"

#include <cmath>
#include <cstdio>

#include "dialogs/NewGameCaptions.h"

namespace orvane {

namespace {

constexpr int DifficultyOffset = 200;  // the difficulty slider runs 200 .. 300 for 0 .. 100
constexpr double GameSpeedBase = 3.0;
constexpr double ResourcesBase = 2.0;

TTrackBar MakeSpeedSlider() {
  return TTrackBar{.Min = setting_range::MinSlider,
                   .Max = setting_range::MaxSlider,
                   .Position = 0,
                   .PageSize = 1,
                   .Frequency = 4};
}

}  // namespace

TDlgNewGame::TDlgNewGame(TGameSettings& settings, TLog& log) : Store(settings), Campaigns(log) {
  namespace caption = newgame_captions;
  LabelSuggestion.Caption = caption::InitialSuggestion;

  RB_QuickPlay = {caption::RadioQuickPlay, true, true};
  RB_Campaign = {caption::RadioCampaign, false, true};
  PanelQuickPlay.Visible = true;
  PanelCampaign.Visible = false;

  TB_S_Difficulty = {.Min = DifficultyOffset,
                     .Max = DifficultyOffset + setting_range::MaxDifficulty,
                     .Position = DifficultyOffset,
                     .SelStart = DifficultyOffset,
                     .SelEnd = DifficultyOffset,
                     .PageSize = 5,
                     .Frequency = 10};
  L_S_Difficulty.Caption = "0";
  TB_S_DiffVariation = {.Min = 0,
                        .Max = setting_range::MaxDiffVariation,
                        .Position = 0,
                        .PageSize = 1,
                        .Frequency = 1};
  L_S_DiffVariation.Caption = "0";

  for (TTrackBar* slider :
       {&TB_S_Resources, &TB_S_GameSpeed, &TB_S_SentrySpeed, &TB_S_ScanSpeed, &TB_S_ScanSector}) {
    *slider = MakeSpeedSlider();
  }
  for (TLabelControl* label :
       {&L_S_Resources, &L_S_GameSpeed, &L_S_SentrySpeed, &L_S_ScanSpeed, &L_S_ScanSector}) {
    label->Caption = "1.0x";
  }
  cbLandscapeCode = {caption::LandscapeCode, false, true};
  E_S_LandscapeNumber = {"1", false, 11};

  E_C_PlayerName = {"", true, static_cast<int>(setting_range::MaxPlayerName)};
  E_C_CampaignNo = {"0", true, 4};
  BtnCreateCampaign = {caption::CreateNew, true};
  BtnPreviousCampaign = {caption::Previous, false};
  BtnNextCampaign = {caption::Next, false};
  LB_C_Levels.Columns.assign(std::begin(LevelColumns), std::end(LevelColumns));

  TB_CC_Sensitivity = {.Min = setting_range::MinSensitivity,
                       .Max = setting_range::MaxSensitivity,
                       .Position = setting_range::MinSensitivity,
                       .PageSize = 5,
                       .Frequency = 20};
  CB_CC_ReverseVertical = {caption::ReverseVertical, false, true};
  CB_CC_ReverseHorizontal = {caption::ReverseHorizontal, false, true};
  CB_CC_ReverseZoom = {caption::ReverseZoom, false, true};
  CB_CC_LockCursor = {caption::LockCursor, false, true};

  CB_H_ShowHints = {caption::ShowHints, false, true};

  Store.AddListener(*this);
  Store.SetDialog(this);
}

TDlgNewGame::~TDlgNewGame() {
  Store.SetDialog(nullptr);
  Store.RemoveListener(*this);
}

void TDlgNewGame::ShowDifficultyBand() {
  const TGameSpec& game = Store.GameSpec();
  const int position = game.S_Difficulty + DifficultyOffset;
  const int halfWidth = VariationHalfWidth(game.S_DiffVariation);
  TB_S_Difficulty.Position = position;
  TB_S_Difficulty.SelStart = position - halfWidth;
  TB_S_Difficulty.SelEnd = position + halfWidth;
}

// A speed slider's label: the factor base ^ (position / 8) as "1.0x".
void TDlgNewGame::ShowFactor(TTrackBar& slider, TLabelControl& label, int32_t position,
                             double base) {
  char text[32];
  std::snprintf(text, sizeof text, "%1.1fx", std::pow(base, position / 8.0));
  slider.Position = position;
  label.Caption = text;
}

void TDlgNewGame::SettingChanged(TSetting setting) {
  const TGameSpec& game = Store.GameSpec();
  switch (setting) {
    case TSetting::GameType:
      // The panels and the radio buttons follow the stored type, whoever set it.
      PanelQuickPlay.Visible = game.G_GameType == gt_Quick;
      PanelCampaign.Visible = game.G_GameType == gt_Campaign;
      RB_QuickPlay.Checked = game.G_GameType == gt_Quick;
      RB_Campaign.Checked = game.G_GameType == gt_Campaign;
      break;
    case TSetting::PlayerName:
    case TSetting::CampaignNo:
      E_C_PlayerName.Text = game.C_PlayerName;
      E_C_CampaignNo.Text = std::to_string(game.C_CampaignNo);
      ChosenLevel = 0;
      ShowCampaign();
      break;
    case TSetting::CampaignDifficulty:
      break;
    case TSetting::Difficulty:
      ShowDifficultyBand();
      L_S_Difficulty.Caption = std::to_string(game.S_Difficulty);
      break;
    case TSetting::DiffVariation:
      TB_S_DiffVariation.Position = game.S_DiffVariation;
      ShowDifficultyBand();
      L_S_DiffVariation.Caption = std::to_string(VariationHalfWidth(game.S_DiffVariation));
      break;
    case TSetting::LandscapeFixed:
      cbLandscapeCode.Checked = game.LandscapeFixed;
      E_S_LandscapeNumber.Enabled = game.LandscapeFixed;
      break;
    case TSetting::LandscapeNumber:
      SetLandscapeNumberText(std::to_string(game.S_LandscapeNumber));
      break;
    case TSetting::GameSpeed:
      ShowFactor(TB_S_GameSpeed, L_S_GameSpeed, Store.S_GameSpeed(), GameSpeedBase);
      break;
    case TSetting::SentrySpeed:
      ShowFactor(TB_S_SentrySpeed, L_S_SentrySpeed, Store.S_SentrySpeed(), GameSpeedBase);
      break;
    case TSetting::ScanSpeed:
      ShowFactor(TB_S_ScanSpeed, L_S_ScanSpeed, Store.S_ScanSpeed(), GameSpeedBase);
      break;
    case TSetting::ScanSector:
      ShowFactor(TB_S_ScanSector, L_S_ScanSector, Store.S_ScanSector(), GameSpeedBase);
      break;
    case TSetting::Resources:
      ShowFactor(TB_S_Resources, L_S_Resources, Store.S_Resources(), ResourcesBase);
      break;
    case TSetting::ReverseHorizontal:
      CB_CC_ReverseHorizontal.Checked = Store.CC_ReverseHorizontal();
      break;
    case TSetting::ReverseVertical:
      CB_CC_ReverseVertical.Checked = Store.CC_ReverseVertical();
      break;
    case TSetting::ReverseZoom:
      CB_CC_ReverseZoom.Checked = Store.CC_ReverseZoom();
      break;
    case TSetting::LockCursor:
      CB_CC_LockCursor.Checked = Store.CC_LockCursor();
      break;
    case TSetting::Sensitivity:
      L_CC_Sensitivity.Caption = std::to_string(Store.CC_Sensitivity());
      TB_CC_Sensitivity.Position = Store.CC_Sensitivity();
      break;
    case TSetting::ShowHints:
      CB_H_ShowHints.Checked = Store.H_ShowHints();
      break;
    case TSetting::FullScreen:  // the window's, no control of the dialog's
    case TSetting::WindowPlace:
      break;
  }
}

}  // namespace orvane
