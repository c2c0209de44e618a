#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "console/Log.h"
#include "world/Landscape.h"

namespace orvane {

// A landscape as the program makes it for comparing: a quick game of a number and a
// difficulty, every other setting at its default.
struct TLandscapeDump {
  std::string Json;                 // the landscape as one JSON object
  std::vector<std::string> Errors;  // the "Error " lines its making logged
};

// The generator's clock may be fixed (so that even the clock-seeded numbers repeat); every log
// line may be handed to a listener as it is written; the landscape made may be looked at
// before it goes.
TLandscapeDump DumpLandscape(int32_t number, int32_t difficulty,
                             std::function<uint32_t()> clock = {},
                             const TLog::TListener& listener = {},
                             const std::function<void(const TLandscape&)>& lookAt = {});

}  // namespace orvane
