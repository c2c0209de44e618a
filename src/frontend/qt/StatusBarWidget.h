#pragma once

#include <functional>

#include <QFont>
#include <QRect>
#include <QWidget>

#include "frontend/Form1.h"

namespace orvane {

// The status bar along the bottom: the energy number and meter, the warning light, the
// activity light and the text area, as the main window's logic holds them.
class TStatusBarWidget : public QWidget {
 public:
  TStatusBarWidget(const TStatusBar& state, QWidget* parent);
  // Repaints when what it shows changed.
  void Refresh();
  std::function<void()> OnLabel1Click;

  // Where the energy number is drawn: wide enough for five digits, wider for a longer number.
  QRect EnergyLabelRect() const { return Layout().Energy; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // The places of the bar's parts: everything right of the number moves with its width.
  struct TLayout {
    QRect Energy;
    int MeterLeft = 0;
    QRect Warning;
    QRect Activity;
    QRect Label1;
  };
  TLayout Layout() const;

  const TStatusBar& State;
  TStatusBar Shown;
  QFont EnergyFont;
  QFont Label1Font;
};

}  // namespace orvane
