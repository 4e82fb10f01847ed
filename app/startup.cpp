#include "app/startup.h"

#include <string>

#include "app/about.h"
#include "app/audio_driver.h"
#include "app/debug_log.h"
#include "app/farewell.h"
#include "app/shared_state.h"
#include "app/title_screen.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "display/graphics_setup.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/input.h"
#include "puzzle/palette.h"
#include "scores/scramble.h"
#include "settings/joysticks.h"
#include "settings/setup_file.h"

namespace app {
namespace {

const std::string kRule(28, '-');
bool started = false;

void CreateTablesAndIdentity() {
    platform::setWindowTitle(TitleLine());
    shared.BackdropTint = shared.BackdropTarget = Rgb{0.2f, 0.0f, 1.0f};
    FillAboutLines();
    platform::showSystemPointer(false);
    shared.FramePreviousEnd = platform::millisecs();
    shared.BudgetLimits[1] = 50000;
    shared.BudgetLimits[2] = 50000;
    settings::DiscoverJoysticks();
    SetDefaultSettings();
    scores::BuildDefaultScrambleKey();
    display::SetFarewellHandler(&Farewell);
}

void LogBanner() {
    for (const std::string& line : {std::string("Tolmarsh's Quillbarrow Engine"), kRule,
                                    "Week #" + std::to_string(WeekNumber), kRule, TitleLine(), kRule,
                                    std::string(), std::string("Loading")})
        DebugLog(line);
}

void FinishLoading() {
    shared.MouseDriven = 1;
    shared.BadgeCount = 16;
    shared.PauseState = kPauseNotAllowed;
    shared.RoundBest.fill(0);
    DebugLog("Finished Loading");
    puzzle::InitPalette();
    puzzle::StepPalette(1024);
    // At least 2.5 s of loading, however fast the machine: a plain poll of the clock.
    while (platform::millisecs() < shared.StartTime + kMinimumLoadingMs) {
    }
}

}  // namespace

void SetDefaultSettings() {
    auto& keys = shared.ControlKeys;
    keys[0] = 38;
    keys[3] = 37;
    keys[5] = 39;
    keys[8] = 40;
    keys[10] = 90;
    keys[11] = 88;
    keys[12] = 67;
    keys[13] = 86;
    auto& t = shared.SettingsTable;
    t[kRequestedWidth] = 800;
    t[kRequestedHeight] = 600;
    t[kFullScreen] = 0;
    t[kSlowSystem] = 0;
    t[kMasterLevel] = t[kSoundLevel] = t[kMusicLevel] = 50;
}

void StartUp() {
    if (started) return;
    started = true;
    CreateTablesAndIdentity();
    platform::changeFolder(BaseFolder);
    OpenDebugLog(DebugLogFile);
    LogBanner();
    shared.AudioDriverNames = platform::audioDriverNames();
    shared.AudioDriverChosen = 0;
    if (platform::fileExists(SetupFile)) {
        DebugLog("\tReading Setup File");
        settings::ReadSetupFile();
    }
    ChooseAudioDriver();
    DebugLog("\tRequested Resolution : " + std::to_string(shared.SettingsTable[kRequestedWidth]) + "x" +
             std::to_string(shared.SettingsTable[kRequestedHeight]));
    for (const char* line : {"\tSetup Loaded", "", "Grabbing Previous Scores", ""}) DebugLog(line);
    platform::changeFolder(GameFolder());
    shared.StartTime = platform::millisecs();
    display::ApplyGraphicsSettings();
    FinishLoading();
}

void RunProgram() {
    StartUp();
    TitleScreen();
    Farewell();
}

}  // namespace app
