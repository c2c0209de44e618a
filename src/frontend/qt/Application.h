#pragma once

#include <functional>
#include <string>

#include <QApplication>

namespace orvane {

// The application object: every event passes through notify, where an exception that
// escaped a handler is handed to the main window instead of ending the program.
class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  void SetExceptionHandler(std::function<void(const std::string&)> handler) {
    Handler = std::move(handler);
  }

 private:
  std::function<void(const std::string&)> Handler;
};

}  // namespace orvane
