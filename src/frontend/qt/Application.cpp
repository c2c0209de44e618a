#include "frontend/qt/Application.h"

#include <exception>

namespace orvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("Orvane");
  setApplicationDisplayName("Orvane");
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    if (Handler) Handler(error.what());
  } catch (...) {
    if (Handler) Handler("unknown error");
  }
  return false;
}

}  // namespace orvane
