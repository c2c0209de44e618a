// Running one command line: the echo, the parse, the command table and the arguments' rules.

#include "console/Interpreter.h"

#include <cmath>

#include "console/ConsoleHost.h"
#include "console/FormNotes.h"
#include "world/Game.h"
#include "world/MathKT.h"

namespace orvane {

namespace {
constexpr const char* Separator = "--------";
}  // namespace

// In this order: the first row whose name or alias is the command word runs.
const TInterpreter::TCommandRow TInterpreter::Commands[] = {
    {{"RAISE"}, &TInterpreter::Raise},
    {{"HELP", "H"}, &TInterpreter::Help},
    {{"EXECUTE", "EXE", "RUN"}, &TInterpreter::Execute},
    {{"TYPE"}, &TInterpreter::Type},
    {{"EXIT", "X"}, &TInterpreter::Exit},
    {{"CLS"}, &TInterpreter::Cls},
    {{"ECHO", "!"}, &TInterpreter::Echo},
    {{"LOG"}, &TInterpreter::LogCommand},
    {{"FONT"}, &TInterpreter::Font},
    {{"KEYS"}, &TInterpreter::Keys},
    {{"SPECIAL", "SP"}, &TInterpreter::Special},
    {{"NEW"}, &TInterpreter::New},
    {{"CHEAT", "CH"}, &TInterpreter::Cheat},
    {{"PLAYER", "PL"}, &TInterpreter::Player},
    {{"ALLOC", "ALLOCATION"}, &TInterpreter::Alloc},
    {{"ANIM", "ANIMATIONS"}, &TInterpreter::Anim},
    {{"LAND", "LANDSCAPE"}, &TInterpreter::Land},
    {{"PREF", "PREFERENCES"}, &TInterpreter::Pref},
    {{"PERF", "PERFORMANCE"}, &TInterpreter::Perf},
    {{"LEAVE"}, &TInterpreter::Leave},
    {{"GETH"}, &TInterpreter::GetH},
};

TInterpreter::TInterpreter(TFormNotes& notes, TConsoleHost& host, TGameSettings& settings,
                           TRandom& random)
    : Notes(notes), Host(host), Settings(settings), Random(random) {}

void TInterpreter::ExecuteCommand(const std::string& line, bool silent) {
  if (!silent) {
    Notes.Log(Separator);
    Notes.Log(">" + line);
    Notes.IndentIn();
  }
  TokenCount = ParseCommand(line, Notes.Command);
  if (TokenCount > 0) {
    const std::string word = UpperCase(Notes.Command.Args[0]);
    const bool comment = word.starts_with("'") || word.starts_with("REM") || word.starts_with("//");
    if (!comment) {
      if (const TCommandRow* row = FindCommand(word))
        (this->*row->Run)(silent);
      else
        Notes.Log("Unknown Command: " + word);
    }
  }
  // Not reached when the command failed: the failure goes up with the indentation as it is.
  if (!silent) {
    Notes.IndentOut();
    Notes.ScrollToEnd();
  }
}

const TInterpreter::TCommandRow* TInterpreter::FindCommand(const std::string& word) const {
  for (const TCommandRow& row : Commands)
    for (const char* name : row.Names)
      if (name && word == name) return &row;
  return nullptr;
}

const std::string& TInterpreter::Arg(int i) const {
  return Notes.Command.Args.at(static_cast<size_t>(i));
}

std::string TInterpreter::UpperArg(int i) const {
  return UpperCase(Arg(i));
}

double TInterpreter::NumberArg(int i) const {
  return Notes.Command.Values.at(static_cast<size_t>(i));
}

int32_t TInterpreter::WholeArg(int i) const {
  const double value = NumberArg(i);
  const std::string which = "Argument " + std::to_string(i);
  if (std::isnan(value)) {
    if (Arg(i).empty()) throw TCommandError(which + " is missing: a number is needed.");
    throw TCommandError(which + " is not a number: \"" + Arg(i) + "\".");
  }
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
    throw TCommandError(which + " does not fit in a whole number: \"" + Arg(i) + "\".");
  return static_cast<int32_t>(rounded);
}

TInterpreter::TSwitch TInterpreter::SwitchArg(int i) const {
  const std::string value = UpperArg(i);
  if (value == "1" || value == "ON") return sw_On;
  if (value == "0" || value == "OFF") return sw_Off;
  return sw_Neither;
}

TGame& TInterpreter::Game() {
  TGame* game = Host.ConsoleGame();
  if (!game || !game->Landscape) throw TCommandError("There is no game yet.");
  return *game;
}

TLandscape& TInterpreter::Landscape() {
  return *Game().Landscape;
}

TSimulation& TInterpreter::Simulation() {
  Game();
  TSimulation* simulation = Host.ConsoleSimulation();
  if (!simulation) throw TCommandError("There is no game yet.");
  return *simulation;
}

bool TInterpreter::WindowThere(const std::string& command) {
  if (Host.HasWindow()) return true;
  Notes.Log("No window: " + command + " needs the game's window.");
  return false;
}

}  // namespace orvane
