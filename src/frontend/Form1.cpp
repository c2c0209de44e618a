#include "frontend/Form1.h"

#include <algorithm>
#include <stdexcept>

#include "console/Log.h"
#include "frontend/WindowSystem.h"
#include "world/Random.h"

namespace orvane {

TForm1::TForm1(TRandom& random, TLog& log, TScene& scene, TGameSettings& settings,
               TDlgNewGame& newGame)
    : FormNextGame(newGame),
      Random(random),
      Log(log),
      Scene(scene),
      Settings(settings),
      DlgNewGame(newGame) {
  Settings.AddListener(*this);
}

TForm1::~TForm1() {
  Settings.RemoveListener(*this);
}

void TForm1::CreateGame() {
  if (Game) return;
  Game = std::make_unique<TGame>(Random, Log, Scene, Settings, *this);
  Simulation = std::make_unique<TSimulation>(*Game, Scene, Settings, Random, Log, *this);
}

TWindowSystem& TForm1::RequireWindows() const {
  if (!Windows) throw std::runtime_error("no window system");
  return *Windows;
}

// A line the world asks for: a failure in it is the console's to report, not the world's.
void TForm1::ExecuteCommand(const std::string& line, bool silent) {
  if (!Console) {
    Log.Log("Diagnostic: No console to run \"" + line + "\".");
    return;
  }
  try {
    Console->ExecuteCommand(line, silent);
  } catch (const std::exception& error) {
    HandleException(error.what());
  }
}

void TForm1::ShowNextGameDialog(const TGameResult& result) {
  DlgNewGame.RecordCampaignResult(result.Lost, result.EnergyLeft, result.CarriedEnergy);
  FormNextGame.LabelNarrative.Caption = result.Narrative;
  FormNextGame.ImageLose.Visible = result.Lost;
  FormNextGame.ImageWin.Visible = !result.Lost;
  RequireWindows().ShowNextGameDialog();
  FormNextGame.ApplyChoice([this] { return Random.Random(); });
}

void TForm1::SettingChanged(TSetting setting) {
  if (setting == TSetting::Sensitivity)
    Look.LookSensitivity = static_cast<float>(Settings.CC_Sensitivity() * 0.05);
  else if (setting == TSetting::ShowHints)
    SetShowHints(Settings.H_ShowHints());
  else if (setting == TSetting::FullScreen && Windows)
    Windows->SetFullScreen(Settings.D_FullScreen());
  else if (setting == TSetting::WindowPlace && Windows)
    Windows->PlaceWindow(Settings.D_Window());
}

void TForm1::NoteStackLevel(int level) {
  StackHighWater = std::max(StackHighWater, level);
}

void TForm1::NoteScannerSlot(int slot) {
  ScannerHighWater = std::max(ScannerHighWater, slot);
}

}  // namespace orvane
