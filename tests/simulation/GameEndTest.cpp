#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "simulation/SimulationFixture.h"

namespace orvane::test {
namespace {

// The new-game dialog as the game end sees it: it only takes the suggestion.
struct TSuggestionDialog : TSettingsDialog {
  int32_t TakeLandscapeNumber() override { return Number; }
  void ShowLandscapeNumber(int32_t number) override { Number = number; }
  void ShowSuggestion(const std::string& text) override { Suggestion = text; }
  TCampaignStart StartCampaignLevel() override { return {Number, std::nullopt}; }
  int32_t Number = 0;
  std::string Suggestion;
};

struct GameEnd : ::testing::Test, TSimulationFixture {
  GameEnd() { Settings.SetDialog(&Dialog); }
  ~GameEnd() override { Settings.SetDialog(nullptr); }
  TSuggestionDialog Dialog;
};

// The start energy follows the difficulty played, whatever the player chooses in the dialog.
TEST_F(GameEnd, ALossStartsOverWithTheEnergyOfTheDifficultyItWasPlayedAt) {
  MakeLandscape(3, 34);
  for (const char* hint : {"BR1shell", "HS1scan", "BM0map", "HB0keys"})
    Host.AddHint(hint);
  std::vector<std::string> hintsShown;
  Game.Landscape->SetEnergy(-1);
  Host.OnNextGameDialog = [&] {
    hintsShown = Host.Hints;
    Settings.gs_S_Difficulty(29);
  };
  Simulation.GameEnd(true);
  EXPECT_EQ(hintsShown, std::vector<std::string>{"HB0keys"});
  EXPECT_EQ(std::tuple(Host.Hints.size(), Simulation.NextEnergy, Game.Landscape->Energy),
            std::tuple(0u, 8, 8));
  ASSERT_EQ(Host.Results.size(), 1u);
  EXPECT_EQ(std::tuple(Host.Results[0].Lost, Host.Results[0].Narrative),
            std::tuple(true, "GAME OVER! Your energy was sapped. Choose a new game below!"));
  EXPECT_EQ(Dialog.Suggestion,
            "GAME OVER! Your energy was sapped. Choose options for a new game below.");
}

// Frames go on behind the dialog: a death or second leaving seen from there starts no second end,
// and the next landscape gets the promised energy: the root of what was left, scaled, and 4 more.
TEST_F(GameEnd, OneEndAtATimeAndAWinCarriesTheRootOfTheEnergy) {
  Host.OnNextGameDialog = [&] {
    Simulation.GameEnd(true);
    Game.Landscape->SetEnergy(-5);
    Advance(3.0);
    Simulation.GameEnd(false);
  };
  const std::tuple<int, int, int> cases[] = {{0, 16, 6}, {50, 16, 10}, {50, 0, 4}, {20, 16, 7}};
  for (const auto& [difficulty, energy, next] : cases) {
    MakeLandscape(3, difficulty);
    Game.Landscape->SetEnergy(energy);
    const size_t shown = Host.Results.size();
    Simulation.GameEnd(false);
    ASSERT_EQ(Host.Results.size(), shown + 1);
    EXPECT_FALSE(Host.Results.back().Lost);
    EXPECT_EQ(std::tuple(Simulation.NextEnergy, Game.Landscape->Energy), std::tuple(next, next));
    const std::string carried = " " + std::to_string(next) + " energy units will be carried";
    EXPECT_NE(Dialog.Suggestion.find(carried), std::string::npos);
    EXPECT_FALSE(Simulation.LandscapeEnding());
  }
}

}  // namespace
}  // namespace orvane::test
