#include "frontend/DumpCommand.h"

#include "frontend/Program.h"
#include "world/LandscapeDump.h"

namespace orvane {

TLandscapeDump DumpLandscape(int32_t number, int32_t difficulty, std::function<uint32_t()> clock,
                             const TLog::TListener& listener,
                             const std::function<void(const TLandscape&)>& lookAt) {
  TProgram program;
  if (clock) program.Random.SetClock(std::move(clock));
  if (listener) program.Log.AddListener(listener);
  program.Settings.ApplyDefaultSettings();
  program.Settings.ChooseLandscape(number, difficulty);
  program.Form1.CreateGame();
  program.Form1.Game->Init();
  TLandscapeDump dump;
  for (const std::string& line : program.Log.GetLines())
    if (line.rfind("Error ", 0) == 0) dump.Errors.push_back(line);
  dump.Json = LandscapeJson(program.Landscape(), number);
  if (lookAt) lookAt(program.Landscape());
  return dump;
}

}  // namespace orvane
