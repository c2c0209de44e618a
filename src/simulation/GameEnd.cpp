// The end of a landscape, won or lost: the result is reported, the player chooses the next game
// and the next landscape is made into the same world.

#include <algorithm>
#include <cmath>
#include <string>

#include "dialogs/GameSettings.h"
#include "dialogs/NextGame.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {

namespace {

const char* const LostNarrative = "GAME OVER! Your energy was sapped. Choose a new game below!";
const char* const LostSuggestion =
    "GAME OVER! Your energy was sapped. Choose options for a new game below.";
const char* const WonSentence =
    "WELL DONE! You have defeated the Tolmarch and achieved the Orvane. ";

// The energy a won landscape carries over: the integer part of the root of what is left, scaled
// by the difficulty, plus 4. Energy below zero carries nothing.
int WonEnergy(int energy, int32_t difficulty) {
  const double left = std::sqrt(static_cast<double>(std::max(energy, 0)));
  return CheckedAdd(Trunc(left * (difficulty * 2.0 * 0.01 + 0.5)), 4);
}

}  // namespace

void TSimulation::GameEnd(bool lost) {
  StopAnimationSounds(1);
  TLandscape& land = Landscape();
  TFormNextGame& dialog = Host.NextGameDialog();
  const int32_t difficulty = Settings.GameSpec().S_Difficulty;
  if (lost) {
    NextEnergy = StartEnergyFor(difficulty);
    dialog.LabelNarrative.Caption = LostNarrative;
    Settings.LabelSuggestion.Caption = LostSuggestion;
  } else {
    NextEnergy = WonEnergy(land.Energy, difficulty);
    const std::string carried = std::to_string(NextEnergy);
    dialog.LabelNarrative.Caption =
        WonSentence + carried + " energy units will be carried into the next landscape.";
    Settings.LabelSuggestion.Caption =
        WonSentence + carried +
        " energy units will be carried into the next landscape, which will be more difficult. "
        "Close this box to continue!";
  }
  Host.RemoveHints('R');
  Host.RemoveHints('S');
  Host.RemoveHints('M');
  dialog.ImageLose.Visible = lost;
  dialog.ImageWin.Visible = !lost;

  Host.ShowNextGameDialog();
  dialog.ApplyChoice([this] { return Random.Random(); });
  Host.ClearHintQueue();

  land.ClearGameObjects();
  land.Make();
  Game.Init();
  Landscape().SetEnergy(NextEnergy);
}

}  // namespace orvane
