#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

enum TGameType : uint8_t { gt_None = 0, gt_Quick = 1, gt_Campaign = 2 };

// The settings that describe one game.
struct TGameSpec {
  TGameType G_GameType = gt_None;
  int32_t C_Difficulty = 0;
  int32_t C_CampaignNo = 0;
  std::string C_PlayerName;
  int32_t S_Difficulty = 0;
  int32_t S_DiffVariation = 0;
  bool LandscapeFixed = false;
  int32_t S_LandscapeNumber = 0;
};

// Which setting a setter changed.
enum class TSetting : uint8_t {
  GameType,
  PlayerName,
  CampaignNo,
  CampaignDifficulty,
  Difficulty,
  DiffVariation,
  LandscapeFixed,
  LandscapeNumber,
  GameSpeed,
  SentrySpeed,
  ScanSpeed,
  ScanSector,
  Resources,
  ReverseHorizontal,
  ReverseVertical,
  ReverseZoom,
  LockCursor,
  Sensitivity,
  ShowHints,
  FullScreen,
  WindowPlace,
};

// The main window's place on the desktop, in screen pixels; none while the width is 0.
struct TWindowPlace {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const TWindowPlace&) const = default;
};

// Told of every setting a setter has changed: the dialog's controls and the main window
// follow the store.
class TSettingsListener {
 public:
  virtual ~TSettingsListener() = default;
  virtual void SettingChanged(TSetting setting) = 0;
};

// A campaign level as a new game plays it: its landscape number, and the energy the player brings
// to it (none: the start energy of its difficulty).
struct TCampaignStart {
  int32_t LandscapeNumber = 0;
  std::optional<int> Energy;
};

// What the game asks of the new-game dialog: the number in its landscape-number box, which the
// player may have typed, the campaign level to play, and the suggestion at its top.
class TSettingsDialog {
 public:
  virtual ~TSettingsDialog() = default;
  // The box's text as a landscape number; throws when it is not a 32-bit whole number.
  virtual int32_t TakeLandscapeNumber() = 0;
  // The number a landscape was made from goes into the box, which stores it.
  virtual void ShowLandscapeNumber(int32_t number) = 0;
  virtual void ShowSuggestion(const std::string& text) = 0;
  // A campaign game is being made: the level it plays, whose difficulty the dialog has stored
  // through gs_C_Difficulty. Asked again for the same game, it gives the same level.
  virtual TCampaignStart StartCampaignLevel() = 0;
};

// Every setting of the game, held in one place. A setting changes only through its gs_ setter,
// which tells the listeners; everything else reads the stored values, on every use.
class TGameSettings {
 public:
  TGameSettings() = default;
  TGameSettings(const TGameSettings&) = delete;
  TGameSettings& operator=(const TGameSettings&) = delete;

  void AddListener(TSettingsListener& listener);
  void RemoveListener(TSettingsListener& listener);

  // The new-game dialog, while there is one.
  void SetDialog(TSettingsDialog* dialog) { Dialog = dialog; }
  // The landscape number to make: the dialog's box, or without a dialog the stored number.
  int32_t TakeLandscapeNumber();
  // A landscape made from a number of its own shows it: in the dialog's box, or without a
  // dialog through the number's setter.
  void ShowLandscapeNumber(int32_t number);
  // The campaign level a new game plays: the dialog's choice, or without a dialog the first level
  // of the stored campaign, its difficulty stored.
  TCampaignStart StartCampaignLevel();
  // The suggestion the dialog shows when it next opens; without a dialog there is no one to
  // tell.
  void ShowSuggestion(const std::string& text);

  // Stored settings.
  const TGameSpec& GameSpec() const { return GameRecord; }
  int32_t S_GameSpeed() const { return GameSpeed; }
  int32_t S_SentrySpeed() const { return SentrySpeed; }
  int32_t S_ScanSpeed() const { return ScanSpeed; }
  int32_t S_ScanSector() const { return ScanSector; }
  int32_t S_Resources() const { return Resources; }
  bool H_ShowHints() const { return ShowHints; }
  // The main window fills the screen.
  bool D_FullScreen() const { return FullScreen; }
  // Where the main window was when it last closed.
  TWindowPlace D_Window() const { return WindowPlace; }
  bool CC_ReverseHorizontal() const { return ReverseHorizontal; }
  bool CC_ReverseZoom() const { return ReverseZoom; }
  bool CC_LockCursor() const { return LockCursor; }
  bool CC_ReverseVertical() const { return ReverseVertical; }
  int32_t CC_Sensitivity() const { return Sensitivity; }

  // Setters: the only way to change a setting. Values outside a setting's range are clamped
  // first, so that the store and the controls showing it always agree.
  void gs_G_GameType(TGameType value);
  void gs_C_Difficulty(int32_t value);
  void gs_C_CampaignNo(int32_t value);
  // A player name becomes part of a file name: only letters, digits, '-' and '_' are kept, at
  // most MaxPlayerName of them.
  void gs_C_PlayerName(const std::string& value);
  void gs_S_Difficulty(int32_t value);
  void gs_S_DiffVariation(int32_t value);
  void gs_S_LandscapeRandom(bool value);
  void gs_S_LandscapeNumber(int32_t value);
  void gs_S_GameSpeed(int32_t value);
  void gs_S_SentrySpeed(int32_t value);
  void gs_S_ScanSpeed(int32_t value);
  void gs_S_ScanSector(int32_t value);
  void gs_S_Resources(int32_t value);
  void gs_CC_ReverseHorizontal(bool value);
  void gs_CC_ReverseVertical(bool value);
  void gs_CC_ReverseZoom(bool value);
  void gs_CC_LockCursor(bool value);
  void gs_CC_Sensitivity(int32_t value);
  void gs_H_ShowHints(bool value);
  void gs_D_FullScreen(bool value);
  void gs_D_Window(const TWindowPlace& place);

  // Every setting to its default, through its setter. The game type defaults to quick play.
  void ApplyDefaultSettings();
  // One landscape, replayable: a quick game of that difficulty without variation, its
  // landscape number fixed.
  void ChooseLandscape(int32_t number, int32_t difficulty);

 private:
  void Tell(TSetting setting);
  void SetSlider(int32_t& stored, TSetting setting, int32_t value);
  void SetSwitch(bool& stored, TSetting setting, bool value);

  std::vector<TSettingsListener*> Listeners;
  TSettingsDialog* Dialog = nullptr;

  // Play and control settings, then the settings of one game.
  int32_t GameSpeed = 0;
  int32_t SentrySpeed = 0;
  int32_t ScanSpeed = 0;
  int32_t ScanSector = 0;
  int32_t Resources = 0;
  bool ShowHints = false;
  bool FullScreen = false;
  TWindowPlace WindowPlace;
  bool ReverseHorizontal = false;
  bool ReverseZoom = false;
  bool LockCursor = false;
  bool ReverseVertical = false;
  int32_t Sensitivity = 0;
  TGameSpec GameRecord;
};

// The ranges of the settings.
namespace setting_range {
constexpr int32_t MinDifficulty = 0;
constexpr int32_t MaxDifficulty = 100;
constexpr int32_t MaxDiffVariation = 99;
constexpr int32_t MaxLandscapeNumber = 2147483647;
constexpr int32_t MinLandscapeNumber = -MaxLandscapeNumber;
constexpr int32_t MinSlider = -8;  // the speed, sector and resources sliders
constexpr int32_t MaxSlider = 8;
constexpr int32_t MinSensitivity = 10;
constexpr int32_t MaxSensitivity = 100;
constexpr size_t MaxPlayerName = 24;
}  // namespace setting_range

// The part of a name that may stand in a player name.
std::string PlayerNameFrom(const std::string& text);

// Half the width of the difficulty band for a variation: its square over 100, rounded.
int32_t VariationHalfWidth(int32_t variation);

}  // namespace orvane
