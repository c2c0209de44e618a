#pragma once

#include <cstdint>

namespace orvane {

// Campaigns are numbered 0 to 9999.
constexpr int32_t MaxCampaignNo = 9999;

// Level k of campaign N: the landscape it is played on, and its difficulty in hundredths of a
// point (0 to 10000, as the campaign difficulty setting holds it).
struct TCampaignLevel {
  int32_t LandscapeNumber = 0;
  int32_t Difficulty = 0;
};

// Follows from N and k alone, so players with the same campaign number meet the same
// landscapes. The first level is the easiest; every level is at least as hard as the one before
// and the difficulty nears 100 far into a campaign. Levels below 1 count as 1.
TCampaignLevel CampaignLevel(int32_t campaign, int32_t level);

// A campaign difficulty in whole points, as the start energy and the carried energy reckon it.
int32_t CampaignDifficultyPoints(int32_t hundredths);

}  // namespace orvane
