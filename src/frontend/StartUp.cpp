// The main window's life: its creation and the one-time start-up, the cursor, the
// application-wide exception handler and shutdown.

#include <exception>

#include "console/Log.h"
#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

const char* const WelcomeHints[2] = {
    "HN1Welcome to Orvane Freeware! Press [Esc] at any time for 'New Game' and 'Configuration' "
    "options.",
    "HW1Hint: Drag mouse to look around, [B] creates a boulder at the cursor, [R] creates a "
    "robot, [A] absorbs objects for energy.",
};

void TForm1::FormCreate() {
  FormSplash.StartUpPending = true;
  FormSplash.OnStartUp = [this] { StartUp(); };
  FormSplash.OnError = [this](const std::string& message) { HandleException(message); };
  ShowSplash();
  if (!Game) return;
  Game->Init();
  SetVSync(true);
  SetAsleep(false);
  // The first view opens out from a narrow angle.
  Look.FieldOfView = 6.0f;
  Look.TargetFieldOfView = 135.0f;
  NoSleep = true;
  Look.CursorWarped = false;
  ScannerHighWater = 0;
  StackHighWater = 0;
  // No frame runs before the first landscape exists.
  GLCadencer1.Enabled = true;
  Scene.SortFarthestFirst = true;
  CentreCursor();
}

void TForm1::StartUp() {
  for (const char* hint : WelcomeHints)
    AddHint(hint);
  LoadPreferences();
  try {
    CreateGame();
  } catch (const std::exception&) {
    // reported below
  }
  if (!Game) {
    Log.Log("Error 0007: Could not create Game object.");
    return;
  }
  TAudio& audio = Game->Audio;
  if (!StartSound(audio, SoundLibrary))
    Log.Log("Error 0009: Could not start sound @ Form.Create; Game will proceed without sound.");
  LoadSounds(audio, Log);
  SetSoundEnv(audio, Log);
  // Once more, now that the game exists.
  LoadPreferences();
}

// Every setting passes through its setter before the first game is made. A preference line
// that fails stops the preference scripts and is reported; play goes on.
void TForm1::LoadPreferences() {
  if (!Console) {
    Settings.ApplyDefaultSettings();
    return;
  }
  try {
    DlgNewGame.LoadPreferences(*Console);
  } catch (const std::exception& error) {
    HandleException(error.what());
  }
}

void TForm1::CentreCursor() {
  try {
    TWindowSystem& windows = RequireWindows();
    const TScreenRect rect = windows.WindowRect();
    windows.SetCursorPosition({rect.Left + rect.Width / 2, rect.Top + rect.Height / 2});
  } catch (const std::exception&) {
    Log.Log("Error 0010: Could not set cursor position @ Form.CentreCursor()");
  }
}

void TForm1::HandleException(const std::string& message) {
  Log.Log("Unexpected Exception: " + message);
  if (!Console) return;
  try {
    Console->Show();
  } catch (const std::exception&) {
    // the line is in the log; nothing more can be shown
  }
  ConsoleVisible = true;
}

void TForm1::FormClose() {
  // The program is ending: no more frames.
  GLCadencer1.Enabled = false;
  try {
    DlgNewGame.SavePreferences();
  } catch (const std::exception& error) {
    HandleException(error.what());
  }
}

void TForm1::FormDestroy() {
  GLCadencer1.Enabled = false;
  if (Game) CloseSound(Game->Audio);
  Windows = nullptr;
}

}  // namespace orvane
