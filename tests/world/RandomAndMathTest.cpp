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
// from the game's code; Random(N) is the upper half of N * seed.
TEST(RandomGenerator, GivesTheKnownDraws) {
  TRandom random;
  random.RandomSeed = 0;
  EXPECT_EQ(random.Random(), std::ldexp(1.0, -32));  // the first seed is 1
  EXPECT_EQ(random.RandomSeed, 1u);
  for (const uint32_t seed : {134775814u, 3698175007u, 870078620u, 1172187917u, 2884733762u}) {
    random.Random();
    EXPECT_EQ(random.RandomSeed, seed);
  }

  random.RandomSeed = 0;
  for (const int draw : {0, 0, 8, 2, 2, 6})
    EXPECT_EQ(random.Random(10), draw);

  random.RandomSeed = 2024;  // seeds 2203305865, 1204652462, 527525991, 2453939716, ...
  for (const int draw : {512, 280, 122, 571})
    EXPECT_EQ(random.Random(1000), draw);
  EXPECT_EQ(random.Random(), 1326370325 / 4294967296.0);
  EXPECT_EQ(random.RandomSeed, 1326370325u);

  random.RandomSeed = 1298181734;  // the next seed is the largest, 2^32 - 1
  EXPECT_EQ(random.Random(), 1.0 - std::ldexp(1.0, -32));
  random.RandomSeed = 1298181734;
  EXPECT_EQ(random.Random(1000), 999);
}

TEST(RandomGenerator, RandomizeSeedsFromTheClock) {
  TRandom random;
  random.SetClock([] { return 43'200'123u; });
  random.Randomize();
  EXPECT_EQ(random.RandomSeed, 43'200'123u);
  EXPECT_LT(TRandom::MillisecondsOfDayUtc(), 86'400'000u);
}

// Above one half goes up, below goes down and exactly one half goes to the even neighbour;
// on both sides of zero.
TEST(Rounding, RoundsToTheNearestAndHalvesToTheEvenNeighbour) {
  const std::pair<double, int32_t> cases[] = {
      {2.7, 3},    {3.5000001, 4}, {127.64, 128}, {0.51, 1}, {2.3, 2},   {2.4999, 2},
      {0.49, 0},   {0.5, 0},       {1.5, 2},      {2.5, 2},  {3.5, 4},   {-2.7, -3},
      {-0.51, -1}, {-2.3, -2},     {-0.49, 0},    {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {-3.5, -4},  {-4.0, -4},     {6.0, 6},      {0.0, 0}};
  for (const auto& [x, rounded] : cases) {
    EXPECT_EQ(Round(x), rounded) << x;
    EXPECT_EQ(RoundHalfEven(x), double(rounded)) << x;
  }
}

TEST(Rounding, TruncDropsTheFractionTowardsZero) {
  EXPECT_EQ(Trunc(1.99), 1);
  EXPECT_EQ(Trunc(-1.99), -1);
  EXPECT_EQ(Trunc(-0.5), 0);
}

TEST(Rounding, ConversionsRefuseWhatDoesNotFitAnInteger) {
  EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), std::range_error);
  EXPECT_THROW(Round(3e9), std::range_error);
  EXPECT_THROW(Trunc(-3e9), std::range_error);
  EXPECT_EQ(Trunc(2147483647.9), 2147483647);
  EXPECT_THROW(CheckedAdd(2147483647, 1), std::overflow_error);
  EXPECT_THROW(CheckedMul(65536, 65536), std::overflow_error);
  EXPECT_EQ(CheckedMul(-2, 3), -6);
}

TEST(MathKT, WrapDegreesLandsInZeroTo360) {
  EXPECT_DOUBLE_EQ(WrapDegrees(-90), 270);
  EXPECT_DOUBLE_EQ(WrapDegrees(450), 90);
  EXPECT_DOUBLE_EQ(WrapDegrees(-360), 360);
  EXPECT_DOUBLE_EQ(WrapDegrees(360), 0);
  EXPECT_DOUBLE_EQ(WrapDegrees(0), 0);
  EXPECT_NEAR(WrapDegrees(-725), 355, 1e-9);
}

TEST(MathKT, EasingCurvesRunFromZeroToOne) {
  EXPECT_DOUBLE_EQ(EaseInCos(0), 0);
  EXPECT_NEAR(EaseInCos(1), 1, 1e-12);
  EXPECT_DOUBLE_EQ(EaseInOutCos(0), 0);
  EXPECT_DOUBLE_EQ(EaseInOutCos(1), 1);
  EXPECT_NEAR(EaseInOutCos(0.5), 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(GrowReciprocal(0), 0);
  EXPECT_DOUBLE_EQ(GrowReciprocal(1), 1);
  EXPECT_DOUBLE_EQ(DecayReciprocal(0), 1);
  EXPECT_DOUBLE_EQ(DecayReciprocal(1), 0);
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
