#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

namespace orvane::test {

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition() && timer.elapsed() < milliseconds)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  return condition();
}

// A window's control by its object name; throws when it has none.
template <class TWidget = QAbstractButton>
TWidget& Control(QWidget& window, const char* name) {
  auto* widget = window.findChild<TWidget*>(name);
  if (!widget) throw std::runtime_error(std::string("no control ") + name);
  return *widget;
}

}  // namespace orvane::test
