// Campaign records and their files in the "saved" folder.

#include "dialogs/Campaigns.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "console/Log.h"
#include "console/TextFiles.h"
#include "dialogs/WholeNumberText.h"
#include "dialogs/settings/CampaignLevels.h"
#include "world/Landscape.h"

namespace orvane {

namespace {

const char* const Heading = "Orvane campaign";
const char* const FilePart = "_Campaign";
// Energy beyond this is no energy a landscape can give: the file was not written by the game.
constexpr int64_t MostEnergy = 1000000;
// A campaign file longer than this was not written by the game either.
constexpr uintmax_t LargestFile = 8u << 20;

const char* ResultWord(TLevelResult result) {
  switch (result) {
    case lr_Won:
      return "won";
    case lr_Lost:
      return "lost";
    case lr_Unplayed:
      break;
  }
  return "unplayed";
}

std::string Hundredths(int32_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", value / 100, value % 100);
  return text;
}

// "12.34" as 1234; throws for anything else.
int32_t ReadHundredths(const std::string& text) {
  const size_t point = text.find('.');
  if (point == std::string::npos || text.size() - point != 3 || point == 0)
    throw std::invalid_argument("difficulty");
  const int64_t whole = ReadWholeNumber64(text.substr(0, point));
  const int64_t part = ReadWholeNumber64(text.substr(point + 1));
  if (whole < 0 || whole > 100 || part < 0 || text[point + 1] == '-' || text[point + 1] == '+')
    throw std::invalid_argument("difficulty");
  return static_cast<int32_t>(whole * 100 + part);
}

int ReadEnergy(const std::string& text) {
  const int64_t energy = ReadWholeNumber64(text);
  if (energy < 0 || energy > MostEnergy) throw std::invalid_argument("energy");
  return static_cast<int>(energy);
}

// One level line; throws std::invalid_argument naming what is wrong.
TLevelRecord ReadLevel(const std::string& line, int32_t number, int32_t level) {
  std::istringstream words(line);
  std::string key[4], value[4], result, leftKey, left, extra;
  for (int i = 0; i < 4; ++i)
    words >> key[i] >> value[i];
  words >> result >> leftKey >> left >> extra;
  if (key[0] != "level" || key[1] != "landscape" || key[2] != "difficulty" || key[3] != "energy")
    throw std::invalid_argument("a level line is not as the game writes it");
  if (ReadWholeNumber64(value[0]) != level)
    throw std::invalid_argument("level " + std::to_string(level) + " is missing");
  TLevelRecord record = LevelRecord(number, level, ReadEnergy(value[3]));
  if (ReadWholeNumber64(value[1]) != record.LandscapeNumber ||
      ReadHundredths(value[2]) != record.Difficulty)
    throw std::invalid_argument("level " + std::to_string(level) +
                                " is not this campaign's landscape");
  if (result == "won" || result == "lost") {
    record.Result = result == "won" ? lr_Won : lr_Lost;
    if (leftKey != "left") throw std::invalid_argument("the energy left is missing");
    record.EnergyLeft = ReadEnergy(left);
  } else if (result != "unplayed" || !leftKey.empty()) {
    throw std::invalid_argument("a level's result is not won, lost or unplayed");
  }
  if (!extra.empty()) throw std::invalid_argument("a level line runs on");
  return record;
}

}  // namespace

TLevelRecord LevelRecord(int32_t campaign, int32_t level, int startEnergy) {
  const TCampaignLevel made = CampaignLevel(campaign, level);
  TLevelRecord record;
  record.Level = level;
  record.LandscapeNumber = made.LandscapeNumber;
  record.Difficulty = made.Difficulty;
  record.StartEnergy = startEnergy;
  return record;
}

TCampaign NewCampaign(const std::string& player, int32_t number) {
  TCampaign campaign{player, number, {}};
  campaign.Levels.push_back(LevelRecord(
      number, 1, StartEnergyFor(CampaignDifficultyPoints(CampaignLevel(number, 1).Difficulty))));
  return campaign;
}

std::string CampaignFileName(const std::string& player, int32_t number) {
  return std::string(TCampaignBook::Folder) + "/" + player + FilePart + std::to_string(number);
}

std::vector<std::string> CampaignLines(const TCampaign& campaign) {
  std::vector<std::string> lines = {Heading, "player " + campaign.Player,
                                    "campaign " + std::to_string(campaign.Number)};
  for (const TLevelRecord& level : campaign.Levels) {
    std::string line = "level " + std::to_string(level.Level) + " landscape " +
                       std::to_string(level.LandscapeNumber) + " difficulty " +
                       Hundredths(level.Difficulty) + " energy " +
                       std::to_string(level.StartEnergy) + " " + ResultWord(level.Result);
    if (level.Result != lr_Unplayed) line += " left " + std::to_string(level.EnergyLeft);
    lines.push_back(line);
  }
  return lines;
}

std::optional<TCampaign> ReadCampaignLines(const std::vector<std::string>& lines,
                                           const std::string& player, int32_t number,
                                           std::string& problem) {
  size_t count = lines.size();
  while (count > 0 && lines[count - 1].empty())
    --count;
  if (count < 4 || lines[0] != Heading) {
    problem = "it is not a campaign file";
    return std::nullopt;
  }
  if (lines[1] != "player " + player || lines[2] != "campaign " + std::to_string(number)) {
    problem = "it is another player's or another campaign's file";
    return std::nullopt;
  }
  TCampaign campaign{player, number, {}};
  try {
    for (size_t i = 3; i < count; ++i)
      campaign.Levels.push_back(ReadLevel(lines[i], number, static_cast<int32_t>(i - 2)));
  } catch (const std::exception& error) {
    // The number readers say only "not a number"; the level readers say what is wrong.
    const std::string what = error.what();
    problem =
        what.find(' ') == std::string::npos ? "a level line is not as the game writes it" : what;
    return std::nullopt;
  }
  return campaign;
}

std::vector<std::string> LevelRow(const TLevelRecord& level) {
  std::vector<std::string> row = {std::to_string(level.Level),
                                  std::to_string(level.LandscapeNumber),
                                  Hundredths(level.Difficulty)};
  const bool played = level.Result != lr_Unplayed;
  row.push_back(played ? ResultWord(level.Result) : "not played");
  row.push_back(played ? std::to_string(level.EnergyLeft) : "");
  return row;
}

std::string TCampaignBook::PlayerName(const TGameSpec& game) {
  if (!game.C_PlayerName.empty()) return game.C_PlayerName;
  std::string account;
  if (const char* user = std::getenv("USER")) account = user;
  if (PlayerNameFrom(account).empty()) {
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name) account = entry->pw_name;
  }
  const std::string name = PlayerNameFrom(account);
  return name.empty() ? "Player" : name;
}

TCampaignBook::TState TCampaignBook::Load(const std::string& player, int32_t number,
                                          TCampaign& campaign) {
  const std::string path = CampaignFileName(player, number);
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return cs_Missing;
  std::string problem;
  std::optional<TCampaign> read;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    problem = "it is not a file that can be read";
  } else if (size > LargestFile) {
    problem = "it is far too long";
  } else if (const auto lines = ReadTextLines(path)) {
    read = ReadCampaignLines(*lines, player, number, problem);
  } else {
    problem = "it cannot be opened";
  }
  if (!read) {
    if (Reported.insert(path).second)
      Log.Log("Campaign file '" + path + "' cannot be read (" + problem +
              "); it is left as it is and its campaign is not offered.");
    return cs_Damaged;
  }
  campaign = std::move(*read);
  return cs_Read;
}

std::vector<int32_t> TCampaignBook::List(const std::string& player) {
  std::vector<int32_t> numbers;
  const std::string prefix = player + FilePart;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 4 ||
        name.compare(0, prefix.size(), prefix) != 0)
      continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos ||
        (digits.size() > 1 && digits[0] == '0'))
      continue;
    const int32_t number = std::stoi(digits);
    TCampaign campaign;
    if (Load(player, number, campaign) == cs_Read) numbers.push_back(number);
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

std::optional<int32_t> TCampaignBook::FreeNumber(const std::string& player) {
  for (int32_t number = 0; number <= MaxCampaignNo; ++number) {
    std::error_code error;
    if (!std::filesystem::exists(CampaignFileName(player, number), error) && !error) return number;
  }
  return std::nullopt;
}

bool TCampaignBook::Save(const TCampaign& campaign) {
  try {
    std::filesystem::create_directories(Folder);
    WriteTextFileReplacing(CampaignFileName(campaign.Player, campaign.Number),
                           CampaignLines(campaign));
    return true;
  } catch (const std::exception& error) {
    Log.Log(std::string("The campaign could not be saved: ") + error.what());
    return false;
  }
}

}  // namespace orvane
