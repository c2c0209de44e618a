#pragma once

// Playing a whole game through the main window's logic: the player's actions on chosen
// squares, the frame tick, and a next-game dialog that answers by itself.

#include <algorithm>
#include <cmath>
#include <string>

#include "frontend/FakeWindowSystem.h"
#include "frontend/Program.h"
#include "world/MathKT.h"
#include "world/WorldFixture.h"

namespace orvane::play {

// The energy a won landscape carries into the next: the integer part of the root of the energy
// left, scaled by the difficulty, and 4 more.
inline int CarriedEnergy(int energy, int32_t difficulty) {
  return Trunc(std::sqrt(double(std::max(energy, 0))) * (difficulty * 2 * 0.01 + 0.5)) + 4;
}

// A window system whose next-game dialog is shown, answered with a key ('1' easier, '2' same
// again, '3' more difficult) and closed at once. It notes what the dialog showed.
class TAnsweringWindowSystem : public TFakeWindowSystem {
 public:
  explicit TAnsweringWindowSystem(TProgram& program) : Program(program) {}

  void ShowNextGameDialog() override {
    TFakeWindowSystem::ShowNextGameDialog();
    TFormNextGame& dialog = Program.Form1.FormNextGame;
    dialog.FormShow();
    EnergyAtEnd = Program.Landscape().Energy;
    DifficultyAtEnd = Program.Settings.GameSpec().S_Difficulty;
    Won = dialog.ImageWin.Visible && !dialog.ImageLose.Visible;
    Narrative = dialog.LabelNarrative.Caption;
    dialog.FormKeyPress(Answer);
  }

  char Answer = '2';
  int EnergyAtEnd = 0;
  int32_t DifficultyAtEnd = 0;
  bool Won = false;
  std::string Narrative;
  TProgram& Program;
};

// A program playing one landscape after another, its clock fixed so that runs repeat.
class TPlaySession {
 public:
  TPlaySession() {
    Program.Random.SetClock([] { return 13579u; });
    Program.Settings.ApplyDefaultSettings();
    Form.SetWindowSystem(&Windows);
    Form.CreateGame();
  }

  TLandscape& Start(int32_t number, int32_t difficulty) {
    Program.Settings.ChooseLandscape(number, difficulty);
    Form.Game->Init();
    return Land();
  }

  // One frame; notes whether a scanner drained the player in it.
  void Tick(double deltaTime = 1.0 / 60) {
    Clock += deltaTime;
    Form.GLCadencer1Progress(deltaTime, Clock);
    for (int n = 1; n <= MaxScanners; ++n)
      Drained = Drained || Land().Scanners(n).Seen == 2;
  }
  // Frames of 1/60 s for a while: long enough for objects to finish appearing or vanishing.
  void Run(double seconds = 0.5) {
    for (int frame = 0; frame < seconds * 60; ++frame)
      Tick();
  }

  TLandscape& Land() { return Program.Landscape(); }
  // The animation slots holding a kind, or any kind but ga_static.
  int Slots(TAnimationKind kind) { return test::Running(Land(), kind); }
  TSimulation& Sim() { return *Form.Simulation; }
  TPlayer& Me() { return Land().Player(); }
  glm::vec3 Eye() { return {Me().X + 0.5f, static_cast<float>(Me().EyeHgt), Me().Z + 0.5f}; }

  // The pointer on a square's top object, or on its ground when it is empty.
  TPointedSquare At(int x, int z) {
    const TLandscape& land = Land();
    const int top = land.TopLevel(x, z);
    if (top < 1) return {x, z, land.PointHeight(x, z)};
    const TStackedObject& object = land.Object(x, z, top);
    return {x, z, object.Base + 0.5f * object.Height};
  }

  TProgram Program;
  TForm1& Form = Program.Form1;
  TAnsweringWindowSystem Windows{Program};
  double Clock = 0.0;
  bool Drained = false;
};

}  // namespace orvane::play
