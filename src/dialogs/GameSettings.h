#pragma once

#include <cstdint>
#include <string>

#include "dialogs/DialogControls.h"

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

// What the settings change at once in the main window.
class TSettingsHost {
 public:
  virtual ~TSettingsHost() = default;
  virtual void SetLookSensitivity(float value) = 0;
  virtual void SetShowHints(bool on) = 0;
};

// The new-game dialog: the single owner of every game setting, and the state of the controls that
// show them. Settings change only through the gs_ setters, which keep the controls and the host in
// step; everything else reads the stored values.
class TDlgNewGame {
 public:
  explicit TDlgNewGame(TSettingsHost* host = nullptr);
  TDlgNewGame(const TDlgNewGame&) = delete;
  TDlgNewGame& operator=(const TDlgNewGame&) = delete;

  // The host may be null; then nothing is told.
  void SetHost(TSettingsHost* host) { Host = host; }

  // Stored settings.
  const TGameSpec& GameSpec() const { return GameRecord; }
  int32_t S_GameSpeed() const { return GameSpeed; }
  int32_t S_SentrySpeed() const { return SentrySpeed; }
  int32_t S_ScanSpeed() const { return ScanSpeed; }
  int32_t S_ScanSector() const { return ScanSector; }
  int32_t S_Resources() const { return Resources; }
  bool H_ShowHints() const { return ShowHints; }
  bool CC_ReverseHorizontal() const { return ReverseHorizontal; }
  bool CC_ReverseZoom() const { return ReverseZoom; }
  bool CC_LockCursor() const { return LockCursor; }
  bool CC_ReverseVertical() const { return ReverseVertical; }
  int32_t CC_Sensitivity() const { return Sensitivity; }

  // Setters: the only way to change a setting.
  void gs_G_GameType(TGameType value);
  void gs_C_Difficulty(int32_t value);
  void gs_C_CampaignNo(int32_t value);
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

  // Every setting to its default, through its setter. The game type defaults to quick play, the
  // only type the dialog offers.
  void ApplyDefaultSettings();
  // One landscape, replayable: a quick game of that difficulty without variation, its
  // landscape number fixed.
  void ChooseLandscape(int32_t number, int32_t difficulty);

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
  TEditControl E_C_CampaignNo;

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
  void SetSpeedSetting(int32_t& stored, TTrackBar& slider, TLabelControl& label, int32_t value,
                       double base);
  static void SetCheckSetting(bool& stored, TCheckBoxControl& box, bool value);

  TSettingsHost* Host = nullptr;

  // Play and control settings, then the settings of one game.
  int32_t GameSpeed = 0;
  int32_t SentrySpeed = 0;
  int32_t ScanSpeed = 0;
  int32_t ScanSector = 0;
  int32_t Resources = 0;
  bool ShowHints = false;
  bool ReverseHorizontal = false;
  bool ReverseZoom = false;
  bool LockCursor = false;
  bool ReverseVertical = false;
  int32_t Sensitivity = 0;
  TGameSpec GameRecord;
};

}  // namespace orvane
