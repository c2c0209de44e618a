// The Tolmarch and its sentries: each turns in steps and scans its view sector, draining the
// player it sees and taking energy out of what the player built. Every unit taken comes back
// as a tree in the scanner's view. All timing comes from the ends of their animations.

#include <cmath>
#include <cstdlib>

#include "scene/ColourNumbers.h"
#include "simulation/Simulation.h"
#include "world/Landscape.h"
#include "world/MathKT.h"
#include "world/Random.h"

namespace orvane {

namespace {

// The direction from one square to another, in degrees from +Z towards +X.
double Direction(int x0, int z0, int x1, int z1) {
  return RadToDeg(std::atan2(double(x1 - x0), double(z1 - z0)));
}

// The generator's step folded over n draws: seed * Mul[n - 1] + Add[n - 1].
template <int Draws>
struct TFoldedSteps {
  constexpr TFoldedSteps() {
    uint32_t mul = 1, add = 0;
    for (int n = 0; n < Draws; ++n) {
      mul *= TRandom::Multiplier;
      add = add * TRandom::Multiplier + TRandom::Increment;
      Mul[n] = mul;
      Add[n] = add;
    }
  }
  uint32_t Mul[Draws] = {};
  uint32_t Add[Draws] = {};
};
constexpr int SquaresAtOnce = 16;
constexpr TFoldedSteps<2 * SquaresAtOnce> Steps;

// The squares a search tries next, Squares of them, as Random(grid) + 1 drawn for x and then
// for z would give them, worked out from the seed before them without moving the generator:
// the generator's step folded over n draws is one multiplication and one addition, so the
// draws need not wait on each other, and a vector unit makes several at once.
struct TSquareDraws {
  static constexpr int Squares = SquaresAtOnce;

  void Draw(uint32_t seed, int grid);
  // The seed after the first n squares' draws, 1 <= n <= Squares.
  static uint32_t SeedAfter(uint32_t seed, int n) {
    return seed * Steps.Mul[2 * n - 1] + Steps.Add[2 * n - 1];
  }

  int32_t X[Squares];
  int32_t Z[Squares];
  int32_t Point[Squares];  // x * PointsPerSide + z
};

// On x86-64 the draws are made twice over, with and without AVX2, and the processor picks.
#if defined(__x86_64__) && defined(__GNUC__)
#define ORVANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ORVANE_VECTOR_CLONES
#endif

// Random(grid) is worked out on the FPU, exactly: grid times a seed needs no more than 39
// bits, and the division by 2^32 is exact.
ORVANE_VECTOR_CLONES void TSquareDraws::Draw(uint32_t seed, int grid) {
  const double scale = grid / 4294967296.0;
  for (int i = 0; i < Squares; ++i) {
    const uint32_t seedX = seed * Steps.Mul[2 * i] + Steps.Add[2 * i];
    const uint32_t seedZ = seed * Steps.Mul[2 * i + 1] + Steps.Add[2 * i + 1];
    X[i] = static_cast<int32_t>(double(seedX) * scale) + 1;
    Z[i] = static_cast<int32_t>(double(seedZ) * scale) + 1;
    Point[i] = X[i] * PointsPerSide + Z[i];
  }
}

bool IsActive(const TScanner& scanner) {
  return scanner.State != ss_Idle && scanner.State != ss_Free;
}

bool IsObjectAnimation(TAnimationKind kind) {
  return kind != ga_static && kind <= ga_FissionMove;
}

constexpr float ScanSoundTime = 0.4f;
constexpr int TreePlacingTries = 1200;
constexpr int TreeTriesInSector = 600;  // tries 0..600 look only inside the view sector

}  // namespace

// ---- helpers

TStackedObject& TSimulation::ScannerObject(int slot) {
  const TScanner& scanner = Landscape().Scanners(slot);
  return Landscape().Object(scanner.PosX, scanner.PosZ, scanner.Level);
}

glm::vec3 TSimulation::ScannerEye(int slot) {
  const TScanner& scanner = Landscape().Scanners(slot);
  return {float(scanner.PosX) + 0.5f, float(scanner.ViewHgt), float(scanner.PosZ) + 0.5f};
}

void TSimulation::StartScanWait(int slot, float duration) {
  const TScanner& scanner = Landscape().Scanners(slot);
  Landscape().StartAnimation(scanner.PosX, scanner.Level, scanner.PosZ, 0.0f, ga_Scan,
                             Host.GameClock(), duration, 0.0f, 0.0f);
}

// A scanner's sounds stand on its square at level 0, so that rebuilding its turning shape
// (which releases every animation at the object's level) does not cut them off.
void TSimulation::StartScannerSound(int slot, TAnimationKind kind, float duration) {
  const TScanner& scanner = Landscape().Scanners(slot);
  Landscape().StartAnimation(scanner.PosX, 0, scanner.PosZ, 0.0f, kind, Host.GameClock(), duration,
                             0.0f, 0.0f);
}

// ---- the scanner cycle

// Whether a scan wait or a turn runs on the scanner's object.
bool TSimulation::ScannerBusy(int slot) {
  TLandscape& land = Landscape();
  const TScanner& scanner = land.Scanners(slot);
  for (int a = 0; a < AnimationSlots; ++a) {
    const TAnimation& animation = land.Animations(a);
    if ((animation.Kind == ga_Scan || animation.Kind == ga_rotate) && animation.X == scanner.PosX &&
        animation.Z == scanner.PosZ && animation.Level == scanner.Level)
      return true;
  }
  return false;
}

// Idle scanners start. So does one that saw the player while still idle (the look made when
// the player is placed): it has no scan or turn of its own to go on with.
void TSimulation::StartScanners() {
  for (int n = 1; n <= MaxScanners; ++n) {
    TScanner& scanner = Landscape().Scanners(n);
    const bool stuck = scanner.State == ss_Seen && !ScannerBusy(n);
    if (scanner.State != ss_Idle && !stuck) continue;
    scanner.State = ss_Scan;
    StartScanWait(n, scanner.TScan);
  }
}

void TSimulation::StopScanners() {
  TLandscape& land = Landscape();
  for (int n = 1; n <= MaxScanners; ++n) {
    TScanner& scanner = land.Scanners(n);
    if (!IsActive(scanner)) continue;
    scanner.State = ss_Idle;
    for (int slot = 0; slot < AnimationSlots; ++slot) {
      TAnimation& animation = land.Animations(slot);
      if (IsObjectAnimation(animation.Kind) && animation.X == scanner.PosX &&
          animation.Z == scanner.PosZ && animation.Level == scanner.Level)
        animation.Kind = ga_static;
    }
    ScannerObject(n).Animation = -1;
  }
}

void TSimulation::ScanEnded(int x, int z) {
  const int slot = FindScanner(x, z);
  if (slot == 0) return;  // absorbed while it waited
  // While the landscape ends the scanners go on turning, but take nothing more.
  const TScanResult found = LandscapeEnding() ? sr_Nothing : ScanStep(slot, true);
  TScanner& scanner = Landscape().Scanners(slot);
  if (found == sr_Player) {
    StartScanWait(slot, scanner.TPlyr);
  } else if (found == sr_Objects) {
    StartScanWait(slot, scanner.TObje);
  } else if (++scanner.Blank >= scanner.DoBlank) {
    scanner.Blank = 0;
    const float from = float(WrapDegrees(ScannerObject(slot).Angle));
    const float to = from + scanner.Rotation;
    Landscape().StartAnimation(scanner.PosX, scanner.Level, scanner.PosZ, 0.0f, ga_rotate,
                               Host.GameClock(), scanner.TTurn, from, to);
    StartScannerSound(slot, ga_SoundRotate, scanner.TTurn);
  } else {
    StartScanWait(slot, scanner.TScan);
  }
}

void TSimulation::TurnEnded(int x, int z) {
  const int slot = FindScanner(x, z);
  if (slot == 0) return;
  TScanner& scanner = Landscape().Scanners(slot);
  scanner.State = ss_Scan;
  if (CanSeePlayer(slot, false)) {
    scanner.State = ss_Seen;
    ScanWarning();
  }
  StartScanWait(slot, scanner.TScan);
}

TScanResult TSimulation::ScanStep(int slot, bool drain) {
  TScanner& scanner = Landscape().Scanners(slot);
  if (scanner.State == ss_Free) return sr_Nothing;
  TScanResult result = sr_Nothing;
  if (CanSeePlayer(slot, drain)) {
    if (drain) {
      scanner.State = ss_Drain;
      DrainPlayer(slot);
    } else {
      scanner.State = ss_Seen;
    }
    result = sr_Player;
  } else if (drain && ConvertObjectInView(slot)) {
    result = sr_Objects;
  }
  ScanWarning();
  return result;
}

// ---- what a scanner sees and takes

bool TSimulation::CanSeePlayer(int slot, bool drain) {
  TLandscape& land = Landscape();
  TScanner& scanner = land.Scanners(slot);
  scanner.Seen = sn_NotSeen;
  const TPlayer& player = land.Player();
  const glm::vec3 eye = ScannerEye(slot);
  const glm::vec3 playerEye{float(player.X) + 0.5f, float(player.EyeHgt), float(player.Z) + 0.5f};

  if (!(scanner.ViewHgt > land.PointHeight(player.X, player.Z))) return false;
  if (!InSector(slot, player.X, player.Z)) return false;
  const bool visible =
      SquareInSight(player.X, player.Z, eye) || SightLine(playerEye, eye, false) > 0.0f;
  if (!visible) return false;

  if (drain) {
    scanner.Seen = sn_Drained;
    StartScannerSound(slot, ga_SoundDrain, scanner.TPlyr);
  } else {
    scanner.Seen = sn_Seen;
    StartScannerSound(slot, ga_SoundScan, ScanSoundTime);
  }
  return true;
}

void TSimulation::DrainPlayer(int slot) {
  if (!PlaceTreeInView(slot)) return;  // no room for the unit: the player keeps it
  TLandscape& land = Landscape();
  land.SetEnergy(CheckedAdd(land.Energy, -1));
  ScanWarning();
}

bool TSimulation::ObjectInSight(int slot, int x, int z, float base) {
  if (SeesSquare(slot, x, z)) return true;
  // An object on the ground is sighted along the square's own middle line, which the
  // square's visibility counts twice: when the square is unseen, so is that line.
  const TLandscape& land = Landscape();
  if (land.IsFlatSquare(x, z) && base == land.PointHeight(x, z) && base <= ScannerEye(slot).y)
    return false;
  return SightLine(ScannerEye(slot), {float(x) + 0.5f, base, float(z) + 0.5f}, false) > 0.01f;
}

bool TSimulation::SeesSquare(int slot, int x, int z) {
  const TLandscape& land = Landscape();
  const glm::vec3 eye = ScannerEye(slot);
  TSquaresSeen& seen = SquaresSeen[static_cast<size_t>(slot - 1)];
  if (seen.Eye != eye || seen.Heights != land.HeightsVersion() || seen.Squares.empty()) {
    seen.Eye = eye;
    seen.Heights = land.HeightsVersion();
    seen.Squares.assign(size_t(PointsPerSide) * PointsPerSide, 0);
  }
  uint8_t& known = seen.Squares[size_t(x) * PointsPerSide + size_t(z)];
  if (known == 0) known = SquareInSight(x, z, eye) ? 2 : 1;
  return known == 2;
}

bool TSimulation::ConvertObjectInView(int slot) {
  TLandscape& land = Landscape();
  const TScanner& scanner = land.Scanners(slot);
  const TPlayer& player = land.Player();
  const int grid = land.GridSize;
  const int tries = Round(std::trunc(double(grid) * grid * scanner.ScanEff));
  const TSector sector = SectorOf(slot);  // the scanner does not turn while it searches

  // Whether the square holds prey in the scanner's view: the top of its stack, settled, a
  // robot, a boulder or a tree standing on something, and in sight.
  int level = 0;
  TGameObjectKind kind = go_none;
  // Squares are drawn from 1 to GridSize: when the farthest lies on the grid, all do.
  land.StackTouched(grid, grid);  // throws for a grid too large for the tables
  const uint8_t* const touched = land.StacksTouched();
  const auto holdsPrey = [&](int x, int z) {
    // Most are turned away by the terrain and the sector alone; those tests are made
    // together, without a branch for each.
    const bool mayHoldPrey = (land.LevelSquareHeight(x, z) <= scanner.ViewHgt) & (x < grid) &
                             (z < grid) & ((x != player.X) | (z != player.Z)) &
                             sector.MayHold(x, z);
    if (!mayHoldPrey || !sector.Holds(x, z)) return false;
    const int top = land.TopLevel(x, z);
    if (top < 1) return false;
    // Only the top of a stack is taken: an object with something appearing or vanishing
    // above it is left, or the stack would keep a hole.
    level = land.TopSettledLevel(x, z);
    if (level != top) return false;
    const TStackedObject& object = land.Object(x, z, level);
    kind = object.Kind;
    if (kind != go_robot && kind != go_boulder && !(kind == go_tree && level >= 2)) return false;
    return ObjectInSight(slot, x, z, object.Base);
  };
  // The prey loses its unit: a robot becomes a boulder, a boulder a tree, a tree nothing.
  const auto take = [&](int x, int z) {
    land.RemoveGameObject(x, z, false, level);
    if (kind == go_robot)
      land.AddGameObject(x, z, go_boulder, float(Random.Random() * 360), true);
    else if (kind == go_boulder)
      land.AddGameObject(x, z, go_tree, float(Random.Random() * 360), true);
    PlaceTreeInView(slot);
    return true;
  };

  // A search may try every square four times over, two draws each (x, then z), within one
  // frame. The squares are drawn a block at a time and the generator is left just past the
  // last square tried.
  TSquareDraws draws;
  uint32_t seed = Random.RandomSeed;
  for (int tried = 0; tried < tries; tried += TSquareDraws::Squares) {
    const int squares = std::min(TSquareDraws::Squares, tries - tried);
    draws.Draw(seed, grid);
    for (int i = 0; i < squares; ++i) {
      if (!touched[draws.Point[i]]) continue;  // most squares have never held an object
      const int x = draws.X[i], z = draws.Z[i];
      if (holdsPrey(x, z)) {
        Random.RandomSeed = TSquareDraws::SeedAfter(seed, i + 1);
        return take(x, z);
      }
    }
    seed = TSquareDraws::SeedAfter(seed, squares);
  }
  Random.RandomSeed = seed;
  return false;
}

TSector::TSector(int posX, int posZ, double facing, double width)
    : PosX(posX), PosZ(posZ), Lo(WrapDegrees(facing - width / 2)), Hi(WrapDegrees(Lo + width)) {
  // The margin lies far beyond any rounding of the exact test, so the quick ones never answer
  // otherwise than the exact one would.
  constexpr double MarginDegrees = 0.01;
  const double half = width / 2;
  if (half + MarginDegrees < 180.0) {
    MiddleX = std::sin(DegToRad(facing));
    MiddleZ = std::cos(DegToRad(facing));
    CosWide = std::cos(DegToRad(half + MarginDegrees));
    if (half > MarginDegrees) CosNarrow = std::cos(DegToRad(half - MarginDegrees));
  }
}

namespace {

// Whether dot >= length * c, given the square of the length, without a square root.
bool AtLeast(double dot, double lengthSquared, double c) {
  if (c >= 0) return dot >= 0 && dot * dot >= lengthSquared * c * c;
  return dot >= 0 || dot * dot <= lengthSquared * c * c;
}

}  // namespace

bool TSector::MayHold(int x, int z) const {
  const double dx = x - PosX, dz = z - PosZ;
  const double dot = dx * MiddleX + dz * MiddleZ;
  const double bound = (dx * dx + dz * dz) * CosWide * CosWide;
  // dot >= length * CosWide, squared on each side.
  return CosWide >= 0 ? (dot >= 0) & (dot * dot >= bound) : (dot >= 0) | (dot * dot <= bound);
}

bool TSector::Holds(int x, int z) const {
  const double dx = x - PosX, dz = z - PosZ;
  const double lengthSquared = dx * dx + dz * dz;
  if (lengthSquared > 0) {  // the scanner's own corner has no direction of its own
    const double dot = dx * MiddleX + dz * MiddleZ;
    if (!AtLeast(dot, lengthSquared, CosWide)) return false;
    if (AtLeast(dot, lengthSquared, CosNarrow)) return true;
  }
  const double d = WrapDegrees(Direction(PosX, PosZ, x, z));
  if (Lo > Hi) return d >= Lo || d < Hi;  // the sector crosses 0 degrees
  return Lo <= d && d < Hi;
}

bool TSimulation::InSector(int slot, int x, int z) {
  return SectorOf(slot).Holds(x, z);
}

TSector TSimulation::SectorOf(int slot) {
  const TScanner& scanner = Landscape().Scanners(slot);
  return TSector(scanner.PosX, scanner.PosZ, ScannerObject(slot).Angle,
                 std::abs(double(scanner.Rotation)));
}

// The first tries look only inside the view sector, which takes trees anywhere in view, also
// on both sides of 0 degrees when the sector crosses it.
bool TSimulation::PlaceTreeInView(int slot) {
  TLandscape& land = Landscape();
  const TScanner& scanner = land.Scanners(slot);
  const TSector sector = SectorOf(slot);
  const int top = land.TopLevel(scanner.PosX, scanner.PosZ);
  const double topHeight = top >= 1 ? land.Object(scanner.PosX, scanner.PosZ, top).Height : 0.0;
  const double limit = topHeight + scanner.Level;
  const int grid = land.GridSize;

  for (int i = 0; i < TreePlacingTries; ++i) {
    const int x = Random.Random(grid) + 1;
    const int z = Random.Random(grid) + 1;
    if (!land.IsFlatSquare(x, z) || land.TopLevel(x, z) != -1) continue;
    if (!(land.PointHeight(x, z) <= limit)) continue;
    if (i <= TreeTriesInSector && !sector.Holds(x, z)) continue;
    land.AddGameObject(x, z, go_tree, float(Random.Random() * 360), true);
    return true;
  }
  return false;
}

// ---- scanner slots and the warning

int TSimulation::FindScanner(int x, int z) {
  for (int n = 1; n <= MaxScanners; ++n) {
    const TScanner& scanner = Landscape().Scanners(n);
    if (scanner.State != ss_Free && scanner.PosX == x && scanner.PosZ == z) return n;
  }
  return 0;
}

void TSimulation::ClearScannerAt(int x, int z) {
  const int n = FindScanner(x, z);
  if (n > 0) Landscape().ClearScanner(n);
}

void TSimulation::ScanWarning() {
  bool draining = false;
  bool sensed = false;
  for (int n = 1; n <= MaxScanners; ++n) {
    const TScanner& scanner = Landscape().Scanners(n);
    if (!IsActive(scanner)) continue;
    draining = draining || scanner.Seen == sn_Drained;
    sensed = sensed || scanner.Seen == sn_Seen;
  }
  Host.RemoveHints('S');
  if (draining) {
    Host.AddHint("AS1You're being scanned! You're losing energy! Move somewhere else! QUICK!!");
    Host.SetWarningColour(clRed);
  } else if (sensed) {
    Host.AddHint("AS1Your robot has sensed a hostile scan! Move away to avoid losing energy!");
    Host.SetWarningColour(clOrange);
  } else {
    Host.SetWarningColour(clBlack);
  }
}

}  // namespace orvane
