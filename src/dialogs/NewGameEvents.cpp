// The new-game dialog's event handlers: what a click, a slider move or typed text does.

#include <algorithm>
#include <limits>

#include "dialogs/NewGame.h"
#include "dialogs/WholeNumberText.h"

namespace orvane {

namespace {

// A slider never reports a position outside its range.
int ClampedPosition(int position, const TTrackBar& slider) {
  return std::clamp(position, slider.Min, slider.Max);
}

}  // namespace

void TDlgNewGame::RB_QuickPlayClick() {
  if (!RB_QuickPlay.Enabled) return;
  RB_QuickPlay.Checked = true;
  RB_Campaign.Checked = false;
  Store.gs_G_GameType(gt_Quick);
}

void TDlgNewGame::RB_CampaignClick() {
  if (!RB_Campaign.Enabled) return;
  RB_Campaign.Checked = true;
  RB_QuickPlay.Checked = false;
  Store.gs_G_GameType(gt_Campaign);
}

void TDlgNewGame::TB_S_DifficultyChange(int position) {
  Store.gs_S_Difficulty(ClampedPosition(position, TB_S_Difficulty) - TB_S_Difficulty.Min);
}

void TDlgNewGame::TB_S_DiffVariationChange(int position) {
  Store.gs_S_DiffVariation(ClampedPosition(position, TB_S_DiffVariation));
}

void TDlgNewGame::TB_S_ResourcesChange(int position) {
  Store.gs_S_Resources(ClampedPosition(position, TB_S_Resources));
}

void TDlgNewGame::TB_S_GameSpeedChange(int position) {
  Store.gs_S_GameSpeed(ClampedPosition(position, TB_S_GameSpeed));
}

void TDlgNewGame::TB_S_SentrySpeedChange(int position) {
  Store.gs_S_SentrySpeed(ClampedPosition(position, TB_S_SentrySpeed));
}

void TDlgNewGame::TB_S_ScanSpeedChange(int position) {
  Store.gs_S_ScanSpeed(ClampedPosition(position, TB_S_ScanSpeed));
}

void TDlgNewGame::TB_S_ScanSectorChange(int position) {
  Store.gs_S_ScanSector(ClampedPosition(position, TB_S_ScanSector));
}

void TDlgNewGame::cbLandscapeCodeClick() {
  cbLandscapeCode.Checked = !cbLandscapeCode.Checked;
  Store.gs_S_LandscapeRandom(!cbLandscapeCode.Checked);
}

void TDlgNewGame::TB_CC_SensitivityChange(int position) {
  Store.gs_CC_Sensitivity(ClampedPosition(position, TB_CC_Sensitivity));
}

void TDlgNewGame::CB_CC_ReverseVerticalClick() {
  Store.gs_CC_ReverseVertical(!Store.CC_ReverseVertical());
}

void TDlgNewGame::CB_CC_ReverseHorizontalClick() {
  Store.gs_CC_ReverseHorizontal(!Store.CC_ReverseHorizontal());
}

void TDlgNewGame::CB_CC_ReverseZoomClick() {
  Store.gs_CC_ReverseZoom(!Store.CC_ReverseZoom());
}

void TDlgNewGame::CB_CC_LockCursorClick() {
  Store.gs_CC_LockCursor(!Store.CC_LockCursor());
}

void TDlgNewGame::CB_H_ShowHintsClick() {
  CB_H_ShowHints.Checked = !CB_H_ShowHints.Checked;
  Store.gs_H_ShowHints(CB_H_ShowHints.Checked);
}

void TDlgNewGame::SetLandscapeNumberText(const std::string& text) {
  if (text == E_S_LandscapeNumber.Text) return;
  E_S_LandscapeNumber.Text = text;
  E_S_LandscapeNumberChange();
}

void TDlgNewGame::E_S_LandscapeNumberChange() {
  constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
  // Throws for text that is not a whole number; the text stays as typed, the number as stored.
  const int64_t typed = ReadWholeNumber64(E_S_LandscapeNumber.Text);
  // The landscape number runs -2147483647 .. 2147483647.
  const auto number = static_cast<int32_t>(std::clamp(typed, -Largest, Largest));
  SetLandscapeNumberText(std::to_string(number));
  Store.gs_S_LandscapeNumber(number);
}

int32_t TDlgNewGame::ReadLandscapeNumberBox() const {
  return ReadWholeNumber32(E_S_LandscapeNumber.Text);
}

}  // namespace orvane
