#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"

namespace orvane::console_test {
namespace {

// `orvane --run SCRIPT` in a folder of its own: 0 when every line ran, 1 when one failed (the
// others run all the same, at the indentation it left, and a failure is logged), 2 without the
// file.
TEST(BatchRun, TheProgramSaysHowTheScriptWent) {
  TWorkingFolder folder;
  TWorkingFolder::Write("fine.osc", {"ECHO fine"});
  TWorkingFolder::Write("fails.osc", {"PREF S_GAMESPEED fast", "RAISE \"went on\""});
  const std::tuple<const char*, int, const char*> runs[] = {
      {"fine.osc", 0, "  fine"},
      {"fails.osc", 1, "    Unexpected Exception: WENT ON"},
      {"none.osc", 2, nullptr}};
  for (const auto& [script, status, printed] : runs) {
    const int ended = std::system(
        (std::string(ORVANE_BINARY) + " --run " + script + " >out.txt 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(ended) && WEXITSTATUS(ended) == status) << script;
    const TLines out = ReadTextLines("out.txt").value_or(TLines{});
    EXPECT_TRUE(printed ? std::find(out.begin(), out.end(), printed) != out.end() : out.empty())
        << script;
  }
}

// The help the game ships: every topic and the key list are there, every command is explained
// with its aliases, and the game-start script runs without a word.
TEST(BatchRun, TheShippedHelpCoversEveryCommand) {
  TWorkingFolder folder;
  TWorkingFolder::Write("help.osc", {"help", "help d", "help c", "help perf", "help pref",
                                     "help pl", "help ch", "keys", "run DefaultStartGame"});
  const std::string script = std::filesystem::absolute("help.osc").string();
  const std::string out = std::filesystem::absolute("out.txt").string();
  const int ended = std::system(("cd " ORVANE_SOURCE_DIR " && " ORVANE_BINARY " --run " + script +
                                 " >" + out + " 2>/dev/null")
                                    .c_str());
  ASSERT_TRUE(WIFEXITED(ended) && WEXITSTATUS(ended) == 0);
  const TLines lines = ReadTextLines(out).value_or(TLines{});
  std::string text;
  for (const std::string& line : lines) {
    const std::string said = line.substr(std::min(line.find_first_not_of(' '), line.size()));
    EXPECT_FALSE(said.starts_with("Could not show file") ||
                 said.starts_with("Could not run script file 'script/DefaultStartGame"))
        << line;
    text += line + '\n';
  }
  EXPECT_GT(lines.size(), 400u);
  for (const char* word : {"RAISE",       "HELP",
                           "EXECUTE",     "EXE",
                           "RUN",         "TYPE",
                           "EXIT",        "CLS",
                           "ECHO",        "LOG",
                           "FONT",        "KEYS",
                           "SPECIAL",     "SP ",
                           "NEW",         "CHEAT",
                           "CH ",         "PLAYER",
                           "PL ",         "ALLOC",
                           "ALLOCATION",  "ANIM",
                           "ANIMATIONS",  "LAND",
                           "LANDSCAPE",   "PREF",
                           "PREFERENCES", "PERF",
                           "PERFORMANCE", "LEAVE",
                           "GETH",        "MAXFPS",
                           "2XHQ",        "S_LANDSCAPERANDOM",
                           "H_SHOWHINTS", "F15"})
    EXPECT_NE(text.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace orvane::console_test
