#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "console/Console.h"
#include "console/ConsoleHost.h"
#include "dialogs/NewGame.h"
#include "dialogs/NextGame.h"
#include "dialogs/Splash.h"
#include "dialogs/settings/GameSettings.h"
#include "scene/FrameTimer.h"
#include "scene/Scene.h"
#include "simulation/Simulation.h"
#include "world/Game.h"
#include "world/WorldHost.h"

namespace orvane {

class TRandom;
class TLog;
class TWindowSystem;

// The modifier keys and mouse buttons held when a key or the mouse acts.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;

// The icons of the energy meter: 1, 2, 3 and 15 energy units.
enum TMeterIcon { mi_None, mi_Tree, mi_Boulder, mi_Robot, mi_Robot15 };

// The status bar Panel1 as the window shows it.
struct TStatusBar {
  std::string EnergyText = "99";      // Lbl_Energy
  std::array<TMeterIcon, 8> Meter{};  // Img_Energy, slot 0 at the left
  uint32_t WarningColour = clBlack;   // LabelWarning
  uint32_t ActivityColour = clGreen;  // Label4
  std::string Label1Caption;
  int MeterRedraws = 0;
};

// The pop-up hint panel Panel_PopInfo as the window shows it.
struct THintPanel {
  bool Visible = false;
  int Width = 217;
  int Height = 57;
  std::string Text;  // LabelHintText
  // LabelHintType
  std::string Sign = "!";
  std::string SignFont = "Tahoma";
  int SignSize = 44;
  bool SignItalic = false;
  uint32_t SignColour = clRed;
  bool MoreVisible = false;  // LabelHintMore
  bool CloseEnabled = true;  // ButtonCloseHint
  bool operator==(const THintPanel&) const = default;
};

// The view's look and the mouse that drives it: the field of view, the turn speeds the mouse
// gives and the frame tick spends, and what the mouse last did.
struct TLook {
  float FieldOfView = 0.0f;
  float TargetFieldOfView = 0.0f;
  float LookSensitivity = 0.0f;
  float LookVelocityYaw = 0.0f;
  float LookVelocityPitch = 0.0f;
  float LookDriftX = 0.0f;
  float LookDriftY = 0.0f;
  bool CameraMoved = false;
  bool MouseMoved = false;
  bool MouseButtonDown = false;
  bool ResetMouseOrigin = false;
  bool CursorWarped = false;
  int LastMouseX = 0;
  int LastMouseY = 0;
};

// The main window's logic: its state, its part in making and showing the world, and the
// hints it queues. The Qt window only shows this state and forwards its events.
class TForm1 : public TWorldHost,
               public TSimulationHost,
               public TSettingsListener,
               public TConsoleHost {
 public:
  static constexpr int Panel1Height = 33;

  TForm1(TRandom& random, TLog& log, TScene& scene, TGameSettings& settings, TDlgNewGame& newGame);
  ~TForm1() override;

  // The window system the window runs in; null when there is none (operations that need it
  // then fail and report it).
  void SetWindowSystem(TWindowSystem* windows) { Windows = windows; }
  // The console window, which runs command lines; null until there is one.
  void SetConsole(TConsole* console) { Console = console; }

  // Makes the game object and the simulation that runs its world (once).
  void CreateGame();

  // ---- start-up and shutdown
  void FormCreate();
  void StartUp();
  // The saved preferences through the console, or the defaults when there is no console.
  void LoadPreferences();
  void CentreCursor();
  // Anything that reached the message loop: logged, the console shown, play goes on.
  void HandleException(const std::string& message);
  // The preferences are saved; a failure is logged and the window closes all the same.
  void FormClose();
  void FormDestroy();

  // The sound library's file; the game is silent without it.
  std::string SoundLibrary = "libopenal.so.1";

  std::unique_ptr<TGame> Game;
  std::unique_ptr<TSimulation> Simulation;

  // ---- the frame timer and its step
  TFrameTimer GLCadencer1;
  void GLCadencer1Progress(double deltaTime, double newTime);

  // ---- state shared by the front end
  bool MapView = false;
  bool ConsoleVisible = false;
  TLook Look;
  double LastDeltaTimeValue = 0.0;
  double GameClockValue = 0.0;
  bool ShowHints = false;
  int PointedX = 0;
  int PointedZ = 0;
  float PointedHeight = 0.0f;
  int ScannerHighWater = 0;
  int StackHighWater = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;

  // ---- the viewer's area and the square under the pointer
  void FormResize(int clientWidth, int clientHeight);
  // The square under a viewer pixel, or under the cursor when useCursor is set.
  void UpdatePointer(int x, int y, bool useCursor);

  // ---- display settings
  bool Asleep = false;
  bool VSync = false;
  int MaxFPS = 0;
  TAntiAliasing AntiAliasing = aaDefault;
  bool NoSleep = false;
  void SetAsleep(bool value) override;
  void SetVSync(bool value);
  void SetMaxFPS(int value) override;
  void SetAntiAliasing(TAntiAliasing mode) override;
  // Saves the last frame as "snapshot/<random number>.png"; a failure is thrown to the caller.
  void TakeScreenshot();

  // ---- the status bar
  TStatusBar StatusBar;
  void ShowEnergy(int value) override;
  void SetWarningColour(uint32_t colour) override { StatusBar.WarningColour = colour; }
  void Label1Click();
  void ResetFrameTimer() override;

  // ---- hints: a queue of messages whose first three characters are a class letter, a
  // topic letter and a digit; the panel shows the head
  const std::vector<std::string>& HintQueue() const { return Queue; }
  THintPanel Panel_PopInfo;
  void AddHint(const std::string& text) override;
  void RemoveHints(char topic) override;
  // Every waiting hint goes; the panel follows.
  void ClearHintQueue() override;
  void UpdateHintPanel();
  void ButtonCloseHintClick();
  void ShowRandomTip() override;

  // ---- the camera on the player's robot, or the map view
  void SetPlayerView(int x, int z, bool faceTolmarch, bool map) override;

  // ---- what the world asks of the main window
  void SetFieldOfView(float degrees) override { Look.FieldOfView = degrees; }
  void SetTargetFieldOfView(float degrees) override { Look.TargetFieldOfView = degrees; }
  void Wake() override { SetAsleep(false); }
  void LeaveMapView() override { MapView = false; }
  void NoteStackLevel(int level) override;
  void NoteScannerSlot(int slot) override;
  double GameClock() const override { return GameClockValue; }
  double LastDeltaTime() const override { return LastDeltaTimeValue; }
  void ExecuteCommand(const std::string& line, bool silent) override;

  // ---- keys: a virtual-key code and the shift state when it went down
  void FormKeyDown(int key, TShiftState shift = 0);
  void ToggleConsole();
  void ToggleMapView();

  // ---- the mouse on the viewer (client pixels of the viewer) and the wheel anywhere in the
  // window: notches up are positive
  void ViewerMouseDown(int x, int y);
  void ViewerMouseUp();
  void ViewerMouseMove(int x, int y, TShiftState shift);
  void MouseWheel(int notches);

  // ---- what the console's commands ask of the main window
  TGame* ConsoleGame() override { return Game.get(); }
  TSimulation* ConsoleSimulation() override { return Simulation.get(); }
  THighWaterMarks HighWaterMarks() const override { return {StackHighWater, ScannerHighWater}; }
  bool SleepSwitchedOff() const override { return NoSleep; }
  void SwitchSleepOff(bool off) override { NoSleep = off; }
  int FrameRateLimit() const override { return MaxFPS; }
  TAntiAliasing AntiAliasingMode() const override { return AntiAliasing; }
  bool HasWindow() const override { return Windows != nullptr; }
  double MeasureFramesPerSecond() override;
  glm::ivec2 ViewResolution() const override;
  void ShowLabel1(const std::string& caption) override { StatusBar.Label1Caption = caption; }
  void CloseMainWindow() override;
  void CloseNextGameDialog() override;
  void ConsoleHidden() override { ConsoleVisible = false; }

  // ---- the menus: the new-game dialog, the about box and the key list
  TFormSplash FormSplash;
  // The splash window; its first showing runs StartUp.
  void ShowSplash();
  // The new-game dialog, modal; its New Game and Exit run their console lines once it closes.
  void ShowNewGameDialog();
  // Esc: the new-game dialog with the pause suggestion, the world running on behind it.
  void PauseAndMenu();
  void ShowAbout();
  // The console holding only the list of keys.
  void ViewKeyboardControls();

  // ---- the next-game dialog, shown at the end of every landscape
  TFormNextGame FormNextGame;
  // Shown modally through the window system with the result; once it is closed the player's
  // choice goes into the settings.
  void ShowNextGameDialog(const TGameResult& result) override;

  // ---- what the settings tell the main window: the look's sensitivity and the hints
  void SettingChanged(TSetting setting) override;
  void SetShowHints(bool on);

 private:
  TWindowSystem& RequireWindows() const;
  // Whether the console exists; a message box says so when it does not.
  bool ConsoleThere() const;
  // The frame tick's parts: the view moved by its inertia, and the heartbeat's pace.
  void MoveViewByInertia(double deltaTime);
  // Orbits the camera about its target, the player's robot turning with the view.
  void TurnView(double pitch, double turn);
  // The reverse settings as signs: +1 when on, -1 when off.
  float YawSign() const { return Settings.CC_ReverseHorizontal() ? 1.0f : -1.0f; }
  float PitchSign() const { return Settings.CC_ReverseVertical() ? 1.0f : -1.0f; }
  // The target field of view times a factor, kept within its limits.
  void Zoom(double factor);
  // A left drag's step feeds the look speeds through the speed-dependent filter.
  void FollowMouse(int dx, int dy);
  // The square under the pointer as the player's actions take it.
  TPointedSquare Pointed() const { return {PointedX, PointedZ, PointedHeight}; }
  bool PointerValid() const;
  void AgeTension(double deltaTime);

  TRandom& Random;
  TLog& Log;
  TScene& Scene;
  TGameSettings& Settings;
  TDlgNewGame& DlgNewGame;
  TWindowSystem* Windows = nullptr;
  TConsole* Console = nullptr;
  std::vector<std::string> Queue;
};

extern const char* const RandomTips[13];
extern const char* const MapViewHint;
extern const char* const KeySummaryHint;
extern const char* const WelcomeHints[2];

}  // namespace orvane
