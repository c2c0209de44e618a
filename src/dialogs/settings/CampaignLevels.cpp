#include "dialogs/settings/CampaignLevels.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// A fixed mixing of 64 bits (the finaliser of SplitMix64): neighbouring inputs give unrelated
// outputs, on every machine alike.
uint64_t Mix(uint64_t value) {
  value += 0x9E3779B97F4A7C15ull;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
  return value ^ (value >> 31);
}

// Each level adds 4 % of what is left up to 100 points.
constexpr double KeptPerLevel = 0.96;

}  // namespace

TCampaignLevel CampaignLevel(int32_t campaign, int32_t level) {
  const int32_t k = std::max(level, 1);
  const uint64_t key =
      (static_cast<uint64_t>(static_cast<uint32_t>(campaign)) << 32) | static_cast<uint32_t>(k);
  TCampaignLevel result;
  result.LandscapeNumber = static_cast<int32_t>(Mix(key) % 2147483647ull);
  const double easeLeft = std::pow(KeptPerLevel, static_cast<double>(k - 1));
  result.Difficulty = static_cast<int32_t>(std::lround(10000.0 * (1.0 - easeLeft)));
  return result;
}

int32_t CampaignDifficultyPoints(int32_t hundredths) {
  return std::clamp(hundredths, 0, 10000) / 100;
}

}  // namespace orvane
