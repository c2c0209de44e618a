#include "frontend/BatchRun.h"

#include <exception>

#include "console/TextFiles.h"
#include "frontend/Program.h"

namespace orvane {

TBatchStatus RunBatch(TProgram& program, const std::string& path) {
  const auto lines = ReadTextLines(path);
  if (!lines) return bs_NoFile;
  TForm1& form = program.Form1;
  form.StartUp();
  if (form.Game) {
    form.Game->Init();
    // As the window leaves the game when it opens: sleeping off, the high-water marks from zero.
    form.NoSleep = true;
    form.ScannerHighWater = 0;
    form.StackHighWater = 0;
  }
  TBatchStatus status = bs_Done;
  for (const std::string& line : *lines) {
    try {
      program.FormNotes.ExecuteCommand(line, false);
    } catch (const std::exception& error) {
      form.HandleException(error.what());
      status = bs_LineFailed;
    }
  }
  return status;
}

}  // namespace orvane
