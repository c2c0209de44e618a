#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/Interpreter.h"

namespace orvane::console_test {
namespace {

int Count(const TLines& lines, const std::string& line) {
  return int(std::count(lines.begin(), lines.end(), line));
}

TEST(Scripts, NamesBannersEchoesAndTheDebugMode) {
  TConsoleSession session;
  TWorkingFolder::Write("script/a.osc", {"ECHO a.osc"});
  TWorkingFolder::Write("script/a.txt", {"ECHO a.txt"});
  TWorkingFolder::Write("script/b.txt", {"ECHO b.txt"});
  TWorkingFolder::Write("script/three.osc", {"ECHO one", "REM two", "ECHO three"});
  const std::string missing = "Could not run script file 'script/c'; file not found.";
  const TLines echoes = {"--------", ">ECHO one", "  one",       "--------",
                         ">REM two", "--------",  ">ECHO three", "  three"};
  session.Expect({{"RUN a", {"a.osc"}},
                  {"EXE a.txt", {"a.txt"}},
                  {"execute b", {"b.txt"}},
                  {"RUN c", {missing}},
                  {"RUN three", {"one", "three"}},
                  {"RUN three x", {"one", "three"}},
                  {"RUN three D", echoes},
                  {"run three.osc debug", echoes}});
  EXPECT_EQ(session.Run("RUN c", false), Echoed("RUN c", {missing}));
  TLines fromConsole = {"Executing script \"script/three.osc\"...", "  -------------"};
  for (const std::string& line : echoes)
    fromConsole.push_back("  " + line);
  fromConsole.push_back("  -------------");
  fromConsole.push_back("Finished script \"script/three.osc\".");
  EXPECT_EQ(session.Run("RUN three", false), Echoed("RUN three", fromConsole));
  EXPECT_EQ(session.Notes().Indent(), 0);
}

TEST(Scripts, NestedScriptsAndAFailingLine) {
  TConsoleSession session;
  TWorkingFolder::Write("script/outer.osc", {"ECHO out1", "RUN inner", "ECHO out2"});
  TWorkingFolder::Write("script/inner.osc", {"ECHO in"});
  EXPECT_EQ(session.Run("RUN outer"), (TLines{"out1", "in", "out2"}));
  // The outer script's name is kept while the inner one runs.
  EXPECT_EQ(session.Run("RUN outer", false).back(), "  Finished script \"script/outer.osc\".");

  TWorkingFolder::Write("script/fails.osc", {"ECHO before", "PREF S_GAMESPEED x", "ECHO after"});
  TWorkingFolder::Write("script/calls.osc", {"RUN fails", "ECHO not reached"});
  EXPECT_NE(session.Failure("RUN calls"), "");
  EXPECT_EQ(session.Written, TLines{"before"});
  EXPECT_NE(session.Failure("RUN fails", false), "");
  EXPECT_EQ(Count(session.Written, "    -------------"), 1);  // no closing lines
  EXPECT_EQ(session.Written.back(), "    >PREF S_GAMESPEED x");
}

// Scripts that failed no longer count as running: the nesting that follows goes 32 deep.
TEST(Scripts, ScriptsThatRunThemselvesEnd) {
  TConsoleSession session;
  TWorkingFolder::Write("script/fails.osc", {"PREF S_GAMESPEED x"});
  TWorkingFolder::Write("script/calls.osc", {"RUN fails"});
  EXPECT_NE(session.Failure("RUN calls"), "");
  session.Program.Log.Indent = 0;
  TWorkingFolder::Write("script/ping.osc", {"ECHO ping", "RUN pong", "ECHO \"ping done\""});
  TWorkingFolder::Write("script/pong.osc", {"RUN ping", "ECHO \"pong done\""});
  TLines written = session.Run("RUN ping");
  EXPECT_EQ(written.size(), 16u + 1 + 16 + 16);
  EXPECT_EQ(written[16],
            "Script \"script/ping.osc\" not run: scripts nest too deeply (32 running).");
  EXPECT_EQ(Count(written, "ping done"), 16);
  EXPECT_EQ(Count(written, "pong done"), 16);

  // Twice at every level would take 2^32 runs; the budget of one line stops it.
  TWorkingFolder::Write("script/twice.osc", {"RUN twice", "RUN twice", "ECHO end"});
  written = session.Run("RUN twice");
  EXPECT_EQ(Count(written, "Scripts stopped: more than 1000 scripts started from one line."), 1);
  EXPECT_EQ(written.back(), "Scripts stopped: more than 1000 scripts started from one line.");
  // The next line has a budget of its own.
  EXPECT_EQ(session.Run("RUN ping").size(), 49u);

  // A long script that runs itself twice stops on the lines it ran, well before 1000 runs.
  TLines text = {"RUN long", "RUN long"};
  text.resize(1002, "nothing");
  TWorkingFolder::Write("script/long.osc", text);
  written = session.Run("RUN long");
  EXPECT_EQ(written.back(), "Scripts stopped: more than 100000 script lines run from one line.");
  const int nothing = Count(written, "Unknown Command: NOTHING");
  EXPECT_TRUE(nothing > 99000 && nothing < 100000) << nothing;
}

}  // namespace
}  // namespace orvane::console_test
