#pragma once

#include <memory>
#include <string>

#include <QStringList>
#include <QWidget>

#include "console/FormNotes.h"

class QComboBox;
class QPushButton;
class QTimer;

namespace orvane {

class TLogView;

// The console window as the window system shows it: the log above, the command line with its
// history and the Go and Clear buttons below. Hidden, not destroyed, when closed; it lives as
// long as the program. New log lines are queued and shown together, at the end of the text.
class TNotesWindow : public QWidget, public TNotesView {
 public:
  static constexpr int DesignLeft = 97;
  static constexpr int DesignTop = 133;
  static constexpr int DesignWidth = 552;
  static constexpr int DesignHeight = 470;
  // Fonts beyond this are a typing slip: the view keeps to it.
  static constexpr int LargestFontPoints = 200;

  explicit TNotesWindow(TFormNotes& notes);
  ~TNotesWindow() override;
  TNotesWindow(const TNotesWindow&) = delete;
  TNotesWindow& operator=(const TNotesWindow&) = delete;

  // ---- the window, for the console's logic
  void ShowWindow() override;
  void HideWindow() override;
  void ScrollToEnd() override;
  void FontChanged() override;

  // Every queued line of the log into the view at once.
  void ShowQueuedLines();

  QComboBox& CommandLine() { return *cb_Command; }
  TLogView& LogView() { return *Memo; }
  QPushButton& GoButton() { return *BtnGo; }
  QPushButton& ClearButton() { return *BtnClear; }

 protected:
  // Key preview: F9 and Esc reach the logic wherever the focus is; Enter runs the command line.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceControls();
  void RunCommandLine();
  // The command line's text and its drop-down history as the logic holds them.
  void ShowCommandLine();
  void QueueLine(const std::string& line);
  void EmptyView();

  TFormNotes& Notes;
  TLogView* Memo;
  QComboBox* cb_Command;
  QPushButton* BtnGo;
  QPushButton* BtnClear;
  QTimer* LineFlush;
  QStringList QueuedLines;
  // The log keeps its listeners for good: they reach the window through this while it lives.
  std::shared_ptr<TNotesWindow*> Self;
};

}  // namespace orvane
