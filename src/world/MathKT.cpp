#include "world/MathKT.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "world/Random.h"

namespace orvane {

double SignedSpread(TRandom& random, double A, double B, double C, double D) {
  const double s = 2.0 * random.Random(2) - 1.0;
  return A + s * B * C * D;
}

double EaseInCos(double x) {
  return 1.0 - std::cos(Pi * x / 2.0);
}
double EaseInOutCos(double x) {
  return 0.5 - 0.5 * std::cos(Pi * x);
}
double DecayReciprocal(double x) {
  return 2.0 / (x + 1.0) - 1.0;
}
double GrowReciprocal(double x) {
  return 2.0 - 2.0 / (x + 1.0);
}

double RoundHalfEven(double x) {
  const double r = std::round(x);
  // std::round takes halves away from zero; step back to the even neighbour.
  if (std::fabs(x - std::trunc(x)) == 0.5 && std::fmod(r, 2.0) != 0.0)
    return r - std::copysign(1.0, x);
  return r;
}

namespace {
int32_t ToInt32(double value, const char* what) {
  if (!(value >= -2147483648.0 && value <= 2147483647.0))
    throw std::range_error(std::string(what) + ": value out of integer range");
  return static_cast<int32_t>(value);
}
}  // namespace

int32_t Round(double x) {
  return ToInt32(RoundHalfEven(x), "Round");
}
int32_t Trunc(double x) {
  return ToInt32(std::trunc(x), "Trunc");
}

int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t result;
  if (__builtin_add_overflow(a, b, &result)) throw std::overflow_error("integer overflow");
  return result;
}

int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t result;
  if (__builtin_mul_overflow(a, b, &result)) throw std::overflow_error("integer overflow");
  return result;
}

}  // namespace orvane
