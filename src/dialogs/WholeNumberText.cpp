#include "dialogs/WholeNumberText.h"

#include <charconv>
#include <limits>
#include <stdexcept>

namespace orvane {

int64_t ReadWholeNumber64(const std::string& text) {
  const char* first = text.data();
  const char* const last = text.data() + text.size();
  // from_chars takes a minus sign but not a plus sign.
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-') ++first;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value, 10);
  if (error == std::errc::result_out_of_range) {
    throw std::out_of_range("'" + text + "' is too large for a whole number");
  }
  if (error != std::errc() || end != last) {
    throw std::invalid_argument("'" + text + "' is not a whole number");
  }
  return value;
}

int32_t ReadWholeNumber32(const std::string& text) {
  const int64_t value = ReadWholeNumber64(text);
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throw std::out_of_range("'" + text + "' is out of the range of a 32-bit integer");
  }
  return static_cast<int32_t>(value);
}

}  // namespace orvane
