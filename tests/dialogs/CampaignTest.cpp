#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialogs/Campaigns.h"
#include "dialogs/settings/CampaignLevels.h"

namespace orvane {
namespace {

TEST(CampaignLevels, FollowFromTheCampaignAndTheLevelAloneAndGrowHarder) {
  std::set<int32_t> numbers;
  for (const int32_t campaign : {0, 1, 2, MaxCampaignNo}) {
    int32_t before = -1;
    for (int32_t level = 1; level <= 60; ++level) {
      const TCampaignLevel made = CampaignLevel(campaign, level);
      EXPECT_EQ(made.LandscapeNumber, CampaignLevel(campaign, level).LandscapeNumber);
      EXPECT_GE(made.LandscapeNumber, 0);
      numbers.insert(made.LandscapeNumber);
      EXPECT_GT(made.Difficulty, before) << campaign << " " << level;
      EXPECT_EQ(made.Difficulty, CampaignLevel(campaign + 1, level).Difficulty);
      before = made.Difficulty;
    }
  }
  EXPECT_EQ(numbers.size(), 4u * 60u);  // no two levels share a landscape
  EXPECT_EQ(CampaignLevel(5, 1).Difficulty, 0);
  EXPECT_EQ(CampaignLevel(5, 2).Difficulty, 400);
  EXPECT_EQ(CampaignLevel(5, 1000).Difficulty, 10000);
  EXPECT_EQ(CampaignLevel(5, -3).LandscapeNumber, CampaignLevel(5, 1).LandscapeNumber);
  EXPECT_EQ(CampaignDifficultyPoints(CampaignLevel(5, 10).Difficulty), 30);
}

TEST(CampaignFile, ReadsBackWhatItWroteAndRefusesAnythingElse) {
  TCampaign campaign = NewCampaign("Tess", 3);
  campaign.Levels[0].Result = lr_Won;
  campaign.Levels[0].EnergyLeft = 17;
  campaign.Levels.push_back(LevelRecord(3, 2, 12));
  campaign.Levels.push_back(LevelRecord(3, 3, 9));
  campaign.Levels[1].Result = lr_Lost;
  const std::vector<std::string> lines = CampaignLines(campaign);
  const TCampaignLevel second = CampaignLevel(3, 2);
  EXPECT_EQ(lines[4], "level 2 landscape " + std::to_string(second.LandscapeNumber) +
                          " difficulty 4.00 energy 12 lost left 0");
  std::string problem;
  EXPECT_EQ(ReadCampaignLines(lines, "Tess", 3, problem), campaign);
  std::vector<std::string> trailing = lines;
  trailing.push_back("");
  EXPECT_EQ(ReadCampaignLines(trailing, "Tess", 3, problem), campaign);

  const auto refused = [&](std::vector<std::string> damaged, const std::string& player,
                           int32_t number) {
    problem.clear();
    EXPECT_FALSE(ReadCampaignLines(damaged, player, number, problem)) << damaged.back();
    EXPECT_FALSE(problem.empty());
  };
  refused(lines, "Uma", 3);
  refused(lines, "Tess", 4);
  refused({lines.begin(), lines.begin() + 3}, "Tess", 3);  // no level
  const auto changed = [&](size_t index, const std::string& line) {
    std::vector<std::string> damaged = lines;
    damaged[index] = line;
    refused(damaged, "Tess", 3);
  };
  changed(0, "Orvane campaign 2");
  const std::string level2 = "level 2 landscape " + std::to_string(second.LandscapeNumber);
  for (const std::string& line : std::vector<std::string>{
           "level 3" + level2.substr(7) + " difficulty 4.00 energy 12 lost left 0",
           std::string("level 2 landscape 5 difficulty 4.00 energy 12 lost left 0"),
           level2 + " difficulty 4.50 energy 12 lost left 0",
           level2 + " difficulty 4 energy 12 lost left 0",
           level2 + " difficulty 4.00 energy -1 lost left 0",
           level2 + " difficulty 4.00 energy 99999999999 lost left 0",
           level2 + " difficulty 4.00 energy 12 lost",
           level2 + " difficulty 4.00 energy 12 drawn left 0",
           level2 + " difficulty 4.00 energy 12 unplayed left 0",
           level2 + " difficulty 4.00 energy 12 lost left 0 more", level2, std::string()})
    changed(4, line);
}

}  // namespace
}  // namespace orvane
