// The commands that look into the running world and, with cheats allowed, change it.

#include <algorithm>
#include <cmath>
#include <string>

#include "console/ConsoleHost.h"
#include "console/FormNotes.h"
#include "console/Interpreter.h"
#include "console/NumberFormat.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/Random.h"

namespace orvane {

namespace {

const std::string TableRule(95, '-');

std::string CheatStatus(bool cheated) {
  return cheated ? "CHEATED." : "Not cheated.";
}

std::string ScannerTypeName(TGameObjectKind type) {
  if (type == go_tolmarch) return "Tolmarch ";
  if (type == go_sentry) return "Sentry   ";
  return "";
}

std::string ScannerStateName(int state) {
  switch (state) {
    case ss_Idle:
      return "Idle  ";
    case ss_Scan:
      return "Scan  ";
    case ss_Drain:
      return "Drain ";
    case ss_Seen:
      return "Seen  ";
    default: {
      std::string text = std::to_string(state);
      text.resize(std::max<size_t>(text.size(), 6), ' ');
      return text;
    }
  }
}

std::string Used(int used, int size) {
  return std::to_string(used) + "/" + std::to_string(size);
}

}  // namespace

void TInterpreter::Special(bool) {
  if (UpperArg(1) != "DARK") return;
  double density = 0.0;
  if (Arg(2).empty()) {
    density = Random.Random() * 0.4 + 0.1;
  } else {
    density = NumberArg(2);
    if (!std::isfinite(density))
      throw TCommandError("Argument 2 is not a number: \"" + Arg(2) + "\".");
  }
  TLandscape& land = Landscape();
  Notes.Log("Darkness falls...");
  land.SkyColour = TColor(0.0f, 0.0f, 0.0f, static_cast<float>(density));
  land.StartAnimation(0, 0, 0, 0.0f, ga_LightOn, Host.GameClock(), 2.0f, 0.0f, 0.0f);
}

void TInterpreter::Cheat(bool) {
  TGame& game = Game();
  switch (SwitchArg(1)) {
    case sw_On:
      game.Cheated = true;
      game.CheatsEnabled = true;
      game.Landscape->Player().Cheat = true;
      Notes.Log("Player 0: CHEAT set to ON.");
      break;
    case sw_Off:
      game.CheatsEnabled = false;
      Notes.Log("Player 0: CHEAT set to OFF.");
      break;
    case sw_Neither:
      Notes.Log("Game cheat status   : " + CheatStatus(game.Cheated));
      Notes.Log("Player " + std::to_string(1) +
                " cheat status: " + CheatStatus(game.Landscape->Players(1).Cheat));
      break;
  }
}

void TInterpreter::Player(bool) {
  TGame& game = Game();
  TLandscape& land = *game.Landscape;
  if (Arg(1).empty()) {
    if (!game.CheatsEnabled) {
      Notes.Log("Can not view Player information. Cheats are not enabled.");
      return;
    }
    Notes.Log("Player Energy PosX PosZ   PosH  Cheat");
    for (int n = 1; n <= land.PlayerCount; ++n) {
      const TPlayer& player = land.Players(n);
      Notes.Log(FormatPicture("   000", n) + FormatPicture("    000", player.Energy) +
                FormatPicture("  000", player.X) + FormatPicture("  000", player.Z) +
                FormatPicture("  000.0; -000.0", player.EyeHgt) + "  " +
                (player.Cheat ? "YES" : "no"));
    }
    return;
  }
  const int32_t n = WholeArg(1);
  if (n < 1 || n > land.PlayerCount) {
    Notes.Log("No such Player: " + std::to_string(n) + ". Players 1 to " +
              std::to_string(land.PlayerCount) + " are valid.");
    return;
  }
  const std::string sub = UpperArg(2);
  if (sub == "E" || sub == "ENERGY") {
    const int32_t energy = WholeArg(3);
    if (!game.CheatsEnabled) {
      Notes.Log("Setting player " + std::to_string(n) + " energy failed. Cheats are not enabled.");
      return;
    }
    land.Players(n).Energy = energy;
    if (n == 1) land.SetEnergy(energy);
    Notes.Log("Player " + std::to_string(n) + ": energy set to " + std::to_string(energy));
    return;
  }
  const TPlayer& player = land.Players(n);
  Notes.Log("Player " + std::to_string(n) + " information:");
  Notes.Log(FormatNumbers("   %3.0f    %3n   %2.0f   %2.0f   %2.1f  ",
                          {double(n), double(player.Energy), double(player.X), double(player.Z),
                           player.EyeHgt}) +
            CheatStatus(player.Cheat));
}

void TInterpreter::Alloc(bool) {
  const TLandscape& land = Landscape();
  const THighWaterMarks marks = Host.HighWaterMarks();
  Notes.Log("Allocations used:");
  Notes.IndentIn();
  Notes.Log("Animations:  " + Used(land.LastAnimation + 1, AnimationSlots));
  Notes.Log("StackHeight: " + Used(marks.Stack, MaxStack));
  Notes.Log("Scanners:    " + Used(marks.Scanner, MaxScanners));
  Notes.Log("Players:     " + Used(1, 1));
  Notes.IndentOut();
}

void TInterpreter::Anim(bool) {
  const TLandscape& land = Landscape();
  Notes.Log("Animations used:  " + Used(land.LastAnimation + 1, AnimationSlots));
  Notes.IndentIn();
  Notes.Log(TableRule);
  Notes.Log("Animation   X   Y   Z Length  SoundID   Type       ");
  Notes.Log(TableRule);
  for (int slot = 0; slot <= land.LastAnimation; ++slot) {
    const TAnimation& a = land.Animations(slot);
    Notes.Log(FormatPicture("     0000 ", slot) + FormatPicture(" 000", a.X) +
              FormatPicture(" 000", a.Level) + FormatPicture(" 000", a.Z) +
              FormatPicture(" 00.000", a.Duration) + FormatPicture(" 000000000 ", a.Source) +
              AnimationKindName(a.Kind));
  }
  Notes.Log(TableRule);
  Notes.IndentOut();
}

void TInterpreter::Land(bool) {
  const std::string sub = UpperArg(1);
  if (sub == "SCANNERS" || sub == "S")
    LandScanners();
  else
    ListScanners();
}

void TInterpreter::LandScanners() {
  if (!Game().CheatsEnabled) return;
  switch (SwitchArg(2)) {
    case sw_Off:
      Simulation().StopScanners();
      Notes.Log("Scanners deactivated.");
      break;
    case sw_On:
      Simulation().StartScanners();
      Notes.Log("Scanners activated.");
      break;
    case sw_Neither:
      break;
  }
}

void TInterpreter::ListScanners() {
  const TLandscape& land = Landscape();
  Notes.Log("Size: " + std::to_string(land.GridSize));
  Notes.IndentIn();
  Notes.Log(TableRule);
  Notes.Log(
      "Scanner Type     PosX PosZ BaseHgt ViewHgt State DoBlank Blank TScan TPlyr TObje "
      "ScanEff Rotation");
  Notes.Log(TableRule);
  int listed = 0;
  for (int n = 1; n <= MaxScanners; ++n) {
    const TScanner& s = land.Scanners(n);
    if (s.State == ss_Free) continue;
    ++listed;
    const char* const height = " 000.00 ;-000.00 ";
    Notes.Log(FormatPicture("     00 ", n) + ScannerTypeName(s.Type) +
              FormatPicture(" 000 ", s.PosX) + FormatPicture(" 000 ", s.PosZ) +
              FormatPicture(height, s.BaseHgt) + FormatPicture(height, s.ViewHgt) +
              ScannerStateName(s.State) + FormatPicture("      0 ", s.DoBlank) +
              FormatPicture("    0 ", s.Blank) + FormatPicture("00.00 ", s.TScan) +
              FormatPicture("00.00 ", s.TPlyr) + FormatPicture("00.00 ", s.TObje) +
              FormatPicture("  00.0%", s.ScanEff * 100.0));
  }
  Notes.Log(TableRule);
  Notes.Log(listed == 0 ? std::string("No Scanners on the landscape")
                        : "Scanners on the landscape: " + std::to_string(listed));
  Notes.IndentOut();
}

void TInterpreter::Leave(bool) {
  Landscape().StartAnimation(0, 0, 0, 0.0f, ga_Leave, Host.GameClock(), 1.5f, 0.0f, 0.0f);
}

void TInterpreter::GetH(bool) {
  const int last = Landscape().GridSize - 1;
  switch (TokenCount) {
    case 1:
      Notes.Log("Heights of all landscape points:");
      Notes.IndentIn();
      LogHeights(0, 0, last, last);
      Notes.IndentOut();
      break;
    case 3: {
      const double x = NumberArg(1);
      const double z = NumberArg(2);
      // Numbers beyond the single range are off the landscape all the same.
      const auto single = [](double v) { return static_cast<float>(std::clamp(v, -1e30, 1e30)); };
      const auto height = Simulation().TerrainHeightAt(single(x), single(z));
      const std::string point = "(x:" + GeneralNumber(x) + ", z:" + GeneralNumber(z) + ")";
      if (height)
        Notes.Log("Landscpae height at point " + point + " = " + GeneralNumber(*height));
      else
        Notes.Log("Error: co-ordinates " + point + " not valid, or returned no height.");
      break;
    }
    case 5: {
      const auto corner = [&](int i) { return std::clamp(WholeArg(i), 0, std::max(last, 0)); };
      const int x1 = corner(1), z1 = corner(2), x2 = corner(3), z2 = corner(4);
      Notes.Log("Heights of landscape points (" + std::to_string(x1) + ", " + std::to_string(z1) +
                "), (" + std::to_string(x2) + ", " + std::to_string(z2) + "): ");
      Notes.IndentIn();
      LogHeights(x1, z1, x2, z2);
      Notes.IndentOut();
      break;
    }
    default:
      Notes.Log("Wrong number of arguments.");
  }
}

void TInterpreter::LogHeights(int x1, int z1, int x2, int z2) {
  TSimulation& simulation = Simulation();
  std::string header = "  z x";
  for (int x = x1; x <= x2; ++x)
    header += FormatPicture("  000 ", x);
  Notes.Log(header);
  for (int z = z1; z <= z2; ++z) {
    std::string row = FormatPicture("000:", z);
    for (int x = x1; x <= x2; ++x) {
      const auto height = simulation.TerrainHeightAt(float(x), float(z));
      row += height ? FormatPicture("  00.0; -00.0", *height) : "     #";
    }
    Notes.Log(row);
  }
}

}  // namespace orvane
