#pragma once

#include <QImage>
#include <QWidget>

#include "dialogs/LandscapePreview.h"

namespace orvane {

// The new-game dialog's landscape preview as the window system shows it: the landscape from
// above, scaled to fit with square pixels, its objects marked on top and the caption under it;
// for a landscape not yet known, a large question mark over the caption.
class TPreviewPanel : public QWidget {
 public:
  explicit TPreviewPanel(QWidget* parent = nullptr);

  // Shows a picture of the preview's; the panel keeps its own copy.
  void SetPicture(const TPreviewPicture& picture);
  const TPreviewPicture& Picture() const { return Shown; }

  QSize sizeHint() const override { return {190, 330}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where the picture goes: the largest square that leaves room for the caption under it.
  QRect PictureArea(int captionHeight) const;
  void PaintLandscape(QPainter& painter, const QRect& area) const;
  void PaintMarks(QPainter& painter, const QRect& area) const;
  void PaintQuestionMark(QPainter& painter, const QRect& area) const;

  TPreviewPicture Shown;
  QImage Landscape;  // one pixel a square
};

}  // namespace orvane
