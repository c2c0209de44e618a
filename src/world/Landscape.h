#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/SceneObject.h"
#include "world/WorldHost.h"
#include "world/WorldTypes.h"

namespace orvane {

class TRandom;
class TLog;
class TScene;
class TGameSettings;
struct TGameSpec;
struct TAudio;

// Everything the world works with but does not own.
struct TWorldLinks {
  TRandom& Random;
  TLog& Log;
  TScene& Scene;
  TGameSettings& Settings;
  TAudio& Audio;
  TWorldHost& Host;
  // The simulation that runs the world, as the game has it now.
  TWorldSimulation* const& Runner;
};

// The whole state of the landscape being played: the grid of heights, the stack of objects
// on every square, the player, the scanners, the animation slots, the palette and the random
// numbers all of it was made from. Made once; every landscape is made into the same object.
class TLandscape {
 public:
  explicit TLandscape(const TWorldLinks& links);
  ~TLandscape();
  TLandscape(const TLandscape&) = delete;
  TLandscape& operator=(const TLandscape&) = delete;

  // ---- the palette, made with the mesh
  TColor FlatColourOdd{0.0f}, FlatColourEven{0.0f}, SkyColour{0.0f}, SlopeColourEven{0.0f},
      SlopeColourOdd{0.0f}, MainLightColour{0.0f}, SecondLightColour{0.0f};

  // ---- numbers of the landscape
  double& Params(int n);  // n = 1..32
  double Params(int n) const;
  double Difficulty() const { return ParamValues[3]; }
  float HeightStep = 0.0f;
  int32_t GridSize = 0;
  int32_t PlayerCount = 0;
  int32_t CurrentPlayer = 0;
  int32_t LastAnimation = 0;
  float TolmarchX = 0.0f;
  float TolmarchZ = 0.0f;
  float PedestalGround = 0.0f;
  int32_t SiteCount = 0;
  int32_t SquareCount = 0;  // index of the last valid entry of SquaresByHeight, -1 for none
  std::array<float, GameObjectKindCount> ObjectHeights{};
  int32_t Energy = 0;
  float LeaveStarted = 0.0f;

  // ---- tables, all bounds-checked
  TPlayer& Players(int n) { return PlayerRecords[Checked(n - 1, PlayerRecords.size(), "Players")]; }
  TPlayer& Player() { return Players(CurrentPlayer); }
  const TPlayer& Player() const {
    return PlayerRecords[Checked(CurrentPlayer - 1, PlayerRecords.size(), "Players")];
  }
  TScanner& Scanners(int n) { return ScannerRecords[Checked(n - 1, MaxScanners, "Scanners")]; }
  const TScanner& Scanners(int n) const {
    return ScannerRecords[Checked(n - 1, MaxScanners, "Scanners")];
  }
  TAnimation& Animations(int slot) {
    return AnimationRecords[Checked(slot, AnimationSlots, "Animations")];
  }
  const TAnimation& Animations(int slot) const {
    return AnimationRecords[Checked(slot, AnimationSlots, "Animations")];
  }
  TSquareEntry& SquaresByHeight(int index) {
    return SquareEntries[Checked(index, SquareListSize, "SquaresByHeight")];
  }
  const TSquareEntry& SquaresByHeight(int index) const {
    return SquareEntries[Checked(index, SquareListSize, "SquaresByHeight")];
  }
  // A point's height is set only through SetPointHeight, which keeps the level squares with it.
  const TLandscapePoint& Points(int x, int z) const { return PointGrid[PointIndex(x, z)]; }
  float PointHeight(int x, int z) const { return Points(x, z).Height; }
  void SetPointHeight(int x, int z, float height);
  // The height of the square whose lowest corner is (x, z) when its four corners are equal,
  // NaN when they are not; squares beyond GridSize are not told apart here.
  float LevelSquareHeight(int x, int z) const { return LevelSquares[PointIndex(x, z)]; }
  // No point of the grid (0 to GridSize each way) is higher, NaN heights aside; it may lie
  // above the highest one.
  float HighestPoint() const { return HighestPointBound; }
  // Changes whenever a height is set, so that what was worked out from the ground can be
  // kept until then.
  uint32_t HeightsVersion() const { return HeightsChanged; }
  // A slot handed out for writing counts as used, whoever fills it.
  TStackedObject& Object(int x, int z, int level) {
    TStackedObject& object =
        StackGrid[PointIndex(x, z)][Checked(level - 1, MaxStack, "Stack level")];
    NoteObjectPlaced(x, z, level);
    return object;
  }
  const TStackedObject& Object(int x, int z, int level) const {
    return StackGrid[PointIndex(x, z)][Checked(level - 1, MaxStack, "Stack level")];
  }

  // ---- queries on the stacks
  // False when no slot of the square's stack has been handed out for writing since the stacks
  // were last cleared, so that the square is surely empty; true when it may hold objects.
  bool StackTouched(int x, int z) const { return Touched[PointIndex(x, z)] != 0; }
  // The same for every point at once, indexed x * PointsPerSide + z, for loops over many
  // squares that have checked their own bounds.
  const uint8_t* StacksTouched() const { return Touched.data(); }
  int TopLevel(int x, int z) const;
  int TopSettledLevel(int x, int z) const;
  int LevelAtHeight(int x, int z, float y) const;
  bool IsFlatSquare(int x, int z) const;

  // ---- energy
  void SetEnergy(int value);

  // ---- making a landscape
  void Make();
  void GeneratePoints();
  void CreateMesh();
  void ClearGameObjects();
  void PositionStartGameObjects();

  // ---- objects
  int AddGameObject(int x, int z, TGameObjectKind kind, float angle, bool animate);
  int PutGameObject(int x, int level, int z, TGameObjectKind kind, float base, float angle,
                    float growth);
  void RemoveGameObject(int x, int z, bool animate, int level);
  TSceneObject* CreateGameShape(TGameObjectKind kind, int x, int z, float base, float angle,
                                float growth);
  void Hyperspace(bool chargeEnergy);
  int FindFreeScanner();
  void ClearScanner(int n);

  // ---- animations
  int StartAnimation(int x, int level, int z, float initialProgress, TAnimationKind kind,
                     double startTime, float duration, float from, float to);
  // The game-speed factor that divides every animation's duration.
  double GameSpeedFactor() const;

  const TWorldLinks& Links() const { return World; }
  // The simulation that steps the animations and warns of scans.
  TWorldSimulation& Runner() { return *World.Runner; }

 private:
  // The steps of GeneratePoints, in the order of their random draws.
  struct TRaiseLimits;
  struct TInteriorRange;
  TRaiseLimits DrawLandscapeParameters();
  void DrawObjectHeights();
  void RaisePlateaus(const TRaiseLimits& limits);
  TInteriorRange LowerTheRimAndCentre();
  void ListFlatSquares();
  void PlaceSecondLight(const TInteriorRange& interior);

  // The two ways CreateGameShape builds a shape under the scene's object holder.
  TSceneObject* CreateTreeShape(TDummyCube& parent, int x, int z, float base, float angle,
                                float growth);
  TSceneObject* CreateMeshShape(TDummyCube& parent, TGameObjectKind kind, int x, int z, float base,
                                float angle, float growth);

  // The steps of CreateMesh.
  void WorkOutPalette();
  void BuildGroundMesh();
  void AddSquareTriangles();
  void AddFloor();
  void AddTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const TColor& color);
  void SetUpScanner(int n, int x, int z, int level, float base, TGameObjectKind kind,
                    TSceneObject* shape);
  bool IsFlatAndEmpty(int x, int z) const;
  int StartEnergy() const;

  // An index into a table of `size` entries, or a std::out_of_range error.
  static size_t Checked(int index, size_t size, const char* table) {
    if (index < 0 || static_cast<size_t>(index) >= size) [[unlikely]]
      IndexError(table, index);
    return static_cast<size_t>(index);
  }
  static size_t PointIndex(int x, int z) {
    return Checked(x, PointsPerSide, "Points") * PointsPerSide +
           Checked(z, PointsPerSide, "Points");
  }
  [[noreturn]] static void IndexError(const char* table, int index);
  // The height of a point for the generator, which calls HeightsSet once it has set them all.
  float& Height(int x, int z) { return PointGrid[PointIndex(x, z)].Height; }
  void HeightsSet();
  void NoteObjectPlaced(int x, int z, int level) {
    Touched[PointIndex(x, z)] = 1;
    HighestLevelUsed = std::max(HighestLevelUsed, level);
  }

  TWorldLinks World;
  // Where objects may have stood since the stacks were last cleared: the squares marked in
  // Touched, the levels up to HighestLevelUsed. Every other slot is empty.
  int HighestLevelUsed = 0;
  float HighestPointBound = 0.0f;
  uint32_t HeightsChanged = 0;
  std::array<double, 33> ParamValues{};  // [0] unused
  std::array<TPlayer, 1> PlayerRecords{};
  std::array<TScanner, MaxScanners> ScannerRecords{};
  std::array<TAnimation, AnimationSlots> AnimationRecords{};
  std::vector<TSquareEntry> SquareEntries;  // SquareListSize entries
  std::vector<TLandscapePoint> PointGrid;   // PointsPerSide * PointsPerSide points
  std::vector<TObjectStack> StackGrid;      // the stack of each point's square, as PointGrid
  std::vector<float> LevelSquares;          // LevelSquareHeight of each point's square
  std::vector<uint8_t> Touched;             // StackTouched of each point's square
};

// The player's start energy for a difficulty setting: 4 up to 33, 8 from 34.
int StartEnergyFor(int32_t difficultySetting);
// The difficulty setting of a game in whole points: a campaign's, or quick play's slider.
int32_t DifficultySetting(const TGameSpec& game);

}  // namespace orvane
