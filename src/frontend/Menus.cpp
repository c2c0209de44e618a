// The main window's menus: the new-game dialog as the pause menu, the about box and the list of
// keys in the console.

#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

namespace {
const char* const PausedHint = "AN0Game Paused";
const char* const PausedSuggestion =
    "GAME PAUSED - Close this box to return to the game, or use 'New Game' to start another game.";
}  // namespace

void TForm1::ShowSplash() {
  if (Windows) {
    Windows->ShowSplash(FormSplash);
    return;
  }
  // No window to show it in: only what its first showing does.
  if (FormSplash.StartUpPending) {
    FormSplash.StartUpPending = false;
    StartUp();
  }
}

void TForm1::ShowNewGameDialog() {
  switch (RequireWindows().ShowNewGameDialog()) {
    case nc_NewGame:
      ExecuteCommand("New", false);
      break;
    case nc_Exit:
      ExecuteCommand("Exit", true);
      break;
    case nc_Return:
      break;
  }
}

void TForm1::PauseAndMenu() {
  AddHint(PausedHint);
  DlgNewGame.ShowSuggestion(PausedSuggestion);
  ShowNewGameDialog();
  // The pause hint goes, and the welcome hint of the same topic with it.
  RemoveHints('N');
}

void TForm1::ShowAbout() {
  ShowSplash();
}

void TForm1::ViewKeyboardControls() {
  if (!ConsoleThere()) return;
  Console->Show();
  ConsoleVisible = true;
  ExecuteCommand("CLS", true);
  ExecuteCommand("KEYS", true);
}

}  // namespace orvane
