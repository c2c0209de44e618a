#include "frontend/qt/StatusBarWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "frontend/qt/Pictures.h"

namespace orvane {

namespace {
constexpr int MeterLeft = 33;
constexpr int Label1Left = 448;
}  // namespace

TStatusBarWidget::TStatusBarWidget(const TStatusBar& state, QWidget* parent)
    : QWidget(parent), State(state), Shown(state) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TStatusBarWidget::Refresh() {
  if (State.EnergyText == Shown.EnergyText && State.Meter == Shown.Meter &&
      State.WarningColour == Shown.WarningColour && State.ActivityColour == Shown.ActivityColour &&
      State.Label1Caption == Shown.Label1Caption)
    return;
  Shown = State;
  update();
}

void TStatusBarWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);

  QFont energyFont("Tahoma");
  energyFont.setPixelSize(24);
  p.setFont(energyFont);
  p.setPen(QColor(192, 192, 192));
  p.drawText(QRect(0, 0, 33, 32), Qt::AlignCenter, QString::fromStdString(Shown.EnergyText));

  for (size_t i = 0; i < Shown.Meter.size(); ++i)
    if (Shown.Meter[i] != mi_None)
      p.drawPixmap(MeterLeft + 31 * static_cast<int>(i), 1, MeterIconPicture(Shown.Meter[i]));

  p.fillRect(QRect(288, 4, 37, 25), QColourOfNumber(Shown.WarningColour));
  p.fillRect(QRect(334, 10, 12, 12), QColourOfNumber(Shown.ActivityColour));

  QFont labelFont("Tahoma");
  labelFont.setPixelSize(11);
  p.setFont(labelFont);
  p.setPen(Qt::white);
  p.drawText(QRect(Label1Left, 0, std::max(101, width() - Label1Left), height()), Qt::AlignCenter,
             QString::fromStdString(Shown.Label1Caption));
}

void TStatusBarWidget::mousePressEvent(QMouseEvent* event) {
  if (event->position().x() >= Label1Left && OnLabel1Click) OnLabel1Click();
}

}  // namespace orvane
