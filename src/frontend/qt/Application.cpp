#include "frontend/qt/Application.h"

#include <exception>

namespace orvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The frame timer paces the frames; the window system is not to hold a requested frame
  // back for a pacing of its own (read when the first frame is requested).
  if (!qEnvironmentVariableIsSet("QT_QPA_UPDATE_IDLE_TIME"))
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
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
