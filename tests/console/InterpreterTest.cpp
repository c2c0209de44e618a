#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"
#include "console/TextFiles.h"

namespace orvane::console_test {
namespace {

TEST(Interpreter, EchoesCommentsAndUnknownWords) {
  TConsoleSession session;
  EXPECT_EQ(session.Run("echo hi", false), Echoed("echo hi", {"hi"}));
  EXPECT_EQ(session.Run("", false), Echoed("", {}));
  EXPECT_EQ(session.Notes().Indent(), 0);
  // A help text stands in the log as it stands in its file.
  TWorkingFolder::Write("console_help/Help_Console.txt", {"  two blanks", "none"});
  EXPECT_EQ(session.Run("HELP", false), (TLines{"--------", ">HELP", "  two blanks", "none"}));
  session.ExpectNothing({"' quote", "rem", "REMOVE everything", "//"});
  session.ExpectLine({{"/", "Unknown Command: /"}, {"frob x", "Unknown Command: FROB"}});
}

TEST(Interpreter, WholeNumbersRoundHalfToEvenAndRefuseTheRest) {
  TConsoleSession session;
  const std::pair<const char*, int> rounded[] = {{"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"5e-1", 0}};
  for (const auto& [number, speed] : rounded) {
    session.Run(std::string("PREF S_GAMESPEED ") + number);
    EXPECT_EQ(session.Program.Settings.S_GameSpeed(), speed) << number;
  }
  // Past 32 bits, not a number, or missing: the command stops and the caller hears why.
  for (const char* line : {"PREF S_GAMESPEED 2147483648", "PREF S_GAMESPEED -2147483649",
                           "PREF S_GAMESPEED 1e999", "PREF S_GAMESPEED fast", "PREF S_GAMESPEED",
                           "PLAYER one", "GETH 1 2 x 4", "FONT SIZE 1e10"}) {
    EXPECT_NE(session.Failure(line), "") << line;
    EXPECT_EQ(session.Written, TLines{}) << line;
  }
  EXPECT_EQ(session.Program.Settings.S_GameSpeed(), 0);
  EXPECT_EQ(session.Failure("PREF S_GAMESPEED -2147483648.4"), "");
  // From the console the echo stays, and the closing step of the line is not reached.
  EXPECT_NE(session.Failure("PREF S_GAMESPEED x", false), "");
  EXPECT_EQ(session.Written, (TLines{"--------", ">PREF S_GAMESPEED x"}));
  EXPECT_EQ(session.Notes().Indent(), 1);
  EXPECT_EQ(session.Failure("RAISE trouble ahead"), "TROUBLE");
  EXPECT_EQ(session.Failure("raise"), "(no description given)");
}

TEST(Interpreter, HelpEchoTypeAndExit) {
  TConsoleSession session;
  for (const char* name : {"Console", "Commands", "CommandsDetail", "Perf", "Pref", "Player",
                           "Cheat", "KeyBindDefaults"})
    TWorkingFolder::Write(std::string("console_help/Help_") + name + ".txt", {name});
  TWorkingFolder::Write("notes.txt", {"alpha", "beta"});
  TWorkingFolder::Write("both.osc", {"from osc"});
  TWorkingFolder::Write("both.txt", {"from txt"});
  session.ExpectLine({{"HELP who", "Console"},        {"help d", "CommandsDetail"},
                      {"H Detail", "CommandsDetail"}, {"HELP C", "Commands"},
                      {"H COMMANDS", "Commands"},     {"HELP performance", "Perf"},
                      {"HELP PERF", "Perf"},          {"HELP EXECUTE", "Perf"},
                      {"HELP EXE", "Perf"},           {"HELP RUN", "Perf"},
                      {"HELP PREF", "Pref"},          {"HELP PREFERENCES", "Pref"},
                      {"HELP PL", "Player"},          {"HELP PLAYER", "Player"},
                      {"HELP CH", "Cheat"},           {"HELP CHEAT", "Cheat"},
                      {"KEYS", "KeyBindDefaults"},    {"ECHO one two", "one"},
                      {"! \"one two\"", "one two"},   {"TYPE both", "  from osc"},
                      {"TYPE both.txt", "  from txt"}});
  session.ExpectLine({{"TYPE nothing", "Could not show file 'nothing'; file not found."}});
  EXPECT_EQ(session.Run("TYPE notes"), (TLines{"  alpha", "  beta"}));
  EXPECT_EQ(session.Run("X"), TLines{});
  EXPECT_TRUE(session.Windows.MainWindowClosed);
  std::filesystem::remove("console_help/Help_Cheat.txt");
  EXPECT_EQ(session.Run("HELP CH"),
            TLines{"Could not show file 'console_help/Help_Cheat.txt'; file not found."});
  EXPECT_EQ(
      session.Run("TYPE notes", false),
      Echoed("TYPE notes", {"Showing file: \"notes.txt\"...", "  -------------", "  alpha",
                            "  beta", "  -------------", "Finished showing file \"notes.txt\"."}));
}

TEST(Interpreter, LogClearsAndSaves) {
  TConsoleSession session;
  TLines saved;
  session.Notes().WriteFile = [&](const std::string& path, const TLines& lines) {
    EXPECT_EQ(path, "my log.txt");
    saved = lines;
  };
  session.ExpectNothing({"LOG", "LOG RUBBISH x", "LOG SAVE"});
  EXPECT_EQ(session.Run("LOG S \"my log.txt\""),
            (TLines{"Saving to file: \"my log.txt\"...", "...OK."}));
  TLines before = session.Program.Log.GetLines();
  before.pop_back();
  EXPECT_EQ(saved, before);  // the line saying so included

  session.Notes().WriteFile = WriteTextFileReplacing;
  session.Run("LOG SAVE saved.txt");
  EXPECT_EQ(ReadTextLines("saved.txt").value().back(), "Saving to file: \"saved.txt\"...");
  EXPECT_NE(session.Failure("LOG SAVE no/folder.txt"), "");
  EXPECT_EQ(session.Written, TLines{"Saving to file: \"no/folder.txt\"..."});

  for (const char* line : {"LOG CLEAR", "log c", "CLS"}) {
    session.Run("ECHO gone");
    session.Run(line);
    EXPECT_EQ(session.Program.Log.GetLines(), TLines{}) << line;
  }
}

TEST(Interpreter, FontAndPerf) {
  TConsoleSession session;
  TForm1& form = session.Program.Form1;
  form.NoSleep = true;  // as the window leaves it when it opens
  const TLines usage = {"Current font name: Lucida Console, Size: 7",
                        "FONT NAME <name> to set name.",
                        "FONT SIZE <size> to set size. (3 or above)"};
  const std::string unknown = "\". Use Command PERF to see options.";
  session.Expect(
      {{"FONT", usage},
       {"FONT SIZE 2", usage},
       {"FONT S big", usage},
       {"FONT COLOUR 9", usage},
       {"FONT S 2.6", {}},
       {"PERF SLEEP", {"SLEEP: OFF."}},
       {"PERF SLEEP ON",
        {"SLEEP set to ON.",
         "This saves power (processor time), but might result in a poorer gaming experience."}},
       {"PERF SLEEP maybe", {"SLEEP: ON."}},
       {"PERF MAXFPS 3", {}},
       {"PERF SLEEP 0",
        {"SLEEP set to OFF.", "This uses more processor time for a better gaming experience."}},
       {"PERF MAXFPS 60", {"Max FPS (frames per second) set to 60"}},
       {"PERF MAXFPS 3", {"Max FPS (frames per second) :60"}},
       {"PERF MAXFPS 3.4", {"Max FPS (frames per second) set to 60"}},
       {"PERF AA ", {"Antialiasing: Default"}},
       {"PERF AA  ", {"Unknown antialiasing: \"" + unknown}},
       {"PERF AA 8x", {"Unknown antialiasing: \"8X" + unknown}},
       {"PERF FPS", {"FPS: 60.0"}},
       {"PERF RES", {"Resolution: 541 x 353 pixels."}}});
  EXPECT_EQ(session.Notes().FontSize, 3);
  session.Run("FONT N \"Courier New\" 12");
  EXPECT_EQ(session.Notes().FontName, "Courier New");
  EXPECT_EQ(form.MaxFPS, 60);
  EXPECT_EQ(form.AntiAliasing, aaDefault);
  EXPECT_EQ(form.StatusBar.Label1Caption, "FPS: 60.0");
  const std::tuple<const char*, TAntiAliasing, const char*> modes[] = {
      {"none", aaNone, "None"},  {"2xHQ", aa2xHQ, "2x HQ"},         {"4x", aa4x, "4x"},
      {"4XHQ", aa4xHQ, "4x HQ"}, {"Default", aaDefault, "Default"}, {"2X", aa2x, "2x"}};
  for (const auto& [word, mode, name] : modes) {
    EXPECT_EQ(session.Run(std::string("PERF AA ") + word),
              TLines{std::string("Antialiasing set to ") + name});
    EXPECT_EQ(form.AntiAliasing, mode);
  }
  EXPECT_EQ(session.Run("PERFORMANCE", false),
            Echoed("PERFORMANCE", {"Resolution: 541 x 353 pixels.", "Antialiasing: 2x", "FPS: 60.0",
                                   "Max FPS (frames per second) :60"}));
  EXPECT_EQ(session.Windows.FramesMeasured, 2);
}

TEST(Interpreter, NewMakesALandscapeFromTheSettings) {
  TConsoleSession session;
  const auto heights = [&session] {
    std::vector<float> all;
    for (int z = 0; z < session.Land().GridSize; ++z)
      for (int x = 0; x < session.Land().GridSize; ++x)
        all.push_back(session.Land().PointHeight(x, z));
    return all;
  };
  const TEditControl& box = session.Program.DlgNewGame.E_S_LandscapeNumber;
  const std::string firstNumber = box.Text;
  const std::vector<float> first = heights();
  // (Without sound the sound animations stopped are reported first.)
  EXPECT_EQ(session.Run("NEW").back(),
            "Could not run script file 'script/DefaultStartGame.osc'; file not found.");
  EXPECT_EQ(session.Windows.NextGameClosed, 1);
  EXPECT_NE(box.Text, firstNumber);
  // A fixed number makes its own landscape every time.
  session.Run("PREF S_LANDSCAPERANDOM OFF");
  session.Run("PREF S_LANDSCAPENUMBER " + firstNumber);
  TWorkingFolder::Write("script/DefaultStartGame.osc", {"ECHO started"});
  EXPECT_EQ(session.Run("new").back(), "started");
  EXPECT_EQ(heights(), first);
  EXPECT_EQ(box.Text, firstNumber);
}

TEST(ConsoleWindow, HistoryIndentAndTheKeysThatShowAndHideIt) {
  TConsoleSession session;
  TFormNotes& notes = session.Notes();
  for (int n = 1; n <= 300; ++n) {
    notes.CommandText = "REM " + std::to_string(n);
    notes.BtnGoClick();
  }
  notes.BtnGoClick();  // an empty line too
  EXPECT_EQ(notes.CommandText, "");
  notes.BtnClearClick();
  EXPECT_EQ(session.Program.Log.GetLines(), TLines{});
  ASSERT_EQ(notes.History().size(), 255u);
  EXPECT_EQ(notes.History()[0], "");
  EXPECT_EQ(notes.History()[1], "REM 300");
  EXPECT_EQ(notes.History()[254], "REM 47");

  const std::pair<int, std::string> indents[] = {{3, "      x"}, {1, "  x"}, {0, "x"}, {-2, "x"}};
  for (const auto& [indent, line] : indents) {
    session.Program.Log.Indent = indent;
    EXPECT_EQ(session.Run("ECHO x"), TLines{line}) << indent;
  }

  // F9, Tab and F15 in the main window; F9 and Esc in the console, other keys nothing there.
  TForm1& form = session.Program.Form1;
  const std::tuple<bool, int, bool> keys[] = {
      {false, 9, true},  {false, 120, false}, {false, 126, true}, {true, 65, true},
      {true, 27, false}, {false, 120, true},  {true, 120, false}, {false, 9, true}};
  for (const auto& [inConsole, key, visible] : keys) {
    (inConsole ? notes.FormKeyDown(key) : form.FormKeyDown(key));
    EXPECT_EQ(notes.Visible, visible) << key;
    EXPECT_EQ(form.ConsoleVisible, visible) << key;
  }
  form.SetConsole(nullptr);
  form.FormKeyDown(126);
  EXPECT_EQ(session.Windows.ErrorBoxes, TLines{"Error 0012: Console not available."});
}

}  // namespace
}  // namespace orvane::console_test
