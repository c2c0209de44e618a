#include <string>
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
  int32_t Number = 0;
  std::string Suggestion;
};

struct GameEnd : ::testing::Test, TSimulationFixture {
  GameEnd() { Settings.SetDialog(&Dialog); }
  ~GameEnd() override { Settings.SetDialog(nullptr); }
  TSuggestionDialog Dialog;
};

TEST_F(GameEnd, AWinCarriesTheRootOfTheEnergyIntoTheNextLandscape) {
  const struct { int Difficulty, Energy, Next; } cases[] = {{0, 16, 6}, {50, 16, 10}, {50, 0, 4}};
  for (const auto& c : cases) {
    MakeLandscape(3, c.Difficulty);
    Game.Landscape->SetEnergy(c.Energy);
    Simulation.GameEnd(false);
    EXPECT_EQ(Simulation.NextEnergy, c.Next);
    EXPECT_EQ(Game.Landscape->Energy, c.Next);
    ASSERT_FALSE(Host.Results.empty());
    EXPECT_FALSE(Host.Results.back().Lost);
    const std::string carried = std::to_string(c.Next) + " energy units will be carried";
    EXPECT_NE(Host.Results.back().Narrative.find(carried), std::string::npos);
    EXPECT_NE(Dialog.Suggestion.find(carried), std::string::npos);
  }
}

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
  EXPECT_TRUE(Host.Hints.empty());
  EXPECT_EQ(Simulation.NextEnergy, 8);
  EXPECT_EQ(Game.Landscape->Energy, 8);
  ASSERT_EQ(Host.Results.size(), 1u);
  EXPECT_TRUE(Host.Results[0].Lost);
  EXPECT_EQ(Host.Results[0].Narrative,
            "GAME OVER! Your energy was sapped. Choose a new game below!");
  EXPECT_EQ(Dialog.Suggestion,
            "GAME OVER! Your energy was sapped. Choose options for a new game below.");
}

// Frames go on behind the dialog: a death or a second leaving seen from there starts no second
// end, and the energy the result promised is the energy the next landscape gets.
TEST_F(GameEnd, OneEndAtATime) {
  MakeLandscape(3, 20);
  Game.Landscape->SetEnergy(16);
  Host.OnNextGameDialog = [&] {
    Simulation.GameEnd(true);
    Game.Landscape->SetEnergy(-5);
    Advance(3.0);
    Simulation.GameEnd(false);
  };
  Simulation.GameEnd(false);
  ASSERT_EQ(Host.Results.size(), 1u);
  EXPECT_FALSE(Host.Results[0].Lost);
  // The root of 16 is 4; at difficulty 20 it carries 4 x 0.9, so 3 units, and 4 more.
  EXPECT_EQ(Game.Landscape->Energy, 7);
  EXPECT_NE(Host.Results[0].Narrative.find(" 7 energy units"), std::string::npos);
  EXPECT_FALSE(Simulation.LandscapeEnding());
}

}  // namespace
}  // namespace orvane::test
