#include "console/qt/NotesWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "console/Log.h"
#include "console/qt/LogView.h"
#include "frontend/qt/VirtualKeys.h"

namespace orvane {

namespace {

// The layout, in logical pixels: the log inside a border, over a bar along the bottom edge
// whose controls keep their distances from the window's right edge.
constexpr int Border = 4;
constexpr int BarHeight = 24;
constexpr int ControlHeight = 21;
constexpr int ControlTop = (BarHeight - ControlHeight) / 2;
constexpr int CommandWidth = 468;
constexpr int CommandRightMargin = TNotesWindow::DesignWidth - Border - CommandWidth;
constexpr int GoWidth = 25;
constexpr int ClearWidth = 37;
constexpr int ButtonGap = (CommandRightMargin - Border - GoWidth - ClearWidth) / 2;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QFont WindowFont() {
  if (!QFontDatabase::hasFamily("Tahoma"))
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  QFont font("Tahoma");
  font.setPixelSize(11);
  return font;
}

QFont LogFont(const std::string& family, int points) {
  QFont font = QFontDatabase::hasFamily(Text(family))
                   ? QFont(Text(family))
                   : QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(std::clamp(points, 1, TNotesWindow::LargestFontPoints));
  return font;
}

}  // namespace

TNotesWindow::TNotesWindow(TFormNotes& notes)
    : Notes(notes),
      Memo(new TLogView(this)),
      cb_Command(new QComboBox(this)),
      BtnGo(new QPushButton("Go", this)),
      BtnClear(new QPushButton("Clear", this)),
      LineFlush(new QTimer(this)),
      Self(std::make_shared<TNotesWindow*>(this)) {
  setWindowTitle(TFormNotes::Caption);
  setAttribute(Qt::WA_QuitOnClose, false);  // the main window's closing ends the program
  setFont(WindowFont());
  setMinimumSize(CommandRightMargin + 2 * Border + 40, BarHeight + 3 * Border + 20);

  Memo->setObjectName("Memo");
  Memo->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  Memo->setFont(LogFont(Notes.FontName, Notes.FontSize));

  cb_Command->setObjectName("cb_Command");
  cb_Command->setEditable(true);
  cb_Command->setInsertPolicy(QComboBox::NoInsert);  // the logic keeps the history
  cb_Command->setCompleter(nullptr);
  BtnGo->setObjectName("BtnGo");
  BtnClear->setObjectName("BtnClear");
  setTabOrder(cb_Command, BtnGo);
  setTabOrder(BtnGo, BtnClear);
  cb_Command->setFocus();

  // Thrown failures go on up, to the application's handler of them.
  connect(BtnGo, &QPushButton::clicked, this, [this] { RunCommandLine(); });
  connect(BtnClear, &QPushButton::clicked, this, [this] { Notes.BtnClearClick(); });

  LineFlush->setSingleShot(true);
  LineFlush->setInterval(0);
  connect(LineFlush, &QTimer::timeout, this, [this] { ShowQueuedLines(); });
  TLog& log = Notes.Notes();
  log.AddListener([self = Self](const std::string& line) {
    if (*self) (*self)->QueueLine(line);
  });
  log.AddClearListener([self = Self] {
    if (*self) (*self)->EmptyView();
  });
  for (const std::string& line : log.GetLines())
    QueuedLines.append(Text(line));
  ShowQueuedLines();
  ShowCommandLine();

  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>())
    child->installEventFilter(this);
  setGeometry(DesignLeft, DesignTop, DesignWidth, DesignHeight);
  PlaceControls();  // a hidden window hears of its size only when first shown
  Notes.SetView(this);
}

TNotesWindow::~TNotesWindow() {
  *Self = nullptr;
  Notes.SetView(nullptr);
}

void TNotesWindow::ShowWindow() {
  show();
  raise();
  activateWindow();
}

void TNotesWindow::HideWindow() {
  hide();
}

void TNotesWindow::ScrollToEnd() {
  ShowQueuedLines();
  Memo->ScrollToEnd();
}

void TNotesWindow::FontChanged() {
  Memo->setFont(LogFont(Notes.FontName, Notes.FontSize));
}

void TNotesWindow::QueueLine(const std::string& line) {
  QueuedLines.append(Text(line));
  if (!LineFlush->isActive()) LineFlush->start();
}

void TNotesWindow::ShowQueuedLines() {
  LineFlush->stop();
  Memo->AppendLines(QueuedLines);
  QueuedLines.clear();
}

void TNotesWindow::EmptyView() {
  LineFlush->stop();
  QueuedLines.clear();
  Memo->Empty();
}

void TNotesWindow::RunCommandLine() {
  Notes.CommandText = cb_Command->currentText().toStdString();
  try {
    Notes.BtnGoClick();
  } catch (...) {
    // A failed line stays in the command line, and in the history; the failure goes on up.
    ShowCommandLine();
    throw;
  }
  ShowCommandLine();
}

void TNotesWindow::ShowCommandLine() {
  const QSignalBlocker blocker(cb_Command);
  cb_Command->clear();
  for (const std::string& line : Notes.History())
    cb_Command->addItem(Text(line));
  cb_Command->setCurrentIndex(-1);
  cb_Command->setEditText(Text(Notes.CommandText));
}

bool TNotesWindow::eventFilter(QObject* watched, QEvent* event) {
  // A key goes first to the focus, then up through its parents: it is seen once, at the focus.
  QWidget* const focus = focusWidget();
  if (event->type() != QEvent::KeyPress || watched != (focus ? focus : this))
    return QWidget::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (const int code = VirtualKeyCode(key)) {
    Notes.FormKeyDown(code);
    if (isHidden()) return true;
  }
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (enter && (watched == cb_Command || watched == cb_Command->lineEdit())) {
    RunCommandLine();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TNotesWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceControls();
}

void TNotesWindow::PlaceControls() {
  const int w = width();
  const int barTop = height() - BarHeight;
  Memo->setGeometry(Border, Border, w - 2 * Border, barTop - 2 * Border);
  const int controlTop = barTop + ControlTop;
  const int clearLeft = w - Border - ClearWidth;
  const int goLeft = clearLeft - ButtonGap - GoWidth;
  cb_Command->setGeometry(Border, controlTop, w - CommandRightMargin - Border, ControlHeight);
  BtnGo->setGeometry(goLeft, controlTop, GoWidth, ControlHeight);
  BtnClear->setGeometry(clearLeft, controlTop, ClearWidth, ControlHeight);
}

// The close box hides the window through its logic; the window stays for the next time.
void TNotesWindow::closeEvent(QCloseEvent* event) {
  Notes.FormClose();
  hide();
  event->accept();
}

}  // namespace orvane
