#include "frontend/qt/HintPanelWidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include "frontend/qt/Pictures.h"

namespace orvane {

THintPanelWidget::THintPanelWidget(const THintPanel& state, QWidget* parent)
    : QFrame(parent), State(state) {
  // The 3-D view is a native window of its own, which covers every ordinary widget beside
  // it; the panel gets a native window too, and is kept stacked above the view's.
  setAttribute(Qt::WA_NativeWindow);
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(palette);

  Sign = new QLabel(this);
  Sign->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Text = new QLabel(this);
  Text->setWordWrap(true);
  Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont textFont("Tahoma");
  textFont.setPixelSize(11);
  Text->setFont(textFont);
  More = new QLabel("...", this);
  More->setToolTip("You have more messages...");
  Close = new QPushButton(QString::fromUtf8("\u00D7"), this);
  Close->setFixedSize(17, 17);
  Close->installEventFilter(this);
  connect(Close, &QPushButton::clicked, this, [this] {
    if (OnClose) OnClose();
  });
  hide();
}

void THintPanelWidget::Refresh() {
  if (Shown == State) return;
  Shown = State;
  setGeometry(16, 16, State.Width, State.Height);
  Sign->setGeometry(4, 0, 29, State.Height);
  Text->setGeometry(36, 4, State.Width - 36 - 22, State.Height - 8);
  Close->move(State.Width - 19, 2);
  More->setGeometry(State.Width - 20, State.Height - 16, 16, 14);

  QFont signFont(QString::fromStdString(State.SignFont));
  if (State.SignSize > 0) signFont.setPointSize(State.SignSize);
  signFont.setItalic(State.SignItalic);
  Sign->setFont(signFont);
  Sign->setText(QString::fromStdString(State.Sign));
  QPalette signPalette = Sign->palette();
  signPalette.setColor(QPalette::WindowText, QColourOfNumber(State.SignColour));
  Sign->setPalette(signPalette);
  Text->setText(QString::fromStdString(State.Text));
  More->setVisible(State.MoreVisible);
  Close->setEnabled(State.CloseEnabled);
  setVisible(State.Visible);
}

// Among native windows the stacking is the window system's: each time the panel is shown, it
// goes on top of the view.
void THintPanelWidget::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  raise();
  if (QWindow* window = windowHandle()) window->raise();
}

bool THintPanelWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Close && event->type() == QEvent::KeyPress && OnKey) {
    OnKey(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace orvane
