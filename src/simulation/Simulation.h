#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "world/WorldHost.h"
#include "world/WorldTypes.h"

namespace orvane {

class TGame;
class TLandscape;
class TScene;
class TGameSettings;
class TRandom;
class TLog;
struct TAudio;

// How a landscape ended, as the next-game dialog shows it.
struct TGameResult {
  bool Lost = false;
  std::string Narrative;
  // The energy the player had at the end, and what a win carries into the next landscape.
  int EnergyLeft = 0;
  int CarriedEnergy = 0;
};

// What the simulation asks of the main window.
class TSimulationHost {
 public:
  virtual ~TSimulationHost() = default;
  virtual void AddHint(const std::string& text) = 0;
  virtual void RemoveHints(char topic) = 0;
  virtual void ClearHintQueue() = 0;
  virtual void SetAsleep(bool asleep) = 0;
  // The frame time of the latest frame, and the frame timer's clock of the last one finished.
  virtual double LastDeltaTime() const = 0;
  virtual double GameClock() const = 0;
  // The scan warning light: clRed, clOrange or clBlack.
  virtual void SetWarningColour(uint32_t colour) = 0;
  // Places the camera on the player's robot at a square (or in the map view).
  virtual void SetPlayerView(int x, int z, bool faceTolmarch, bool map) = 0;
  // Shows the next-game dialog modally with the result; returns once it is closed and the
  // player's choice is applied to the settings, the world running on behind it (the frame
  // timer keeps firing).
  virtual void ShowNextGameDialog(const TGameResult& result) = 0;
};

// What a scan found.
enum TScanResult : int { sr_Nothing = 0, sr_Objects = 1, sr_Player = 2 };

// A scanner's view sector, from Lo to Hi degrees (it crosses 0 degrees when Lo > Hi), seen
// from the scanner's square; a square is judged by the direction to its corner point.
struct TSector {
  TSector(int posX, int posZ, double facing, double width);
  bool Holds(int x, int z) const;
  // False only for squares well outside; quick and without branches.
  bool MayHold(int x, int z) const;

  int PosX = 0;
  int PosZ = 0;
  double Lo = 0.0;
  double Hi = 0.0;

 private:
  // Quick tests before the exact one, which needs an arc tangent: squares well outside the
  // sector are turned away and squares well inside it taken. The sector's middle direction,
  // and the cosines of its half width plus and minus a margin (-2 and 2: no quick answer).
  double MiddleX = 0.0;
  double MiddleZ = 1.0;
  double CosWide = -2.0;
  double CosNarrow = 2.0;
};

// The square under the pointer and what stands there, worked out before each action.
struct TPointedSquare {
  int X = -1;
  int Z = -1;
  float Height = 0.0f;
};

// The living world: the animations that drive everything that takes time, the scanners,
// the player's actions and the end of a landscape. It works on the game's world and the
// main window's scene, and runs the world from its making to its end.
class TSimulation final : public TWorldSimulation {
 public:
  TSimulation(TGame& game, TScene& scene, TGameSettings& settings, TRandom& random, TLog& log,
              TSimulationHost& host);
  ~TSimulation() override;
  TSimulation(const TSimulation&) = delete;
  TSimulation& operator=(const TSimulation&) = delete;

  TLandscape& Landscape();

  // ---- animations
  void ProgressAnimations(double frameTime);
  void StepAnimation(int slot, float progress);
  void AnimationStarted(int slot, float progress) override;
  // Raises the tension, which stays within 1 to 100.
  void RaiseTension(float amount);

  // ---- the sound record's game layer (silent while no sound library is bound)
  void PlayAnimationSound(int slot, bool loop, uint32_t buffer, float gain);
  void SetSoundPitch(int slot, float pitch);
  void StopSound(int slot);
  void StopAnimationSounds(int mode);  // 1: every sound animation, 2: only ga_SoundDrain

  // ---- scanners
  void StartScanners();
  void StopScanners();
  TScanResult ScanStep(int slot, bool drain);
  bool CanSeePlayer(int slot, bool drain);
  bool InSector(int slot, int x, int z);
  TSector SectorOf(int slot);
  bool PlaceTreeInView(int slot);
  float SightLine(const glm::vec3& from, const glm::vec3& to, bool belowCheck);
  float SquareVisibility(int x, int z, const glm::vec3& eye);
  // Whether SquareVisibility is above 0: some of its sight lines is clear. It stops at the
  // first clear one.
  bool SquareInSight(int x, int z, const glm::vec3& eye);
  std::optional<float> TerrainHeightAt(float x, float z);
  int FindScanner(int x, int z);
  void ClearScannerAt(int x, int z);
  void ScanWarning() override;
  // The end of a ga_Scan or a ga_rotate on a scanner's object.
  void ScanEnded(int x, int z);
  void TurnEnded(int x, int z);

  // ---- the player's actions on the pointed square; each does nothing or all it should
  void Absorb(const TPointedSquare& pointed);
  void CreateTree(const TPointedSquare& pointed);
  void CreateBoulder(const TPointedSquare& pointed);
  void CreateRobot(const TPointedSquare& pointed);
  void Transfer(const TPointedSquare& pointed);
  void HyperspaceAction();

  // ---- the end of a landscape
  void GameEnd(bool lost);
  int NextEnergy = 0;
  // A landscape is ending: its leaving or dying runs, or the next-game dialog is open. No
  // second end begins meanwhile, and the scanners take nothing more.
  bool LandscapeEnding();

 private:
  TGame& Game;
  TScene& Scene;
  TGameSettings& Settings;
  TRandom& Random;
  TLog& Log;
  TSimulationHost& Host;

  // ---- animations: helpers
  void StepObjectAnimation(int slot, double p, double e);
  void StepSceneAnimation(int slot, double p, double e);
  void StepSoundAnimation(int slot, double p);
  // Builds the shape of the slot's object anew at a growth and angle, in the same stack
  // slot, keeping the animation slot itself and the object's Angle and Animation.
  void RebuildObject(int slot, float growth, float angle);

  // ---- scanners: helpers
  TStackedObject& ScannerObject(int slot);
  glm::vec3 ScannerEye(int slot);
  void StartScanWait(int slot, float duration);
  void StartScannerSound(int slot, TAnimationKind kind, float duration);
  bool ScannerBusy(int slot);
  void DrainPlayer(int slot);
  bool ConvertObjectInView(int slot);
  bool ObjectInSight(int slot, int x, int z, float base);
  // Whether a scanner's eye sees some of a flat square (its SquareVisibility above 0.01).
  bool SeesSquare(int slot, int x, int z);

  // What each scanner's eye has been found to see, square by square: searches test the same
  // squares again and again, and the answer depends only on the ground and the eye. It is
  // forgotten when either changes.
  struct TSquaresSeen {
    glm::vec3 Eye{std::nanf("")};
    uint32_t Heights = 0;          // the landscape's HeightsVersion it was found for
    std::vector<uint8_t> Squares;  // per point: 0 not known yet, 1 unseen, 2 seen
  };
  std::array<TSquaresSeen, MaxScanners> SquaresSeen;

  // The pass over the animation table of the frame under way (passes nest: frames go on
  // behind the next-game dialog, which a pass opens). A slot started during the pass at a
  // higher index than the one being stepped is stepped in the same pass, with the part of the
  // frame that was left when it started.
  struct TPass {
    int Current = -1;
    double TimeLeft = 0.0;  // of the frame, once the animation being stepped has ended
    std::array<double, AnimationSlots> StartedWith;  // < 0: not started during the pass
  };
  TPass* ActivePass = nullptr;
  bool NextGameDialogOpen = false;
};

}  // namespace orvane
