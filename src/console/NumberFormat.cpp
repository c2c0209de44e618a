#include "console/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace orvane {
namespace {

constexpr int kSignificantDigits = 15;
// The largest width or precision a format may ask for.
constexpr int kMaxFieldSize = 1000;

// A finite number's 15 significant digits, the first one non-zero (unless the number is zero),
// and the power of ten of that first digit: 1234.5 is {"123450000000000", 3}.
struct TDigits {
  std::string Digits;
  int Exponent = 0;
};

// A number rounded to a number of decimals: its integer digits without leading zeros (none at
// all for a zero integer part) and exactly as many fraction digits as asked for.
struct TRounded {
  bool Negative = false;
  std::string Whole;
  std::string Fraction;
};

// "NAN", "INF" or "-INF" for the numbers that have no digits; empty for the others.
std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return "";
}

// Written with std::to_chars, which knows nothing of the user's locale.
TDigits SignificantDigits(double magnitude) {
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, magnitude,
                                     std::chars_format::scientific, kSignificantDigits - 1);
  const std::string scientific(text, written.ptr);  // "1.23450000000000e+03"
  const size_t e = scientific.find('e');
  TDigits result;
  result.Digits = scientific.substr(0, 1) + scientific.substr(2, e - 2);
  const size_t exponentStart = scientific[e + 1] == '+' ? e + 2 : e + 1;
  std::from_chars(scientific.data() + exponentStart, scientific.data() + scientific.size(),
                  result.Exponent);
  return result;
}

// Adds one to the last digit; true when it carries out of the first.
bool IncrementDigits(std::string& digits) {
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return false;
    }
    *digit = '0';
  }
  return true;
}

// Cuts the digits after the last one worth at least 10^-decimals, rounding half away from zero.
// Returns false when nothing is left, that is when the number rounds to zero.
bool RoundDigits(TDigits& number, int decimals) {
  const long long kept = static_cast<long long>(number.Exponent) + decimals + 1;
  if (kept < 0) return false;
  if (kept >= static_cast<long long>(number.Digits.size())) return true;
  const bool up = number.Digits[static_cast<size_t>(kept)] >= '5';
  number.Digits.resize(static_cast<size_t>(kept));
  if (up && IncrementDigits(number.Digits)) {
    number.Digits.insert(number.Digits.begin(), '1');
    ++number.Exponent;
  }
  return up || kept > 0;
}

// Splits rounded digits at the decimal point.
TRounded PlaceDigits(const TDigits& number, int decimals) {
  TRounded result;
  const std::string& digits = number.Digits;
  if (number.Exponent >= 0) {
    const size_t wholeLength = static_cast<size_t>(number.Exponent) + 1;
    result.Whole = digits.substr(0, wholeLength);
    result.Whole.resize(wholeLength, '0');
    if (digits.size() > wholeLength) result.Fraction = digits.substr(wholeLength);
  } else {
    result.Fraction = std::string(static_cast<size_t>(-number.Exponent - 1), '0') + digits;
  }
  result.Fraction.resize(static_cast<size_t>(decimals), '0');
  return result;
}

// Rounds a finite number to a number of decimals. The binary value is first written with 15
// significant digits and that decimal text is what gets rounded, so that 1.005, stored as
// 1.00499999999999989..., still rounds up to 1.01 as it reads.
TRounded RoundToDecimals(double value, int decimals) {
  TRounded zero{false, "", std::string(static_cast<size_t>(decimals), '0')};
  if (value == 0) return zero;
  TDigits number = SignificantDigits(std::fabs(value));
  if (!RoundDigits(number, decimals)) return zero;
  TRounded result = PlaceDigits(number, decimals);
  result.Negative = value < 0;
  return result;
}

// The picture's decimals: its digit positions after the decimal point.
int PictureDecimals(const std::string& section) {
  const size_t point = section.find('.');
  if (point == std::string::npos) return 0;
  return static_cast<int>(
      std::count(section.begin() + static_cast<long>(point), section.end(), '0'));
}

// Writes a rounded number into one section of a picture. The integer digits that find no
// position of their own, and the minus sign, go before the first position (or before the
// decimal point, or at the end, in pictures without positions).
std::string FillSection(const std::string& section, const TRounded& number, bool minus) {
  const size_t point = std::min(section.find('.'), section.size());
  const size_t positions = static_cast<size_t>(
      std::count(section.begin(), section.begin() + static_cast<long>(point), '0'));
  std::string whole = number.Whole;
  if (whole.size() < positions) whole.insert(0, positions - whole.size(), '0');
  const size_t extra = whole.size() - positions;

  std::string out;
  size_t nextWhole = 0;
  size_t nextFraction = 0;
  bool headWritten = false;
  const auto writeHead = [&] {
    if (minus) out += '-';
    out += whole.substr(0, extra);
    nextWhole = extra;
    headWritten = true;
  };
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (i < point && c == '0') {
      if (!headWritten) writeHead();
      out += whole[nextWhole++];
    } else if (i == point) {
      if (!headWritten) writeHead();
      out += '.';
    } else if (i > point && c == '0') {
      out += number.Fraction[nextFraction++];
    } else {
      out += c;
    }
  }
  if (!headWritten) writeHead();
  return out;
}

// Digits in groups of three, separated by ','.
std::string GroupThousands(const std::string& digits) {
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// Fixed-point text with at least one integer digit, as "%f" and "%n" write it.
std::string FixedText(double value, int decimals, bool grouped) {
  const std::string special = NonFiniteText(value);
  if (!special.empty()) return special;
  const TRounded number = RoundToDecimals(value, decimals);
  const std::string whole = number.Whole.empty() ? "0" : number.Whole;
  std::string out = number.Negative ? "-" : "";
  out += grouped ? GroupThousands(whole) : whole;
  if (decimals > 0) out += "." + number.Fraction;
  return out;
}

// One "%[width][.precision]f" or "%[width][.precision]n" of a format.
struct TConversion {
  int Width = 0;
  int Precision = 2;
  char Letter = 0;
};

// Reads the digits at `pos` (none is zero), moving past them.
int ReadCount(const std::string& format, size_t& pos) {
  int count = 0;
  for (; pos < format.size() && format[pos] >= '0' && format[pos] <= '9'; ++pos) {
    count = count * 10 + (format[pos] - '0');
    if (count > kMaxFieldSize) throw std::invalid_argument("number format field too large");
  }
  return count;
}

// Reads the conversion after a '%' at `pos`, moving past it.
TConversion ReadConversion(const std::string& format, size_t& pos) {
  TConversion conversion;
  conversion.Width = ReadCount(format, pos);
  if (pos < format.size() && format[pos] == '.') conversion.Precision = ReadCount(format, ++pos);
  if (pos >= format.size() || (format[pos] != 'f' && format[pos] != 'n'))
    throw std::invalid_argument("unknown conversion in number format: " + format);
  conversion.Letter = format[pos++];
  return conversion;
}

std::string ConvertedText(const TConversion& conversion, double value) {
  std::string text = FixedText(value, conversion.Precision, conversion.Letter == 'n');
  const size_t width = static_cast<size_t>(conversion.Width);
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string FormatPicture(const std::string& picture, double value) {
  const std::string special = NonFiniteText(value);
  if (!special.empty()) return special;
  const size_t semicolon = picture.find(';');
  const std::string positive = picture.substr(0, semicolon);
  if (value < 0 && semicolon != std::string::npos) {
    const std::string negative = picture.substr(semicolon + 1);
    const TRounded number = RoundToDecimals(value, PictureDecimals(negative));
    if (number.Negative) return FillSection(negative, number, false);
    value = 0;  // rounds to zero: printed as zero by the positive section
  }
  const TRounded number = RoundToDecimals(value, PictureDecimals(positive));
  return FillSection(positive, number, number.Negative);
}

std::string FormatNumbers(const std::string& format, std::initializer_list<double> values) {
  std::string out;
  auto nextValue = values.begin();
  size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos++];
    if (c != '%') {
      out += c;
    } else if (pos < format.size() && format[pos] == '%') {
      out += '%';
      ++pos;
    } else {
      const TConversion conversion = ReadConversion(format, pos);
      if (nextValue == values.end())
        throw std::invalid_argument("too few values for number format: " + format);
      out += ConvertedText(conversion, *nextValue++);
    }
  }
  return out;
}

std::string GeneralNumber(double value) {
  const std::string special = NonFiniteText(value);
  if (!special.empty()) return special;
  if (value == 0) return "0";
  TDigits number = SignificantDigits(std::fabs(value));
  number.Digits.erase(number.Digits.find_last_not_of('0') + 1);
  const std::string sign = value < 0 ? "-" : "";
  if (number.Exponent < -4 || number.Exponent >= kSignificantDigits) {
    const std::string rest = number.Digits.substr(1);
    return sign + number.Digits[0] + (rest.empty() ? "" : "." + rest) + "E" +
           std::to_string(number.Exponent);
  }
  // Plain digits: as many decimals as there are significant digits after the point.
  const int decimals = std::max(0, static_cast<int>(number.Digits.size()) - number.Exponent - 1);
  const TRounded placed = PlaceDigits(number, decimals);
  return sign + (placed.Whole.empty() ? "0" : placed.Whole) +
         (placed.Fraction.empty() ? "" : "." + placed.Fraction);
}

}  // namespace orvane
