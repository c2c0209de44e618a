#include "frontend/qt/StatusBarWidget.h"

#include <algorithm>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "frontend/qt/Pictures.h"

namespace orvane {

namespace {
constexpr int EnergyHeight = 32;
constexpr int EnergyPadding = 4;  // on either side of the number
constexpr int SlotWidth = 31;
constexpr int MeterWidth = 249;  // eight slots, the last icon a pixel wider
constexpr int MeterToWarning = 6;
constexpr int WarningToActivity = 9;
constexpr int ActivityToLabel1 = 12;
constexpr int Label1MinimumWidth = 101;
}  // namespace

TStatusBarWidget::TStatusBarWidget(const TStatusBar& state, QWidget* parent)
    : QWidget(parent), State(state), Shown(state), EnergyFont("Tahoma"), Label1Font("Tahoma") {
  setAttribute(Qt::WA_OpaquePaintEvent);
  EnergyFont.setPixelSize(24);
  Label1Font.setPixelSize(11);
}

void TStatusBarWidget::Refresh() {
  if (State.EnergyText == Shown.EnergyText && State.Meter == Shown.Meter &&
      State.WarningColour == Shown.WarningColour && State.ActivityColour == Shown.ActivityColour &&
      State.Label1Caption == Shown.Label1Caption)
    return;
  Shown = State;
  update();
}

TStatusBarWidget::TLayout TStatusBarWidget::Layout() const {
  const QFontMetrics metrics(EnergyFont);
  const int text = std::max(metrics.horizontalAdvance(QStringLiteral("00000")),
                            metrics.horizontalAdvance(QString::fromStdString(Shown.EnergyText)));
  TLayout layout;
  layout.Energy = QRect(0, 0, text + 2 * EnergyPadding, EnergyHeight);
  layout.MeterLeft = layout.Energy.right() + 1;
  layout.Warning = QRect(layout.MeterLeft + MeterWidth + MeterToWarning, 4, 37, 25);
  layout.Activity = QRect(layout.Warning.right() + 1 + WarningToActivity, 10, 12, 12);
  const int label1Left = layout.Activity.right() + 1 + ActivityToLabel1;
  layout.Label1 =
      QRect(label1Left, 0, std::max(Label1MinimumWidth, width() - label1Left), height());
  return layout;
}

void TStatusBarWidget::paintEvent(QPaintEvent*) {
  const TLayout layout = Layout();
  QPainter p(this);
  p.fillRect(rect(), Qt::black);

  p.setFont(EnergyFont);
  p.setPen(QColor(192, 192, 192));
  p.drawText(layout.Energy, Qt::AlignCenter, QString::fromStdString(Shown.EnergyText));

  for (size_t i = 0; i < Shown.Meter.size(); ++i)
    if (Shown.Meter[i] != mi_None)
      p.drawPixmap(layout.MeterLeft + SlotWidth * static_cast<int>(i), 1,
                   MeterIconPicture(Shown.Meter[i]));

  p.fillRect(layout.Warning, QColourOfNumber(Shown.WarningColour));
  p.fillRect(layout.Activity, QColourOfNumber(Shown.ActivityColour));

  p.setFont(Label1Font);
  p.setPen(Qt::white);
  p.drawText(layout.Label1, Qt::AlignCenter, QString::fromStdString(Shown.Label1Caption));
}

void TStatusBarWidget::mousePressEvent(QMouseEvent* event) {
  if (event->position().x() >= Layout().Label1.left() && OnLabel1Click) OnLabel1Click();
}

}  // namespace orvane
