#include <string>

#include <gtest/gtest.h>

#include "dialogs/NextGame.h"
#include "simulation/SimulationFixture.h"

namespace orvane::test {
namespace {

struct GameEnd : ::testing::Test, TSimulationFixture {
  GameEnd() { Host.NextGame = &Dialog; }
  // Ends a landscape with this energy, the player pressing a key in the next-game dialog.
  void End(int energy, bool lost, char key) {
    Game.Landscape->SetEnergy(energy);
    Host.OnNextGameDialog = [this, key] {
      Dialog.FormShow();
      Dialog.FormKeyPress(key);
    };
    Simulation.GameEnd(lost);
  }
  TFormNextGame Dialog{Settings};
};

TEST_F(GameEnd, AWinCarriesTheRootOfTheEnergyIntoTheNextLandscape) {
  const struct { int Difficulty, Energy, Next; } cases[] = {{0, 16, 6}, {50, 16, 10}, {50, 0, 4}};
  for (const auto& c : cases) {
    MakeLandscape(3, c.Difficulty);
    End(c.Energy, false, '2');
    EXPECT_EQ(Simulation.NextEnergy, c.Next);
    EXPECT_EQ(Game.Landscape->Energy, c.Next);
    const std::string carried = std::to_string(c.Next) + " energy units will be carried";
    EXPECT_NE(Dialog.LabelNarrative.Caption.find(carried), std::string::npos);
    EXPECT_NE(Settings.LabelSuggestion.Caption.find(carried), std::string::npos);
  }
  EXPECT_TRUE(Dialog.ImageWin.Visible);
  EXPECT_FALSE(Dialog.ImageLose.Visible);
  EXPECT_EQ(Settings.GameSpec().S_Difficulty, 50);
}

TEST_F(GameEnd, ALossStartsOverWithTheEnergyOfTheDifficultyItWasPlayedAt) {
  MakeLandscape(3, 34);
  Host.AddHint("BR1shell");
  Host.AddHint("HS1scan");
  Host.AddHint("BM0map");
  Host.AddHint("HB0keys");
  std::vector<std::string> hintsShown;
  Game.Landscape->SetEnergy(-1);
  Host.OnNextGameDialog = [&] {
    hintsShown = Host.Hints;
    Dialog.FormShow();
    Dialog.FormKeyPress('1');
  };
  Simulation.GameEnd(true);
  EXPECT_EQ(hintsShown, std::vector<std::string>{"HB0keys"});
  EXPECT_TRUE(Host.Hints.empty());
  EXPECT_EQ(Settings.GameSpec().S_Difficulty, 29);
  EXPECT_EQ(Simulation.NextEnergy, 8);
  EXPECT_EQ(Game.Landscape->Energy, 8);
  EXPECT_EQ(Dialog.LabelNarrative.Caption,
            "GAME OVER! Your energy was sapped. Choose a new game below!");
  EXPECT_EQ(Settings.LabelSuggestion.Caption,
            "GAME OVER! Your energy was sapped. Choose options for a new game below.");
  EXPECT_TRUE(Dialog.ImageLose.Visible);
  EXPECT_FALSE(Dialog.ImageWin.Visible);
}

TEST_F(GameEnd, TheSameLandscapeAgainOnlyWhenAsked) {
  MakeLandscape(12345, 10);
  Settings.gs_S_LandscapeRandom(true);
  End(4, false, '3');
  EXPECT_EQ(Settings.GameSpec().S_Difficulty, 13);
  const int32_t drawn = Settings.GameSpec().S_LandscapeNumber;
  EXPECT_NE(drawn, 12345);

  Dialog.cbLandscapeCodeClick();  // "Play the Same Landscape again"
  End(4, false, '2');
  EXPECT_TRUE(Settings.GameSpec().LandscapeFixed);
  EXPECT_EQ(Settings.GameSpec().S_LandscapeNumber, drawn);
}

}  // namespace
}  // namespace orvane::test
