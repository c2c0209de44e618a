// The status bar: the energy meter and number, the lights, and the text area.

#include <string>

#include "frontend/Form1.h"

namespace orvane {

void TForm1::ShowEnergy(int value) {
  std::array<TMeterIcon, 8>& meter = StatusBar.Meter;
  meter.fill(mi_None);
  size_t slot = 0;
  int v = value;
  while (v > 15 && slot < meter.size()) {
    meter[slot++] = mi_Robot15;
    v -= 15;
  }
  if (v >= 3 && slot < meter.size()) {
    meter[slot++] = mi_Robot;
    v -= 3;
  }
  while (v >= 2 && slot < meter.size()) {
    meter[slot++] = mi_Boulder;
    v -= 2;
  }
  while (v >= 1 && slot < meter.size()) {
    meter[slot++] = mi_Tree;
    v -= 1;
  }
  ++StatusBar.MeterRedraws;
  StatusBar.EnergyText = value < 0 ? std::string() : std::to_string(value);
}

void TForm1::Label1Click() {
  GLCadencer1.ResetTimeBase();
}

void TForm1::ResetFrameTimer() {
  GLCadencer1.ResetTimeBase();
}

}  // namespace orvane
