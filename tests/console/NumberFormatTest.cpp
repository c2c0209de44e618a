#include "console/NumberFormat.h"

#include <cfloat>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct TPictureCase {
  const char* Picture;
  double Value;
  const char* Expected;
};

// The game's own pictures, then rounding, signs and the numbers without digits.
TEST(NumberFormat, PicturesFillTheirPositions) {
  const TPictureCase cases[] = {
      {"000", 7, "007"},
      {"000", 1234, "1234"},
      {"000", -7, "-007"},
      {"   000", 42, "   042"},
      {"  000.0; -000.0", 12.34, "  012.3"},
      {"  000.0; -000.0", -5.25, " -005.3"},
      {"  000.0; -000.0", -1234.56, " -1234.6"},
      {"     0000 ", 3, "     0003 "},
      {" 000", 0, " 000"},
      {" 00.000", 3.14159, " 03.142"},
      {" 000.00 ;-000.00 ", -1.5, "-001.50 "},
      {" 000.00 ;-000.00 ", 2.345, " 002.35 "},
      {"    0 ", 12, "    12 "},
      {"  00.0%", 12.5, "  12.5%"},
      {"  00.0%", -3.14, "  -03.1%"},
      {"000:", 12, "012:"},
      {"  00.0; -00.0", -0.05, " -00.1"},
      {"  00.0; -00.0", -0.04, "  00.0"},
      {"000", -0.4, "000"},
      {"000", -0.0, "000"},
      {"000", -2.5, "-003"},
      {"000", 999.5, "1000"},
      {"0", -1234, "-1234"},
      {"00.00 ", 1.005, "01.01 "},
      {"00.00 ", 0.125, "00.13 "},
      {"00.00 ", 9.999, "10.00 "},
      {"000", kNaN, "NAN"},
      {"000", kInf, "INF"},
      {"  000.0; -000.0", -kInf, "-INF"},
      {"000", 5e-324, "000"},
      {"  00.0; -00.0", -5e-324, "  00.0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatPicture(c.Picture, c.Value), c.Expected)
        << '"' << c.Picture << "\" with " << c.Value;
}

TEST(NumberFormat, HugeNumbersPrintAllTheirIntegerDigits) {
  EXPECT_EQ(FormatPicture("000", 1e300), "1" + std::string(300, '0'));
  EXPECT_EQ(FormatPicture("  000.0; -000.0", -1e300), " -1" + std::string(300, '0') + ".0");
  EXPECT_EQ(FormatPicture("000", DBL_MAX), "179769313486232" + std::string(294, '0'));
  EXPECT_EQ(FormatNumbers("%n", {-DBL_MAX}).size(), 1 + 309 + 102 + 3);
  const std::string tiny = FormatNumbers("%.1000f", {5e-324});
  EXPECT_EQ(tiny.size(), 1002u);
  EXPECT_EQ(tiny.substr(0, 2 + 323 + 15), "0." + std::string(323, '0') + "494065645841247");
}

// Each row: the text as formatted, then as expected.
TEST(NumberFormat, FormatNumbersReplacesEachConversion) {
  const std::pair<std::string, std::string> cases[] = {
      {FormatNumbers("   %3.0f    %3n   %2.0f   %2.0f   %2.1f  ", {1, 12345, 7, 9, 3.25}),
       "     1    12,345.00    7    9   3.3  "},
      {FormatNumbers("FPS: %.1f", {59.96}), "FPS: 60.0"},
      {FormatNumbers("%n", {-1234.5}), "-1,234.50"},
      {FormatNumbers("%.0n", {999.5}), "1,000"},
      {FormatNumbers("%n", {1e15}), "1,000,000,000,000,000.00"},
      {FormatNumbers("%f", {0.125}), "0.13"},
      {FormatNumbers("%f", {1.005}), "1.01"},
      {FormatNumbers("%.0f %.0f", {-0.4, -2.5}), "0 -3"},
      {FormatNumbers("%.f", {2.5}), "3"},
      {FormatNumbers("[%8.3f]", {-1.0005}), "[  -1.001]"},
      {FormatNumbers("100%% of %f", {1}), "100% of 1.00"},
      {FormatNumbers("%5f|%n|%f", {kNaN, -kInf, kInf}), "  NAN|-INF|INF"},
      {FormatNumbers("no numbers", {}), "no numbers"},
      {FormatNumbers("%f %f", {1, 2, 3}), "1.00 2.00"},
  };
  for (const auto& [actual, expected] : cases)
    EXPECT_EQ(actual, expected);
}

TEST(NumberFormat, FormatNumbersRejectsBadFormats) {
  EXPECT_THROW(FormatNumbers("%f", {}), std::invalid_argument);
  for (const char* format : {"%f and %f", "%d", "%5.2x", "50%", "%1001f", "%.99999999999f"})
    EXPECT_THROW(FormatNumbers(format, {1}), std::invalid_argument) << format;
}

TEST(NumberFormat, GeneralNumberIsTheShortestForm) {
  const std::pair<double, const char*> cases[] = {
      {3, "3"},
      {-0.25, "-0.25"},
      {1e20, "1E20"},
      {1.5e-7, "1.5E-7"},
      {kNaN, "NAN"},
      {kInf, "INF"},
      {-kInf, "-INF"},
      {0, "0"},
      {-0.0, "0"},
      {123456789012345678.0, "1.23456789012346E17"},
      {0.1 + 0.2, "0.3"},
      {999999999999999, "999999999999999"},
      {1e15, "1E15"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {DBL_MAX, "1.79769313486232E308"},
      {DBL_MIN, "2.2250738585072E-308"},
      {5e-324, "4.94065645841247E-324"},
  };
  for (const auto& [value, expected] : cases)
    EXPECT_EQ(GeneralNumber(value), expected) << value;
}

}  // namespace
}  // namespace orvane
