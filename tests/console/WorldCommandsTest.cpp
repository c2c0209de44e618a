#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/ConsoleSession.h"

namespace orvane::console_test {
namespace {

const std::string Rule = "  " + std::string(95, '-');

TEST(WorldCommands, CheatsAndPlayers) {
  TConsoleSession session;
  TPlayer& player = session.Land().Players(1);
  player.X = 12;
  player.Z = 7;
  player.EyeHgt = 2.5;
  const std::string refused = "Can not view Player information. Cheats are not enabled.";
  const TLines status = {"Game cheat status   : Not cheated.",
                         "Player 1 cheat status: Not cheated."};
  const TLines info = {"Player 1 information:", "     1    1,234.00   12    7   2.5  CHEATED."};
  session.Expect(
      {{"CHEAT", status},
       {"CHEAT maybe", status},
       {"PLAYER", {refused}},
       {"PLAYER 2", {"No such Player: 2. Players 1 to 1 are valid."}},
       {"PL 0.4", {"No such Player: 0. Players 1 to 1 are valid."}},
       {"PLAYER 1 E 50", {"Setting player 1 energy failed. Cheats are not enabled."}},
       {"LAND SCANNERS OFF", {}},
       {"CH ON", {"Player 0: CHEAT set to ON."}},
       {"PLAYER 1 energy 1234", {"Player 1: energy set to 1234"}},
       {"PLAYER",
        {"Player Energy PosX PosZ   PosH  Cheat", "   001    1234  012  007  002.5  YES"}},
       {"PL 1", info},
       {"PLAYER 1 ANYTHING", info},
       {"CHEAT 0", {"Player 0: CHEAT set to OFF."}},
       {"CHEAT", {"Game cheat status   : CHEATED.", "Player 1 cheat status: CHEATED."}},
       {"PLAYER", {refused}},
       {"LAND S ON", {}}});
  EXPECT_EQ(session.Land().Energy, 1234);
  EXPECT_EQ(player.Energy, 1234);
  // The energy is read before cheats are looked at.
  EXPECT_NE(session.Failure("PLAYER 1 E abc"), "");
  EXPECT_EQ(session.Written, TLines{});
}

TEST(WorldCommands, AllocationsAnimationsDarknessAndLeaving) {
  TConsoleSession session;
  TLandscape& land = session.Land();
  session.Program.Form1.StackHighWater = 5;
  session.Program.Form1.ScannerHighWater = 3;
  land.LastAnimation = 2;
  EXPECT_EQ(session.Run("ALLOCATION"),
            (TLines{"Allocations used:", "  Animations:  3/256", "  StackHeight: 5/18",
                    "  Scanners:    3/14", "  Players:     1/1"}));
  land.Animations(1) = {
      .X = 3, .Level = 1, .Z = 12, .Kind = ga_SoundDrain, .Duration = 1.5f, .Source = 42};
  const TLines anim = session.Run("ANIM");
  ASSERT_EQ(anim.size(), 8u);
  EXPECT_EQ(TLines(anim.begin(), anim.begin() + 4),
            (TLines{"Animations used:  3/256", Rule,
                    "  Animation   X   Y   Z Length  SoundID   Type       ", Rule}));
  EXPECT_EQ(anim[5], "       0001  003 001 012 01.500 000000042 ga_SoundDrain");
  EXPECT_EQ(anim[7], Rule);

  for (int slot = 0; slot < AnimationSlots; ++slot)
    land.Animations(slot).Kind = ga_static;  // every slot free
  EXPECT_EQ(session.Run("SPECIAL DARK 0.7"), TLines{"Darkness falls..."});
  EXPECT_EQ(land.SkyColour, TColor(0.0f, 0.0f, 0.0f, 0.7f));
  EXPECT_EQ(land.Animations(0).Kind, ga_LightOn);
  EXPECT_EQ(land.Animations(0).Duration, 2.0f);
  land.SkyColour = TColor(0.5f);
  EXPECT_EQ(session.Run("SP LIGHT 0.2"), TLines{});
  EXPECT_NE(session.Failure("SPECIAL DARK gloom"), "");
  EXPECT_EQ(session.Written, TLines{});
  EXPECT_EQ(land.SkyColour, TColor(0.5f));
  session.Run("sp dark");
  EXPECT_GE(land.SkyColour.a, 0.1f);
  EXPECT_LT(land.SkyColour.a, 0.5f);
  EXPECT_EQ(session.Run("LEAVE"), TLines{});
  EXPECT_EQ(land.Animations(2).Kind, ga_Leave);
  EXPECT_EQ(land.Animations(2).Duration, 1.5f);
}

TEST(WorldCommands, TheScannerListAndSwitch) {
  TConsoleSession session;
  TLandscape& land = session.Land();
  for (int n = 1; n <= MaxScanners; ++n)
    land.Scanners(n).State = ss_Free;
  TScanner& s = land.Scanners(2);
  s = {.PosX = 5, .PosZ = 9, .BaseHgt = 3.5, .ViewHgt = -1.25, .Type = go_tolmarch};
  s.State = ss_Scan, s.DoBlank = 2, s.Blank = 1, s.ScanEff = 0.5f, s.TScan = 1.5f, s.TObje = 12.25f;
  const std::string size = "Size: " + std::to_string(land.GridSize);
  const std::string header =
      "  Scanner Type     PosX PosZ BaseHgt ViewHgt State DoBlank Blank TScan TPlyr TObje "
      "ScanEff Rotation";
  const std::string row =
      "       02 Tolmarch  005  009  003.50 -001.25 Scan        2     1 01.50 00.00 12.25   50.0%";
  EXPECT_EQ(session.Run("LAND"),
            (TLines{size, Rule, header, Rule, row, Rule, "  Scanners on the landscape: 1"}));
  s.State = ss_Free;
  EXPECT_EQ(session.Run("LANDSCAPE whatever"),
            (TLines{size, Rule, header, Rule, Rule, "  No Scanners on the landscape"}));
  session.Run("CHEAT ON");
  session.Expect({{"LAND S ON", {"Scanners activated."}},
                  {"LAND SCANNERS 0", {"Scanners deactivated."}},
                  {"LAND S", {}}});
}

TEST(WorldCommands, TerrainHeights) {
  TConsoleSession session;
  const int last = session.Land().GridSize - 1;
  const std::string wrong = "Wrong number of arguments.";
  session.Expect(
      {{"GETH 1", {wrong}},
       {"GETH 1 2 3", {wrong}},
       {"GETH 1 2  ", {wrong}},
       {"GETH 1 2 3 4 5", {wrong}},
       {"GETH -1 4", {"Error: co-ordinates (x:-1, z:4) not valid, or returned no height."}},
       {"GETH 3 2 1 2", {"Heights of landscape points (3, 2), (1, 2): ", "    z x", "  002:"}}});
  const TLines point = session.Run("GETH 2.5 4");
  ASSERT_EQ(point.size(), 1u);
  EXPECT_TRUE(point[0].starts_with("Landscpae height at point (x:2.5, z:4) = ")) << point[0];

  const TLines all = session.Run("GETH");
  ASSERT_EQ(all.size(), size_t(last + 3));
  EXPECT_EQ(all[0], "Heights of all landscape points:");
  EXPECT_TRUE(all[1].starts_with("    z x  000   001 ")) << all[1];
  EXPECT_EQ(all[1].size(), 7u + 6 * (last + 1));
  // Corners outside the landscape are brought onto it.
  const TLines clamped = session.Run("GETH -5 -5 500 500");
  const std::string corner = std::to_string(last);
  EXPECT_EQ(clamped[0], "Heights of landscape points (0, 0), (" + corner + ", " + corner + "): ");
  EXPECT_EQ(TLines(clamped.begin() + 1, clamped.end()), TLines(all.begin() + 1, all.end()));
  const TLines part = session.Run("GETH 1 1 2 2");
  EXPECT_EQ(part, (TLines{part[0], "    z x  001   002 ", "  001:" + all[3].substr(12, 12),
                          "  002:" + all[4].substr(12, 12)}));
}

}  // namespace
}  // namespace orvane::console_test
