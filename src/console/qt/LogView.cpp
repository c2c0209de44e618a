#include "console/qt/LogView.h"

#include <algorithm>

#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace orvane {

TLogView::TLogView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  document()->setUndoRedoEnabled(false);  // a log is never undone: no record to grow
}

void TLogView::AppendLines(const QStringList& lines) {
  if (lines.isEmpty()) return;
  QScrollBar& bar = *verticalScrollBar();
  const bool followingTheEnd = bar.value() == bar.maximum();
  QTextCursor end(document());
  end.movePosition(QTextCursor::End);
  // The layout hears of the change at the end of the edit, when the counts are set.
  end.beginEditBlock();
  for (qsizetype first = 0; first < lines.size(); first += LinesPerParagraph) {
    const qsizetype count = std::min(LinesPerParagraph, lines.size() - first);
    if (HasLines) end.insertBlock();
    HasLines = true;
    end.insertText(lines.mid(first, count).join(QChar::LineSeparator));
    QTextBlock paragraph = end.block();
    paragraph.setUserState(static_cast<int>(count));
    paragraph.setLineCount(static_cast<int>(count));
  }
  end.endEditBlock();
  if (followingTheEnd) bar.setValue(bar.maximum());
}

void TLogView::Empty() {
  clear();
  HasLines = false;
}

void TLogView::ScrollToEnd() {
  moveCursor(QTextCursor::End);
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TLogView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  if (event->oldSize().width() == event->size().width()) return;
  CountParagraphLines();
  // Once more at the same size: the scroll bar's range with every line counted.
  QResizeEvent same(event->size(), event->size());
  QPlainTextEdit::resizeEvent(&same);
}

void TLogView::CountParagraphLines() {
  for (QTextBlock paragraph = document()->firstBlock(); paragraph.isValid();
       paragraph = paragraph.next())
    if (paragraph.layout()->lineCount() == 0 && paragraph.userState() > 0)
      paragraph.setLineCount(paragraph.userState());
}

}  // namespace orvane
