// The main window's keys: one handler for every key of the game, the console's keys included.
// The player's actions land on the square under the pointer, found afresh before every key.

#include <cmath>
#include <exception>

#include "console/Log.h"
#include "frontend/Form1.h"
#include "frontend/WindowSystem.h"

namespace orvane {

const char* const KeySummaryHint =
    "HB0Keys: [ESC] - Pause/Menu\n"
    "[A] Absorb              \n"
    "[B] Place Boulder       \n"
    "[R] Place Shell         \n"
    "[Q] Transfer to Shell   \n"
    "[H] Hyperspace (panic)  \n"
    "More keys on [ESC] > Help.";

namespace {

enum TKey : int {
  vkTab = 9,
  vkReturn = 13,
  vkEscape = 27,
  vkSpace = 32,
  vkLeft = 37,
  vkUp = 38,
  vkRight = 39,
  vkDown = 40,
  vk1 = 49,
  vk2 = 50,
  vk3 = 51,
  vkA = 65,
  vkB = 66,
  vkH = 72,
  vkI = 73,
  vkM = 77,
  vkO = 79,
  vkQ = 81,
  vkR = 82,
  vkT = 84,
  vkU = 85,
  vkF1 = 112,
  vkF2 = 113,
  vkF3 = 114,
  vkF4 = 115,
  vkF5 = 116,
  vkF9 = 120,
  vkF11 = 122,
  vkF15 = 126,
};

// One zoom key is two notches of the wheel; with Ctrl, a fine step.
constexpr double ZoomStep = 1.2769;
const double FineZoomStep = std::pow(1.13, 0.3);

}  // namespace

bool TForm1::PointerValid() const {
  const int size = Game->Landscape->GridSize;
  return PointedX >= 0 && PointedX < size && PointedZ >= 0 && PointedZ < size;
}

void TForm1::FormKeyDown(int key, TShiftState shift) {
  if (!Game || !Game->Landscape) return;
  try {
    UpdatePointer(0, 0, true);
    // Ctrl means Ctrl alone.
    const bool ctrl = shift == ssCtrl;
    const bool canAct = !MapView && PointerValid();
    // The reverse settings act again in the frame tick, so the keys turn the same way either way.
    const float yawSign = YawSign();
    const float pitchSign = PitchSign();
    switch (key) {
      case vkTab:
      case vkF9:
      case vkF15:
        ToggleConsole();
        break;
      case vkEscape:
        PauseAndMenu();
        break;
      case vkLeft:
      case vkRight:
        Look.LookVelocityYaw += (key == vkLeft ? 1.0f : -1.0f) * yawSign * (ctrl ? 1.0f : 10.0f);
        SetAsleep(false);
        break;
      case vkUp:
      case vkDown:
        Look.LookVelocityPitch += (key == vkUp ? 1.0f : -1.0f) * pitchSign * (ctrl ? 0.6f : 6.0f);
        SetAsleep(false);
        break;
      case vkI:
        Zoom(1.0 / (ctrl ? FineZoomStep : ZoomStep));
        SetAsleep(false);
        break;
      case vkO:
        Zoom(ctrl ? FineZoomStep : ZoomStep);
        SetAsleep(false);
        break;
      case vkM:
        ToggleMapView();
        break;
      case vkSpace:
      case vkA:
        if (canAct) Simulation->Absorb(Pointed());
        break;
      case vk1:
      case vkT:
        if (canAct) Simulation->CreateTree(Pointed());
        break;
      case vk2:
      case vkB:
        if (canAct) Simulation->CreateBoulder(Pointed());
        break;
      case vk3:
      case vkR:
        if (canAct) Simulation->CreateRobot(Pointed());
        break;
      case vkQ:
        if (!MapView) Simulation->Transfer(Pointed());
        break;
      case vkH:
        if (!MapView) Simulation->HyperspaceAction();
        break;
      case vkU:
        if (!MapView) {
          TurnView(0.0, 180.0);
          Look.CameraMoved = true;
        }
        break;
      case vkF1:
        Settings.gs_H_ShowHints(true);
        AddHint(KeySummaryHint);
        break;
      case vkF2:
        TakeScreenshot();
        break;
      case vkF3:
        // Default, 2x, none, and back to the default.
        ExecuteCommand(AntiAliasing == aaDefault ? "PERF AA 2x"
                       : AntiAliasing == aa2x    ? "PERF AA None"
                                                 : "PERF AA Default",
                       true);
        break;
      case vkF4:
        Settings.gs_H_ShowHints(!Settings.H_ShowHints());
        UpdateHintPanel();
        break;
      case vkF5:
        ShowRandomTip();
        break;
      case vkReturn:
        if (shift == ssAlt) Settings.gs_D_FullScreen(!Settings.D_FullScreen());
        break;
      case vkF11:
        Settings.gs_D_FullScreen(!Settings.D_FullScreen());
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    Log.Log("Error 0011: Excpetion, or Landscape object does not exist @ Form.FormKeyDown().");
  }
}

bool TForm1::ConsoleThere() const {
  if (!Console) RequireWindows().ShowErrorBox("Error 0012: Console not available.");
  return Console != nullptr;
}

void TForm1::ToggleConsole() {
  if (!ConsoleThere()) return;
  if (!ConsoleVisible) {
    Console->Show();
    ConsoleVisible = true;
  } else {
    Console->Hide();
    ConsoleVisible = false;
  }
}

void TForm1::ToggleMapView() {
  MapView = !MapView;
  const TPlayer& player = Game->Landscape->Player();
  SetPlayerView(player.X, player.Z, false, MapView);
}

}  // namespace orvane
