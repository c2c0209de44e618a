// The commands that work on the console itself: help, files, the log and its font.

#include "console/ConsoleHost.h"
#include "console/FormNotes.h"
#include "console/Interpreter.h"
#include "console/Log.h"
#include "console/TextFiles.h"

namespace orvane {

namespace {

constexpr const char* FileRule = "-------------";

std::string HelpFile(const std::string& topic) {
  if (topic == "DETAIL" || topic == "D") return "console_help/Help_CommandsDetail.txt";
  if (topic == "COMMANDS" || topic == "C") return "console_help/Help_Commands.txt";
  if (topic == "PERFORMANCE" || topic == "PERF" || topic == "EXECUTE" || topic == "EXE" ||
      topic == "RUN")
    return "console_help/Help_Perf.txt";
  if (topic == "PREFERENCES" || topic == "PREF") return "console_help/Help_Pref.txt";
  if (topic == "PLAYER" || topic == "PL") return "console_help/Help_Player.txt";
  if (topic == "CHEAT" || topic == "CH") return "console_help/Help_Cheat.txt";
  return "console_help/Help_Console.txt";
}

}  // namespace

void TInterpreter::Raise(bool) {
  const std::string message = UpperArg(1);
  throw TCommandError(message.empty() ? "(no description given)" : message);
}

void TInterpreter::Help(bool) {
  Notes.ShowFile(HelpFile(UpperArg(1)));
}

void TInterpreter::Keys(bool) {
  Notes.ShowFile("console_help/Help_KeyBindDefaults.txt");
}

void TInterpreter::Type(bool silent) {
  const std::string name = CompleteFileName(Arg(1));
  const auto lines = ReadTextLines(name);
  if (!lines) {
    Notes.Log("Could not show file '" + name + "'; file not found.");
    return;
  }
  if (!silent) Notes.Log("Showing file: \"" + name + "\"...");
  Notes.IndentIn();
  if (!silent) Notes.Log(FileRule);
  for (const std::string& line : *lines)
    Notes.Log(line);
  if (!silent) Notes.Log(FileRule);
  Notes.IndentOut();
  if (!silent) Notes.Log("Finished showing file \"" + name + "\".");
}

void TInterpreter::Exit(bool) {
  if (WindowThere("EXIT")) Host.CloseMainWindow();
}

void TInterpreter::Cls(bool) {
  Notes.ClearLog();
}

void TInterpreter::Echo(bool) {
  Notes.Log(Arg(1));
}

void TInterpreter::LogCommand(bool) {
  const std::string sub = UpperArg(1);
  if (sub == "CLEAR" || sub == "C") {
    Notes.ClearLog();
  } else if ((sub == "SAVE" || sub == "S") && !Arg(2).empty()) {
    const std::string path = Arg(2);
    Notes.Log("Saving to file: \"" + path + "\"...");
    Notes.WriteFile(path, Notes.Notes().GetLines());
    Notes.Log("...OK.");
  }
}

void TInterpreter::Font(bool) {
  if (!WindowThere("FONT")) return;
  const std::string sub = UpperArg(1);
  if ((sub == "SIZE" || sub == "S") && NumberArg(2) > 2) {
    Notes.SetFontSize(WholeArg(2));
  } else if (sub == "NAME" || sub == "N") {
    Notes.SetFontName(Arg(2));
  } else {
    Notes.Log("Current font name: " + Notes.FontName + ", Size: " + std::to_string(Notes.FontSize));
    Notes.Log("FONT NAME <name> to set name.");
    Notes.Log("FONT SIZE <size> to set size. (3 or above)");
  }
}

}  // namespace orvane
