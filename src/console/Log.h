#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The program's running log: every subsystem writes its progress and failure lines here.
// One call is one line; lines are indented by two blanks per level of Indent.
class TLog {
 public:
  using TListener = std::function<void(const std::string& line)>;

  void Log(const std::string& text);
  void IndentIn() { ++Indent; }
  void IndentOut() { --Indent; }
  // Every line goes; the clear listeners hear of it.
  void Clear();

  // Called with every line as it is written (the console window, or standard output).
  void AddListener(TListener listener) { Listeners.push_back(std::move(listener)); }
  void AddClearListener(std::function<void()> listener) {
    ClearListeners.push_back(std::move(listener));
  }

  const std::vector<std::string>& GetLines() const { return Lines; }
  bool Contains(const std::string& line) const;
  int CountLinesStartingWith(const std::string& prefix) const;

  int Indent = 0;

 private:
  std::vector<std::string> Lines;
  std::vector<TListener> Listeners;
  std::vector<std::function<void()>> ClearListeners;
};

// Runs one operation inside an exception guard: anything it throws is reported as the
// single line `errorLine` and the operation is abandoned. Returns false when it failed.
template <class TOperation>
bool Guarded(TLog& log, std::string_view errorLine, TOperation&& operation) {
  try {
    operation();
    return true;
  } catch (const std::exception&) {
    log.Log(std::string(errorLine));
    return false;
  }
}

}  // namespace orvane
