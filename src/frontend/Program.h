#pragma once

#include "console/FormNotes.h"
#include "console/Log.h"
#include "dialogs/NewGame.h"
#include "dialogs/settings/GameSettings.h"
#include "frontend/Form1.h"
#include "scene/Scene.h"
#include "world/Random.h"

namespace orvane {

// The program's long-lived objects, made once: the one random generator, the log, the
// main window's scene, the settings with the new-game dialog that shows them, the main
// window's logic and the console that holds the log and runs commands.
struct TProgram {
  TProgram() { Form1.SetConsole(&FormNotes); }
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  TRandom Random;
  TLog Log;
  TScene Scene;
  TGameSettings Settings;
  TDlgNewGame DlgNewGame{Settings, Log};
  TForm1 Form1{Random, Log, Scene, Settings, DlgNewGame};
  TFormNotes FormNotes{Log, Form1, Settings, Random};

  TLandscape& Landscape() { return *Form1.Game->Landscape; }
};

}  // namespace orvane
