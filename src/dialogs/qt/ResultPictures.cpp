#include "dialogs/qt/ResultPictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace orvane {

namespace {

constexpr int JpegQuality = 92;

QImage BlankPicture() {
  QImage image(ResultPictureSize, ResultPictureSize, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

// A robot standing with its feet at the painter's origin, 52 units tall.
void DrawRobot(QPainter& p) {
  const QPen outline(QColor(25, 30, 40), 1.0);
  p.setPen(outline);
  QLinearGradient metal(-17, 0, 17, 0);
  metal.setColorAt(0.0, QColor(70, 90, 120));
  metal.setColorAt(0.4, QColor(180, 200, 225));
  metal.setColorAt(1.0, QColor(60, 75, 105));
  p.setBrush(QColor(55, 65, 85));
  p.drawRect(QRectF(-9, -14, 7, 14));
  p.drawRect(QRectF(2, -14, 7, 14));
  p.drawRoundedRect(QRectF(-17, -32, 5, 16), 2, 2);
  p.drawRoundedRect(QRectF(12, -32, 5, 16), 2, 2);
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(-12, -35, 24, 22), 3, 3);
  p.drawRoundedRect(QRectF(-8, -47, 16, 12), 3, 3);
  p.setBrush(QColor(20, 30, 45));
  p.drawRect(QRectF(-6, -43, 12, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 240, 255));
  p.drawRect(QRectF(-5, -42.5, 10, 1.5));
  p.setPen(QPen(QColor(25, 30, 40), 1.5));
  p.drawLine(QPointF(0, -47), QPointF(0, -53));
  p.setPen(outline);
  p.setBrush(QColor(255, 215, 60));
  p.drawEllipse(QPointF(0, -54), 2.2, 2.2);
  p.setBrush(QColor(255, 215, 60, 200));
  p.drawEllipse(QPointF(0, -25), 3.5, 3.5);
}

// A sentry standing with its foot at the painter's origin, its eye looking to the left.
void DrawSentry(QPainter& p) {
  p.setPen(QPen(QColor(10, 0, 0), 1.0));
  QLinearGradient stone(-12, 0, 12, 0);
  stone.setColorAt(0.0, QColor(40, 25, 30));
  stone.setColorAt(0.5, QColor(110, 80, 85));
  stone.setColorAt(1.0, QColor(35, 20, 25));
  p.setBrush(stone);
  p.drawPolygon(QPolygonF({QPointF(-12, 0), QPointF(12, 0), QPointF(6, -44), QPointF(-6, -44)}));
  p.drawEllipse(QRectF(-10, -58, 20, 18));
  p.setBrush(QColor(20, 5, 5));
  p.drawRect(QRectF(-8, -52, 16, 5));
  QRadialGradient glow(QPointF(-3, -49.5), 5);
  glow.setColorAt(0.0, QColor(255, 240, 200));
  glow.setColorAt(0.5, QColor(255, 40, 20));
  glow.setColorAt(1.0, QColor(255, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(-3, -49.5), 5, 5);
}

QImage DrawWonGame() {
  QImage image = BlankPicture();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF sun(49, 42);
  QRadialGradient sky(sun, 72);
  sky.setColorAt(0.0, QColor(255, 246, 180));
  sky.setColorAt(0.4, QColor(242, 180, 40));
  sky.setColorAt(1.0, QColor(130, 60, 10));
  p.fillRect(image.rect(), sky);

  // The rays: every other sixteenth of a turn a little brighter.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 236, 140, 110));
  constexpr int Rays = 16;
  constexpr int RaySpan = 360 * 16 / Rays;
  const QRectF reach(sun.x() - 90, sun.y() - 90, 180, 180);
  for (int ray = 0; ray < Rays; ray += 2)
    p.drawPie(reach, ray * RaySpan, RaySpan);
  QRadialGradient disc(sun, 18);
  disc.setColorAt(0.0, QColor(255, 255, 240));
  disc.setColorAt(0.6, QColor(255, 220, 90));
  disc.setColorAt(1.0, QColor(255, 200, 60, 0));
  p.setBrush(disc);
  p.drawEllipse(sun, 18, 18);

  // Terraced ground below the robot.
  p.setBrush(QColor(70, 120, 45));
  p.drawPolygon(QPolygonF({QPointF(0, 98), QPointF(0, 86), QPointF(22, 86), QPointF(26, 82),
                           QPointF(72, 82), QPointF(76, 86), QPointF(98, 86), QPointF(98, 98)}));
  p.setBrush(QColor(50, 90, 35));
  p.drawRect(QRectF(0, 92, 98, 6));

  p.translate(49, 83);
  DrawRobot(p);
  return image;
}

QImage DrawLostGame() {
  QImage image = BlankPicture();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, ResultPictureSize);
  sky.setColorAt(0.0, QColor(35, 0, 5));
  sky.setColorAt(1.0, QColor(130, 25, 20));
  p.fillRect(image.rect(), sky);

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(45, 10, 10));
  p.drawPolygon(QPolygonF({QPointF(0, 98), QPointF(0, 80), QPointF(30, 76), QPointF(66, 76),
                           QPointF(98, 82), QPointF(98, 98)}));

  // The scan: a beam from the sentry's eye down to the left.
  p.save();
  p.translate(58, 78);
  QLinearGradient beam(-3, -50, -60, -10);
  beam.setColorAt(0.0, QColor(255, 60, 40, 150));
  beam.setColorAt(1.0, QColor(255, 60, 40, 0));
  p.setBrush(beam);
  p.drawPolygon(QPolygonF({QPointF(-3, -50), QPointF(-64, -36), QPointF(-64, 4)}));
  DrawSentry(p);
  p.restore();

  // The red fog: thickest near the ground, with a few drifting banks.
  QLinearGradient fog(0, 20, 0, ResultPictureSize);
  fog.setColorAt(0.0, QColor(200, 30, 30, 20));
  fog.setColorAt(1.0, QColor(230, 40, 35, 190));
  p.fillRect(image.rect(), fog);
  p.setBrush(QColor(240, 70, 60, 55));
  p.drawEllipse(QRectF(-20, 58, 80, 18));
  p.drawEllipse(QRectF(40, 66, 80, 16));
  p.drawEllipse(QRectF(10, 82, 90, 20));
  p.drawEllipse(QRectF(-10, 24, 60, 10));
  return image;
}

// Encodes a drawn picture as a JPEG file in memory and reads it back; without a JPEG codec the
// drawn picture is shown as it is.
TJpegPicture AsJpeg(const QImage& drawn) {
  TJpegPicture picture;
  QBuffer buffer(&picture.Jpeg);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "JPG");
  writer.setQuality(JpegQuality);
  if (writer.write(drawn)) picture.Image = QImage::fromData(picture.Jpeg, "JPG");
  if (picture.Image.isNull()) {
    picture.Jpeg.clear();
    picture.Image = drawn;
  }
  return picture;
}

}  // namespace

const TJpegPicture& WonGamePicture() {
  static const TJpegPicture picture = AsJpeg(DrawWonGame());
  return picture;
}

const TJpegPicture& LostGamePicture() {
  static const TJpegPicture picture = AsJpeg(DrawLostGame());
  return picture;
}

}  // namespace orvane
