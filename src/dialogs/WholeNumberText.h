#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Reads text that is a whole decimal number: an optional sign and at least one digit, nothing
// else (no blanks). Throws std::invalid_argument for other text and std::out_of_range for a
// number that does not fit the result type.
int64_t ReadWholeNumber64(const std::string& text);
int32_t ReadWholeNumber32(const std::string& text);

}  // namespace orvane
