#include "dialogs/qt/PreviewPanel.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace orvane {

namespace {

constexpr int CaptionGap = 6;
// From this size up a square is drawn a whole number of pixels wide, so that all are alike.
constexpr double WholePixelsFrom = 4.0;

// The symbols, drawn at least this large whatever the scale, in pixels across.
constexpr double TreeSize = 5.0;
constexpr double SentrySize = 9.0;
constexpr double PedestalSize = 13.0;
constexpr double TolmarchSize = 9.0;

const QColor TreeColour(110, 255, 70);
const QColor TreeOutline(0, 40, 0);
const QColor SentryColour(225, 30, 30);
const QColor PedestalColour(30, 30, 34);
const QColor TolmarchColour(255, 215, 0);
const QColor Outline(0, 0, 0);

QPolygonF Triangle(QPointF centre, double size) {
  const double h = size * 0.5;
  return QPolygonF(
      {centre + QPointF(0, -h), centre + QPointF(h, h * 0.8), centre + QPointF(-h, h * 0.8)});
}

QPolygonF Diamond(QPointF centre, double size) {
  const double h = size * 0.5;
  return QPolygonF({centre + QPointF(0, -h), centre + QPointF(h, 0), centre + QPointF(0, h),
                    centre + QPointF(-h, 0)});
}

}  // namespace

TPreviewPanel::TPreviewPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("PreviewPanel");
}

void TPreviewPanel::SetPicture(const TPreviewPicture& picture) {
  Shown = picture;
  Landscape = QImage();
  if (Shown.Known && Shown.Size > 0 &&
      Shown.Pixels.size() == static_cast<size_t>(Shown.Size) * static_cast<size_t>(Shown.Size)) {
    Landscape = QImage(Shown.Size, Shown.Size, QImage::Format_RGB32);
    for (int z = 0; z < Shown.Size; ++z) {
      auto* line = reinterpret_cast<QRgb*>(Landscape.scanLine(z));
      for (int x = 0; x < Shown.Size; ++x)
        line[x] = 0xff000000u | Shown.Pixels[static_cast<size_t>(z * Shown.Size + x)];
    }
  }
  update();
}

QRect TPreviewPanel::PictureArea(int captionHeight) const {
  int side = std::max(0, std::min(width(), height() - captionHeight - CaptionGap));
  if (!Landscape.isNull() && side >= WholePixelsFrom * Shown.Size)
    side = side / Shown.Size * Shown.Size;
  // The picture and the caption together, in the middle of the panel.
  const int top = std::max(0, (height() - side - CaptionGap - captionHeight) / 2);
  return QRect((width() - side) / 2, top, side, side);
}

void TPreviewPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  // A caption too long for one line breaks between its parts.
  QString caption = QString::fromStdString(Shown.Caption);
  if (painter.fontMetrics().horizontalAdvance(caption) > width())
    caption.replace(QString::fromUtf8(" \u00b7 "), QStringLiteral("\n"));
  const QRect captionBounds = painter.fontMetrics().boundingRect(
      QRect(0, 0, width(), height()), Qt::TextWordWrap | Qt::AlignHCenter, caption);
  const QRect area = PictureArea(captionBounds.height());
  if (!Landscape.isNull()) {
    PaintLandscape(painter, area);
    PaintMarks(painter, area);
  } else {
    PaintQuestionMark(painter, area);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(0, area.bottom() + 1 + CaptionGap, width(), captionBounds.height()),
                   Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop, caption);
}

void TPreviewPanel::PaintLandscape(QPainter& painter, const QRect& area) const {
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(area, Landscape);
}

void TPreviewPanel::PaintMarks(QPainter& painter, const QRect& area) const {
  const double cell = static_cast<double>(area.width()) / Shown.Size;
  auto centre = [&](const TPreviewMark& mark) {
    return QPointF(area.left() + (mark.X + 0.5) * cell, area.top() + (mark.Z + 0.5) * cell);
  };
  // Trees first, the Tolmarch last, on top of its pedestal.
  for (const TPreviewMark::TKind kind :
       {TPreviewMark::Tree, TPreviewMark::Sentry, TPreviewMark::Pedestal, TPreviewMark::Tolmarch}) {
    for (const TPreviewMark& mark : Shown.Marks) {
      if (mark.Kind != kind) continue;
      const QPointF at = centre(mark);
      switch (kind) {
        case TPreviewMark::Tree: {
          const double r = std::max(TreeSize, cell * 0.6) * 0.5;
          painter.setPen(QPen(TreeOutline, 1.0));
          painter.setBrush(TreeColour);
          painter.drawEllipse(at, r, r);
          break;
        }
        case TPreviewMark::Sentry:
          painter.setPen(QPen(Outline, 1.0));
          painter.setBrush(SentryColour);
          painter.drawPolygon(Triangle(at, std::max(SentrySize, cell * 0.9)));
          break;
        case TPreviewMark::Pedestal: {
          const double size = std::max(PedestalSize, cell * 1.0);
          painter.setPen(QPen(QColor(200, 200, 200), 1.0));
          painter.setBrush(PedestalColour);
          painter.drawRect(QRectF(at.x() - size * 0.5, at.y() - size * 0.5, size, size));
          break;
        }
        case TPreviewMark::Tolmarch:
          painter.setPen(QPen(Outline, 1.0));
          painter.setBrush(TolmarchColour);
          painter.drawPolygon(Diamond(at, std::max(TolmarchSize, cell * 0.7)));
          break;
      }
    }
  }
}

void TPreviewPanel::PaintQuestionMark(QPainter& painter, const QRect& area) const {
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(std::max(12, area.height() * 6 / 10));
  painter.save();
  painter.setFont(font);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawText(area, Qt::AlignCenter, QStringLiteral("?"));
  painter.restore();
}

}  // namespace orvane
