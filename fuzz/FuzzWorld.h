#pragma once

// The world the console's fuzzers run lines against: one headless game, made once, in a
// fresh temporary folder that holds the scripts and help texts the commands read and
// anything they might write. The fuzzer stands in that folder only while an input runs, so
// that libFuzzer's own paths (corpora, new units) keep the folder it was started from.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "console/Command.h"
#include "frontend/Program.h"

namespace orvane::fuzz {

namespace fs = std::filesystem;

// The harness itself cannot go on: that is not a finding, so no crash either.
[[noreturn]] inline void GiveUp(const std::string& why) {
  std::fprintf(stderr, "fuzz harness: %s\n", why.c_str());
  std::_Exit(2);
}

inline void WriteWholeFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) GiveUp("could not write " + path.string());
}

// libFuzzer writes a crashing input into the current folder unless told otherwise, and when
// an input crashes that is the temporary folder: the input goes where the fuzzer started.
inline void KeepArtifactsHere(int* argc, char*** argv) {
  for (int i = 1; i < *argc; ++i)
    if (std::strncmp((*argv)[i], "-artifact_prefix=", 17) == 0 ||
        std::strncmp((*argv)[i], "-exact_artifact_path=", 21) == 0)
      return;
  static std::string prefix = "-artifact_prefix=" + fs::current_path().string() + "/";
  static std::vector<char*> arguments;
  arguments.assign(*argv, *argv + *argc);
  arguments.push_back(prefix.data());
  arguments.push_back(nullptr);
  *argc += 1;
  *argv = arguments.data();
}

// Whether the console would run the line as NEW: the line taken apart as the console does it.
// NEW makes a whole landscape, some milliseconds under the sanitizers, so the fuzzers ration it.
inline bool IsNewLine(const std::string& line) {
  static TCommand command;
  return ParseCommand(line, command) > 0 && UpperCase(command.Args[0]) == "NEW";
}

struct TScriptFile {
  std::string Name;  // in script/
  std::string Text;
};

class TFuzzWorld {
 public:
  explicit TFuzzWorld(const std::vector<TScriptFile>& scripts) : Home(fs::current_path()) {
    std::string folder = (fs::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
    if (!mkdtemp(folder.data())) GiveUp("could not make a temporary folder");
    Folder = folder;
    static const fs::path made = Folder;
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(made, ignored);
    });
    Fill(scripts);
    const TVisit visit(*this);
    Program = new TProgram;  // never destroyed: it lives as long as the fuzzer
    // The same seed at every NEW, so that a landscape depends on the lines alone.
    Program->Random.SetClock([] { return 43200000u; });
    Program->FormNotes.WriteFile = [this](const std::string& path,
                                          const std::vector<std::string>&) {
      LastSavedPath = path;
      ++Saves;
    };
    // The console's fuzzers play no sound: the sound library's own memory is no finding of ours.
    Program->Form1.SoundLibrary = "libno-sound-for-the-fuzzers.so";
    Program->Form1.StartUp();
    if (!Program->Form1.Game) GiveUp("no game");
    Program->Form1.Game->Init();
  }

  // Stands in the temporary folder for as long as it lives.
  class TVisit {
   public:
    explicit TVisit(const TFuzzWorld& world) : World(world) {
      if (chdir(World.Folder.c_str()) != 0) GiveUp("could not enter " + World.Folder.string());
    }
    ~TVisit() {
      if (chdir(World.Home.c_str()) != 0) GiveUp("could not go back to " + World.Home.string());
    }
    TVisit(const TVisit&) = delete;
    TVisit& operator=(const TVisit&) = delete;

   private:
    const TFuzzWorld& World;
  };

  // One line, run as the game's callers run it: an error it throws is the handler's.
  void Execute(const std::string& line, bool silent) {
    try {
      Program->FormNotes.ExecuteCommand(line, silent);
    } catch (const std::exception& error) {
      Program->Form1.HandleException(error.what());
    }
  }

  // After every input. A failed line leaves the log one level deeper, as it does in the game;
  // over millions of inputs that would only make every line longer. The log and the hints go
  // too: an input sees only its own lines. Were they kept, every input would leave more memory
  // behind than it found, so libFuzzer would look for a leak (a scan of the whole heap, log and
  // all) after every input that finds something new, and give up looking after a thousand of
  // them. Cleared, an input that leaves memory behind is worth the look.
  void EndInput() {
    Program->Log.Indent = 0;
    Program->Log.Clear();
    Program->Form1.ClearHintQueue();
  }

  const fs::path& WorkFolder() const { return Folder; }

  TProgram* Program = nullptr;
  std::string LastSavedPath;  // what LOG SAVE would have written
  long Saves = 0;

 private:
  void Fill(const std::vector<TScriptFile>& scripts) {
    const fs::path source = ORVANE_SOURCE_DIR;
    fs::create_directory(Folder / "script");
    fs::create_directory(Folder / "console_help");
    std::error_code error;
    fs::copy(source / "console_help", Folder / "console_help", error);
    if (error) {
      for (const char* topic : {"Cheat", "Commands", "CommandsDetail", "Console", "KeyBindDefaults",
                                "Perf", "Player", "Pref"})
        WriteWholeFile(Folder / "console_help" / (std::string("Help_") + topic + ".txt"),
                       std::string("Help: ") + topic + "\nhelp detail\n");
    }
    fs::copy_file(source / "script" / "DefaultStartGame.osc",
                  Folder / "script" / "DefaultStartGame.osc", error);
    if (error)
      WriteWholeFile(Folder / "script" / "DefaultStartGame.osc", "' Orvane game-start script\n");
    for (const TScriptFile& script : scripts)
      WriteWholeFile(Folder / "script" / script.Name, script.Text);
  }

  fs::path Home;
  fs::path Folder;
};

}  // namespace orvane::fuzz
