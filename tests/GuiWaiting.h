#pragma once

#include <functional>

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

}  // namespace orvane::test
