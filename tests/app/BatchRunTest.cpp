#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"

namespace orvane::console_test {
namespace {

// `orvane --run SCRIPT` in a folder of its own: 0 when every line ran, 1 when one failed (the
// others run all the same), 2 without the file.
TEST(BatchRun, TheProgramSaysHowTheScriptWent) {
  TWorkingFolder folder;
  TWorkingFolder::Write("fine.osc", {"ECHO fine"});
  TWorkingFolder::Write("fails.osc", {"PREF S_GAMESPEED fast", "ECHO \"went on\""});
  const std::tuple<const char*, int, const char*> runs[] = {
      {"fine.osc", 0, "  fine"}, {"fails.osc", 1, "    went on"}, {"none.osc", 2, nullptr}};
  for (const auto& [script, status, printed] : runs) {
    const int ended = std::system(
        (std::string(ORVANE_BINARY) + " --run " + script + " >out.txt 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(ended) && WEXITSTATUS(ended) == status) << script;
    const TLines out = ReadTextLines("out.txt").value_or(TLines{});
    EXPECT_TRUE(printed ? std::find(out.begin(), out.end(), printed) != out.end() : out.empty())
        << script;
  }
}

}  // namespace
}  // namespace orvane::console_test
