#include "frontend/qt/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace orvane {

namespace {

void DrawTree(QPainter& p) {
  p.setBrush(QColor(166, 77, 26));
  p.drawRect(QRectF(14, 22, 4, 8));
  p.setBrush(QColor(38, 204, 26));
  p.drawPolygon(QPolygonF({QPointF(16, 3), QPointF(26, 23), QPointF(6, 23)}));
}

void DrawBoulder(QPainter& p) {
  p.setBrush(QColor(128, 153, 204));
  p.drawPolygon(QPolygonF(
      {QPointF(16, 8), QPointF(28, 16), QPointF(22, 28), QPointF(10, 28), QPointF(4, 16)}));
  p.setBrush(QColor(51, 128, 179));
  p.drawPolygon(QPolygonF({QPointF(16, 8), QPointF(28, 16), QPointF(16, 18), QPointF(4, 16)}));
}

void DrawRobot(QPainter& p, const QColor& body) {
  p.setBrush(body);
  QPainterPath path;
  path.moveTo(12, 30);
  path.lineTo(11, 16);
  path.lineTo(9, 13);
  path.lineTo(12, 8);
  path.lineTo(16, 3);
  path.lineTo(20, 8);
  path.lineTo(23, 13);
  path.lineTo(21, 16);
  path.lineTo(20, 30);
  path.closeSubpath();
  p.drawPath(path);
  p.setBrush(QColor(40, 30, 10));
  p.drawRect(QRectF(14, 9, 4, 2));
}

}  // namespace

QPixmap MeterIconPicture(TMeterIcon icon) {
  QPixmap picture(32, 32);
  picture.fill(Qt::black);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(20, 20, 20), 1));
  switch (icon) {
    case mi_Tree:
      DrawTree(p);
      break;
    case mi_Boulder:
      DrawBoulder(p);
      break;
    case mi_Robot:
      DrawRobot(p, QColor(179, 153, 51));
      break;
    case mi_Robot15:
      DrawRobot(p, QColor(230, 200, 80));
      p.setPen(Qt::white);
      p.setFont(QFont("Sans", 7, QFont::Bold));
      p.drawText(QRectF(0, 18, 32, 12), Qt::AlignCenter, "15");
      break;
    case mi_None:
      break;
  }
  return picture;
}

// Our cross-hair, drawn by scripts/make_cursor.py and built into the program; its hot spot is
// its centre.
QCursor CrossHairCursor() {
  const QPixmap picture(":/CrossHair.png");
  return QCursor(picture, picture.width() / 2, picture.height() / 2);
}

QColor QColourOfNumber(uint32_t number) {
  const TColor colour = ColourOfNumber(number);
  return QColor(qRound(colour.r * 255.0f), qRound(colour.g * 255.0f), qRound(colour.b * 255.0f));
}

}  // namespace orvane
