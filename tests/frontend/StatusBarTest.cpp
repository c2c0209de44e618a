#include <gtest/gtest.h>

#include "frontend/Program.h"

namespace orvane {
namespace {

using TRow = std::array<TMeterIcon, 8>;
constexpr TMeterIcon o = mi_None, t = mi_Tree, b = mi_Boulder, r = mi_Robot, X = mi_Robot15;

class StatusBar : public ::testing::Test {
 protected:
  TProgram Program;
  TForm1& Form = Program.Form1;
  TStatusBar& Bar = Program.Form1.StatusBar;
};

TEST_F(StatusBar, TheMeterSpendsTheEnergyOnTheLargestIconsFirst) {
  const struct {
    int Energy;
    TRow Row;
  } cases[] = {
      {0, {o, o, o, o, o, o, o, o}},   {10, {r, b, b, b, t, o, o, o}},
      {15, {r, b, b, b, b, b, b, o}},  {16, {X, t, o, o, o, o, o, o}},
      {200, {X, X, X, X, X, X, X, X}},
  };
  for (const auto& c : cases) {
    Form.ShowEnergy(c.Energy);
    EXPECT_EQ(Bar.Meter, c.Row) << c.Energy;
    EXPECT_EQ(Bar.EnergyText, std::to_string(c.Energy));
  }
  Form.ShowEnergy(-1);
  EXPECT_EQ(Bar.Meter, TRow{});
  EXPECT_EQ(Bar.EnergyText, "");
}

TEST_F(StatusBar, ShowsTheWorldsEnergy) {
  Program.Settings.ApplyDefaultSettings();
  Form.CreateGame();
  Form.Game->Init();
  Program.Landscape().SetEnergy(10);
  EXPECT_EQ(Bar.Meter, (TRow{r, b, b, b, t, o, o, o}));
  EXPECT_EQ(Bar.EnergyText, "10");
}

}  // namespace
}  // namespace orvane
