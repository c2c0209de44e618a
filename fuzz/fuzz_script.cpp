// Runs arbitrary bytes as a script, "script/fuzz.osc", once echoed and once silent, in one
// live headless game. "script/other.osc" runs it again, so that scripts can run each other
// as well as themselves; the nesting limit and the budget of script runs must hold whatever
// the script does.
//
// The limits are lowered here so that they are reached within a few dozen lines: at the
// game's own (32 deep, 1000 runs, 100000 lines) one input could run 200000 lines and take
// seconds, and one line such as GETH or ANIM can write hundreds of log lines. The lowered ones
// (3 deep, 6 runs, 32 lines) keep each of the three reachable first: a script that runs itself
// once nests too deeply, one that runs itself twice runs out of runs, and a long one that runs
// itself runs out of lines. The game's own limits are the console tests' to check.
//
// NEW makes a whole landscape (some milliseconds under the sanitizers) and then runs the
// game-start script. A script with more than one NEW line is not run at all, and one with a
// NEW line may start only 2 scripts per typed line, the game-start script that NEW runs among
// them: one landscape per typed line at most. Past that the scripts stop, so whatever such a
// script would do once a third script should start is not fuzzed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzWorld.h"
#include "console/Interpreter.h"

namespace {

using namespace orvane::fuzz;
using orvane::TInterpreter;

constexpr int ScriptDepth = 3;
constexpr int ScriptRuns = 6;
constexpr int ScriptRunsWithNew = 2;
constexpr int ScriptLines = 32;

TFuzzWorld& World() {
  static TFuzzWorld* world = new TFuzzWorld(std::vector<TScriptFile>{{"other.osc", "run fuzz"}});
  return *world;
}

// The script's NEW lines, its lines split as the console splits them: at every CR, LF or CR LF.
int NewLines(const std::string& script) {
  int count = 0;
  size_t from = 0;
  while (from <= script.size()) {
    const size_t end = std::min(script.find_first_of("\r\n", from), script.size());
    if (IsNewLine(script.substr(from, end - from))) ++count;
    from = end + 1;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  KeepArtifactsHere(argc, argv);
  TInterpreter::MaxScriptDepth = ScriptDepth;
  TInterpreter::MaxScriptLines = ScriptLines;
  World();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  const int newLines = NewLines(script);
  if (newLines > 1) return -1;  // not run, and not kept
  TInterpreter::MaxScriptRuns = newLines == 0 ? ScriptRuns : ScriptRunsWithNew;
  TFuzzWorld& world = World();
  {
    const TFuzzWorld::TVisit visit(world);
    WriteWholeFile("script/fuzz.osc", script);
    world.Execute("RUN fuzz", false);
    world.Execute("RUN fuzz", true);
  }
  world.EndInput();
  return 0;
}
