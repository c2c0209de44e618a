#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace orvane {

class TFormNotes;
class TConsoleHost;
class TGameSettings;
class TRandom;
class TGame;
class TLandscape;
class TSimulation;

// A command that cannot go on: it stops where it is, and the error travels up to the handler
// of unexpected errors, which logs its message.
class TCommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs command lines: the first word picks the command from the table, the others are its
// arguments. Answers go into the console's log.
class TInterpreter {
 public:
  // The limits on scripts are the same for every console. The game never changes them; a test
  // or a fuzzer may set them lower so that they are reached in fewer lines, and puts them back.
  //
  // A script started while this many are running is not run.
  static inline int MaxScriptDepth = 32;
  // Scripts started from one line that is not itself in a script: beyond this the scripts
  // running stop, so that a script that runs itself twice cannot go on for ever.
  static inline int MaxScriptRuns = 1000;
  // Lines those scripts run, all of them together: the runs alone do not bound the work, as
  // each run of a long script runs all its lines again.
  static inline int MaxScriptLines = 100000;

  TInterpreter(TFormNotes& notes, TConsoleHost& host, TGameSettings& settings, TRandom& random);

  void ExecuteCommand(const std::string& line, bool silent);

 private:
  using TRun = void (TInterpreter::*)(bool silent);
  struct TCommandRow {
    std::array<const char*, 3> Names;  // the name and its aliases; unused ones null
    TRun Run;
  };
  static const TCommandRow Commands[];
  const TCommandRow* FindCommand(const std::string& word) const;

  // ---- the arguments of the line being run; entry 0 is the command word
  const std::string& Arg(int i) const;
  std::string UpperArg(int i) const;
  double NumberArg(int i) const;
  // The number rounded half to even; a missing number, or one past 32 bits, stops the command.
  int32_t WholeArg(int i) const;
  // "1"/"ON" is on, "0"/"OFF" off, anything else neither.
  enum TSwitch { sw_Off, sw_On, sw_Neither };
  TSwitch SwitchArg(int i) const;
  int TokenCount = 0;

  // ---- what the commands work on; the game's parts stop the command when there is no game
  TGame& Game();
  TLandscape& Landscape();
  TSimulation& Simulation();
  // Without the main window's window, one line says so and the caller does nothing.
  bool WindowThere(const std::string& command);

  // ---- the console's own commands
  void Raise(bool silent);
  void Help(bool silent);
  void Type(bool silent);
  void Exit(bool silent);
  void Cls(bool silent);
  void Echo(bool silent);
  void LogCommand(bool silent);
  void Font(bool silent);
  void Keys(bool silent);

  // ---- scripts
  void Execute(bool silent);
  void RunScriptLines(const std::string& path, const std::string& mode, bool silent);
  // Counts one more of what a typed line's scripts may do at most; past the most, one line
  // says so and the scripts still running stop.
  bool OverBudget(int& used, int most, const char* what);
  int ScriptDepth = 0;
  int ScriptRuns = 0;
  int ScriptLines = 0;
  bool StoppingScripts = false;

  // ---- the game's settings and the display
  void New(bool silent);
  void Pref(bool silent);
  void Perf(bool silent);
  void PerfSleep();
  void PerfFps();
  void PerfRes();
  void PerfMaxFps();
  void PerfAntiAliasing();

  // ---- the world and cheats
  void Special(bool silent);
  void Cheat(bool silent);
  void Player(bool silent);
  void Alloc(bool silent);
  void Anim(bool silent);
  void Land(bool silent);
  void LandScanners();
  void ListScanners();
  void Leave(bool silent);
  void GetH(bool silent);
  void LogHeights(int x1, int z1, int x2, int z2);

  TFormNotes& Notes;
  TConsoleHost& Host;
  TGameSettings& Settings;
  TRandom& Random;
};

}  // namespace orvane
