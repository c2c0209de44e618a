// The end of a landscape, won or lost: the result is reported, the player chooses the next game
// and the next landscape is made into the same world.

#include <algorithm>
#include <cmath>
#include <string>

#include "dialogs/settings/GameSettings.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/MathKT.h"

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

bool TSimulation::LandscapeEnding() {
  if (NextGameDialogOpen) return true;
  const TLandscape& land = Landscape();
  for (int slot = 0; slot < AnimationSlots; ++slot) {
    const TAnimationKind kind = land.Animations(slot).Kind;
    if (kind == ga_Leave || kind == ga_Dead) return true;
  }
  return false;
}

// One end at a time: frames go on behind the next-game dialog, and neither a second leaving
// nor a death seen from there begins another.
void TSimulation::GameEnd(bool lost) {
  if (NextGameDialogOpen) return;
  StopAnimationSounds(1);
  const int32_t difficulty = DifficultySetting(Settings.GameSpec());
  TGameResult result;
  result.Lost = lost;
  result.EnergyLeft = Landscape().Energy;
  int nextEnergy = 0;
  if (lost) {
    nextEnergy = StartEnergyFor(difficulty);
    result.Narrative = LostNarrative;
    Settings.ShowSuggestion(LostSuggestion);
  } else {
    nextEnergy = WonEnergy(Landscape().Energy, difficulty);
    const std::string carried = std::to_string(nextEnergy);
    result.Narrative =
        WonSentence + carried + " energy units will be carried into the next landscape.";
    Settings.ShowSuggestion(WonSentence + carried +
                            " energy units will be carried into the next landscape, which will "
                            "be more difficult. Close this box to continue!");
  }
  NextEnergy = nextEnergy;
  if (!lost) result.CarriedEnergy = nextEnergy;
  Host.RemoveHints('R');
  Host.RemoveHints('S');
  Host.RemoveHints('M');

  NextGameDialogOpen = true;
  try {
    Host.ShowNextGameDialog(result);
  } catch (...) {
    NextGameDialogOpen = false;
    throw;
  }
  NextGameDialogOpen = false;
  Host.ClearHintQueue();

  TLandscape& land = Landscape();
  land.ClearGameObjects();
  land.Make();
  Game.Init();
  // What the result promised, whatever happened behind the dialog; a campaign level starts with
  // the energy its record gives it, which Make has set.
  if (Settings.GameSpec().G_GameType == gt_Campaign) {
    NextEnergy = Landscape().Energy;
  } else {
    NextEnergy = nextEnergy;
    Landscape().SetEnergy(nextEnergy);
  }
}

}  // namespace orvane
