// Everything the game's parts share: identity, settings, bindings, tables, round and screen
// values. One instance, `app::shared`, created at start-up and reset for tests.
#pragma once
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "app/table.h"
#include "display/notification_record.h"
#include "scores/score_record.h"

namespace app {

// Identity of this game.
constexpr int WeekNumber = 287;
constexpr const char* TitleWord1 = "Tavik";
constexpr const char* TitleWord2 = "Morrow";
constexpr const char* Tagline = "Glimmerwick";
constexpr const char* GameCode = "QM7RZ2W8";
std::string TitleLine();  // "#287 : Tavik Morrow"

// Folders and files, relative to the folder current at each step of start-up.
constexpr const char* BaseFolder = "Files/";
constexpr const char* CommonFolder = "Common/";
std::string GameFolder();  // "287/"
constexpr const char* DebugLogFile = "Debug.txt";
constexpr const char* SetupFile = "Setup.ini";
constexpr const char* ScoreFile = "nuscores.dat";  // in the game folder

// Table sizes (element counts).
constexpr int kSettingsEntries = 100;
constexpr int kControlSlots = 101;
constexpr int kBoardEntries = 1000;
constexpr int kPaletteEntries = 400;
constexpr int kBudgetEntries = 20;
constexpr int kModeListEntries = 2500;
constexpr int kFontSlotEntries = 20;
constexpr int kFontTableEntries = 100;
constexpr int kTopTableEntries = 50;
constexpr int kSfxChannelEntries = 260;
constexpr int kSfxSoundEntries = 201;
constexpr int kAboutLineEntries = 100;
constexpr int kRoundBestEntries = 31;
constexpr int kJoystickEntries = 5;  // 1..4 used
constexpr int kMaxJoysticks = 4;
constexpr int kMusicSampleEntries = 50;

// Settings-table entries.
enum Setting : int {
    kFullScreen = 1,
    kWidescreen = 2,
    kRenderer = 3,
    kChosenMode = 4,
    kRequestedWidth = 5,
    kRequestedHeight = 6,
    kSlowSystem = 7,
    kMasterLevel = 11,
    kSoundLevel = 12,
    kMusicLevel = 13,
    kAudioDriver = 14,
};

constexpr int kPauseNotAllowed = 0, kPauseAllowed = 1, kPauseMenuOpen = 2;

struct Rgb {
    float r = 0, g = 0, b = 0;
};

struct SharedState {
    std::string PlayerName = "Player";
    std::string OnlineUser, OnlinePassword;
    std::string DefaultScrambleKey;  // built at start-up from the identity values

    Table<int32_t, kSettingsEntries> SettingsTable;
    Table<int32_t, kControlSlots> ControlKeys;
    Table<int32_t, kBoardEntries> Board;
    Table<int32_t, kPaletteEntries> Palette;
    Table<int32_t, kBudgetEntries> BudgetLimits, BudgetCounts;
    Table<int32_t, kModeListEntries> ModeWidths, ModeHeights;
    int ModeCount = 0;
    Table<int32_t, kFontSlotEntries> FontSlots;
    Table<int32_t, kFontTableEntries> FontTable;
    Table<scores::ScoreRef, kTopTableEntries> TopTable;
    std::list<scores::ScoreRef> LocalScores;
    bool ScoresLoaded = false;  // the score file is read once per run
    std::list<display::ment> Notifications;
    Table<int32_t, kSfxChannelEntries> SfxChannels;
    Table<int32_t, kSfxSoundEntries> SfxSounds;
    Table<int32_t, kMusicSampleEntries> MusicSamples;
    int32_t SfxCursor = 20;
    int32_t BadgeSound = 0;

    Table<std::string, kAboutLineEntries> AboutLines;
    int AboutLineCount = 1;

    // Joysticks, 1..4.
    int JoystickCount = 0;
    Table<std::string, kJoystickEntries> JoyNames;
    Table<int32_t, kJoystickEntries> JoyButtons, JoyPresent, JoyHatPresent;
    Table<float, kJoystickEntries> JoyRestX, JoyRestY, JoyRestZ, JoyRestR, JoyRestU, JoyRestV;

    std::vector<std::string> AudioDriverNames;
    int AudioDriverChosen = 0;

    // Round values.
    int32_t Difficulty = 0, RoundTimer = 0, RoundScore = 0, RoundLevel = 0, RoundFlags = 0, RoundBadges = 0;
    Table<int32_t, kRoundBestEntries> RoundBest;
    int32_t BadgeCount = 0;
    int32_t RoundState = 0, EndFrames = 0;  // the play screen's outcome and its banner frames

    // The score table's scroll position and pinned record (reset after every round), and the
    // record its detail box shows.
    int32_t HistoryScroll = 0, PinnedIndex = 0;
    scores::ScoreRef HoverRecord;

    // Screen and display state.
    int32_t MouseDriven = 0, PauseState = kPauseNotAllowed;
    int32_t ScreenWidth = 800, ScreenHeight = 600;
    int32_t VirtualWidth = 1280, VirtualHeight = 960;
    int32_t PointerX = 0, PointerY = 0, PreviousPointerX = 0, PreviousPointerY = 0;
    int32_t FrameParity = 0, ShowOverlay = 0, SettingsPanelOpen = 0, DisplayedFps = 0;
    int32_t SettingsPanelOffset = -300;  // -300 hidden .. 20 fully open
    int32_t GraphicsReady = 0;
    Rgb BackdropTint{0.2f, 0.0f, 1.0f}, BackdropTarget{0.2f, 0.0f, 1.0f};
    int32_t StartTime = 0;
    int32_t TargetFps = 60;

    // The frame service's own timing.
    double FramePreviousEnd = 0;
    int32_t FrameDuration = 0, FrameSmoothedFps = 0;
    int64_t LastCollection = 0;
    // For benchmarks: the last frame's work from the previous call's end to the pacing wait, and
    // from the end of the wait to the end of presenting (notifications included).
    int64_t FrameEndMicros = 0;
    double FrameWorkMs = 0, FramePresentMs = 0;

    // Loaded images and fonts (handles, 0 = none).
    int32_t IconsSmooth = 0, IconsCrisp = 0, FrameworkLogo = 0, CommunityLogo = 0, BadgeImages = 0;
    int32_t GameLogo = 0, MenuArtSmooth = 0, MenuArtCrisp = 0, TileImage = 0;

    int32_t SlowSystem() { return SettingsTable[kSlowSystem]; }
    // A frame whose budgeted sprites are drawn and which is presented.
    bool DrawnFrame() { return SettingsTable[kSlowSystem] == 0 || FrameParity == 0; }
};

extern SharedState shared;

// Back to the state at program start, before start-up has set any default (tests).
void ResetSharedState();

}  // namespace app
