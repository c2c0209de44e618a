#pragma once

#include <string>

namespace orvane {

// Runs console command lines: what the rest of the program asks of the console.
class TCommandRunner {
 public:
  virtual ~TCommandRunner() = default;
  // Runs one line; a silent run writes no echo of its own. A command that fails throws, and
  // the failure travels up to the handler of unexpected errors.
  virtual void ExecuteCommand(const std::string& line, bool silent) = 0;
};

// The console window as the main window sees it: it runs lines, and it is shown and hidden.
class TConsole : public TCommandRunner {
 public:
  // Shown and brought to the front.
  virtual void Show() = 0;
  // Hidden; the main window hears of it.
  virtual void Hide() = 0;
};

}  // namespace orvane
