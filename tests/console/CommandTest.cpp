#include "console/Command.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Beyond a double's range a number reads as an infinity when it is large and as zero when it
// is small, whatever the sign of its exponent says on its own.
TEST(Command, NumbersBeyondTheRangeRoundAsTheirSizeSays) {
  EXPECT_EQ(ReadNumber("1e999"), kInf);
  EXPECT_EQ(ReadNumber("-2e308"), -kInf);
  EXPECT_EQ(ReadNumber("1e-999"), 0.0);
  EXPECT_TRUE(std::signbit(ReadNumber("-1e-999")));
  EXPECT_EQ(ReadNumber(std::string(330, '9') + "e-3"), kInf);
  EXPECT_EQ(ReadNumber("-" + std::string(330, '9') + ".5E-3"), -kInf);
  EXPECT_EQ(ReadNumber("0." + std::string(340, '0') + "1e10"), 0.0);
  EXPECT_EQ(ReadNumber("0.001e-322"), 0.0);
  EXPECT_EQ(ReadNumber("1e-310"), 1e-310);
}

}  // namespace
}  // namespace orvane
