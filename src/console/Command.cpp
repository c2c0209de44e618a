#include "console/Command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace orvane {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Characters are numbered from 1, as the read position counts them.
char At(const std::string& line, size_t p) {
  return line[p - 1];
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skips digits from i; returns how many there were.
size_t SkipDigits(const std::string& text, size_t& i) {
  const size_t from = i;
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  return i - from;
}

// For a decimal number too large or too small for a double: whether it is too large. That is
// when it is 1 or more, the place of its first significant digit and its exponent together.
bool TooLarge(const std::string& text) {
  size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
  int64_t place = 0;  // the number is 0.ddd times ten to this
  bool point = false;
  bool significant = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      point = true;
    } else if (!significant && text[i] == '0') {
      if (point) --place;
    } else {
      significant = true;
      if (!point) ++place;
    }
  }
  int64_t exponent = 0;
  bool negative = false;
  if (i < text.size()) {
    ++i;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    // Beyond this the answer cannot change: no line is that long.
    constexpr int64_t Far = int64_t{1} << 40;
    for (; i < text.size(); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), Far);
  }
  return place + (negative ? -exponent : exponent) > 0;
}

}  // namespace

void TCommand::Clear() {
  Line.clear();
  for (std::string& arg : Args)
    arg.clear();
  Values.fill(NaN);
}

std::string NextToken(const std::string& line, size_t& p) {
  const size_t n = line.size();
  const size_t began = p;
  // The last character is never skipped.
  while (p < n && At(line, p) == ' ')
    ++p;
  size_t start = p;
  size_t last = began;
  char delimiter = ' ';
  while (p <= n && At(line, p) != delimiter) {
    if (At(line, p) == '"') {
      delimiter = '"';
      start = p + 1;
    } else {
      last = p;
    }
    ++p;
  }
  return start <= last ? line.substr(start - 1, last - start + 1) : std::string();
}

int ParseCommand(const std::string& line, TCommand& command) {
  command.Clear();
  int count = 0;
  size_t p = 1;
  const bool lone = line.size() == 1 && line[0] != ' ';
  while (count < MaxTokens && (p < line.size() || (lone && count == 0))) {
    std::string token = NextToken(line, p);
    command.Values[count] = ReadNumber(token);
    command.Args[count] = std::move(token);
    ++count;
  }
  return count;
}

double ReadNumber(const std::string& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = SkipDigits(text, i);
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += SkipDigits(text, i);
  }
  if (digits == 0) return NaN;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (SkipDigits(text, i) == 0) return NaN;
  }
  if (i != text.size()) return NaN;
  // A plain decimal number by now; from_chars reads it whatever the locale, and takes no '+'.
  const size_t from = text[0] == '+' ? 1 : 0;
  double value = NaN;
  const std::errc error = std::from_chars(text.data() + from, text.data() + text.size(), value).ec;
  if (error == std::errc::result_out_of_range) {
    // Too large comes back as an infinity, too small as zero, as the number would round.
    value = TooLarge(text) ? std::numeric_limits<double>::infinity() : 0.0;
    if (text[0] == '-') value = -value;
  }
  return value;
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace orvane
