#pragma once

#include <string>

namespace orvane {

// What the world asks of the main window and the console around it.
class TWorldHost {
 public:
  virtual ~TWorldHost() = default;

  // The status bar shows a new energy value: the meter and the number.
  virtual void ShowEnergy(int value) = 0;
  // The main window queues a random tip.
  virtual void ShowRandomTip() = 0;
  // The frame timer's clock starts again at zero.
  virtual void ResetFrameTimer() = 0;
  virtual void SetFieldOfView(float degrees) = 0;
  virtual void SetTargetFieldOfView(float degrees) = 0;
  // The scene is to be redrawn: the main window stops sleeping.
  virtual void Wake() = 0;
  virtual void LeaveMapView() = 0;
  // Statistics shown by the console: the highest stack level and scanner slot handed out.
  virtual void NoteStackLevel(int level) = 0;
  virtual void NoteScannerSlot(int slot) = 0;
  // The frame timer's clock of the last finished frame, the start time of new animations.
  virtual double GameClock() const = 0;
  // Places the camera on the player's robot at a square (or in the map view).
  virtual void SetPlayerView(int x, int z, bool faceTolmarch, bool map) = 0;
  // Runs a console command line.
  virtual void ExecuteCommand(const std::string& line, bool silent) = 0;
};

// What the world asks of the simulation that runs it: the steps of its animations, and the scan
// warning brought up to date.
class TWorldSimulation {
 public:
  virtual ~TWorldSimulation() = default;
  // A new animation was put into a slot: it takes its first step at once.
  virtual void AnimationStarted(int slot, float progress) = 0;
  virtual void ScanWarning() = 0;
};

// A world that nothing runs (a landscape made only to be looked at): animations fill their
// slots and wait; there are no scanners to warn of.
class TStillWorld final : public TWorldSimulation {
 public:
  void AnimationStarted(int /*slot*/, float /*progress*/) override {}
  void ScanWarning() override {}
};

}  // namespace orvane
