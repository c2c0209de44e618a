#pragma once

// The fixed texts of the new-game dialog, which no setting ever changes. An ampersand marks the
// letter of the keyboard accelerator.

namespace orvane::newgame_captions {

inline constexpr const char* Window = "New Game";
inline constexpr const char* TopTitle = "  Start Playing";
inline constexpr const char* InitialSuggestion =
    "Adjust the options as you wish, then press 'New Game' to start playing.";

inline constexpr const char* TabGameOptions = "&Game Options";
inline constexpr const char* TabConfiguration = "&Configuration";
inline constexpr const char* TabHelp = "&Help";

inline constexpr const char* GameTypeTitle = "  Game Type";
inline constexpr const char* RadioQuickPlay = "Quick Play: Choose your own game";
inline constexpr const char* RadioCampaign = "Campaign: Play ever more difficult landscapes";
inline constexpr const char* PreviewTitle = "  Landscape Preview";

inline constexpr const char* QuickPlayTitle = "  Quick Play - Game Options";
inline constexpr const char* TabDifficulty = "Difficulty";
inline constexpr const char* TabTweaks = "&Tweaks";
inline constexpr const char* Difficulty = "&Difficulty";
inline constexpr const char* Variation = "&Variation";
inline constexpr const char* Resources = "&Resources";
inline constexpr const char* GameSpeed = "&Game Speed";
inline constexpr const char* SentrySpeed = "&Sentry Speed";
inline constexpr const char* ScanSpeed = "S&can Speed";
inline constexpr const char* ScanSector = "Scan S&ector";
inline constexpr const char* LandscapeCode = "&Landscape #";

inline constexpr const char* CampaignTitle = "  Campaign - Game Options";
inline constexpr const char* PlayerName = "Pla&yer Name";
inline constexpr const char* CampaignNumber = "Campaign N&umber";
inline constexpr const char* CreateNew = "Create New";
inline constexpr const char* Previous = "<";
inline constexpr const char* Next = ">";
inline constexpr const char* ChooseLevel = "  Choose a Level";

inline constexpr const char* Sensitivity = "&Sensitivity";
inline constexpr const char* ReverseVertical = "Reverse &Vertical";
inline constexpr const char* ReverseHorizontal = "Reverse &Horizontal";
inline constexpr const char* ReverseZoom = "Reverse &Zoom";
inline constexpr const char* LockCursor = "&Lock Cursor on Mouse Look";

inline constexpr const char* ShowHints = "&Show Hints while playing [F4]";
inline constexpr const char* ViewKeyboardControls = "View Keyboard Controls";

inline constexpr const char* ButtonNewGame = "&New Game";
inline constexpr const char* ButtonReturn = "&Return";
inline constexpr const char* ButtonAbout = "About";
inline constexpr const char* ButtonExit = "E&xit";

}  // namespace orvane::newgame_captions
