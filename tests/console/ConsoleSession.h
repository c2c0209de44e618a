#pragma once

// A whole game without a display, in a working folder of its own, and what its console writes.

#include <stdlib.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frontend/FakeWindowSystem.h"
#include "frontend/Program.h"

namespace orvane::console_test {

using TLines = std::vector<std::string>;

// A fresh folder that is the working folder while the object lives, then goes with all it holds:
// the game reads and writes script/ and console_help/ in the working folder.
class TWorkingFolder {
 public:
  TWorkingFolder() : Previous(std::filesystem::current_path()) {
    std::string name = (std::filesystem::temp_directory_path() / "orvane_console_XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("no temporary folder");
    std::filesystem::current_path(Path = name);
  }
  ~TWorkingFolder() {
    std::error_code error;
    std::filesystem::current_path(Previous, error);
    std::filesystem::remove_all(Path, error);
  }

  // A text file of lines ended by CR LF, its folder made when missing.
  static void Write(const std::filesystem::path& path, const TLines& lines) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    for (const std::string& line : lines)
      file << line << "\r\n";
  }

 private:
  std::filesystem::path Path, Previous;
};

// The program after its start (default settings, the first landscape made), with a stand-in
// window system unless asked to run without one.
class TConsoleSession {
 public:
  explicit TConsoleSession(bool window = true) {
    Program.Random.SetClock([this] { return Clock += 7919; });
    Program.Log.AddListener([this](const std::string& line) { Written.push_back(line); });
    if (window) Program.Form1.SetWindowSystem(&Windows);
    Program.Settings.ApplyDefaultSettings();
    Program.Form1.CreateGame();
    Program.Form1.Game->Init();
    Written.clear();
  }

  // The lines written while the command line ran.
  TLines Run(const std::string& line, bool silent = true) {
    Written.clear();
    Program.FormNotes.ExecuteCommand(line, silent);
    return Written;
  }
  // The message of the error that stopped the line; empty when it ran to its end.
  std::string Failure(const std::string& line, bool silent = true) {
    try {
      Run(line, silent);
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }
  // Each command line, run silently, writes the lines given; or the one line given; or nothing.
  void Expect(const std::vector<std::pair<std::string, TLines>>& cases) {
    for (const auto& [line, written] : cases)
      EXPECT_EQ(Run(line), written) << line;
  }
  void ExpectLine(const std::vector<std::pair<std::string, std::string>>& cases) {
    for (const auto& [line, written] : cases)
      EXPECT_EQ(Run(line), TLines{written}) << line;
  }
  void ExpectNothing(const TLines& lines) {
    for (const std::string& line : lines)
      EXPECT_EQ(Run(line), TLines{}) << line;
  }

  TLandscape& Land() { return Program.Landscape(); }
  TFormNotes& Notes() { return Program.FormNotes; }

  // Before the program, which writes into them as long as it lives.
  TWorkingFolder Folder;
  TFakeWindowSystem Windows;
  TLines Written;
  uint32_t Clock = 1000;
  TProgram Program;
};

// What a line run from the console writes: the separator, the echo, then its output indented.
inline TLines Echoed(const std::string& line, const TLines& output) {
  TLines lines = {"--------", ">" + line};
  for (const std::string& text : output)
    lines.push_back("  " + text);
  return lines;
}

}  // namespace orvane::console_test
