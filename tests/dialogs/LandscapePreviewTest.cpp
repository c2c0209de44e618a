#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/LandscapePreview.h"
#include "dialogs/NewGame.h"
#include "world/LandscapeDump.h"
#include "world/WorldFixture.h"

namespace orvane {
namespace {

// The game's world with the new-game dialog it asks, making landscapes as New Game does. Its
// host stands no robot on the player's square, as the main window does.
struct TGameWorld {
  test::TWorldOf<test::TRecordingHost> World{4242};
  TDlgNewGame Dialog{World.Settings, World.Log};
  TGameSettings& Settings() { return World.Settings; }
  TLandscape& NewGame() {
    World.Game.Init();
    return *World.Game.Landscape;
  }
};

// The landscape as JSON, less the player's square: the main window places the player.
std::string WithoutPlayer(const TLandscape& land) {
  std::string json = LandscapeJson(land, 0);
  const size_t from = json.find(", \"player\":");
  return json.erase(from, json.find('}', from) + 1 - from);
}

int Count(const std::string& text, const std::string& piece) {
  int count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

int MarksOf(const TPreviewPicture& picture, TPreviewMark::TKind kind) {
  return int(std::count_if(picture.Marks.begin(), picture.Marks.end(),
                           [kind](const TPreviewMark& m) { return m.Kind == kind; }));
}

TEST(LandscapePreview, ShowsTheLandscapeNewGameMakesWithItsObjectsMarked) {
  TLandscapePreview preview;  // one preview for them all: large and small in turn
  for (const auto& [number, difficulty, tweak] :
       std::vector<std::tuple<int, int, int>>{{2016, 100, 0}, {1234, 30, 8}, {7, 0, -2}}) {
    TGameWorld game;
    TGameSettings& settings = game.Settings();
    settings.ChooseLandscape(number, difficulty);
    int k = 0;  // every slider a value of its own
    for (auto set : {&TGameSettings::gs_S_Resources, &TGameSettings::gs_S_ScanSector,
                     &TGameSettings::gs_S_SentrySpeed, &TGameSettings::gs_S_ScanSpeed,
                     &TGameSettings::gs_S_GameSpeed})
      (settings.*set)(tweak - 3 * k++);
    const TPreviewPicture& picture = preview.Show(settings, {});
    const TLandscape& made = game.NewGame();
    ASSERT_TRUE(picture.Known) << picture.Caption;
    EXPECT_EQ(WithoutPlayer(preview.Landscape()), WithoutPlayer(made)) << number;
    EXPECT_EQ(preview.Landscape().Animations(0).Duration, made.Animations(0).Duration);

    ASSERT_EQ(picture.Size, made.GridSize);
    ASSERT_EQ(picture.Pixels.size(), size_t(made.GridSize * made.GridSize));
    const std::string json = LandscapeJson(made, number);
    EXPECT_EQ(MarksOf(picture, TPreviewMark::Pedestal), 1);
    EXPECT_EQ(MarksOf(picture, TPreviewMark::Sentry), Count(json, "\"type\":\"sentry\""));
    EXPECT_EQ(MarksOf(picture, TPreviewMark::Tree), Count(json, "\"kind\":\"tree\""));
    const TPreviewMark tolmarch{TPreviewMark::Tolmarch, int(made.TolmarchX), int(made.TolmarchZ)};
    EXPECT_EQ(std::count(picture.Marks.begin(), picture.Marks.end(), tolmarch), 1);
    // Each flat square in its colour of the checkerboard, however it is shaded.
    int offColour = 0;
    for (int i = 0; i <= made.SquareCount; ++i) {
      const TSquareEntry& square = made.SquaresByHeight(i);
      const TColor& c = (square.X + square.Z) % 2 ? made.FlatColourOdd : made.FlatColourEven;
      const uint32_t p = picture.Pixels[size_t(square.Z * made.GridSize + square.X)];
      const double r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
      if (std::max({r, g, b}) < 255)
        offColour += std::abs(r * c.g - g * c.r) > 1.5 || std::abs(g * c.b - b * c.g) > 1.5;
    }
    EXPECT_EQ(offColour, 0);
  }
  // A campaign game: the level the dialog gives, at the difficulty it stores.
  TGameWorld game;
  game.Settings().gs_G_GameType(gt_Campaign);
  game.Settings().gs_C_CampaignNo(77);
  const TLandscape& made = game.NewGame();
  ASSERT_TRUE(preview.Show(game.Settings(), game.Dialog.StartCampaignLevel()).Known);
  EXPECT_EQ(WithoutPlayer(preview.Landscape()), WithoutPlayer(made));
}

TEST(LandscapePreview, NeverDisturbsTheGame) {
  TGameWorld game;
  game.Settings().ChooseLandscape(38, 100);
  const TLandscape& land = game.NewGame();
  game.Settings().gs_S_Difficulty(60);
  auto state = [&] {
    const test::TRecordingHost& host = game.World.Host;
    return std::make_tuple(game.World.Random.RandomSeed, LandscapeJson(land, 38),
                           game.World.Scene.ChangeCount(), game.World.Log.GetLines(), host.Tips,
                           host.Wakes, host.Commands, host.EnergyShown, host.PlayerViews,
                           game.Dialog.E_S_LandscapeNumber.Text);
  };
  const auto before = state();
  TLandscapePreview preview;
  ASSERT_TRUE(preview.Show(game.Settings(), {}).Known);
  EXPECT_EQ(state(), before);
}

TEST(LandscapePreview, ShowsAQuestionWhenTheLandscapeIsDrawnAtTheStart) {
  TGameSettings settings;
  settings.ApplyDefaultSettings();  // a random landscape number
  TLandscapePreview preview;
  EXPECT_FALSE(preview.Show(settings, {}).Known);
  EXPECT_EQ(preview.Picture().Caption,
            "A random landscape: its number is drawn when the game starts.");
  settings.ChooseLandscape(1234, 30);
  settings.gs_S_DiffVariation(50);
  EXPECT_FALSE(preview.Show(settings, {}).Known);
  EXPECT_EQ(
      preview.Picture().Caption,
      "Landscape 1234, difficulty 30 \u00b1 25: the difficulty is drawn when the game starts.");
  // A campaign's landscape is always known; its difficulty is in hundredths.
  settings.gs_G_GameType(gt_Campaign);
  settings.gs_C_Difficulty(3075);
  EXPECT_TRUE(preview.Show(settings, {555, 10}).Known);
  EXPECT_EQ(preview.Picture().Caption.rfind("Landscape 555 \u00b7 difficulty 30.75 \u00b7 ", 0),
            0u);
  EXPECT_EQ(preview.Landscape().Energy, 10);
}

TEST(LandscapePreview, RemakesOnlyWhenWhatTheLandscapeDependsOnChanges) {
  TGameSettings settings;
  settings.ApplyDefaultSettings();
  settings.ChooseLandscape(2016, 100);
  TLandscapePreview preview;
  const TPreviewPicture hardest = preview.Show(settings, {});
  settings.gs_CC_Sensitivity(80);
  preview.Show(settings, {777, 3});  // a campaign's level, not quick play's
  EXPECT_EQ(preview.LandscapesMade(), 1);

  settings.gs_S_Difficulty(60);
  EXPECT_NE(preview.Show(settings, {}).Pixels, hardest.Pixels);
  settings.gs_S_LandscapeNumber(2017);
  EXPECT_NE(preview.Show(settings, {}).Pixels, hardest.Pixels);
  settings.ChooseLandscape(2016, 100);
  EXPECT_EQ(preview.Show(settings, {}).Pixels, hardest.Pixels);
  EXPECT_EQ(preview.Picture().Marks, hardest.Marks);
  EXPECT_EQ(preview.LandscapesMade(), 4);
}

}  // namespace
}  // namespace orvane
