// The commands that start a game and change the settings: NEW, PREF and PERF.

#include <array>

#include "console/ConsoleHost.h"
#include "console/FormNotes.h"
#include "console/Interpreter.h"
#include "console/NumberFormat.h"
#include "dialogs/settings/Preferences.h"
#include "simulation/Simulation.h"
#include "world/Game.h"

namespace orvane {

namespace {

struct TAntiAliasingName {
  const char* Word;
  TAntiAliasing Mode;
  const char* Name;
};

constexpr std::array<TAntiAliasingName, 6> AntiAliasingNames = {{
    {"DEFAULT", aaDefault, "Default"},
    {"NONE", aaNone, "None"},
    {"2X", aa2x, "2x"},
    {"2XHQ", aa2xHQ, "2x HQ"},
    {"4X", aa4x, "4x"},
    {"4XHQ", aa4xHQ, "4x HQ"},
}};

std::string NameOf(TAntiAliasing mode) {
  for (const TAntiAliasingName& entry : AntiAliasingNames)
    if (entry.Mode == mode) return entry.Name;
  return "Unknown";
}

}  // namespace

void TInterpreter::New(bool) {
  Simulation().StopAnimationSounds(1);
  Landscape().Make();
  Host.CloseNextGameDialog();
}

void TInterpreter::Pref(bool) {
  ApplyPreference(Settings, UpperArg(1), Arg(2), [this](int n) { return WholeArg(2 + n); });
}

void TInterpreter::Perf(bool) {
  const std::string sub = UpperArg(1);
  if (sub == "SLEEP") {
    PerfSleep();
  } else if (sub == "FPS") {
    PerfFps();
  } else if (sub == "RES") {
    PerfRes();
  } else if (sub == "MAXFPS") {
    PerfMaxFps();
  } else if (sub == "AA") {
    PerfAntiAliasing();
  } else {
    for (const char* line : {"PERF RES", "PERF AA", "PERF FPS", "PERF MAXFPS"})
      ExecuteCommand(line, true);
  }
}

void TInterpreter::PerfSleep() {
  switch (SwitchArg(2)) {
    case sw_On:
      Host.SwitchSleepOff(false);
      Notes.Log("SLEEP set to ON.");
      Notes.Log(
          "This saves power (processor time), but might result in a poorer gaming "
          "experience.");
      break;
    case sw_Off:
      Host.SwitchSleepOff(true);
      Notes.Log("SLEEP set to OFF.");
      Notes.Log("This uses more processor time for a better gaming experience.");
      break;
    case sw_Neither:
      Notes.Log(Host.SleepSwitchedOff() ? "SLEEP: OFF." : "SLEEP: ON.");
      break;
  }
}

void TInterpreter::PerfFps() {
  if (!WindowThere("PERF FPS")) return;
  const std::string text = FormatNumbers("FPS: %.1f", {Host.MeasureFramesPerSecond()});
  Host.ShowLabel1(text);
  Notes.Log(text);
}

void TInterpreter::PerfRes() {
  if (!WindowThere("PERF RES")) return;
  const glm::ivec2 size = Host.ViewResolution();
  Notes.Log("Resolution: " + std::to_string(size.x) + " x " + std::to_string(size.y) + " pixels.");
}

void TInterpreter::PerfMaxFps() {
  if (NumberArg(2) > 3) {
    Host.SetMaxFPS(WholeArg(2));
    Notes.Log("Max FPS (frames per second) set to " + std::to_string(Host.FrameRateLimit()));
  } else if (Host.SleepSwitchedOff()) {
    Notes.Log("Max FPS (frames per second) :" + std::to_string(Host.FrameRateLimit()));
  }
}

void TInterpreter::PerfAntiAliasing() {
  if (!WindowThere("PERF AA")) return;
  if (TokenCount == 2) {
    Notes.Log("Antialiasing: " + NameOf(Host.AntiAliasingMode()));
    return;
  }
  const std::string word = UpperArg(2);
  for (const TAntiAliasingName& entry : AntiAliasingNames) {
    if (word == entry.Word) {
      Host.SetAntiAliasing(entry.Mode);
      Notes.Log(std::string("Antialiasing set to ") + entry.Name);
      return;
    }
  }
  Notes.Log("Unknown antialiasing: \"" + word + "\". Use Command PERF to see options.");
}

}  // namespace orvane
