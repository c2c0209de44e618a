#include "world/Landscape.h"

#include <stdexcept>
#include <string>

#include "console/Log.h"
#include "dialogs/GameSettings.h"
#include "scene/Scene.h"
#include "world/MathKT.h"
#include "world/WorldHost.h"

namespace orvane {

namespace {
void CheckIndex(int value, int low, int high, const char* what) {
  if (value < low || value > high)
    throw std::out_of_range(std::string(what) + " index " + std::to_string(value) +
                            " out of range");
}
}  // namespace

const char* GameObjectKindName(TGameObjectKind kind) {
  static const char* const names[GameObjectKindCount] = {
      "none", "tree", "boulder", "robot", "pedestal", "tolmarch", "sentry"};
  return kind < GameObjectKindCount ? names[kind] : "unknown";
}

TLandscape::TLandscape(const TWorldLinks& links)
    : World(links),
      SquareEntries(SquareListSize),
      PointGrid(static_cast<size_t>(PointsPerSide) * PointsPerSide) {}

TLandscape::~TLandscape() = default;

double& TLandscape::Params(int n) {
  CheckIndex(n, 1, 32, "Params");
  return ParamValues[static_cast<size_t>(n)];
}

double TLandscape::Params(int n) const {
  CheckIndex(n, 1, 32, "Params");
  return ParamValues[static_cast<size_t>(n)];
}

TPlayer& TLandscape::Players(int n) {
  CheckIndex(n, 1, static_cast<int>(PlayerRecords.size()), "Players");
  return PlayerRecords[static_cast<size_t>(n - 1)];
}

const TPlayer& TLandscape::Player() const {
  CheckIndex(CurrentPlayer, 1, static_cast<int>(PlayerRecords.size()), "Players");
  return PlayerRecords[static_cast<size_t>(CurrentPlayer - 1)];
}

TScanner& TLandscape::Scanners(int n) {
  CheckIndex(n, 1, MaxScanners, "Scanners");
  return ScannerRecords[static_cast<size_t>(n - 1)];
}

const TScanner& TLandscape::Scanners(int n) const {
  CheckIndex(n, 1, MaxScanners, "Scanners");
  return ScannerRecords[static_cast<size_t>(n - 1)];
}

TAnimation& TLandscape::Animations(int slot) {
  CheckIndex(slot, 0, AnimationSlots - 1, "Animations");
  return AnimationRecords[static_cast<size_t>(slot)];
}

const TAnimation& TLandscape::Animations(int slot) const {
  CheckIndex(slot, 0, AnimationSlots - 1, "Animations");
  return AnimationRecords[static_cast<size_t>(slot)];
}

TSquareEntry& TLandscape::SquaresByHeight(int index) {
  CheckIndex(index, 0, SquareListSize - 1, "SquaresByHeight");
  return SquareEntries[static_cast<size_t>(index)];
}

const TSquareEntry& TLandscape::SquaresByHeight(int index) const {
  CheckIndex(index, 0, SquareListSize - 1, "SquaresByHeight");
  return SquareEntries[static_cast<size_t>(index)];
}

TLandscapePoint& TLandscape::Points(int x, int z) {
  CheckIndex(x, 0, MaxGridSize, "Points");
  CheckIndex(z, 0, MaxGridSize, "Points");
  return PointGrid[static_cast<size_t>(x) * PointsPerSide + static_cast<size_t>(z)];
}

const TLandscapePoint& TLandscape::Points(int x, int z) const {
  CheckIndex(x, 0, MaxGridSize, "Points");
  CheckIndex(z, 0, MaxGridSize, "Points");
  return PointGrid[static_cast<size_t>(x) * PointsPerSide + static_cast<size_t>(z)];
}

TStackedObject& TLandscape::Object(int x, int z, int level) {
  CheckIndex(level, 1, MaxStack, "Stack level");
  return Points(x, z).Stack[static_cast<size_t>(level - 1)];
}

const TStackedObject& TLandscape::Object(int x, int z, int level) const {
  CheckIndex(level, 1, MaxStack, "Stack level");
  return Points(x, z).Stack[static_cast<size_t>(level - 1)];
}

// ---- queries on the stacks

int TLandscape::TopLevel(int x, int z) const {
  const TLandscapePoint& point = Points(x, z);
  for (int level = MaxStack; level >= 1; --level)
    if (point.Stack[static_cast<size_t>(level - 1)].Kind != go_none) return level;
  return -1;
}

int TLandscape::TopSettledLevel(int x, int z) const {
  int level = TopLevel(x, z);
  if (level < 0) return -1;
  for (; level >= 1; --level) {
    const int slot = Object(x, z, level).Animation;
    if (slot < 0 || slot >= AnimationSlots) return level;
    const TAnimationKind kind = Animations(slot).Kind;
    if (kind != ga_appear && kind != ga_disappear) return level;
  }
  return 0;
}

int TLandscape::LevelAtHeight(int x, int z, float y) const {
  for (int level = MaxStack; level >= 1; --level) {
    const TStackedObject& object = Object(x, z, level);
    if (object.Base < y && y <= object.Base + object.Height) return level;
  }
  return -1;
}

bool TLandscape::IsFlatSquare(int x, int z) const {
  if (x < 0 || x >= GridSize || z < 0 || z >= GridSize) return false;
  const float h = PointHeight(x, z);
  return h == PointHeight(x + 1, z) && h == PointHeight(x + 1, z + 1) && h == PointHeight(x, z + 1);
}

bool TLandscape::IsFlatAndEmpty(int x, int z) const {
  return IsFlatSquare(x, z) && TopLevel(x, z) == -1;
}

// ---- energy

void TLandscape::SetEnergy(int value) {
  if (value == Energy) return;
  World.Host.ShowEnergy(value);
  TPlayer& player = Player();
  if (value < 0 && player.Alive) {
    StartAnimation(0, 0, 0, 0.0f, ga_Dead, World.Host.GameClock(), 1.6f, 0.0f, 0.0f);
    player.Alive = false;
  }
  Energy = value;
  player.Energy = value;
}

int StartEnergyFor(int32_t difficultySetting) {
  const float inner = static_cast<float>(difficultySetting * 1.49 * 0.01 + 1.0);
  return Round(inner) * 4;
}

int TLandscape::StartEnergy() const {
  return StartEnergyFor(World.Settings.GameSpec().S_Difficulty);
}

}  // namespace orvane
