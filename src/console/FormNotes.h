#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "console/Command.h"
#include "console/Console.h"

namespace orvane {

class TLog;
class TConsoleHost;
class TGameSettings;
class TRandom;
class TInterpreter;

// What the console's window does for its logic: the log's lines reach it from the log itself.
class TNotesView {
 public:
  virtual ~TNotesView() = default;
  // Shown and brought to the front, or hidden.
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  // The log's newest line comes into view.
  virtual void ScrollToEnd() = 0;
  virtual void FontChanged() = 0;
};

// The console window: the program's running log, a command line with its history, and the
// interpreter that runs the lines. It lives as long as the program, shown or hidden.
class TFormNotes : public TConsole {
 public:
  static constexpr int MaxHistory = 255;
  static constexpr const char* Caption = "Orvane - Command Console";

  TFormNotes(TLog& log, TConsoleHost& host, TGameSettings& settings, TRandom& random);
  ~TFormNotes() override;
  TFormNotes(const TFormNotes&) = delete;
  TFormNotes& operator=(const TFormNotes&) = delete;

  // The window that shows the console; null while there is none.
  void SetView(TNotesView* view) { View = view; }

  // ---- the log
  void Log(const std::string& text);
  void IndentIn();
  void IndentOut();
  int Indent() const;
  // Every line of the file into the log as it stands, or one line saying it is not there.
  void ShowFile(const std::string& path);
  void ClearLog();
  // The log's caret to the end of its text, so the newest line is in view.
  void ScrollToEnd();
  TLog& Notes() { return NotesMemo; }

  // ---- the command line and its history, newest first
  std::string CommandText;  // cb_Command's text
  const std::deque<std::string>& History() const { return HistoryLines; }
  void AddToHistory(const std::string& line);

  // ---- the interpreter; the parsed line is shared by every line, nested ones included
  void ExecuteCommand(const std::string& line, bool silent) override;
  TCommand Command;

  // ---- the window
  bool Visible = false;
  void Show() override;
  void Hide() override;
  // Go, and Enter in the command line: the line is run, echoed, and the command line emptied.
  void BtnGoClick();
  void BtnClearClick() { ClearLog(); }
  // Keys anywhere in the window: F9 and Esc hide it.
  void FormKeyDown(int key);
  // The close box.
  void FormClose() { Hide(); }

  // How LOG SAVE writes a file: a new file renamed over the old one, or a stand-in.
  std::function<void(const std::string& path, const std::vector<std::string>& lines)> WriteFile;

  // ---- the log's font
  std::string FontName = "Lucida Console";
  int FontSize = 7;  // points: 9 pixels high at 96 dots per inch
  void SetFontName(const std::string& name);
  void SetFontSize(int points);

 private:
  TLog& NotesMemo;
  TConsoleHost& Host;
  TNotesView* View = nullptr;
  std::deque<std::string> HistoryLines;
  std::unique_ptr<TInterpreter> Interpreter;
};

}  // namespace orvane
