// What scripts started from one console line may do at most: a script that runs itself twice
// stops after so many runs, and a long one after so many lines, however many runs that is.

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "frontend/Program.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Scripts are read from script/ in the current folder: the test stands in a fresh one.
class ScriptBudget : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string folder = (fs::temp_directory_path() / "orvane-scripts-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    Folder = folder;
    Home = fs::current_path();
    fs::current_path(Folder);
    fs::create_directory("script");
  }
  void TearDown() override {
    fs::current_path(Home);
    fs::remove_all(Folder);
  }
  static void WriteScript(const std::string& name, const std::string& text) {
    std::ofstream("script/" + name, std::ios::binary) << text;
  }

  fs::path Folder;
  fs::path Home;
};

TEST_F(ScriptBudget, AScriptThatRunsItselfTwiceStopsAfterTenThousandRuns) {
  WriteScript("twice.osc", "run twice\nrun twice\n");
  TProgram program;
  program.FormNotes.ExecuteCommand("run twice", true);
  EXPECT_TRUE(
      program.Log.Contains("Scripts stopped: more than 10000 scripts started from one line."));
  EXPECT_EQ(program.Log.CountLinesStartingWith("Scripts stopped"), 1);
}

TEST_F(ScriptBudget, ALongScriptThatRunsItselfTwiceStopsAfterAHundredThousandLines) {
  std::string text = "run long\nrun long\n";
  for (int i = 0; i < 1000; ++i)
    text += "nothing\n";
  WriteScript("long.osc", text);
  TProgram program;
  program.FormNotes.ExecuteCommand("run long", true);
  EXPECT_TRUE(
      program.Log.Contains("Scripts stopped: more than 100000 script lines run from one line."));
  EXPECT_EQ(program.Log.CountLinesStartingWith("Scripts stopped"), 1);
  EXPECT_LT(program.Log.CountLinesStartingWith("Unknown Command: NOTHING"), 100000);
  // The next line starts afresh.
  program.Log.Clear();
  program.FormNotes.ExecuteCommand("run long", true);
  EXPECT_EQ(program.Log.CountLinesStartingWith("Scripts stopped"), 1);
}

}  // namespace
}  // namespace orvane
