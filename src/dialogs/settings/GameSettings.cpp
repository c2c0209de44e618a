#include "dialogs/settings/GameSettings.h"

#include <algorithm>

#include "dialogs/settings/CampaignLevels.h"
#include "world/MathKT.h"

namespace orvane {

using namespace setting_range;

int32_t VariationHalfWidth(int32_t variation) {
  const double v = variation;
  return Round(v * v * 0.01);
}

void TGameSettings::AddListener(TSettingsListener& listener) {
  if (std::find(Listeners.begin(), Listeners.end(), &listener) == Listeners.end())
    Listeners.push_back(&listener);
}

void TGameSettings::RemoveListener(TSettingsListener& listener) {
  std::erase(Listeners, &listener);
}

void TGameSettings::Tell(TSetting setting) {
  // A listener may set further settings; the list itself does not change meanwhile.
  for (TSettingsListener* listener : std::vector<TSettingsListener*>(Listeners))
    listener->SettingChanged(setting);
}

int32_t TGameSettings::TakeLandscapeNumber() {
  return Dialog ? Dialog->TakeLandscapeNumber() : GameRecord.S_LandscapeNumber;
}

void TGameSettings::ShowLandscapeNumber(int32_t number) {
  if (Dialog)
    Dialog->ShowLandscapeNumber(number);
  else
    gs_S_LandscapeNumber(number);
}

TCampaignStart TGameSettings::StartCampaignLevel() {
  if (Dialog) return Dialog->StartCampaignLevel();
  const TCampaignLevel first = CampaignLevel(GameRecord.C_CampaignNo, 1);
  gs_C_Difficulty(first.Difficulty);
  return {first.LandscapeNumber, std::nullopt};
}

void TGameSettings::ShowSuggestion(const std::string& text) {
  if (Dialog) Dialog->ShowSuggestion(text);
}

void TGameSettings::gs_G_GameType(TGameType value) {
  GameRecord.G_GameType = value;
  Tell(TSetting::GameType);
}

// A campaign difficulty is in hundredths of a point.
void TGameSettings::gs_C_Difficulty(int32_t value) {
  GameRecord.C_Difficulty = std::clamp(value, 0, MaxDifficulty * 100);
  Tell(TSetting::CampaignDifficulty);
}

void TGameSettings::gs_C_CampaignNo(int32_t value) {
  GameRecord.C_CampaignNo = std::clamp(value, 0, MaxCampaignNo);
  Tell(TSetting::CampaignNo);
}

std::string PlayerNameFrom(const std::string& text) {
  std::string name;
  for (const char c : text) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    if ((letter || digit || c == '-' || c == '_') && name.size() < MaxPlayerName) name += c;
  }
  return name;
}

void TGameSettings::gs_C_PlayerName(const std::string& value) {
  GameRecord.C_PlayerName = PlayerNameFrom(value);
  Tell(TSetting::PlayerName);
}

void TGameSettings::gs_S_Difficulty(int32_t value) {
  GameRecord.S_Difficulty = std::clamp(value, MinDifficulty, MaxDifficulty);
  Tell(TSetting::Difficulty);
}

void TGameSettings::gs_S_DiffVariation(int32_t value) {
  GameRecord.S_DiffVariation = std::clamp(value, 0, MaxDiffVariation);
  Tell(TSetting::DiffVariation);
}

void TGameSettings::gs_S_LandscapeRandom(bool value) {
  GameRecord.LandscapeFixed = !value;
  Tell(TSetting::LandscapeFixed);
}

void TGameSettings::gs_S_LandscapeNumber(int32_t value) {
  // Only -2147483648 lies outside the range.
  const int32_t number = std::clamp(value, MinLandscapeNumber, MaxLandscapeNumber);
  if (number == GameRecord.S_LandscapeNumber) return;
  GameRecord.S_LandscapeNumber = number;
  Tell(TSetting::LandscapeNumber);
}

void TGameSettings::SetSlider(int32_t& stored, TSetting setting, int32_t value) {
  const int32_t position = std::clamp(value, MinSlider, MaxSlider);
  if (position == stored) return;
  stored = position;
  Tell(setting);
}

void TGameSettings::gs_S_GameSpeed(int32_t value) {
  SetSlider(GameSpeed, TSetting::GameSpeed, value);
}

void TGameSettings::gs_S_SentrySpeed(int32_t value) {
  SetSlider(SentrySpeed, TSetting::SentrySpeed, value);
}

void TGameSettings::gs_S_ScanSpeed(int32_t value) {
  SetSlider(ScanSpeed, TSetting::ScanSpeed, value);
}

void TGameSettings::gs_S_ScanSector(int32_t value) {
  SetSlider(ScanSector, TSetting::ScanSector, value);
}

void TGameSettings::gs_S_Resources(int32_t value) {
  SetSlider(Resources, TSetting::Resources, value);
}

void TGameSettings::SetSwitch(bool& stored, TSetting setting, bool value) {
  if (value == stored) return;
  stored = value;
  Tell(setting);
}

void TGameSettings::gs_CC_ReverseHorizontal(bool value) {
  SetSwitch(ReverseHorizontal, TSetting::ReverseHorizontal, value);
}

void TGameSettings::gs_CC_ReverseVertical(bool value) {
  SetSwitch(ReverseVertical, TSetting::ReverseVertical, value);
}

void TGameSettings::gs_CC_ReverseZoom(bool value) {
  SetSwitch(ReverseZoom, TSetting::ReverseZoom, value);
}

void TGameSettings::gs_CC_LockCursor(bool value) {
  SetSwitch(LockCursor, TSetting::LockCursor, value);
}

void TGameSettings::gs_CC_Sensitivity(int32_t value) {
  Sensitivity = std::clamp(value, MinSensitivity, MaxSensitivity);
  Tell(TSetting::Sensitivity);
}

void TGameSettings::gs_H_ShowHints(bool value) {
  SetSwitch(ShowHints, TSetting::ShowHints, value);
}

void TGameSettings::gs_D_FullScreen(bool value) {
  SetSwitch(FullScreen, TSetting::FullScreen, value);
}

// A place of no size is no place: the window keeps its own.
void TGameSettings::gs_D_Window(const TWindowPlace& place) {
  if (place == WindowPlace || place.Width <= 0 || place.Height <= 0) return;
  WindowPlace = place;
  Tell(TSetting::WindowPlace);
}

void TGameSettings::ChooseLandscape(int32_t number, int32_t difficulty) {
  gs_G_GameType(gt_Quick);
  gs_S_Difficulty(difficulty);
  gs_S_DiffVariation(0);
  gs_S_LandscapeRandom(false);
  gs_S_LandscapeNumber(number);
}

void TGameSettings::ApplyDefaultSettings() {
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
  gs_D_FullScreen(false);
}

}  // namespace orvane
