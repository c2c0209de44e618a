#include "dialogs/settings/Preferences.h"

#include <cctype>
#include <map>

#include "dialogs/settings/GameSettings.h"

namespace orvane {

namespace {

std::string OnOff(bool on) {
  return on ? "ON" : "OFF";
}

// "1"/"ON" or "0"/"OFF"; anything else leaves the setting alone.
void SetSwitch(const std::string& value, const std::function<void(bool)>& setter) {
  if (value == "1" || value == "ON") setter(true);
  if (value == "0" || value == "OFF") setter(false);
}

using TWholeSetter = void (TGameSettings::*)(int32_t);
using TSwitchSetter = void (TGameSettings::*)(bool);

const std::map<std::string, TWholeSetter>& WholeKeys() {
  static const std::map<std::string, TWholeSetter> keys = {
      {"C_DIFFICULTY", &TGameSettings::gs_C_Difficulty},
      {"C_CAMPAIGNNO", &TGameSettings::gs_C_CampaignNo},
      {"S_DIFFICULTY", &TGameSettings::gs_S_Difficulty},
      {"S_DIFFVARIATION", &TGameSettings::gs_S_DiffVariation},
      {"S_LANDSCAPENUMBER", &TGameSettings::gs_S_LandscapeNumber},
      {"S_GAMESPEED", &TGameSettings::gs_S_GameSpeed},
      {"S_SENTRYSPEED", &TGameSettings::gs_S_SentrySpeed},
      {"S_SCANSPEED", &TGameSettings::gs_S_ScanSpeed},
      {"S_SCANSECTOR", &TGameSettings::gs_S_ScanSector},
      {"S_RESOURCES", &TGameSettings::gs_S_Resources},
      {"C_SENSITIVITY", &TGameSettings::gs_CC_Sensitivity},
  };
  return keys;
}

const std::map<std::string, TSwitchSetter>& SwitchKeys() {
  static const std::map<std::string, TSwitchSetter> keys = {
      {"S_LANDSCAPERANDOM", &TGameSettings::gs_S_LandscapeRandom},
      {"C_REVERSEHORIZONTAL", &TGameSettings::gs_CC_ReverseHorizontal},
      {"C_REVERSEVERTICAL", &TGameSettings::gs_CC_ReverseVertical},
      {"C_REVERSEZOOM", &TGameSettings::gs_CC_ReverseZoom},
      {"C_LOCKCURSOR", &TGameSettings::gs_CC_LockCursor},
      {"H_SHOWHINTS", &TGameSettings::gs_H_ShowHints},
      {"D_FULLSCREEN", &TGameSettings::gs_D_FullScreen},
  };
  return keys;
}

}  // namespace

std::vector<std::string> PreferenceLines(const TGameSettings& settings) {
  const TGameSpec& game = settings.GameSpec();
  std::vector<std::string> lines;
  const auto add = [&lines](const std::string& text) { lines.push_back("pref " + text); };
  const auto number = [&add](const char* key, int32_t value) {
    add(std::string(key) + " " + std::to_string(value));
  };
  if (game.G_GameType == gt_Quick) add("G_gametype quick");
  if (game.G_GameType == gt_Campaign) add("G_gametype campaign");
  add("C_PlayerName " + game.C_PlayerName);
  number("C_CampaignNo", game.C_CampaignNo);
  number("C_Difficulty", game.C_Difficulty);
  number("S_Difficulty", game.S_Difficulty);
  number("S_DiffVariation", game.S_DiffVariation);
  number("S_GameSpeed", settings.S_GameSpeed());
  number("S_SentrySpeed", settings.S_SentrySpeed());
  number("S_ScanSpeed", settings.S_ScanSpeed());
  number("S_ScanSector", settings.S_ScanSector());
  number("S_Resources", settings.S_Resources());
  // ON means a random landscape: the opposite of the fixed number.
  add("S_LandscapeRandom " + OnOff(!game.LandscapeFixed));
  number("S_LandscapeNumber", game.S_LandscapeNumber);
  number("C_Sensitivity", settings.CC_Sensitivity());
  add("C_ReverseHorizontal " + OnOff(settings.CC_ReverseHorizontal()));
  add("C_ReverseVertical " + OnOff(settings.CC_ReverseVertical()));
  add("C_ReverseZoom " + OnOff(settings.CC_ReverseZoom()));
  add("C_LockCursor " + OnOff(settings.CC_LockCursor()));
  add("H_ShowHints " + OnOff(settings.H_ShowHints()));
  add("D_FullScreen " + OnOff(settings.D_FullScreen()));
  // The window's place when it closed, left, top, width and height (none before it first did).
  if (const TWindowPlace place = settings.D_Window(); place.Width > 0 && place.Height > 0)
    add("D_Window " + std::to_string(place.Left) + " " + std::to_string(place.Top) + " " +
        std::to_string(place.Width) + " " + std::to_string(place.Height));
  return lines;
}

bool ApplyPreference(TGameSettings& settings, const std::string& key, const std::string& value,
                     const std::function<int32_t(int)>& whole) {
  if (key == "D_WINDOW") {
    settings.gs_D_Window({whole(0), whole(1), whole(2), whole(3)});
    return true;
  }
  if (key == "C_PLAYERNAME") {
    settings.gs_C_PlayerName(value);
    return true;
  }
  std::string upper = value;
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (key == "G_GAMETYPE") {
    settings.gs_G_GameType(upper == "QUICK" ? gt_Quick : gt_Campaign);
    return true;
  }
  if (const auto found = WholeKeys().find(key); found != WholeKeys().end()) {
    (settings.*found->second)(whole(0));
    return true;
  }
  if (const auto found = SwitchKeys().find(key); found != SwitchKeys().end()) {
    SetSwitch(upper, [&](bool on) { (settings.*found->second)(on); });
    return true;
  }
  return false;
}

}  // namespace orvane
