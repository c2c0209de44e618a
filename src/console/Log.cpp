#include "console/Log.h"

#include <algorithm>

namespace orvane {

void TLog::Log(const std::string& text) {
  Lines.push_back(Indent >= 1 ? std::string(2 * static_cast<size_t>(Indent), ' ') + text : text);
  for (const auto& listener : Listeners)
    listener(Lines.back());
}

void TLog::Clear() {
  Lines.clear();
  for (const auto& listener : ClearListeners)
    listener();
}

bool TLog::Contains(const std::string& line) const {
  return std::find(Lines.begin(), Lines.end(), line) != Lines.end();
}

int TLog::CountLinesStartingWith(const std::string& prefix) const {
  return static_cast<int>(std::count_if(Lines.begin(), Lines.end(), [&](const std::string& line) {
    return line.compare(0, prefix.size(), prefix) == 0;
  }));
}

}  // namespace orvane
