// Runs arbitrary command lines, one per input line, against one live headless game: every
// command of the console, its sub-words and its arguments, in any order, on a world that
// remembers what the inputs before did to it. Errors the commands throw are the caller's to
// catch; anything else, or a sanitizer's report, is a finding.
//
// Only the first NEW line of an input runs; the harness passes over any later ones. One NEW
// makes a whole landscape (some milliseconds under the sanitizers), and an input of nothing
// but NEW lines would take the time of thousands of others; what a second NEW in the same
// input would find, the first one of the next input finds on the world this one left.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "FuzzWorld.h"

namespace {

using namespace orvane::fuzz;

TFuzzWorld& World() {
  static TFuzzWorld* world = new TFuzzWorld({
      {"hello.osc", "echo hello\n' a comment\nrem another\n// and another\npref h_showhints off\n"},
      {"self.osc", "echo deeper\nrun self\n"},
      {"fail.osc", "echo before\nraise \"it failed\"\necho after\n"},
      {"debug.txt", "echo shown\nrun hello d\n"},
  });
  return *world;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  KeepArtifactsHere(argc, argv);
  World();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TFuzzWorld& world = World();
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    const TFuzzWorld::TVisit visit(world);
    size_t from = 0;
    bool newRun = false;
    while (true) {
      const size_t end = input.find('\n', from);
      const std::string line = input.substr(from, end - from);
      if (!IsNewLine(line) || !std::exchange(newRun, true)) world.Execute(line, false);
      if (end == std::string::npos) break;
      from = end + 1;
    }
  }
  world.EndInput();
  return 0;
}
