// Takes arbitrary bytes apart as a command line and checks what the parse promises: at most
// 13 words, a number exactly for the words that read as one, and nothing past the last word.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/Command.h"

namespace {

using namespace orvane;

[[noreturn]] void Fail(const std::string& line, const std::string& what) {
  std::fprintf(stderr, "ParseCommand(\"%s\"): %s\n", line.c_str(), what.c_str());
  std::abort();
}

bool SameNumber(double a, double b) {
  return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
}

// A number ReadNumber accepts is decimal text that strtod reads the same way.
void CheckNumber(const std::string& line, const std::string& text, double value) {
  if (std::isnan(value)) return;
  if (std::strlen(text.c_str()) != text.size()) Fail(line, "a number with a NUL in it");
  const double expected = std::strtod(text.c_str(), nullptr);
  if (!SameNumber(value, expected)) Fail(line, "\"" + text + "\" read as the wrong number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  static TCommand command;
  const int count = ParseCommand(line, command);
  if (count < 0 || count > MaxTokens) Fail(line, "word count " + std::to_string(count));
  if (size > 0 && line.find_first_not_of(' ') != std::string::npos && count == 0)
    Fail(line, "no words in a line that is not blank");
  for (int i = 0; i < MaxTokens; ++i) {
    const std::string& arg = command.Args[i];
    const double value = command.Values[i];
    if (i >= count) {
      if (!arg.empty()) Fail(line, "word " + std::to_string(i) + " past the count");
      if (!std::isnan(value)) Fail(line, "number " + std::to_string(i) + " past the count");
      continue;
    }
    if (!SameNumber(value, ReadNumber(arg)))
      Fail(line, "word " + std::to_string(i) + " and its number disagree");
    CheckNumber(line, arg, value);
    if (line.find(arg) == std::string::npos)
      Fail(line, "word " + std::to_string(i) + " is not in the line");
  }
  return 0;
}
