#pragma once

#include <algorithm>
#include <cstdlib>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace orvane::test {

// What the screen shows of an area of a widget, read from the display's root window in the
// screen's own pixels: whatever lies over the widget there is in the picture.
inline QImage GrabScreen(const QWidget& widget, const QRect& area) {
  QGuiApplication::sync();  // everything asked of the display so far is on it
  QScreen* screen = widget.screen();
  const QPoint corner = widget.mapToGlobal(area.topLeft()) - screen->geometry().topLeft();
  return screen->grabWindow(0, corner.x(), corner.y(), area.width(), area.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// The largest difference of two colours in any channel.
inline int ChannelDistance(const QColor& a, const QColor& b) {
  return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                   std::abs(a.blue() - b.blue())});
}

// How many pixels of a picture lie within a distance of a colour, in every channel.
inline int PixelsNear(const QImage& image, const QColor& colour, int distance) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += ChannelDistance(image.pixelColor(x, y), colour) <= distance ? 1 : 0;
  return count;
}

// The share of the pixels of two pictures of one size that differ by more than a distance in
// some channel (1 when the sizes differ).
inline double ShareDiffering(const QImage& a, const QImage& b, int distance) {
  if (a.size() != b.size() || a.isNull()) return 1.0;
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      differing += ChannelDistance(a.pixelColor(x, y), b.pixelColor(x, y)) > distance ? 1 : 0;
  return double(differing) / (a.width() * a.height());
}

}  // namespace orvane::test
