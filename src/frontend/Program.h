#pragma once

#include "console/Log.h"
#include "dialogs/GameSettings.h"
#include "frontend/Form1.h"
#include "scene/Scene.h"
#include "world/Random.h"

namespace orvane {

// The program's long-lived objects, made once: the one random generator, the log, the
// main window's scene, the settings and the main window's logic.
struct TProgram {
  TRandom Random;
  TLog Log;
  TScene Scene;
  TDlgNewGame DlgNewGame;
  TForm1 Form1{Random, Log, Scene, DlgNewGame};

  TLandscape& Landscape() { return *Form1.Game->Landscape; }
};

}  // namespace orvane
