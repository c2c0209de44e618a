// Scripts: files of command lines in the folder "script/", run line by line.

#include "console/FormNotes.h"
#include "console/Interpreter.h"
#include "console/TextFiles.h"

namespace orvane {

namespace {

constexpr const char* ScriptRule = "-------------";

// Counts a script as running for as long as it runs, however it ends.
class TScriptLevel {
 public:
  explicit TScriptLevel(int& depth) : Depth(depth) { ++Depth; }
  ~TScriptLevel() { --Depth; }
  TScriptLevel(const TScriptLevel&) = delete;
  TScriptLevel& operator=(const TScriptLevel&) = delete;

 private:
  int& Depth;
};

}  // namespace

void TInterpreter::Execute(bool silent) {
  // Taken before the first line runs: the lines reuse the one parsed command.
  const std::string path = CompleteFileName("script/" + Arg(1));
  const std::string mode = UpperArg(2);
  if (!FileExists(path)) {
    Notes.Log("Could not run script file '" + path + "'; file not found.");
    return;
  }
  if (ScriptDepth == 0) {
    ScriptRuns = 0;
    ScriptLines = 0;
    StoppingScripts = false;
  }
  if (ScriptDepth >= MaxScriptDepth) {
    Notes.Log("Script \"" + path + "\" not run: scripts nest too deeply (" +
              std::to_string(MaxScriptDepth) + " running).");
    return;
  }
  if (StoppingScripts || OverBudget(ScriptRuns, MaxScriptRuns, "scripts started")) return;
  RunScriptLines(path, mode, silent);
}

bool TInterpreter::OverBudget(int& used, int most, const char* what) {
  if (++used <= most) return false;
  Notes.Log("Scripts stopped: more than " + std::to_string(most) + " " + what + " from one line.");
  StoppingScripts = true;
  return true;
}

void TInterpreter::RunScriptLines(const std::string& path, const std::string& mode, bool silent) {
  const auto lines = ReadTextLines(path);
  if (!lines) {
    Notes.Log("Could not read script file '" + path + "'.");
    return;
  }
  if (!silent) {
    Notes.Log("Executing script \"" + path + "\"...");
    Notes.IndentIn();
    Notes.Log(ScriptRule);
  }
  const bool echo = mode == "D" || mode == "DEBUG";
  {
    const TScriptLevel level(ScriptDepth);
    for (const std::string& line : *lines) {
      if (StoppingScripts || OverBudget(ScriptLines, MaxScriptLines, "script lines run")) break;
      ExecuteCommand(line, echo ? false : silent);
    }
  }
  if (!silent) {
    Notes.Log(ScriptRule);
    Notes.IndentOut();
    Notes.Log("Finished script \"" + path + "\".");
  }
}

}  // namespace orvane
