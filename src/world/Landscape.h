#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/SceneObject.h"
#include "world/WorldTypes.h"

namespace orvane {

class TRandom;
class TLog;
class TScene;
class TDlgNewGame;
class TWorldHost;
struct TAudio;

// Everything the world works with but does not own.
struct TWorldLinks {
  TRandom& Random;
  TLog& Log;
  TScene& Scene;
  TDlgNewGame& Settings;
  TAudio& Audio;
  TWorldHost& Host;
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
  TLandscapePoint& Points(int x, int z) { return PointGrid[PointIndex(x, z)]; }
  const TLandscapePoint& Points(int x, int z) const { return PointGrid[PointIndex(x, z)]; }
  float PointHeight(int x, int z) const { return Points(x, z).Height; }
  TStackedObject& Object(int x, int z, int level) {
    return Points(x, z).Stack[Checked(level - 1, MaxStack, "Stack level")];
  }
  const TStackedObject& Object(int x, int z, int level) const {
    return Points(x, z).Stack[Checked(level - 1, MaxStack, "Stack level")];
  }

  // ---- queries on the stacks
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

 private:
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
  void NoteObjectPlaced(int x, int z, int level);

  TWorldLinks World;
  // Where objects have stood since the stacks were last cleared: the squares below
  // StackedExtent in both directions, the levels up to HighestLevelUsed.
  int StackedExtent = PointsPerSide;
  int HighestLevelUsed = MaxStack;
  std::array<double, 33> ParamValues{};  // [0] unused
  std::array<TPlayer, 1> PlayerRecords{};
  std::array<TScanner, MaxScanners> ScannerRecords{};
  std::array<TAnimation, AnimationSlots> AnimationRecords{};
  std::vector<TSquareEntry> SquareEntries;  // SquareListSize entries
  std::vector<TLandscapePoint> PointGrid;   // PointsPerSide * PointsPerSide points
};

// The player's start energy for a difficulty setting: 4 up to 33, 8 from 34.
int StartEnergyFor(int32_t difficultySetting);

}  // namespace orvane
