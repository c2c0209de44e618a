#pragma once

#include <string>

namespace orvane {

// Runs console command lines: what the rest of the program asks of the console.
class TCommandRunner {
 public:
  virtual ~TCommandRunner() = default;
  // Runs one line; a silent run writes no echo of its own.
  virtual void ExecuteCommand(const std::string& line, bool silent) = 0;
};

}  // namespace orvane
