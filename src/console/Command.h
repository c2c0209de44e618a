#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace orvane {

constexpr int MaxTokens = 13;

// One command line taken apart: its words in order, entry 0 the command word, and the value of
// every word that reads as a number (NaN for the others). Entries past the last word are empty.
struct TCommand {
  std::string Line;
  std::array<std::string, MaxTokens> Args;
  std::array<double, MaxTokens> Values;
  void Clear();
};

// The next word of the line from the read position `p` (1-based), which is left on the
// delimiter that ended the word or one past the end of the line. Blanks separate words; a
// double quote starts a word that runs to the next double quote.
std::string NextToken(const std::string& line, size_t& p);
// Fills the command from the line and returns its number of words, 0 to 13.
int ParseCommand(const std::string& line, TCommand& command);
// The number the whole text reads as: an optional sign, digits with an optional decimal point
// and an optional exponent; NaN for any other text.
double ReadNumber(const std::string& text);
// Only the letters a to z change.
std::string UpperCase(std::string text);

}  // namespace orvane
