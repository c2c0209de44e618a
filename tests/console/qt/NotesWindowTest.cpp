// The console window beside the main window on a real (virtual) display, driven by real key
// presses, typing and clicks (xdotool) and read off the screen.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <gtest/gtest.h>

#include <xcb/xcb.h>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include "GuiWaiting.h"
#include "scene/qt/ScreenPixels.h"

#include "console/qt/LogView.h"
#include "console/qt/NotesWindow.h"
#include "frontend/Program.h"
#include "frontend/qt/Application.h"
#include "frontend/qt/MainWindow.h"
#include "scene/qt/SceneViewerWidget.h"

namespace orvane {
namespace {

using test::WaitFor;

void Xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << arguments.join(' ').toStdString();
}

// What a window manager sends when the close box is clicked (there is none under Xvfb).
void ClickCloseBox(QWidget& window) {
  xcb_connection_t* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  auto atom = [x](const char* name) {
    auto* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t id = reply->atom;
    std::free(reply);
    return id;
  };
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window.winId());
  message.type = atom("WM_PROTOCOLS");
  message.data.data32[0] = atom("WM_DELETE_WINDOW");
  xcb_send_event(x, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(x);
}

class NotesWindow : public ::testing::Test {
 protected:
  NotesWindow() {
    Application().SetExceptionHandler(
        [this](const std::string& message) { Program.Form1.HandleException(message); });
    // A still landscape without hints, so that the view shows the same picture all along.
    Program.Settings.ChooseLandscape(4242, 0);
    Program.Settings.gs_H_ShowHints(false);
    Program.Form1.Game->Init();
    Program.Form1.Simulation->ProgressAnimations(2.5);
    Program.Form1.Look.FieldOfView = Program.Form1.Look.TargetFieldOfView = 135.0f;
    Program.Scene.GLSceneViewer1.SetFieldOfView(135.0f);
    Main.move(0, 0);
    Main.show();
    EXPECT_TRUE(WaitFor([&] { return Main.Viewer().FramesDrawn() > 2; }));
  }
  ~NotesWindow() override { Application().SetExceptionHandler(nullptr); }

  static TApplication& Application() { return *static_cast<TApplication*>(qApp); }

  void ShowConsole() {
    Main.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return Main.isActiveWindow(); }));
    Xdotool({"key", "F9"});
    ASSERT_TRUE(WaitFor([&] { return Notes.isActiveWindow(); }));
  }
  void Click(QWidget& widget) {
    const QPoint middle = widget.mapToGlobal(widget.rect().center());
    Xdotool({"mousemove", "--sync", QString::number(middle.x()), QString::number(middle.y()),
             "click", "1"});
  }
  void Type(const QString& line) {
    Xdotool({"type", "--delay", "5", line});
    Xdotool({"key", "Return"});
  }

  // Whether the screen shows, where the console's log lies over the main window's view, what
  // the one or the other draws there.
  bool ScreenShows(QWidget& widget, const QImage& drawn) {
    QWidget& view = Main.Viewer();
    QRect shared(Log().mapToGlobal(QPoint(0, 0)), Log().size());
    shared &= QRect(view.mapToGlobal(QPoint(0, 0)), view.size());
    const QRect area(widget.mapFromGlobal(shared.topLeft()), shared.size());
    const QImage screen = test::GrabScreen(widget, area);
    const QImage expected = drawn.convertToFormat(QImage::Format_RGB32).copy(area);
    int differing = 0;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        differing += test::ChannelDistance(screen.pixelColor(x, y), expected.pixelColor(x, y)) > 8;
    return shared.width() > 100 && shared.height() > 100 && differing < area.width() * 2;
  }
  bool ScreenShowsTheConsole() { return ScreenShows(Log(), Log().grab().toImage()); }
  bool ScreenShowsTheMainWindow() { return ScreenShows(Main.Viewer(), Main.Viewer().Snapshot()); }

  QPlainTextEdit& Log() { return Notes.LogView(); }
  QComboBox& CommandLine() { return Notes.CommandLine(); }

  TProgram Program;
  TNotesWindow Notes{Program.FormNotes};
  TMainWindow Main{Program};
};

// F9 in the main window shows the console over it; F9 or Esc in the console's command line, or
// its close box, hides it, and the main window knows: its next F9 shows the console again.
TEST_F(NotesWindow, ShownByF9AndHiddenByF9EscOrTheCloseBox) {
  ASSERT_TRUE(WaitFor([&] { return ScreenShowsTheMainWindow(); }));
  for (const char* key : {"F9", "Escape", "close box"}) {
    ShowConsole();
    EXPECT_TRUE(WaitFor([&] { return ScreenShowsTheConsole(); })) << key;
    EXPECT_EQ(QApplication::focusWidget(), &CommandLine()) << key;
    if (std::strcmp(key, "close box") == 0)
      ClickCloseBox(Notes);
    else
      Xdotool({"key", key});
    EXPECT_TRUE(WaitFor([&] { return ScreenShowsTheMainWindow(); })) << key;
  }
  ShowConsole();
  EXPECT_TRUE(WaitFor([&] { return ScreenShowsTheConsole(); })) << "after the close box";
}

// Enter runs the line as Go does: echoed into the log, the command line emptied, the line first
// in the drop-down history. Clear empties the log's view, and only that: the history stays, and
// new lines start at the top. A failing line reaches the program's handler and stays to be mended.
TEST_F(NotesWindow, EnterRunsTheCommandLineAndClearEmptiesOnlyTheLog) {
  ShowConsole();
  Type("echo hello");
  ASSERT_TRUE(WaitFor([&] { return Program.Log.Contains("  hello"); }));
  EXPECT_TRUE(Log().toPlainText().endsWith("\n--------\n>echo hello\n  hello"));
  EXPECT_EQ(CommandLine().currentText(), "");
  ASSERT_EQ(CommandLine().count(), 1) << "only the logic adds to the history";
  EXPECT_EQ(CommandLine().itemText(0), "echo hello");

  Click(Notes.ClearButton());
  QWidget& paper = *Log().viewport();
  const int area = paper.width() * paper.height();
  EXPECT_TRUE(WaitFor([&] {
    return test::PixelsNear(test::GrabScreen(paper, paper.rect()), paper.palette().base().color(),
                            0) == area;
  }));
  EXPECT_EQ(CommandLine().count(), 1);
  Click(CommandLine());
  Type("echo again");
  ASSERT_TRUE(WaitFor([&] { return Program.Log.Contains("  again"); }));
  EXPECT_EQ(Log().toPlainText(), "--------\n>echo again\n  again");

  Type("raise boom");
  ASSERT_TRUE(WaitFor([&] { return Program.Log.Contains("  Unexpected Exception: BOOM"); }));
  EXPECT_EQ(Program.Log.CountLinesStartingWith("  Unexpected Exception: "), 1);
  EXPECT_EQ(CommandLine().currentText(), "raise boom");
  ASSERT_EQ(CommandLine().count(), 3);
  EXPECT_EQ(CommandLine().itemText(0), "raise boom");
}

// A command that writes more lines than the log shows leaves its last line in view, even when the
// reader had gone back to the top.
TEST_F(NotesWindow, TheLogShowsTheLastLineOfACommand) {
  const char* const path = "/tmp/orvane_console_lines.txt";
  std::ofstream file(path);
  for (int i = 1; i <= 200; ++i)
    file << "line " << i << '\n';
  file.close();
  ShowConsole();
  QScrollBar& bar = *Log().verticalScrollBar();
  for (int run = 1; run <= 2; ++run) {
    bar.setValue(0);
    const QImage before = test::GrabScreen(Log(), Log().rect());
    Type(QString("type ") + path);
    ASSERT_TRUE(WaitFor([&] { return Program.Log.CountLinesStartingWith("    line 200") == run; }));
    EXPECT_GT(bar.maximum(), 150 * run);
    EXPECT_EQ(bar.value(), bar.maximum()) << run;
    const QString last = QString::fromStdString(Program.Log.GetLines().back());
    const int lastLineStart = Log().document()->characterCount() - 1 - last.size();
    const QPoint bottom(8, Log().viewport()->height() - 6);
    EXPECT_GE(Log().cursorForPosition(bottom).position(), lastLineStart) << run;
    EXPECT_TRUE(WaitFor([&] { return ScreenShowsTheConsole(); })) << run;
    EXPECT_NE(test::GrabScreen(Log(), Log().rect()), before) << run;
  }
  std::remove(path);
}

}  // namespace
}  // namespace orvane
