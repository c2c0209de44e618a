// The preview makes the landscape in a world of its own, by the game's own TGame::Init, and
// draws it from above.

#include "dialogs/LandscapePreview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "console/Log.h"
#include "scene/Scene.h"
#include "world/Game.h"
#include "world/Landscape.h"
#include "world/Random.h"
#include "world/WorldHost.h"

namespace orvane {

namespace {

// Nobody is watching the preview's world: no status bar, no camera, no console.
class TNullWorldHost final : public TWorldHost {
 public:
  void ShowEnergy(int /*value*/) override {}
  void ShowRandomTip() override {}
  void ResetFrameTimer() override {}
  void SetFieldOfView(float /*degrees*/) override {}
  void SetTargetFieldOfView(float /*degrees*/) override {}
  void Wake() override {}
  void LeaveMapView() override {}
  void NoteStackLevel(int /*level*/) override {}
  void NoteScannerSlot(int /*slot*/) override {}
  double GameClock() const override { return 0.0; }
  void SetPlayerView(int /*x*/, int /*z*/, bool /*faceTolmarch*/, bool /*map*/) override {}
  void ExecuteCommand(const std::string& /*line*/, bool /*silent*/) override {}
};

// Answers what the world asks of the new-game dialog with the numbers the preview was given.
class TPreviewDialog final : public TSettingsDialog {
 public:
  int32_t TakeLandscapeNumber() override { return Number; }
  void ShowLandscapeNumber(int32_t /*number*/) override {}
  void ShowSuggestion(const std::string& /*text*/) override {}
  TCampaignStart StartCampaignLevel() override { return {Number, Energy}; }

  int32_t Number = 0;
  std::optional<int> Energy;
};

using TInputs = TLandscapePreview::TInputs;

// Only what the game type makes use of: a change to anything else leaves the landscape alone.
TInputs InputsOf(const TGameSettings& settings, const TCampaignStart& campaign) {
  const TGameSpec& game = settings.GameSpec();
  TInputs inputs;
  inputs.GameType = game.G_GameType;
  if (game.G_GameType == gt_Campaign) {
    inputs.LandscapeNumber = campaign.LandscapeNumber;
    inputs.Difficulty = game.C_Difficulty;
    inputs.Energy = campaign.Energy;
  } else {
    inputs.LandscapeNumber = game.S_LandscapeNumber;
    inputs.LandscapeFixed = game.LandscapeFixed;
    inputs.Difficulty = game.S_Difficulty;
    inputs.DiffVariation = game.S_DiffVariation;
  }
  inputs.GameSpeed = settings.S_GameSpeed();
  inputs.SentrySpeed = settings.S_SentrySpeed();
  inputs.ScanSpeed = settings.S_ScanSpeed();
  inputs.ScanSector = settings.S_ScanSector();
  inputs.Resources = settings.S_Resources();
  return inputs;
}

// Every setting that making a landscape reads, through its setter.
void CopyInto(TGameSettings& own, const TInputs& inputs) {
  own.gs_G_GameType(inputs.GameType);
  if (inputs.GameType == gt_Campaign) {
    own.gs_C_Difficulty(inputs.Difficulty);
  } else {
    own.gs_S_Difficulty(inputs.Difficulty);
    own.gs_S_DiffVariation(inputs.DiffVariation);
    own.gs_S_LandscapeRandom(!inputs.LandscapeFixed);
    own.gs_S_LandscapeNumber(inputs.LandscapeNumber);
  }
  own.gs_S_GameSpeed(inputs.GameSpeed);
  own.gs_S_SentrySpeed(inputs.SentrySpeed);
  own.gs_S_ScanSpeed(inputs.ScanSpeed);
  own.gs_S_ScanSector(inputs.ScanSector);
  own.gs_S_Resources(inputs.Resources);
}

// "30", "30.5", "30.75": hundredths at most, no trailing zeros.
std::string DifficultyText(double difficulty) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", difficulty);
  std::string result = text;
  result.erase(result.find_last_not_of('0') + 1);
  if (result.back() == '.') result.pop_back();
  return result;
}

// Why the landscape cannot be known yet; empty when it can.
std::string WhyUnknown(const TInputs& inputs) {
  if (inputs.GameType == gt_Campaign) return {};
  if (inputs.GameType != gt_Quick) return "No game type is chosen.";
  if (!inputs.LandscapeFixed)
    return "A random landscape: its number is drawn when the game starts.";
  if (inputs.DiffVariation > 0)
    return "Landscape " + std::to_string(inputs.LandscapeNumber) + ", difficulty " +
           std::to_string(inputs.Difficulty) + " \u00b1 " +
           std::to_string(VariationHalfWidth(inputs.DiffVariation)) +
           ": the difficulty is drawn when the game starts.";
  return {};
}

uint32_t Channel(double value) {
  return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

// Each square in its colour of the mesh's checkerboard, brighter the higher it lies; slopes
// facing the top left of the picture a little brighter still, those facing away darker.
void PaintSquares(const TLandscape& land, TPreviewPicture& picture) {
  const int n = land.GridSize;
  float lowest = land.PointHeight(0, 0), highest = lowest;
  for (int x = 0; x <= n; ++x)
    for (int z = 0; z <= n; ++z) {
      lowest = std::min(lowest, land.PointHeight(x, z));
      highest = std::max(highest, land.PointHeight(x, z));
    }
  const double range = std::max(double(highest - lowest), 1e-6);
  const double step = std::max(double(land.HeightStep), 1e-6);
  picture.Pixels.assign(static_cast<size_t>(n) * static_cast<size_t>(n), 0);
  for (int z = 0; z < n; ++z)
    for (int x = 0; x < n; ++x) {
      const double h00 = land.PointHeight(x, z), h10 = land.PointHeight(x + 1, z),
                   h01 = land.PointHeight(x, z + 1), h11 = land.PointHeight(x + 1, z + 1);
      const bool flat = land.IsFlatSquare(x, z);
      const bool odd = (x + z) % 2 != 0;
      const TColor& colour = flat ? (odd ? land.FlatColourOdd : land.FlatColourEven)
                                  : (odd ? land.SlopeColourOdd : land.SlopeColourEven);
      const double height = ((h00 + h10 + h01 + h11) * 0.25 - lowest) / range;
      const double rise = ((h10 + h11) - (h00 + h01) + (h01 + h11) - (h00 + h10)) * 0.5 / step;
      const double shade = (0.4 + 0.8 * height) * (1.0 + std::clamp(0.12 * rise, -0.25, 0.25));
      picture.Pixels[static_cast<size_t>(z) * static_cast<size_t>(n) + static_cast<size_t>(x)] =
          Channel(colour.r * shade) << 16 | Channel(colour.g * shade) << 8 |
          Channel(colour.b * shade);
    }
}

void MarkObjects(const TLandscape& land, TPreviewPicture& picture) {
  picture.Marks.clear();
  for (int z = 0; z < land.GridSize; ++z)
    for (int x = 0; x < land.GridSize; ++x)
      for (int level = 1; level <= land.TopLevel(x, z); ++level) {
        switch (land.Object(x, z, level).Kind) {
          case go_pedestal:
            picture.Marks.push_back({TPreviewMark::Pedestal, x, z});
            break;
          case go_tolmarch:
            picture.Marks.push_back({TPreviewMark::Tolmarch, x, z});
            break;
          case go_sentry:
            picture.Marks.push_back({TPreviewMark::Sentry, x, z});
            break;
          case go_tree:
            picture.Marks.push_back({TPreviewMark::Tree, x, z});
            break;
          default:
            break;
        }
      }
}

}  // namespace

struct TLandscapePreview::TWorld {
  TRandom Random;
  TLog Log;
  TScene Scene;
  TGameSettings Settings;
  TNullWorldHost Host;
  TPreviewDialog Dialog;
  TGame Game{Random, Log, Scene, Settings, Host};

  TWorld() {
    // The numbers drawn from the clock are overwritten once the landscape number seeds the
    // generator; a fixed clock only makes the preview repeat itself exactly.
    Random.SetClock([] { return 0u; });
    Settings.ApplyDefaultSettings();
    Settings.SetDialog(&Dialog);
  }
};

TLandscapePreview::TLandscapePreview() = default;
TLandscapePreview::~TLandscapePreview() = default;

TLandscapePreview::TWorld& TLandscapePreview::World() {
  if (!OwnWorld) OwnWorld = std::make_unique<TWorld>();
  return *OwnWorld;
}

const TLandscape& TLandscapePreview::Landscape() const {
  if (Made == 0 || !OwnWorld || !OwnWorld->Game.Landscape)
    throw std::logic_error("the preview has made no landscape yet");
  return *OwnWorld->Game.Landscape;
}

const TPreviewPicture& TLandscapePreview::Show(const TGameSettings& settings,
                                               const TCampaignStart& campaign) {
  const TInputs inputs = InputsOf(settings, campaign);
  if (LastInputs && *LastInputs == inputs) return Shown;
  LastInputs = inputs;
  const std::string unknown = WhyUnknown(inputs);
  if (unknown.empty()) {
    MakePicture(inputs);
  } else {
    Shown = TPreviewPicture{};
    Shown.Caption = unknown;
  }
  return Shown;
}

void TLandscapePreview::MakePicture(const TInputs& inputs) {
  TWorld& world = World();
  CopyInto(world.Settings, inputs);
  world.Dialog.Number = inputs.LandscapeNumber;
  world.Dialog.Energy = inputs.Energy;
  world.Log.Clear();
  world.Game.Init();
  ++Made;

  Shown = TPreviewPicture{};
  if (!world.Game.Landscape || world.Log.CountLinesStartingWith("Error ") > 0) {
    Shown.Caption = "Landscape " + std::to_string(inputs.LandscapeNumber) + " could not be made.";
    return;
  }
  const TLandscape& land = *world.Game.Landscape;
  Shown.Known = true;
  Shown.Size = land.GridSize;
  PaintSquares(land, Shown);
  MarkObjects(land, Shown);
  Shown.Caption = "Landscape " + std::to_string(inputs.LandscapeNumber) + " \u00b7 difficulty " +
                  DifficultyText(land.Difficulty()) + " \u00b7 " + std::to_string(land.GridSize) +
                  " \u00d7 " + std::to_string(land.GridSize) + " squares";
}

}  // namespace orvane
