#pragma once

#include <string>

namespace orvane {

// What the world asks of the program around it: the main window, the console and the
// simulation. Every call has a default that does nothing, so a world can be made on its
// own (tests, the landscape dump); the main window overrides what it provides.
class TWorldHost {
 public:
  virtual ~TWorldHost() = default;

  // The status bar shows a new energy value: the meter and the number.
  virtual void ShowEnergy(int /*value*/) {}
  // The main window queues a random tip.
  virtual void ShowRandomTip() {}
  // The frame timer's clock starts again at zero.
  virtual void ResetFrameTimer() {}
  virtual void SetFieldOfView(float /*degrees*/) {}
  virtual void SetTargetFieldOfView(float /*degrees*/) {}
  // The scene is to be redrawn: the main window stops sleeping.
  virtual void Wake() {}
  virtual void LeaveMapView() {}
  // Statistics shown by the console: the highest stack level and scanner slot handed out.
  virtual void NoteStackLevel(int /*level*/) {}
  virtual void NoteScannerSlot(int /*slot*/) {}
  // The frame timer's clock of the last finished frame, the start time of new animations.
  virtual double GameClock() const { return 0.0; }
  // Places the camera on the player's robot at a square (or in the map view).
  virtual void SetPlayerView(int /*x*/, int /*z*/, bool /*faceTolmarch*/, bool /*map*/) {}
  // Runs a console command line.
  virtual void ExecuteCommand(const std::string& /*line*/, bool /*silent*/) {}
  // One step of a running animation, at its progress.
  virtual void StepAnimation(int /*slot*/, float /*progress*/) {}
  // The scan warning on the status bar is brought up to date.
  virtual void ScanWarning() {}
};

}  // namespace orvane
