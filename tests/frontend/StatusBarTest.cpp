#include <gtest/gtest.h>

#include "frontend/PlayHelpers.h"

namespace orvane {
namespace {

using TRow = std::array<TMeterIcon, 8>;
constexpr TMeterIcon o = mi_None, t = mi_Tree, b = mi_Boulder, r = mi_Robot, X = mi_Robot15;

TEST(StatusBar, TheMeterSpendsTheWorldsEnergyOnTheLargestIconsFirst) {
  play::TPlaySession play;
  TLandscape& land = play.Start(1, 0);
  const TStatusBar& bar = play.Form.StatusBar;
  const struct {
    int Energy;
    TRow Row;
  } cases[] = {
      {0, {o, o, o, o, o, o, o, o}},   {10, {r, b, b, b, t, o, o, o}},
      {15, {r, b, b, b, b, b, b, o}},  {16, {X, t, o, o, o, o, o, o}},
      {200, {X, X, X, X, X, X, X, X}}, {-1, {o, o, o, o, o, o, o, o}},
  };
  for (const auto& c : cases) {
    land.SetEnergy(c.Energy);
    EXPECT_EQ(bar.Meter, c.Row) << c.Energy;
    EXPECT_EQ(bar.EnergyText, c.Energy < 0 ? "" : std::to_string(c.Energy));
  }
}

}  // namespace
}  // namespace orvane
