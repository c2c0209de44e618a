// The new-game dialog's campaigns: the panel that shows and chooses them, and the levels that
// campaign games play and record.

#include <algorithm>

#include "dialogs/NewGame.h"
#include "dialogs/WholeNumberText.h"

namespace orvane {

int32_t TDlgNewGame::TakeLandscapeNumber() {
  const int32_t number = ReadLandscapeNumberBox();
  Played.reset();
  return number;
}

void TDlgNewGame::ShowLandscapeNumber(int32_t number) {
  Played.reset();
  SetLandscapeNumberText(std::to_string(number));
}

const TCampaign& TDlgNewGame::ShownCampaign() {
  if (!ShownRead) ShowCampaign();
  return Shown;
}

// A campaign shown has at least its first level.
const TLevelRecord& TDlgNewGame::LevelToPlay() {
  const std::vector<TLevelRecord>& levels = ShownCampaign().Levels;
  const auto reached = static_cast<int32_t>(levels.size());
  const int32_t level = ChosenLevel >= 1 ? std::min(ChosenLevel, reached) : reached;
  return levels.at(static_cast<size_t>(level - 1));
}

const TPreviewPicture& TDlgNewGame::PreviewPicture() {
  // The campaign difficulty stored is already the level's.
  const TLevelRecord& level = LevelToPlay();
  return Preview.Show(Store, {level.LandscapeNumber, level.StartEnergy});
}

TCampaignStart TDlgNewGame::StartCampaignLevel() {
  const TLevelRecord& level = LevelToPlay();
  Store.gs_C_Difficulty(level.Difficulty);
  Played = TPlayedLevel{Shown.Player, Shown.Number, level.Level,
                        static_cast<int32_t>(Shown.Levels.size()),
                        ShownState != TCampaignBook::cs_Damaged};
  return {level.LandscapeNumber, level.StartEnergy};
}

void TDlgNewGame::RecordCampaignResult(bool lost, int energyLeft, int carriedEnergy) {
  if (!Played || !Played->Recorded) return;
  TCampaign campaign;
  switch (Campaigns.Load(Played->Player, Played->Campaign, campaign)) {
    case TCampaignBook::cs_Damaged:  // never written over
      return;
    case TCampaignBook::cs_Missing:
      campaign = NewCampaign(Played->Player, Played->Campaign);
      break;
    case TCampaignBook::cs_Read:
      break;
  }
  const auto index = static_cast<size_t>(Played->Level - 1);
  if (index >= campaign.Levels.size()) return;  // the file went back behind the game's back
  TLevelRecord& level = campaign.Levels[index];
  level.Result = lost ? lr_Lost : lr_Won;
  level.EnergyLeft = std::max(energyLeft, 0);
  if (!lost) {
    // The next level starts with what this win carries, however it was reached before.
    if (index + 1 == campaign.Levels.size())
      campaign.Levels.push_back(LevelRecord(campaign.Number, Played->Level + 1, carriedEnergy));
    campaign.Levels[index + 1].StartEnergy = carriedEnergy;
  }
  Played->Reached = static_cast<int32_t>(campaign.Levels.size());
  Campaigns.Save(campaign);
  if (Shown.Player == campaign.Player && Shown.Number == campaign.Number) {
    const int32_t chosen = ChosenLevel;
    ShowCampaign();
    if (chosen >= 1) ChooseCampaignLevel(chosen);
  }
}

void TDlgNewGame::ChooseCampaignLevel(int32_t level) {
  ChosenLevel = std::clamp(level, 1, static_cast<int32_t>(ShownCampaign().Levels.size()));
  LB_C_Levels.ItemIndex = LB_C_Levels.Items.empty() ? -1 : ChosenLevel - 1;
  Store.gs_C_Difficulty(LevelToPlay().Difficulty);
}

void TDlgNewGame::ShowCampaign() {
  const TGameSpec& game = Store.GameSpec();
  const std::string player = TCampaignBook::PlayerName(game);
  const int32_t number = game.C_CampaignNo;
  ShownState = Campaigns.Load(player, number, Shown);
  ShownRead = true;
  if (ShownState != TCampaignBook::cs_Read) Shown = NewCampaign(player, number);
  PlayerPlaceholder = TCampaignBook::PlayerName(TGameSpec{});

  const std::string name = "Campaign " + std::to_string(number) + " of " + player;
  LB_C_Levels.Items.clear();
  switch (ShownState) {
    case TCampaignBook::cs_Read:
      L_C_Campaign.Caption = name + ": level " + std::to_string(Shown.Levels.size()) + " reached.";
      for (const TLevelRecord& level : Shown.Levels)
        LB_C_Levels.Items.push_back(LevelRow(level));
      break;
    case TCampaignBook::cs_Missing:
      L_C_Campaign.Caption = name + ": a new campaign, from level 1.";
      LB_C_Levels.Items.push_back(LevelRow(Shown.Levels[0]));
      break;
    case TCampaignBook::cs_Damaged:
      L_C_Campaign.Caption =
          name + ": its file cannot be read (see the console), so its games are not recorded.";
      break;
  }
  const TLevelRecord& level = LevelToPlay();
  LB_C_Levels.ItemIndex = ShownState == TCampaignBook::cs_Damaged ? -1 : level.Level - 1;

  ShownNumbers = Campaigns.List(player);
  BtnPreviousCampaign.Enabled = !ShownNumbers.empty() && ShownNumbers.front() < number;
  BtnNextCampaign.Enabled = !ShownNumbers.empty() && ShownNumbers.back() > number;
  Store.gs_C_Difficulty(level.Difficulty);
}

void TDlgNewGame::E_C_PlayerNameChange(const std::string& text) {
  E_C_PlayerName.Text = text;
  Store.gs_C_PlayerName(text);
}

void TDlgNewGame::E_C_CampaignNoChange(const std::string& text) {
  E_C_CampaignNo.Text = text;
  if (text.empty()) return;  // being typed
  Store.gs_C_CampaignNo(ReadWholeNumber32(text));
}

void TDlgNewGame::BtnCreateCampaignClick() {
  const std::string player = TCampaignBook::PlayerName(Store.GameSpec());
  const std::optional<int32_t> number = Campaigns.FreeNumber(player);
  if (!number) {
    L_C_Campaign.Caption = "Every campaign number of " + player + " is taken.";
    return;
  }
  if (Campaigns.Save(NewCampaign(player, *number))) Store.gs_C_CampaignNo(*number);
}

// "<" and ">" step through the campaigns the panel found when it last showed one.
void TDlgNewGame::BtnPreviousCampaignClick() {
  ShownCampaign();
  const auto below =
      std::lower_bound(ShownNumbers.begin(), ShownNumbers.end(), Store.GameSpec().C_CampaignNo);
  if (below != ShownNumbers.begin()) Store.gs_C_CampaignNo(*std::prev(below));
}

void TDlgNewGame::BtnNextCampaignClick() {
  ShownCampaign();
  const auto above =
      std::upper_bound(ShownNumbers.begin(), ShownNumbers.end(), Store.GameSpec().C_CampaignNo);
  if (above != ShownNumbers.end()) Store.gs_C_CampaignNo(*above);
}

void TDlgNewGame::LB_C_LevelsClick(int index) {
  if (index < 0 || index >= static_cast<int>(LB_C_Levels.Items.size())) return;
  ChooseCampaignLevel(index + 1);
}

}  // namespace orvane
