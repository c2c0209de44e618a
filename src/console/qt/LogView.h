#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace orvane {

// The console's log as the window shows it: read-only text that grows only at its end, or is
// emptied. Lines go in as paragraphs of up to LinesPerParagraph lines each: the document's cost
// of a new paragraph grows with the number it already holds, that of a line within one does not.
// Each paragraph counts its lines towards the scroll bar's range before it is first laid out.
class TLogView : public QPlainTextEdit {
 public:
  static constexpr qsizetype LinesPerParagraph = 100;

  explicit TLogView(QWidget* parent);

  // The lines after the last one shown, in one insertion; a view that showed its last line goes
  // on showing it.
  void AppendLines(const QStringList& lines);
  void Empty();
  // The caret to the end of the text, and the newest line into view.
  void ScrollToEnd();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A new width forgets every paragraph's line count: each is given back its number of lines.
  void CountParagraphLines();

  bool HasLines = false;
};

}  // namespace orvane
