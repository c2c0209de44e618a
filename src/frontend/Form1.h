#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dialogs/GameSettings.h"
#include "world/Game.h"
#include "world/WorldHost.h"

namespace orvane {

class TRandom;
class TLog;
class TScene;

// The main window's logic: its state, its part in making and showing the world, and the
// hints it queues. The Qt window only shows this state and forwards its events.
class TForm1 : public TWorldHost, public TSettingsHost {
 public:
  TForm1(TRandom& random, TLog& log, TScene& scene, TDlgNewGame& settings);
  ~TForm1() override;

  // Makes the game object (once).
  void CreateGame();

  std::unique_ptr<TGame> Game;

  // ---- state shared by the front end
  bool MapView = false;
  bool ConsoleVisible = false;
  float LookVelocityYaw = 0.0f;
  float LookVelocityPitch = 0.0f;
  float LookDriftX = 0.0f;
  float LookDriftY = 0.0f;
  float FieldOfView = 0.0f;
  float TargetFieldOfView = 0.0f;
  float LookSensitivity = 0.0f;
  double LastDeltaTime = 0.0;
  double GameClockValue = 0.0;
  bool CameraMoved = false;
  bool Asleep = false;
  bool ShowHints = false;
  int PointedX = 0;
  int PointedZ = 0;
  float PointedHeight = 0.0f;
  int ScannerHighWater = 0;
  int StackHighWater = 0;

  // ---- hints: a queue of messages whose first three characters are a class letter, a
  // topic letter and a digit
  std::vector<std::string> HintQueue;
  void AddHint(const std::string& text);
  void RemoveHints(char topic);
  void ShowRandomTip() override;

  // ---- the camera on the player's robot, or the map view
  void SetPlayerView(int x, int z, bool faceTolmarch, bool map) override;

  // ---- what the world asks of the main window
  void SetFieldOfView(float degrees) override { FieldOfView = degrees; }
  void SetTargetFieldOfView(float degrees) override { TargetFieldOfView = degrees; }
  void Wake() override { Asleep = false; }
  void LeaveMapView() override { MapView = false; }
  void NoteStackLevel(int level) override;
  void NoteScannerSlot(int slot) override;
  double GameClock() const override { return GameClockValue; }

  // ---- what the settings tell the main window
  void SetLookSensitivity(float value) override { LookSensitivity = value; }
  void SetShowHints(bool on) override { ShowHints = on; }

 private:
  TRandom& Random;
  TLog& Log;
  TScene& Scene;
  TDlgNewGame& Settings;
};

extern const char* const RandomTips[13];
extern const char* const MapViewHint;

}  // namespace orvane
