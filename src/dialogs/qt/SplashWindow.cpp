#include "dialogs/qt/SplashWindow.h"

#include <stdexcept>
#include <string>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace orvane {

namespace {

const QColor BorderColour(64, 48, 96);
const QColor TextColour(232, 226, 255);

struct TSplashLine {
  int Top;
  int PointSize;
  const char* Text;
};

const TSplashLine SplashLines[] = {
    {226, 10, "Download the Player's Guide from the website"},
    {342, 10, "Made by the Orvane developers"},
    {362, 10, "Copyright (c) 2026 the Orvane developers"},
    {382, 8, "orvane.example.org"},
};

// Tahoma where it is installed, else the desktop's own sans font.
QString SplashFontFamily() {
  if (QFontDatabase::hasFamily("Tahoma")) return "Tahoma";
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

}  // namespace

TSplashWindow::TSplashWindow()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Timer1(new QTimer(this)) {
  setObjectName("FormSplash");
  setWindowTitle("Orvane");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, [this] { Forward(&TFormSplash::Timer1Timer); });
}

void TSplashWindow::ShowSplash(TFormSplash& logic) {
  Logic = &logic;
  Painting = QPixmap();
  setFixedSize(0, 0);
  show();
  raise();
  activateWindow();
  logic.FormShow(*this);
}

void TSplashWindow::PaintSplash(int& imageWidth, int& imageHeight) {
  const QImage picture(TFormSplash::PictureFile);
  if (picture.isNull())
    throw std::runtime_error(std::string("could not load the picture ") + TFormSplash::PictureFile);
  const int width = picture.width() + 2 * Border;
  const int height = picture.height() + 2 * Border;

  QPixmap painting(width, height);
  painting.fill(BorderColour);
  QPainter painter(&painting);
  painter.drawImage(Border, Border, picture);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(TextColour);
  QFont font(SplashFontFamily());
  for (const TSplashLine& line : SplashLines) {
    font.setPointSize(line.PointSize);
    painter.setFont(font);
    painter.drawText(QRect(TextLeft, line.Top, width - TextLeft, height - line.Top),
                     Qt::AlignLeft | Qt::AlignTop, line.Text);
  }
  painter.end();

  Painting = painting;
  setFixedSize(width, height);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + area.width() / 2 - width / 2, area.top() + area.height() / 2 - height / 2);
  }
  repaint();
  imageWidth = picture.width();
  imageHeight = picture.height();
}

void TSplashWindow::CloseSplash() {
  hide();
}

void TSplashWindow::StartTimer(int milliseconds) {
  Timer1->start(milliseconds);
}

void TSplashWindow::StopTimer() {
  Timer1->stop();
}

void TSplashWindow::paintEvent(QPaintEvent*) {
  if (Painting.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, Painting);
}

void TSplashWindow::keyPressEvent(QKeyEvent*) {
  Forward(&TFormSplash::FormKeyPress);
}

void TSplashWindow::mousePressEvent(QMouseEvent*) {
  Forward(&TFormSplash::FormClick);
}

void TSplashWindow::Forward(void (TFormSplash::*handler)(TSplashView&)) {
  if (!Logic) return;
  const auto call = [this, handler] { (Logic->*handler)(*this); };
  if (Guard)
    Guard(call);
  else
    call();
}

}  // namespace orvane
