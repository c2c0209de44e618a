#pragma once

#include <string>

#include <glm/glm.hpp>

#include "scene/Scene.h"

namespace orvane {

class TGame;
class TSimulation;

// The highest stack level and the highest scanner slot handed out since the program started.
struct THighWaterMarks {
  int Stack = 0;
  int Scanner = 0;
};

// What the console's commands ask of the main window. Operations that need a real window
// (a frame-rate measurement, the view's size, closing) are asked only when HasWindow says so.
class TConsoleHost {
 public:
  virtual ~TConsoleHost() = default;

  // The game and the simulation that runs its world; null while there is none.
  virtual TGame* ConsoleGame() = 0;
  virtual TSimulation* ConsoleSimulation() = 0;
  virtual double GameClock() const = 0;
  virtual THighWaterMarks HighWaterMarks() const = 0;

  // ---- display settings
  virtual bool SleepSwitchedOff() const = 0;
  virtual void SwitchSleepOff(bool off) = 0;
  virtual int FrameRateLimit() const = 0;
  virtual void SetMaxFPS(int value) = 0;
  virtual TAntiAliasing AntiAliasingMode() const = 0;
  virtual void SetAntiAliasing(TAntiAliasing mode) = 0;

  // ---- the window
  virtual bool HasWindow() const = 0;
  // Draws a few frames at once and returns the frames per second they were drawn at.
  virtual double MeasureFramesPerSecond() = 0;
  virtual glm::ivec2 ViewResolution() const = 0;
  virtual void ShowLabel1(const std::string& caption) = 0;
  // Closing the main window ends the program.
  virtual void CloseMainWindow() = 0;
  // The next-game dialog, closed if it is open.
  virtual void CloseNextGameDialog() = 0;
  // The console window was hidden or closed.
  virtual void ConsoleHidden() = 0;
};

}  // namespace orvane
