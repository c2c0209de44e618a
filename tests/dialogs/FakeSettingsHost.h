#pragma once

#include <string>
#include <vector>

#include "dialogs/GameSettings.h"

namespace orvane::test {

// Records what the settings tell the main window.
class FakeSettingsHost : public TSettingsHost {
 public:
  void SetLookSensitivity(float value) override {
    LookSensitivities.push_back(value);
    Calls.push_back("LookSensitivity");
  }
  void SetShowHints(bool on) override {
    ShowHints.push_back(on);
    Calls.push_back(on ? "ShowHints on" : "ShowHints off");
  }

  std::vector<float> LookSensitivities;
  std::vector<bool> ShowHints;
  std::vector<std::string> Calls;
};

}  // namespace orvane::test
