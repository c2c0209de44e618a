#include "console/FormNotes.h"

#include "console/ConsoleHost.h"
#include "console/Interpreter.h"
#include "console/Log.h"
#include "console/TextFiles.h"

namespace orvane {

namespace {
constexpr int KeyEscape = 27;
constexpr int KeyF9 = 120;
}  // namespace

TFormNotes::TFormNotes(TLog& log, TConsoleHost& host, TGameSettings& settings, TRandom& random)
    : NotesMemo(log),
      Host(host),
      Interpreter(std::make_unique<TInterpreter>(*this, host, settings, random)) {
  WriteFile = WriteTextFileReplacing;
  NotesMemo.Indent = 0;
  Command.Clear();
}

TFormNotes::~TFormNotes() = default;

void TFormNotes::Log(const std::string& text) {
  NotesMemo.Log(text);
}

void TFormNotes::IndentIn() {
  NotesMemo.IndentIn();
}

void TFormNotes::IndentOut() {
  NotesMemo.IndentOut();
}

int TFormNotes::Indent() const {
  return NotesMemo.Indent;
}

void TFormNotes::ShowFile(const std::string& path) {
  const auto lines = ReadTextLines(path);
  if (!lines) {
    Log("Could not show file '" + path + "'; file not found.");
    return;
  }
  // As they stand in the file: no indentation.
  const int indent = NotesMemo.Indent;
  NotesMemo.Indent = 0;
  for (const std::string& line : *lines)
    NotesMemo.Log(line);
  NotesMemo.Indent = indent;
}

void TFormNotes::ClearLog() {
  NotesMemo.Clear();
}

void TFormNotes::ScrollToEnd() {
  if (View) View->ScrollToEnd();
}

void TFormNotes::AddToHistory(const std::string& line) {
  HistoryLines.push_front(line);
  while (HistoryLines.size() > MaxHistory)
    HistoryLines.pop_back();
}

void TFormNotes::ExecuteCommand(const std::string& line, bool silent) {
  Interpreter->ExecuteCommand(line, silent);
}

void TFormNotes::Show() {
  Visible = true;
  if (View) View->ShowWindow();
}

void TFormNotes::Hide() {
  Visible = false;
  if (View) View->HideWindow();
  Host.ConsoleHidden();
}

void TFormNotes::BtnGoClick() {
  const std::string line = CommandText;
  AddToHistory(line);
  ExecuteCommand(line, false);
  // A line that failed stays, to be mended.
  CommandText.clear();
}

void TFormNotes::FormKeyDown(int key) {
  if (key == KeyF9 || key == KeyEscape) Hide();
}

void TFormNotes::SetFontName(const std::string& name) {
  FontName = name;
  if (View) View->FontChanged();
}

void TFormNotes::SetFontSize(int points) {
  FontSize = points;
  if (View) View->FontChanged();
}

}  // namespace orvane
