#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {
namespace {

TEST(RandomGenerator, FirstDrawFromZeroSeed) {
  TRandom random;
  random.RandomSeed = 0;
  EXPECT_DOUBLE_EQ(random.Random(), std::ldexp(1.0, -32));
  EXPECT_EQ(random.RandomSeed, 1u);
  random.RandomSeed = 0;
  EXPECT_EQ(random.Random(10), 0);
}

TEST(RandomGenerator, FollowsItsRecurrenceAndScalesIntegersByTheUpperBits) {
  TRandom random;
  random.RandomSeed = 1;
  random.Random();
  EXPECT_EQ(random.RandomSeed, 134775814u);
  const uint32_t next = 134775814u * 134775813u + 1u;
  EXPECT_EQ(random.Random(1000), static_cast<int32_t>((1000ull * next) >> 32));
  EXPECT_EQ(random.RandomSeed, next);

  random.RandomSeed = 0xFFFFFFFEu;  // the next state is the largest one
  const double top = random.Random();
  EXPECT_LT(top, 1.0);
  EXPECT_GE(top, 0.0);
}

TEST(RandomGenerator, RandomizeSeedsFromTheClock) {
  TRandom random;
  random.SetClock([] { return 43'200'123u; });
  random.Randomize();
  EXPECT_EQ(random.RandomSeed, 43'200'123u);
  EXPECT_LT(TRandom::MillisecondsOfDayUtc(), 86'400'000u);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.4999), 2);
  EXPECT_EQ(Round(127.64), 128);
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
