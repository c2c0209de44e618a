// Reads arbitrary bytes as a campaign file, as the game finds it in saved/, and checks what the
// reader promises: nothing, with one log line naming the file, or a campaign of this player and
// number whose every level is the campaign's own, which the writer writes back as it was read.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "console/Log.h"
#include "dialogs/Campaigns.h"
#include "dialogs/settings/CampaignLevels.h"

namespace {

using namespace orvane;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "campaign file: %s\n", what);
  std::abort();
}

// A working folder of the fuzzer's own, with its saved/ folder.
void EnterFolderOnce() {
  static bool entered = false;
  if (entered) return;
  char name[] = "/tmp/orvane_fuzz_campaign_XXXXXX";
  if (!mkdtemp(name) || chdir(name) != 0) Fail("no working folder");
  std::filesystem::create_directory("saved");
  entered = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterFolderOnce();
  const std::string player = "Fuzz";
  const int32_t number = 7;
  {
    std::ofstream file(CampaignFileName(player, number), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TLog log;
  TCampaignBook book(log);
  TCampaign campaign;
  const TCampaignBook::TState state = book.Load(player, number, campaign);
  if (state == TCampaignBook::cs_Missing) Fail("a file there reads as missing");
  if (state == TCampaignBook::cs_Damaged) {
    if (log.GetLines().size() != 1) Fail("a damaged file not reported in exactly one line");
    return 0;
  }
  if (!log.GetLines().empty()) Fail("a campaign read with a log line");
  if (campaign.Player != player || campaign.Number != number || campaign.Levels.empty())
    Fail("not this player's campaign, or no level");
  for (size_t i = 0; i < campaign.Levels.size(); ++i) {
    const TLevelRecord& level = campaign.Levels[i];
    const TCampaignLevel made = CampaignLevel(number, static_cast<int32_t>(i + 1));
    if (level.Level != static_cast<int32_t>(i + 1) ||
        level.LandscapeNumber != made.LandscapeNumber || level.Difficulty != made.Difficulty ||
        level.StartEnergy < 0 || level.EnergyLeft < 0)
      Fail("a level that is not the campaign's");
  }
  std::string problem;
  if (ReadCampaignLines(CampaignLines(campaign), player, number, problem) != campaign)
    Fail("what was read is not written back the same");
  return 0;
}
