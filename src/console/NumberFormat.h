#pragma once

#include <initializer_list>
#include <string>

namespace orvane {

// Number text for the console. Every number is first taken to 15 significant decimal digits and
// then rounded half away from zero on those digits, so 1.005 at two decimals is "1.01" and 2.5
// without decimals is "3"; a number that rounds to zero never shows a minus sign. NaN prints as
// "NAN" and the infinities as "INF" and "-INF". Very large numbers print all their integer digits
// (their 15 significant ones, then zeros).

// A number picture: each '0' is a digit position (filled with a leading zero when the number is
// shorter), '.' the decimal point; the number is rounded to the picture's decimals; every other
// character (blanks included) is written as it stands. A picture with ';' has a section for
// positive numbers and zero, then one for negative numbers, in which the minus sign is the
// section's own literal character and the magnitude is printed. With one section a negative
// number gets a '-' before its first digit. A NaN or an infinity replaces the whole picture.
std::string FormatPicture(const std::string& picture, double value);

// printf-like: the format's literal text with each "%[width][.precision]f" or
// "%[width][.precision]n" replaced by the next value: f is fixed-point (precision default 2), n is
// fixed-point with thousands separators ',' (precision default 2); width right-aligns with blanks.
// "%%" is a '%'. Throws std::invalid_argument when the values run out, on an unknown conversion
// letter, or on a width or precision above 1000. Values left over are ignored.
std::string FormatNumbers(const std::string& format, std::initializer_list<double> values);

// The shortest general form of a number, up to 15 significant digits: 3 -> "3", 1.5 -> "1.5",
// -0.25 -> "-0.25", 1e20 -> "1E20", 1.5e-7 -> "1.5E-7", NaN -> "NAN", infinities -> "INF"/"-INF".
// Exponents are used from 1E15 up and below 1E-4.
std::string GeneralNumber(double value);

}  // namespace orvane
