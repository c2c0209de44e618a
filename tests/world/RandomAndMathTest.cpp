#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include <gtest/gtest.h>

#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {
namespace {

// The seeds below were worked out from seed := seed * 134775813 + 1 (mod 2^32), apart
// from the game's code; Random(N) is the upper half of N * seed. Randomize seeds from the clock.
TEST(RandomGenerator, GivesTheKnownDrawsAndIsSeededFromTheClock) {
  TRandom random;
  random.RandomSeed = 0;
  EXPECT_EQ(random.Random(), std::ldexp(1.0, -32));  // the first seed is 1
  random.RandomSeed = 0;
  for (const int draw : {0, 0, 8, 2, 2, 6})  // seeds 1, 134775814, 3698175007, 870078620, ...
    EXPECT_EQ(random.Random(10), draw);
  EXPECT_EQ(random.RandomSeed, 2884733762u);

  random.RandomSeed = 1298181734;  // the next seed is the largest, 2^32 - 1
  EXPECT_EQ(random.Random(), 1.0 - std::ldexp(1.0, -32));
  random.RandomSeed = 1298181734;
  EXPECT_EQ(random.Random(1000), 999);

  random.SetClock([] { return 43'200'123u; });
  random.Randomize();
  EXPECT_EQ(random.RandomSeed, 43'200'123u);
  EXPECT_LT(TRandom::MillisecondsOfDayUtc(), 86'400'000u);
}

// Above one half goes up, below goes down and exactly one half goes to the even neighbour;
// on both sides of zero.
TEST(Rounding, RoundsHalvesToEvenTruncatesTowardsZeroAndRefusesWhatDoesNotFit) {
  const std::pair<double, int32_t> cases[] = {
      {2.7, 3},    {3.5000001, 4}, {127.64, 128}, {0.51, 1}, {2.3, 2},   {2.4999, 2},
      {0.49, 0},   {0.5, 0},       {1.5, 2},      {2.5, 2},  {3.5, 4},   {-2.7, -3},
      {-0.51, -1}, {-2.3, -2},     {-0.49, 0},    {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {-3.5, -4},  {-4.0, -4},     {6.0, 6},      {0.0, 0}};
  for (const auto& [x, rounded] : cases)
    EXPECT_EQ(Round(x), rounded) << x;
  // Trunc drops the fraction towards zero; what does not fit is refused.
  for (const auto& [x, truncated] :
       {std::pair{1.99, 1}, {-1.99, -1}, {-0.5, 0}, {2147483647.9, 2147483647}})
    EXPECT_EQ(Trunc(x), truncated) << x;
  EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), std::range_error);
  EXPECT_THROW(Round(3e9), std::range_error);
  EXPECT_THROW(Trunc(-3e9), std::range_error);
  EXPECT_THROW(CheckedAdd(2147483647, 1), std::overflow_error);
  EXPECT_THROW(CheckedMul(65536, 65536), std::overflow_error);
  EXPECT_EQ(CheckedMul(-2, 3), -6);
}

TEST(MathKT, WrapDegreesLandsInZeroTo360) {
  const std::pair<double, double> cases[] = {{-90, 270}, {450, 90}, {-360, 360},
                                             {360, 0},   {0, 0},    {-725, 355}};
  for (const auto& [angle, wrapped] : cases)
    EXPECT_NEAR(WrapDegrees(angle), wrapped, 1e-9) << angle;
}

TEST(MathKT, EasingCurvesRunFromZeroToOne) {
  const struct {
    double (*Curve)(double);
    double AtZero, AtOne;
  } curves[] = {
      {EaseInCos, 0, 1}, {EaseInOutCos, 0, 1}, {GrowReciprocal, 0, 1}, {DecayReciprocal, 1, 0}};
  for (const auto& c : curves) {
    EXPECT_NEAR(c.Curve(0), c.AtZero, 1e-12) << &c - curves;
    EXPECT_NEAR(c.Curve(1), c.AtOne, 1e-12) << &c - curves;
  }
  EXPECT_NEAR(EaseInOutCos(0.5), 0.5, 1e-12);
  EXPECT_LT(EaseInCos(0.5), 0.5);  // eases in: slow at first
}

TEST(MathKT, SignedSpreadDrawsItsSignOnce) {
  TRandom random, copy;
  random.RandomSeed = copy.RandomSeed = 5;
  const double sign = 2.0 * copy.Random(2) - 1.0;
  EXPECT_DOUBLE_EQ(SignedSpread(random, 50, 10, 0.5, 0.5), 50 + sign * 2.5);
  EXPECT_EQ(random.RandomSeed, copy.RandomSeed);
}

}  // namespace
}  // namespace orvane
