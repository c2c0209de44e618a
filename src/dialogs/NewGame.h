#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/Campaigns.h"
#include "dialogs/DialogControls.h"
#include "dialogs/LandscapePreview.h"
#include "dialogs/settings/GameSettings.h"

namespace orvane {

class TCommandRunner;
class TLog;

// How the new-game dialog was closed: back to the game, for a new game, or to end the program.
enum TNewGameChoice { nc_Return, nc_NewGame, nc_Exit };

// The new-game dialog: the state of the controls that show the game's settings, following the
// settings store, and the handlers of those controls, which change the settings through their
// setters. The window layer only draws these controls and forwards the player's input.
class TDlgNewGame : public TSettingsListener, public TSettingsDialog {
 public:
  // Campaign files that cannot be read are reported in the log.
  TDlgNewGame(TGameSettings& settings, TLog& log);
  ~TDlgNewGame() override;
  TDlgNewGame(const TDlgNewGame&) = delete;
  TDlgNewGame& operator=(const TDlgNewGame&) = delete;

  TGameSettings& Settings() { return Store; }

  // ---- the store tells the controls
  void SettingChanged(TSetting setting) override;

  // ---- what the game asks of the dialog
  // A quick game is being made: from the number in the box, or a drawn number shown in it.
  int32_t TakeLandscapeNumber() override;
  void ShowLandscapeNumber(int32_t number) override;
  void ShowSuggestion(const std::string& text) override { LabelSuggestion.Caption = text; }
  // A campaign game is being made: the level chosen in the shown campaign, or its highest.
  TCampaignStart StartCampaignLevel() override;

  // ---- campaigns
  // The campaign level the last game made plays, while that game is a campaign's.
  struct TPlayedLevel {
    std::string Player;
    int32_t Campaign = 0;
    int32_t Level = 1;
    int32_t Reached = 1;   // the campaign's highest level
    bool Recorded = true;  // false when the campaign's file cannot be read
  };
  const std::optional<TPlayedLevel>& PlayedLevel() const { return Played; }
  // The played level has ended: its result goes into the campaign's file, and a win opens
  // the next level with the energy it carries.
  void RecordCampaignResult(bool lost, int energyLeft, int carriedEnergy);
  // The level New Game plays next in the shown campaign (clamped to the levels reached).
  void ChooseCampaignLevel(int32_t level);
  TCampaignBook& Book() { return Campaigns; }
  // The landscape New Game would make with the settings as they stand, for the preview panel.
  const TPreviewPicture& PreviewPicture();
  // The campaign the panel shows, as read (a new or unreadable one has only its first level).
  const TCampaign& ShownCampaign();

  // ---- the player's preferences, kept as a script of "pref" lines
  static constexpr const char* PreferencesFile = "script/Preferences.osc";
  // The saved preferences, or else every default; then the user's own preference script.
  void LoadPreferences(TCommandRunner& console);
  // Writes the preference file anew beside the old one and renames it over it; throws when
  // that cannot be done, and the old file stays whole.
  void SavePreferences();

  // Event handlers of the controls. A slider handler gets the slider's new position.
  void RB_QuickPlayClick();
  void RB_CampaignClick();
  void TB_S_DifficultyChange(int position);
  void TB_S_DiffVariationChange(int position);
  void TB_S_ResourcesChange(int position);
  void TB_S_GameSpeedChange(int position);
  void TB_S_SentrySpeedChange(int position);
  void TB_S_ScanSpeedChange(int position);
  void TB_S_ScanSectorChange(int position);
  void cbLandscapeCodeClick();
  void TB_CC_SensitivityChange(int position);
  void CB_CC_ReverseVerticalClick();
  void CB_CC_ReverseHorizontalClick();
  void CB_CC_ReverseZoomClick();
  void CB_CC_LockCursorClick();
  void CB_H_ShowHintsClick();
  void E_C_PlayerNameChange(const std::string& text);
  // Throws, leaving the campaign as it is, for text that is not a whole number.
  void E_C_CampaignNoChange(const std::string& text);
  void BtnCreateCampaignClick();
  void BtnPreviousCampaignClick();
  void BtnNextCampaignClick();
  void LB_C_LevelsClick(int index);

  // The landscape-number box's text changes, by typing or by the program. A real change reads the
  // text as a number, writes the number back clamped to the landscape-number range and stores it.
  // Text that is not a whole number stays in the box, leaves the stored number alone and throws.
  void SetLandscapeNumberText(const std::string& text);
  // The box's text as a signed 32-bit integer; throws std::invalid_argument or std::out_of_range.
  int32_t ReadLandscapeNumberBox() const;

  // Top strip.
  TLabelControl LabelSuggestion;

  // Game type.
  TRadioControl RB_QuickPlay;
  TRadioControl RB_Campaign;
  // A visible option panel fills the options area.
  TPanelControl PanelQuickPlay;
  TPanelControl PanelCampaign;

  // Quick play: difficulty.
  TTrackBar TB_S_Difficulty;
  TLabelControl L_S_Difficulty;
  TTrackBar TB_S_DiffVariation;
  TLabelControl L_S_DiffVariation;

  // Quick play: tweaks.
  TTrackBar TB_S_Resources;
  TLabelControl L_S_Resources;
  TTrackBar TB_S_GameSpeed;
  TLabelControl L_S_GameSpeed;
  TTrackBar TB_S_SentrySpeed;
  TLabelControl L_S_SentrySpeed;
  TTrackBar TB_S_ScanSpeed;
  TLabelControl L_S_ScanSpeed;
  TTrackBar TB_S_ScanSector;
  TLabelControl L_S_ScanSector;
  TCheckBoxControl cbLandscapeCode;  // "&Landscape #": ticked while the number is fixed
  TEditControl E_S_LandscapeNumber;

  // Campaign.
  TEditControl E_C_PlayerName;  // empty: the account's user name, shown as its placeholder
  std::string PlayerPlaceholder;
  TEditControl E_C_CampaignNo;
  TButtonControl BtnCreateCampaign;
  TButtonControl BtnPreviousCampaign;
  TButtonControl BtnNextCampaign;
  TLabelControl L_C_Campaign;  // what the shown campaign is
  TListControl LB_C_Levels;    // the levels reached; the selected one is played next

  // Configuration.
  TTrackBar TB_CC_Sensitivity;
  TLabelControl L_CC_Sensitivity;
  TCheckBoxControl CB_CC_ReverseVertical;
  TCheckBoxControl CB_CC_ReverseHorizontal;
  TCheckBoxControl CB_CC_ReverseZoom;
  TCheckBoxControl CB_CC_LockCursor;

  // Help.
  TCheckBoxControl CB_H_ShowHints;

 private:
  void E_S_LandscapeNumberChange();
  void ShowDifficultyBand();
  void ShowFactor(TTrackBar& slider, TLabelControl& label, int32_t position, double base);

  // Reads the shown campaign anew and shows it; the level to play gives the campaign difficulty.
  void ShowCampaign();
  const TLevelRecord& LevelToPlay();

  TGameSettings& Store;
  TCampaignBook Campaigns;
  TCampaign Shown;
  TCampaignBook::TState ShownState = TCampaignBook::cs_Missing;
  bool ShownRead = false;
  std::vector<int32_t> ShownNumbers;  // the player's campaigns that can be read
  int32_t ChosenLevel = 0;            // 0: the highest reached
  std::optional<TPlayedLevel> Played;
  TLandscapePreview Preview;
};

}  // namespace orvane
