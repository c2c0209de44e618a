#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/DialogControls.h"

namespace orvane {

class TDlgNewGame;

// How a modal dialog was closed.
enum TModalResult : uint8_t { mr_None = 0, mr_Ok = 1, mr_Cancel = 2 };

// The dialog shown at the end of every landscape: the result, and the player's choice of the
// next game. The game end fills it, shows it and reads the choice once it is closed.
class TFormNextGame {
 public:
  explicit TFormNextGame(TDlgNewGame& newGame);
  TFormNextGame(const TFormNextGame&) = delete;
  TFormNextGame& operator=(const TFormNextGame&) = delete;

  // The player wants the same landscape again: mirrors the new-game dialog's "&Landscape #" box.
  bool SameLandscape() const { return SameLandscapeValue; }
  void SetSameLandscape(bool value);

  // 0 none, 1 easier, 2 same again, 3 more difficult; kept from one showing to the next.
  uint8_t Choice = 0;

  // Closing: a choice closes with OK, Exit with cancel and a request to end the program.
  TModalResult ModalResult = mr_None;
  bool Closed() const { return ModalResult != mr_None; }
  bool ExitRequested = false;

  // What the game end does with the outcome once the dialog is closed: the difficulty goes down
  // or up by the choice, and unless the same landscape is wanted a new landscape number, drawn
  // as a uniform number in [0, 1), goes into the new-game dialog's number box. After a campaign
  // level the choice is the level before, the same level or the next one reached instead.
  void ApplyChoice(const std::function<double()>& uniform) const;

  // Event handlers.
  void FormShow();
  void btnEasierClick();
  void btnSameAgainClick();
  void btnMoreDifficultClick();
  void FormKeyPress(char key);
  void cbLandscapeCodeClick();
  void btnExitClick();

  // Controls.
  std::string Caption;
  TLabelControl ResultTitle;
  TLabelControl ChoiceTitle;
  TImageControl ImageWin;
  TImageControl ImageLose;
  TLabelControl LabelNarrative;
  TButtonControl btnEasier;
  TButtonControl btnSameAgain;
  TButtonControl btnMoreDifficult;
  TCheckBoxControl cbLandscapeCode;
  // Enabled once the new-game dialog's window exists.
  TButtonControl BtmCustom;
  TButtonControl btnExit;

 private:
  void Choose(uint8_t choice);

  TDlgNewGame& NewGame;
  bool SameLandscapeValue = false;
};

}  // namespace orvane
