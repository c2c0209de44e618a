#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/settings/GameSettings.h"

namespace orvane {

class TLandscape;

// An object of the landscape, marked on the picture at its square.
struct TPreviewMark {
  enum TKind : uint8_t { Pedestal, Tolmarch, Sentry, Tree };
  TKind Kind = Tree;
  int X = 0;
  int Z = 0;
  bool operator==(const TPreviewMark&) const = default;
};

// The landscape from above, as the new-game dialog shows it.
struct TPreviewPicture {
  // False when the landscape is not known before the game starts: the dialog shows a question
  // mark and the caption says why.
  bool Known = false;
  // Squares a side; Pixels holds Size * Size colours 0xRRGGBB, row z, column x: each square's
  // colour in the landscape's own palette, shaded by its height.
  int Size = 0;
  std::vector<uint32_t> Pixels;
  std::vector<TPreviewMark> Marks;
  std::string Caption;
};

// The landscape that New Game would make with the settings as they stand. The preview makes the
// landscape in a world of its own (its own random generator, log, scene, settings and a host that
// does nothing), never touching the game's, and by the game's own steps, so that what it shows is
// what the game will make.
class TLandscapePreview {
 public:
  TLandscapePreview();
  ~TLandscapePreview();
  TLandscapePreview(const TLandscapePreview&) = delete;
  TLandscapePreview& operator=(const TLandscapePreview&) = delete;

  // What New Game would make with these settings; a campaign game plays `campaign` (its landscape
  // number and energy; the difficulty is the settings' C_Difficulty). The landscape is made again
  // only when something it depends on has changed since the last call.
  const TPreviewPicture& Show(const TGameSettings& settings, const TCampaignStart& campaign);

  const TPreviewPicture& Picture() const { return Shown; }
  // The landscape of the last known picture; throws std::logic_error before the first.
  const TLandscape& Landscape() const;
  // How many landscapes the preview has made so far.
  int LandscapesMade() const { return Made; }

  // What a landscape depends on: the settings that making one reads, and the campaign level.
  struct TInputs {
    TGameType GameType = gt_None;
    int32_t LandscapeNumber = 0;
    bool LandscapeFixed = false;
    int32_t Difficulty = 0;  // a quick game's whole points, a campaign's hundredths
    int32_t DiffVariation = 0;
    std::optional<int> Energy;
    int32_t GameSpeed = 0, SentrySpeed = 0, ScanSpeed = 0, ScanSector = 0, Resources = 0;
    bool operator==(const TInputs&) const = default;
  };

 private:
  struct TWorld;
  void MakePicture(const TInputs& inputs);
  TWorld& World();

  std::unique_ptr<TWorld> OwnWorld;  // made on first use
  std::optional<TInputs> LastInputs;
  TPreviewPicture Shown;
  int Made = 0;
};

}  // namespace orvane
