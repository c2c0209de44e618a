#include "dialogs/GameSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "dialogs/NewGameCaptions.h"

namespace orvane {

namespace {

constexpr int DifficultyOffset = 200;  // the difficulty slider runs 200 .. 300 for 0 .. 100
constexpr int32_t MinDifficulty = 0;
constexpr int32_t MaxDifficulty = 100;
constexpr int32_t MaxLandscapeNumber = std::numeric_limits<int32_t>::max();
constexpr int32_t MinLandscapeNumber = -MaxLandscapeNumber;
constexpr double GameSpeedBase = 3.0;
constexpr double ResourcesBase = 2.0;

double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;
  if (fraction > 0.5) return lower + 1.0;
  if (fraction < 0.5) return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

// Half the width of the difficulty band for a variation of 0 .. 99.
int VariationHalfWidth(int32_t variation) {
  const double v = variation;
  return static_cast<int>(RoundHalfEven(v * v * 0.01));
}

// A speed slider's label: the factor base ^ (position / 8) as "1.0x".
std::string FactorLabel(double base, int32_t position) {
  char text[32];
  std::snprintf(text, sizeof text, "%1.1fx", std::pow(base, position / 8.0));
  return text;
}

int32_t ClampToSlider(int32_t value, const TTrackBar& slider) {
  return std::clamp(value, static_cast<int32_t>(slider.Min), static_cast<int32_t>(slider.Max));
}

TTrackBar MakeSpeedSlider() {
  return TTrackBar{.Min = -8, .Max = 8, .Position = 0, .PageSize = 1, .Frequency = 4};
}

}  // namespace

TDlgNewGame::TDlgNewGame(TSettingsHost* host) : Host(host) {
  namespace caption = newgame_captions;
  LabelSuggestion.Caption = caption::InitialSuggestion;

  RB_QuickPlay = {caption::RadioQuickPlay, true, true};
  RB_Campaign = {caption::RadioCampaign, false, false};
  // The panel of the ticked game type.
  PanelQuickPlay.Visible = true;
  PanelCampaign.Visible = false;

  TB_S_Difficulty = {.Min = DifficultyOffset,
                     .Max = DifficultyOffset + MaxDifficulty,
                     .Position = DifficultyOffset,
                     .SelStart = DifficultyOffset,
                     .SelEnd = DifficultyOffset,
                     .PageSize = 5,
                     .Frequency = 10};
  L_S_Difficulty.Caption = "0";
  TB_S_DiffVariation = {.Min = 0, .Max = 99, .Position = 0, .PageSize = 1, .Frequency = 1};
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

  E_C_CampaignNo = {"0", true, 4};

  TB_CC_Sensitivity = {.Min = 10, .Max = 100, .Position = 10, .PageSize = 5, .Frequency = 20};
  CB_CC_ReverseVertical = {caption::ReverseVertical, false, true};
  CB_CC_ReverseHorizontal = {caption::ReverseHorizontal, false, true};
  CB_CC_ReverseZoom = {caption::ReverseZoom, false, true};
  CB_CC_LockCursor = {caption::LockCursor, false, true};

  CB_H_ShowHints = {caption::ShowHints, false, true};
}

void TDlgNewGame::gs_G_GameType(TGameType value) {
  PanelQuickPlay.Visible = value == gt_Quick;
  PanelCampaign.Visible = value == gt_Campaign;
  GameRecord.G_GameType = value;
}

// Campaigns do not store their difficulty or number through the settings.
void TDlgNewGame::gs_C_Difficulty(int32_t /*value*/) {}
void TDlgNewGame::gs_C_CampaignNo(int32_t /*value*/) {}

void TDlgNewGame::gs_C_PlayerName(const std::string& value) {
  GameRecord.C_PlayerName = value;
}

void TDlgNewGame::gs_S_Difficulty(int32_t value) {
  // The difficulty runs 0 .. 100; the slider shows it 200 higher.
  const int32_t difficulty = std::clamp(value, MinDifficulty, MaxDifficulty);
  GameRecord.S_Difficulty = difficulty;
  ShowDifficultyBand();
  L_S_Difficulty.Caption = std::to_string(difficulty);
}

void TDlgNewGame::gs_S_DiffVariation(int32_t value) {
  // A script's value outside the slider's range is clamped first, so slider and label agree.
  const int32_t variation = ClampToSlider(value, TB_S_DiffVariation);
  GameRecord.S_DiffVariation = variation;
  TB_S_DiffVariation.Position = variation;
  ShowDifficultyBand();
  L_S_DiffVariation.Caption = std::to_string(VariationHalfWidth(variation));
}

void TDlgNewGame::ShowDifficultyBand() {
  const int position = GameRecord.S_Difficulty + DifficultyOffset;
  const int halfWidth = VariationHalfWidth(GameRecord.S_DiffVariation);
  TB_S_Difficulty.Position = position;
  TB_S_Difficulty.SelStart = position - halfWidth;
  TB_S_Difficulty.SelEnd = position + halfWidth;
}

void TDlgNewGame::gs_S_LandscapeRandom(bool value) {
  cbLandscapeCode.Checked = !value;
  E_S_LandscapeNumber.Enabled = !value;
  GameRecord.LandscapeFixed = !value;
}

void TDlgNewGame::gs_S_LandscapeNumber(int32_t value) {
  // Only -2147483648 lies outside the range; clamped first so the box and the store agree.
  const int32_t number = std::clamp(value, MinLandscapeNumber, MaxLandscapeNumber);
  if (number == GameRecord.S_LandscapeNumber) return;
  GameRecord.S_LandscapeNumber = number;
  SetLandscapeNumberText(std::to_string(number));
}

void TDlgNewGame::SetSpeedSetting(int32_t& stored, TTrackBar& slider, TLabelControl& label,
                                  int32_t value, double base) {
  // A script's value outside the slider's range is clamped first, so slider and label agree.
  const int32_t position = ClampToSlider(value, slider);
  if (position == stored) return;
  stored = position;
  slider.Position = position;
  label.Caption = FactorLabel(base, position);
}

void TDlgNewGame::gs_S_GameSpeed(int32_t value) {
  SetSpeedSetting(GameSpeed, TB_S_GameSpeed, L_S_GameSpeed, value, GameSpeedBase);
}

void TDlgNewGame::gs_S_SentrySpeed(int32_t value) {
  SetSpeedSetting(SentrySpeed, TB_S_SentrySpeed, L_S_SentrySpeed, value, GameSpeedBase);
}

void TDlgNewGame::gs_S_ScanSpeed(int32_t value) {
  SetSpeedSetting(ScanSpeed, TB_S_ScanSpeed, L_S_ScanSpeed, value, GameSpeedBase);
}

void TDlgNewGame::gs_S_ScanSector(int32_t value) {
  SetSpeedSetting(ScanSector, TB_S_ScanSector, L_S_ScanSector, value, GameSpeedBase);
}

void TDlgNewGame::gs_S_Resources(int32_t value) {
  SetSpeedSetting(Resources, TB_S_Resources, L_S_Resources, value, ResourcesBase);
}

void TDlgNewGame::SetCheckSetting(bool& stored, TCheckBoxControl& box, bool value) {
  if (value == stored) return;
  box.Checked = value;
  stored = value;
}

void TDlgNewGame::gs_CC_ReverseHorizontal(bool value) {
  SetCheckSetting(ReverseHorizontal, CB_CC_ReverseHorizontal, value);
}

void TDlgNewGame::gs_CC_ReverseVertical(bool value) {
  SetCheckSetting(ReverseVertical, CB_CC_ReverseVertical, value);
}

void TDlgNewGame::gs_CC_ReverseZoom(bool value) {
  SetCheckSetting(ReverseZoom, CB_CC_ReverseZoom, value);
}

void TDlgNewGame::gs_CC_LockCursor(bool value) {
  SetCheckSetting(LockCursor, CB_CC_LockCursor, value);
}

void TDlgNewGame::gs_CC_Sensitivity(int32_t value) {
  // A script's value outside the slider's range is clamped first, so slider and label agree.
  const int32_t sensitivity = ClampToSlider(value, TB_CC_Sensitivity);
  Sensitivity = sensitivity;
  L_CC_Sensitivity.Caption = std::to_string(sensitivity);
  TB_CC_Sensitivity.Position = sensitivity;
  if (Host) Host->SetLookSensitivity(static_cast<float>(sensitivity * 0.05));
}

void TDlgNewGame::gs_H_ShowHints(bool value) {
  if (value == ShowHints) return;
  ShowHints = value;
  CB_H_ShowHints.Checked = value;
  if (Host) Host->SetShowHints(value);
}

void TDlgNewGame::ChooseLandscape(int32_t number, int32_t difficulty) {
  gs_G_GameType(gt_Quick);
  gs_S_Difficulty(difficulty);
  gs_S_DiffVariation(0);
  gs_S_LandscapeRandom(false);
  gs_S_LandscapeNumber(number);
}

void TDlgNewGame::ApplyDefaultSettings() {
  // Quick play: the dialog offers nothing else, and a campaign would ignore the difficulty.
  gs_G_GameType(gt_Quick);
  gs_C_Difficulty(0);
  gs_C_CampaignNo(0);
  gs_S_Difficulty(0);
  gs_S_DiffVariation(0);
  gs_S_LandscapeRandom(true);
  gs_S_LandscapeNumber(1);
  gs_S_GameSpeed(0);
  gs_S_SentrySpeed(0);
  gs_S_ScanSpeed(0);
  gs_S_ScanSector(0);
  gs_S_Resources(0);
  gs_CC_Sensitivity(50);
  gs_CC_ReverseZoom(false);
  gs_CC_LockCursor(false);
  gs_CC_ReverseHorizontal(true);
  gs_CC_ReverseVertical(true);
  gs_H_ShowHints(true);
}

}  // namespace orvane
