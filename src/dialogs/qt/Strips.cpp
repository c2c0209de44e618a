#include "dialogs/qt/Strips.h"

#include <QFrame>
#include <QLabel>

namespace orvane {

TStrip TitledStrip(QWidget* parent, QRect place, const QString& title) {
  auto* strip = new QFrame(parent);
  strip->setFrameShape(QFrame::StyledPanel);
  strip->setFrameShadow(QFrame::Sunken);
  strip->setGeometry(place);
  auto* band = new QLabel(title, strip);
  band->setGeometry(0, 0, place.width(), StripTitleHeight);
  band->setAutoFillBackground(true);
  QPalette palette = band->palette();
  palette.setColor(QPalette::Window, QColor(40, 60, 110));
  palette.setColor(QPalette::WindowText, Qt::white);
  band->setPalette(palette);
  QFont font = band->font();
  font.setBold(true);
  band->setFont(font);
  return {strip, band};
}

}  // namespace orvane
