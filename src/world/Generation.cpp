// The landscape is raised from a flat base by rectangular plateaus, each a whole number of
// height steps, so flat squares on one terrace have exactly equal heights. Every random
// draw below is made in its place: the landscape is a pure function of the landscape
// number and the difficulty.

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

#include "console/Log.h"
#include "scene/Scene.h"
#include "world/Landscape.h"
#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {

namespace {

struct TRaiseRect {
  float cx = 0, cz = 0, rx = 0, rz = 0;
  int X0 = 0, X1 = 0, Z0 = 0, Z1 = 0;
  int w() const { return X1 - X0; }
  int h() const { return Z1 - Z0; }
};

// Steps raised on each point, counted in whole height steps while raising.
class TStepGrid {
 public:
  explicit TStepGrid(int gridSize)
      : Side(gridSize + 1), Steps(static_cast<size_t>(Side) * static_cast<size_t>(Side), 0) {}
  void Raise(const TRaiseRect& r, int steps) {
    if (r.X0 < 0 || r.Z0 < 0 || r.X1 >= Side || r.Z1 >= Side)
      throw std::out_of_range("a raise outside the grid");
    for (int x = r.X0; x <= r.X1; ++x) {
      int* row = &Steps[static_cast<size_t>(x) * static_cast<size_t>(Side)];
      for (int z = r.Z0; z <= r.Z1; ++z)
        row[z] = CheckedAdd(row[z], steps);
    }
  }
  int At(int x, int z) const {
    return Steps.at(static_cast<size_t>(x) * static_cast<size_t>(Side) + static_cast<size_t>(z));
  }

 private:
  int Side;
  std::vector<int> Steps;
};

int ClampToGrid(float value, int gridSize) {
  return std::clamp(Trunc(value), 0, gridSize);
}

void PlaceRect(TRaiseRect& r, int gridSize) {
  r.X0 = ClampToGrid(r.cx - r.rx, gridSize);
  r.X1 = ClampToGrid(r.cx + r.rx, gridSize);
  r.Z0 = ClampToGrid(r.cz - r.rz, gridSize);
  r.Z1 = ClampToGrid(r.cz + r.rz, gridSize);
}

int DrawAmountInSteps(TRandom& random) {
  return Trunc(random.Random() * 2) + 1;
}

// The first raise of a round: a rectangle drawn again and again until both its sides lie
// between 2 (excluded) and the largest extent.
TRaiseRect DrawPlateau(TRandom& random, int gridSize, float maxExtent) {
  auto halfSize = [&] {
    const double ra = random.Random();
    const double rb = random.Random();
    const double rc = random.Random();
    return static_cast<float>(EaseInCos(0.8 + 0.2 * ra) * rb * rc * maxExtent);
  };
  TRaiseRect rect;
  do {
    rect.cx = static_cast<float>(random.Random() * (gridSize + 1));
    rect.cz = static_cast<float>(random.Random() * (gridSize + 1));
    rect.rx = halfSize();
    rect.rz = halfSize();
    PlaceRect(rect, gridSize);
  } while (!(rect.w() > 2 && rect.w() <= maxExtent && rect.h() > 2 && rect.h() <= maxExtent));
  return rect;
}

// A nested raise: the rectangle moves towards larger X and Z, both by up to half its X size,
// and shrinks; it is not drawn again, however small it gets.
void NestWithin(TRaiseRect& rect, TRandom& random, int gridSize, float shrinkAdd,
                float shrinkBase) {
  const int w = rect.w();
  rect.cx = static_cast<float>(rect.cx + random.Random() * (w * 0.5 + 1));
  rect.cz = static_cast<float>(rect.cz + random.Random() * (w * 0.5 + 1));
  rect.rx = static_cast<float>(rect.rx * (random.Random() * shrinkAdd + shrinkBase));
  rect.rz = static_cast<float>(rect.rz * (random.Random() * shrinkAdd + shrinkBase));
  PlaceRect(rect, gridSize);
}

// The quicksort whose order of equal heights is part of the landscape.
void SortByHeight(TLandscape& land, int lo, int hi) {
  while (lo < hi) {
    const float pivot = land.SquaresByHeight((lo + hi) / 2).Height;
    int i = lo, j = hi;
    do {
      while (land.SquaresByHeight(i).Height > pivot)
        ++i;
      while (land.SquaresByHeight(j).Height < pivot)
        --j;
      if (i <= j) {
        std::swap(land.SquaresByHeight(i), land.SquaresByHeight(j));
        ++i;
        --j;
      }
    } while (i <= j);
    // The two halves are disjoint: recurse into the smaller, loop over the larger.
    if (j - lo < hi - i) {
      if (lo < j) SortByHeight(land, lo, j);
      lo = i;
    } else {
      if (i < hi) SortByHeight(land, i, hi);
      hi = j;
    }
  }
}

void ShuffleTies(TLandscape& land, TRandom& random) {
  const int count = land.SquareCount;
  int i = 0;
  while (i <= count) {
    int j = i + 1;
    while (j < count && land.SquaresByHeight(j).Height == land.SquaresByHeight(i).Height)
      ++j;
    const int last = j - 1;
    if (last < count) {
      const int n = last - i + 1;
      if (n == 2) {
        if (random.Random(2) == 0) std::swap(land.SquaresByHeight(i), land.SquaresByHeight(last));
      } else if (n > 2) {
        for (int k = i; k <= last; ++k) {
          int r;
          do
            r = i + random.Random(n);
          while (r == k);
          std::swap(land.SquaresByHeight(k), land.SquaresByHeight(r));
        }
      }
    }
    i = last + 1;
  }
}

// Clears the Keep flag of every entry that lies within `spacing` of a higher entry still
// kept, taking the entries 0..top-1 highest first. A grid of cells as wide as the spacing
// finds the near entries; the outcome is that of comparing every pair in order.
void ThinOut(TLandscape& land) {
  const float spacing = static_cast<float>(
      (std::sqrt(static_cast<double>(land.GridSize) * land.GridSize / land.SiteCount) - 1.0) *
      0.45);
  // Only the highest 80 % (at least 20 entries) are thinned, never past the list's end.
  const int top = std::min(std::max(20, land.SquareCount * 80 / 100), land.SquareCount + 1);

  const int cellSize = std::max(1, static_cast<int>(std::ceil(spacing)));
  const int cells = land.GridSize / cellSize + 1;
  std::vector<std::vector<int>> cellEntries(static_cast<size_t>(cells) * cells);
  auto cellOf = [&](int x, int z) {
    return static_cast<size_t>(x / cellSize) * cells + z / cellSize;
  };
  for (int i = 0; i < top; ++i)  // each cell lists its entries in ascending order
    cellEntries[cellOf(land.SquaresByHeight(i).X, land.SquaresByHeight(i).Z)].push_back(i);

  for (int i = 0; i < top; ++i) {
    const TSquareEntry& a = land.SquaresByHeight(i);
    if (!a.Keep) continue;
    const int cx = a.X / cellSize, cz = a.Z / cellSize;
    for (int nx = std::max(0, cx - 1); nx <= std::min(cells - 1, cx + 1); ++nx)
      for (int nz = std::max(0, cz - 1); nz <= std::min(cells - 1, cz + 1); ++nz)
        for (const int j : cellEntries[static_cast<size_t>(nx) * cells + nz]) {
          if (j <= i) continue;
          TSquareEntry& b = land.SquaresByHeight(j);
          if (!b.Keep) continue;
          const float dx = static_cast<float>(a.X - b.X);
          const float dz = static_cast<float>(a.Z - b.Z);
          if (std::sqrt(dx * dx + dz * dz) <= spacing) b.Keep = false;
        }
  }
  int kept = 0;
  for (int i = 0; i <= land.SquareCount; ++i)
    if (land.SquaresByHeight(i).Keep) land.SquaresByHeight(kept++) = land.SquaresByHeight(i);
  land.SquareCount = kept - 1;
}

}  // namespace

// What the raises are drawn from: the chance of a nested plateau, how much each nested one
// shrinks, the largest side of a first plateau and the number of rounds.
struct TLandscape::TRaiseLimits {
  float Roughness = 0.0f;
  float ShrinkAdd = 0.0f;
  float ShrinkBase = 0.0f;
  float MaxExtent = 0.0f;
  int RaiseCount = 0;
};

// The lowest and highest interior points, before the heights are centred about 0.
struct TLandscape::TInteriorRange {
  float Lowest = 99999.0f;
  float Highest = -99999.0f;
};

void TLandscape::GeneratePoints() {
  Guarded(World.Log, "Error 0018: @ Landscape.GeneratePoints.", [&] {
    const TRaiseLimits limits = DrawLandscapeParameters();
    DrawObjectHeights();
    RaisePlateaus(limits);
    const TInteriorRange interior = LowerTheRimAndCentre();
    ListFlatSquares();
    if (SquareCount > 0) SortByHeight(*this, 0, SquareCount);
    ShuffleTies(*this, World.Random);
    ThinOut(*this);
    PlaceSecondLight(interior);
  });
}

// The size of the landscape, how many watchers it holds, and what its raises are drawn from;
// a harder landscape is larger, rougher and holds more sentries.
TLandscape::TRaiseLimits TLandscape::DrawLandscapeParameters() {
  TRandom& random = World.Random;
  const float d = static_cast<float>(Difficulty() * 0.01);
  const float A =
      static_cast<float>((EaseInOutCos(4.5 * d) * 0.8 * EaseInOutCos(d) + 0.2 * d) * 0.6 + 0.4);
  TRaiseLimits limits;
  limits.Roughness = static_cast<float>((random.Random() * 0.25 + 0.75) * 0.5 * A + 0.1);
  limits.ShrinkAdd = static_cast<float>(0.2 * d + 0.2);
  limits.ShrinkBase = static_cast<float>((1.0 - d) * 0.5);
  const double r = random.Random();
  const int gridSize = Round((random.Random() * 0.2 + r * 0.8 * d) * 110 + 18);
  if (gridSize < 1 || gridSize > MaxGridSize) throw std::range_error("grid size");
  GridSize = gridSize;
  SiteCount = Trunc((random.Random() * 0.5 + 0.5) * d * 14) + 1;
  limits.MaxExtent = static_cast<float>(GridSize / ((1.0 - EaseInOutCos(1.8 * d)) * 8 + 2) + 3);
  limits.RaiseCount = Round((random.Random() * 0.25 + 0.13) * 1.2 * EaseInOutCos(1.3 * d + 0.2) *
                                GridSize * GridSize * 0.07 +
                            GridSize * 0.4);
  return limits;
}

void TLandscape::DrawObjectHeights() {
  TRandom& random = World.Random;
  ObjectHeights[go_none] = 1.0f;
  {
    const double r1 = random.Random();
    const double r2 = random.Random();
    ObjectHeights[go_tree] = static_cast<float>(1.6 + 3.0 * r1 * r2);
  }
  ObjectHeights[go_boulder] = static_cast<float>(0.5 + 0.3 * random.Random());
  ObjectHeights[go_robot] = 1.4f;
  {
    const double r1 = random.Random();
    const double r2 = random.Random();
    const double r3 = random.Random();
    ObjectHeights[go_pedestal] =
        static_cast<float>(0.7 + 0.7 * r1 + r2 * 5 * r3 * 0.01 * Difficulty());
  }
  ObjectHeights[go_tolmarch] = 2.5f;
  ObjectHeights[go_sentry] = 2.0f;
}

// Round 0 is the flat base; every later round raises a plateau by one or two steps and, as
// long as the roughness allows, further plateaus nested in it. The raises are counted in
// whole steps and turned into heights at the end.
void TLandscape::RaisePlateaus(const TRaiseLimits& limits) {
  TRandom& random = World.Random;
  TStepGrid steps(GridSize);
  // Round 0 draws one number after its fill, and never nests.
  if (limits.RaiseCount >= 0) random.Random();
  for (int round = 1; round <= limits.RaiseCount; ++round) {
    const int amount = DrawAmountInSteps(random);
    TRaiseRect rect = DrawPlateau(random, GridSize, limits.MaxExtent);
    steps.Raise(rect, amount);
    int raises = 1;
    bool degenerate = false;
    while (random.Random() <= limits.Roughness && raises <= 10 && !degenerate) {
      const int nestedAmount = DrawAmountInSteps(random);
      NestWithin(rect, random, GridSize, limits.ShrinkAdd, limits.ShrinkBase);
      degenerate = rect.w() < 2 || rect.h() < 2;
      steps.Raise(rect, nestedAmount);  // a degenerate raise is applied, and ends the nesting
      ++raises;
    }
  }
  for (int x = 0; x <= GridSize; ++x)
    for (int z = 0; z <= GridSize; ++z)
      Height(x, z) = static_cast<float>(-3.0 + steps.At(x, z) * double(HeightStep));
}

// The landscape falls off to a rim below its lowest interior point on all four sides, and
// its heights are centred about 0.
TLandscape::TInteriorRange TLandscape::LowerTheRimAndCentre() {
  TInteriorRange interior;
  float& lo = interior.Lowest;
  float& hi = interior.Highest;
  for (int x = 1; x <= GridSize - 1; ++x)
    for (int z = 1; z <= GridSize - 1; ++z) {
      lo = std::min(lo, PointHeight(x, z));
      hi = std::max(hi, PointHeight(x, z));
    }
  const float margin = static_cast<float>((hi - lo) * 0.2 + 1.0);
  const float rim = lo - margin;
  for (int i = 0; i <= GridSize; ++i) {
    Height(0, i) = rim;
    Height(GridSize, i) = rim;
    Height(i, 0) = rim;
    Height(i, GridSize) = rim;
  }
  const float centre = static_cast<float>((lo + hi) * 0.5);
  for (int x = 0; x <= GridSize; ++x)
    for (int z = 0; z <= GridSize; ++z)
      Height(x, z) -= centre;
  HeightsSet();
  return interior;
}

// Squares touching the rim are never flat, so the list cannot overflow.
void TLandscape::ListFlatSquares() {
  SquareCount = -1;
  for (int x = 0; x <= GridSize; ++x)
    for (int z = 0; z <= GridSize; ++z)
      if (IsFlatSquare(x, z)) SquaresByHeight(++SquareCount) = {x, z, PointHeight(x, z), true};
}

// The second light stands well above the highest point, anywhere over the landscape or
// beside it.
void TLandscape::PlaceSecondLight(const TInteriorRange& interior) {
  TRandom& random = World.Random;
  const float lo = interior.Lowest, hi = interior.Highest;
  const float lx =
      static_cast<float>((random.Random() - 0.5) * 2 * GridSize + (GridSize + 1) * 0.5);
  const float lz =
      static_cast<float>((random.Random() - 0.5) * 2 * GridSize + (GridSize + 1) * 0.5);
  const float ly = static_cast<float>(random.Random(CheckedMul(2, GridSize)) + 2 * GridSize + hi -
                                      (lo + hi) * 0.5);
  // Drawn all the same, so that what follows draws in its place.
  TLightSource* light = World.Scene.GLLightSource3;
  if (!light) throw std::runtime_error("GLLightSource3 does not exist");
  light->SetPosition({lx, ly, lz});
}

}  // namespace orvane
