#include "world/Landscape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "console/Log.h"
#include "dialogs/settings/CampaignLevels.h"
#include "dialogs/settings/GameSettings.h"
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
      PointGrid(static_cast<size_t>(PointsPerSide) * PointsPerSide),
      StackGrid(static_cast<size_t>(PointsPerSide) * PointsPerSide),
      LevelSquares(static_cast<size_t>(PointsPerSide) * PointsPerSide, 0.0f),
      Touched(static_cast<size_t>(PointsPerSide) * PointsPerSide, 0) {
  // Every point starts at height 0: every square is level but those of the last row and
  // column, which have no far corners.
  for (int i = 0; i < PointsPerSide; ++i) {
    LevelSquares[PointIndex(PointsPerSide - 1, i)] = std::numeric_limits<float>::quiet_NaN();
    LevelSquares[PointIndex(i, PointsPerSide - 1)] = std::numeric_limits<float>::quiet_NaN();
  }
}

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

// ---- heights

namespace {

// A square's height when its four corners are equal, NaN when they are not.
float LevelHeight(float h00, float h10, float h11, float h01) {
  return h00 == h10 && h00 == h11 && h00 == h01 ? h00 : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

void TLandscape::SetPointHeight(int x, int z, float height) {
  Height(x, z) = height;
  if (height > HighestPointBound) HighestPointBound = height;
  ++HeightsChanged;
  // The point is a corner of up to four squares.
  for (int sx = std::max(x - 1, 0); sx <= std::min(x, PointsPerSide - 2); ++sx)
    for (int sz = std::max(z - 1, 0); sz <= std::min(z, PointsPerSide - 2); ++sz)
      LevelSquares[PointIndex(sx, sz)] =
          LevelHeight(PointHeight(sx, sz), PointHeight(sx + 1, sz), PointHeight(sx + 1, sz + 1),
                      PointHeight(sx, sz + 1));
}

void TLandscape::HeightsSet() {
  ++HeightsChanged;
  for (int x = 0; x + 1 < PointsPerSide; ++x)
    for (int z = 0; z + 1 < PointsPerSide; ++z)
      LevelSquares[PointIndex(x, z)] =
          LevelHeight(PointHeight(x, z), PointHeight(x + 1, z), PointHeight(x + 1, z + 1),
                      PointHeight(x, z + 1));
  // Only the grid's own points: what lies beyond it is never looked at.
  HighestPointBound = PointHeight(0, 0);
  for (int x = 0; x <= GridSize; ++x)
    for (int z = 0; z <= GridSize; ++z)
      HighestPointBound = std::max(HighestPointBound, PointHeight(x, z));
}

// ---- queries on the stacks

int TLandscape::TopLevel(int x, int z) const {
  // Untouched stacks and the levels above HighestLevelUsed are empty.
  if (!StackTouched(x, z)) return -1;
  const TObjectStack& stack = StackGrid[PointIndex(x, z)];
  for (int level = HighestLevelUsed; level >= 1; --level)
    if (stack[static_cast<size_t>(level - 1)].Kind != go_none) return level;
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
  return !std::isnan(LevelSquareHeight(x, z));
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
  return StartEnergyFor(DifficultySetting(World.Settings.GameSpec()));
}

int32_t DifficultySetting(const TGameSpec& game) {
  return game.G_GameType == gt_Campaign ? CampaignDifficultyPoints(game.C_Difficulty)
                                        : game.S_Difficulty;
}

}  // namespace orvane
