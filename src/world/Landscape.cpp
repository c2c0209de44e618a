#include "world/Landscape.h"

#include <algorithm>
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
  static const char* const names[GameObjectKindCount] = {"none",     "tree",     "boulder", "robot",
                                                         "pedestal", "tolmarch", "sentry"};
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

void TLandscape::IndexError(const char* table, int index) {
  throw std::out_of_range(std::string(table) + " index " + std::to_string(index) + " out of range");
}

void TLandscape::NoteObjectPlaced(int x, int z, int level) {
  StackedExtent = std::max({StackedExtent, x + 1, z + 1});
  HighestLevelUsed = std::max(HighestLevelUsed, level);
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
