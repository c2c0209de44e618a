#include <cmath>

#include <gtest/gtest.h>

#include "simulation/Simulation.h"
#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {
namespace {

// The sector test turns far squares away quickly; it must agree with the plain test on
// every square, on the sector's edges too.
TEST(Sector, TheQuickTestNeverChangesTheAnswer) {
  TRandom random;
  random.RandomSeed = 99;
  for (int trial = 0; trial < 400; ++trial) {
    const int px = random.Random(128), pz = random.Random(128);
    // Facings past a whole turn and below zero, as turning scanners leave them.
    // Some sectors have their edges exactly on diagonals and axes of the grid.
    const bool onEdges = trial % 3 == 0;
    const double facing = onEdges ? 45.0 * (trial % 17) - 180.0 : random.Random() * 1080.0 - 360.0;
    const double narrow = trial % 20 == 2 ? 0.0 : 0.015;  // about the quick tests' margins
    const double width = onEdges           ? 90.0
                         : trial % 10 == 1 ? 359.99
                         : trial % 10 == 2 ? narrow
                         : trial % 10 == 3 ? 360.0
                                           : 20.0 + random.Random() * 115.0;
    const TSector sector(px, pz, facing, width);
    const double lo = WrapDegrees(facing - width / 2), hi = WrapDegrees(lo + width);
    for (int x = 0; x <= 128; ++x)
      for (int z = 0; z <= 128; ++z) {
        const double d = WrapDegrees(RadToDeg(std::atan2(double(x - px), double(z - pz))));
        const bool inside = lo > hi ? (d >= lo || d < hi) : (lo <= d && d < hi);
        ASSERT_EQ(sector.Holds(x, z), inside)
            << "facing " << facing << " width " << width << " at " << x << "," << z;
        if (inside) {
          ASSERT_TRUE(sector.MayHold(x, z)) << "facing " << facing << " width " << width;
        }
      }
  }
}

}  // namespace
}  // namespace orvane
