// Runs arbitrary bytes as a script, "script/fuzz.osc", once echoed and once silent, in one
// live headless game. "script/other.osc" runs it again, so that scripts can run each other
// as well as themselves; the nesting limit and the budget of script runs must hold whatever
// the script does.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzWorld.h"

namespace {

using namespace orvane::fuzz;

TFuzzWorld& World() {
  static TFuzzWorld* world = new TFuzzWorld(std::vector<TScriptFile>{{"other.osc", "run fuzz"}});
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
  {
    const TFuzzWorld::TVisit visit(world);
    WriteWholeFile("script/fuzz.osc", std::string(reinterpret_cast<const char*>(data), size));
    world.Execute("RUN fuzz", false);
    world.Execute("RUN fuzz", true);
  }
  world.EndInput();
  return 0;
}
