#pragma once

#include <cstdint>

namespace orvane {

class TRandom;

// A + s * B * C * D, the sign s drawn as 2 * Random(2) - 1.
double SignedSpread(TRandom& random, double A, double B, double C, double D);
double EaseInCos(double x);        // 1 - cos(pi x / 2)
double EaseInOutCos(double x);     // 0.5 - 0.5 cos(pi x)
double DecayReciprocal(double x);  // 2 / (x + 1) - 1: 1 at 0, 0 at 1
double GrowReciprocal(double x);   // 2 - 2 / (x + 1): 0 at 0, 1 at 1
// Any angle into [0, 360]; a negative whole turn gives 360.
inline double WrapDegrees(double a) {
  const double q = a / 360.0;
  // The whole turns of q, dropped towards zero (a double of 2^52 or more is whole already).
  const double whole = q > -4503599627370496.0 && q < 4503599627370496.0
                           ? static_cast<double>(static_cast<long long>(q))
                           : q;
  const double f = q - whole;
  return a >= 0 ? f * 360.0 : (1.0 + f) * 360.0;
}

// Rounding to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double x);
// Conversions to 32-bit integers that refuse NaN and values out of range (std::range_error).
int32_t Round(double x);
int32_t Trunc(double x);
// Integer arithmetic that refuses to overflow.
int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);

constexpr double Pi = 3.14159265358979323846;
inline double DegToRad(double degrees) {
  return degrees * Pi / 180.0;
}
inline double RadToDeg(double radians) {
  return radians * 180.0 / Pi;
}

}  // namespace orvane
