#include "dialogs/NextGame.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "dialogs/NewGame.h"
#include "world/MathKT.h"

namespace orvane {

namespace {

const char* const EasierCaption = "[1] &Easier";
const char* const SameAgainCaption = "[2] &Same again";
const char* const MoreDifficultCaption = "[3] More &Difficult";

}  // namespace

TFormNextGame::TFormNextGame(TDlgNewGame& newGame)
    : Caption("Choose your next game!"),
      ResultTitle{"  Game Result"},
      ChoiceTitle{"  Choose a new game to play..."},
      btnEasier{EasierCaption, true},
      btnSameAgain{SameAgainCaption, true},
      btnMoreDifficult{MoreDifficultCaption, true},
      cbLandscapeCode{"Play the Same &Landscape again", false, true},
      BtmCustom{"&Configure...", false},
      btnExit{"E&xit", true},
      NewGame(newGame) {}

void TFormNextGame::SetSameLandscape(bool value) {
  // The new-game dialog's own click handler keeps its number box and setting in step.
  if (NewGame.cbLandscapeCode.Checked != value) NewGame.cbLandscapeCodeClick();
  SameLandscapeValue = value;
  cbLandscapeCode.Checked = value;
}

void TFormNextGame::FormShow() {
  ModalResult = mr_None;
  ExitRequested = false;
  SetSameLandscape(NewGame.cbLandscapeCode.Checked);
  // In a campaign the level decides the landscape, and only a level reached can be played.
  const auto& played = NewGame.PlayedLevel();
  cbLandscapeCode.Enabled = !played;
  btnMoreDifficult.Enabled = !played || played->Level < played->Reached;
  // The choices name the level each plays.
  const auto caption = [&](const char* choice, int32_t step) {
    if (!played) return std::string(choice);
    return std::string(choice) + ": level " + std::to_string(std::max(played->Level + step, 1));
  };
  btnEasier.Caption = caption(EasierCaption, -1);
  btnSameAgain.Caption = caption(SameAgainCaption, 0);
  btnMoreDifficult.Caption = caption(MoreDifficultCaption, 1);
}

void TFormNextGame::Choose(uint8_t choice) {
  Choice = choice;
  ModalResult = mr_Ok;
}

void TFormNextGame::btnEasierClick() {
  Choose(1);
}
void TFormNextGame::btnSameAgainClick() {
  Choose(2);
}
void TFormNextGame::btnMoreDifficultClick() {
  if (btnMoreDifficult.Enabled) Choose(3);
}

void TFormNextGame::FormKeyPress(char key) {
  switch (key) {
    case '1':
      btnEasierClick();
      break;
    case '2':
      btnSameAgainClick();
      break;
    case '3':
      btnMoreDifficultClick();
      break;
    default:
      break;
  }
}

void TFormNextGame::cbLandscapeCodeClick() {
  cbLandscapeCode.Checked = !cbLandscapeCode.Checked;
  SetSameLandscape(cbLandscapeCode.Checked);
}

void TFormNextGame::ApplyChoice(const std::function<double()>& uniform) const {
  if (const auto& played = NewGame.PlayedLevel()) {
    // A campaign steps through its levels: the one before, the same, or the next reached.
    const int32_t steps[] = {0, -1, 0, 1};
    NewGame.ChooseCampaignLevel(played->Level + (Choice <= 3 ? steps[Choice] : 0));
    return;
  }
  TGameSettings& settings = NewGame.Settings();
  const int32_t d = settings.GameSpec().S_Difficulty;
  if (Choice == 1) {
    settings.gs_S_Difficulty(std::max(0, d - 5));
  } else if (Choice == 3) {
    // d is 0..100, so the step is 1..3.
    settings.gs_S_Difficulty(std::min(100, d + Round((100 - d) * 0.02 + 1.0)));
  }
  if (!SameLandscape()) {
    const double number = std::trunc(uniform() * 2147483647.0);
    if (!(number >= 0.0 && number <= 2147483647.0))
      throw std::range_error("landscape number out of range");
    NewGame.SetLandscapeNumberText(std::to_string(static_cast<int32_t>(number)));
  }
}

void TFormNextGame::btnExitClick() {
  ModalResult = mr_Cancel;
  ExitRequested = true;
}

}  // namespace orvane
