// Orvane: a landscape number and a difficulty make a terraced landscape; the player climbs
// it to reach the Tolmarch on its pedestal.

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/UserFolder.h"
#include "console/qt/NotesWindow.h"
#include "dialogs/WholeNumberText.h"
#include "frontend/BatchRun.h"
#include "frontend/DumpCommand.h"
#include "frontend/Program.h"
#include "frontend/qt/Application.h"
#include "frontend/qt/MainWindow.h"
#include "scene/qt/SceneViewerWidget.h"

namespace {

using namespace orvane;

constexpr int UsageError = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: orvane [--verbose] [--run SCRIPT] [--dump-landscape NUMBER [--difficulty D]]\n"
         "  --verbose                also write every console log line on standard output\n"
         "                           (on standard error with --dump-landscape)\n"
         "  --run SCRIPT             without a window: load the preferences, make the first\n"
         "                           landscape, run every line of the file SCRIPT as a console\n"
         "                           command and write the log on standard output; exit status\n"
         "                           0, or 1 when a line failed, or 2 when the file is missing\n"
         "  --dump-landscape NUMBER  print the landscape of that number as JSON\n"
         "                           (NUMBER from -2147483647 to 2147483647)\n"
         "  --difficulty D           the difficulty of the dumped landscape, 0 to 100 (default "
         "0)\n";
}

// A whole decimal number within [low, high], nothing else.
std::optional<int32_t> ParseWhole(const std::string& text, int32_t low, int32_t high) {
  try {
    const int64_t value = ReadWholeNumber64(text);
    if (value < low || value > high) return std::nullopt;
    return static_cast<int32_t>(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

int DumpLandscape(int32_t number, int32_t difficulty, bool verbose) {
  TLog::TListener listener;
  if (verbose) listener = [](const std::string& line) { std::cerr << line << '\n'; };
  const TLandscapeDump dump = orvane::DumpLandscape(number, difficulty, {}, listener);
  for (const std::string& line : dump.Errors)
    std::cerr << line << '\n';
  std::cout << dump.Json << '\n';
  return dump.Errors.empty() ? 0 : 1;
}

// The script as the player named it, and where it is (the game may run in another folder).
int RunScript(const std::string& named, const std::string& path) {
  TProgram program;
  program.Log.AddListener([](const std::string& line) { std::cout << line << '\n'; });
  const TBatchStatus status = RunBatch(program, path);
  if (status == bs_NoFile) std::cerr << "orvane: no script file '" << named << "'\n";
  return status;
}

int Play(int argc, char** argv, bool verbose) {
  TApplication application(argc, argv);
  TSceneViewerWidget::SetDefaultSurfaceFormat(true);
  TProgram program;
  if (verbose) program.Log.AddListener([](const std::string& line) { std::cout << line << '\n'; });
  application.SetExceptionHandler(
      [&program](const std::string& message) { program.Form1.HandleException(message); });
  TNotesWindow notes(program.FormNotes);
  TMainWindow window(program);
  window.show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<int32_t> number;
  std::optional<std::string> script;
  int32_t difficulty = 0;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--dump-landscape" && hasValue) {
      number = ParseWhole(argv[++i], -2147483647, 2147483647);
      if (!number) {
        std::cerr << "orvane: the landscape number must be a whole number from -2147483647 to "
                     "2147483647, not '"
                  << argv[i] << "'\n";
        return UsageError;
      }
    } else if (arg == "--difficulty" && hasValue) {
      const auto value = ParseWhole(argv[++i], 0, 100);
      if (!value) {
        std::cerr << "orvane: the difficulty must be a whole number from 0 to 100, not '" << argv[i]
                  << "'\n";
        return UsageError;
      }
      difficulty = *value;
    } else if (arg == "--run" && hasValue) {
      script = argv[++i];
    } else if (arg == "--verbose") {
      verbose = true;
    } else if (arg == "--help" || arg == "-h") {
      PrintUsage(std::cout);
      return 0;
    } else {
      std::cerr << "orvane: unknown or incomplete option '" << arg << "'\n";
      PrintUsage(std::cerr);
      return UsageError;
    }
  }
  if (number && script) {
    std::cerr << "orvane: --run and --dump-landscape do not go together\n";
    return UsageError;
  }
  if (number) return DumpLandscape(*number, difficulty, verbose);
  if (difficulty != 0) {
    std::cerr << "orvane: --difficulty goes with --dump-landscape\n";
    return UsageError;
  }
  std::string scriptPath;
  if (script) {
    std::error_code error;
    scriptPath = std::filesystem::absolute(*script, error).string();
  }
  // Installed, the game plays in the player's own folder.
  if (std::string problem; !EnterGameFolder(problem)) {
    std::cerr << "orvane: no folder to play in: " << problem << "\n";
    return 1;
  }
  if (script) return RunScript(*script, scriptPath);
  return Play(argc, argv, verbose);
}
