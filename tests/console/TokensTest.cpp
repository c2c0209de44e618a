#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/Command.h"

namespace orvane {
namespace {

using TWords = std::vector<std::string>;

TEST(Tokens, LinesComeApartIntoWords) {
  std::string twenty;
  for (int n = 1; n <= 20; ++n)
    twenty += std::to_string(n) + " ";
  const std::pair<std::string, TWords> cases[] = {
      {"", {}},
      {" ", {}},
      {"X", {"X"}},  // one character is a word of its own
      {"\"", {""}},
      {"A B", {"A", "B"}},
      {"  PL   1", {"PL", "1"}},
      {"ECHO a ", {"ECHO", "a"}},
      {"ECHO a  ", {"ECHO", "a", ""}},  // the last blank is never skipped: an empty word
      {"A\tB", {"A\tB"}},               // a tab is no blank
      {"FONT N \"Courier New\"", {"FONT", "N", "Courier New"}},
      {"ECHO \"a b\" c", {"ECHO", "a b", " c"}},  // the closing quote opens the next word
      {"ECHO x\"y z\"", {"ECHO", "y z"}},
      {twenty, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}}};
  for (const auto& [line, words] : cases) {
    TCommand command;
    ASSERT_EQ(ParseCommand(line, command), int(words.size())) << line;
    for (size_t i = 0; i < MaxTokens; ++i)
      EXPECT_EQ(command.Args[i], i < words.size() ? words[i] : "") << line << " word " << i;
  }
  size_t p = 1;
  EXPECT_EQ(NextToken("ab cd", p), "ab");
  EXPECT_EQ(p, 3u);  // on the blank that ended the word
  p = 2;
  EXPECT_EQ(NextToken("a  ", p), "");
  EXPECT_EQ(p, 3u);  // the last character is never skipped
}

TEST(Tokens, WordsThatReadAsNumbersHaveValues) {
  const std::pair<const char*, double> cases[] = {
      {"1e5", 1e5},  {"-2.5", -2.5}, {".5", 0.5},  {"+3", 3.0},        {"5.", 5.0},  {"2E-1", 0.2},
      {"abc", NAN},  {"1e", NAN},    {"-", NAN},   {".", NAN},         {"1,5", NAN}, {"0x10", NAN},
      {"1e5x", NAN}, {"inf", NAN},   {"nan", NAN}, {"1e999", INFINITY}};
  for (const auto& [word, value] : cases) {
    TCommand command;
    ParseCommand(std::string("PL ") + word, command);
    if (std::isnan(value))
      EXPECT_TRUE(std::isnan(command.Values[1])) << word;
    else
      EXPECT_EQ(command.Values[1], value) << word;
    EXPECT_TRUE(std::isnan(command.Values[2])) << "no word, no value";
  }
  EXPECT_EQ(UpperCase("pref s_gameSpeed \xe9z1"), "PREF S_GAMESPEED \xe9Z1");
}

// Beyond a double's range a number reads as an infinity when it is large and as zero when it
// is small, whatever the sign of its exponent says on its own.
TEST(Tokens, NumbersBeyondTheRangeRoundAsTheirSizeSays) {
  const std::pair<std::string, double> cases[] = {
      {"-2e308", -INFINITY},
      {"1e-999", 0.0},
      {std::string(330, '9') + "e-3", INFINITY},
      {"-" + std::string(330, '9') + ".5E-3", -INFINITY},
      {"0." + std::string(340, '0') + "1e10", 0.0},
      {"0.001e-322", 0.0},
      {"1e-310", 1e-310}};
  for (const auto& [word, value] : cases)
    EXPECT_EQ(ReadNumber(word), value) << word;
  EXPECT_TRUE(std::signbit(ReadNumber("-1e-999")));
}

}  // namespace
}  // namespace orvane
