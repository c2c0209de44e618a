#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dialogs/settings/GameSettings.h"

namespace orvane {

class TLog;

// How the last play of a campaign level ended.
enum TLevelResult : uint8_t { lr_Unplayed, lr_Won, lr_Lost };

// One level a campaign has reached.
struct TLevelRecord {
  int32_t Level = 1;
  int32_t LandscapeNumber = 0;
  int32_t Difficulty = 0;  // hundredths of a point
  int StartEnergy = 0;     // what the player brings to the level
  TLevelResult Result = lr_Unplayed;
  int EnergyLeft = 0;  // at the end of its last play
  bool operator==(const TLevelRecord&) const = default;
};

// A player's campaign: the levels reached, from level 1 on.
struct TCampaign {
  std::string Player;
  int32_t Number = 0;
  std::vector<TLevelRecord> Levels;
  bool operator==(const TCampaign&) const = default;
};

// Level `level` of a campaign, not played yet, started with `startEnergy`.
TLevelRecord LevelRecord(int32_t campaign, int32_t level, int startEnergy);
// A campaign that has reached only its first level.
TCampaign NewCampaign(const std::string& player, int32_t number);

// "saved/" + player + "_Campaign" + number.
std::string CampaignFileName(const std::string& player, int32_t number);

// The campaign file: plain text, one level a line, e.g.
//   Orvane campaign
//   player Ann
//   campaign 3
//   level 1 landscape 1838283091 difficulty 0.00 energy 4 won left 17
//   level 2 landscape 204855360 difficulty 4.00 energy 12 unplayed
std::vector<std::string> CampaignLines(const TCampaign& campaign);
// Reads the lines back; nothing, with the reason in `problem`, when they are not a whole and
// consistent campaign of this player and number.
std::optional<TCampaign> ReadCampaignLines(const std::vector<std::string>& lines,
                                           const std::string& player, int32_t number,
                                           std::string& problem);

// One row of the level list, a cell for each column of LevelColumns.
inline constexpr const char* LevelColumns[] = {"Level", "Landscape", "Difficulty", "Result",
                                               "Energy left"};
std::vector<std::string> LevelRow(const TLevelRecord& level);

// The player's campaigns kept in the "saved" folder: read, listed, created and brought up to
// date after every landscape. A file that cannot be read is reported once in the log, never
// written over, and not listed.
class TCampaignBook {
 public:
  explicit TCampaignBook(TLog& log) : Log(log) {}

  static constexpr const char* Folder = "saved";

  // The player's name as it stands in the file names: the setting, or when that is empty the
  // account's user name ("Player" when there is none).
  static std::string PlayerName(const TGameSpec& game);

  enum TState { cs_Missing, cs_Read, cs_Damaged };
  // The campaign's file read: missing (the campaign is new), read, or damaged.
  TState Load(const std::string& player, int32_t number, TCampaign& campaign);
  // The numbers of the player's campaigns that can be read, in order.
  std::vector<int32_t> List(const std::string& player);
  // The lowest number the player has no file for, or nothing when all are taken.
  std::optional<int32_t> FreeNumber(const std::string& player);
  // Writes the campaign's file anew and renames it over the old one; false, logged, on failure.
  bool Save(const TCampaign& campaign);

 private:
  TLog& Log;
  std::set<std::string> Reported;  // damaged files already logged
};

}  // namespace orvane
