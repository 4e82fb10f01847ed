#include "display/asset_loading.h"

#include <cstdio>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "scores/score_file.h"
#include "audio/sound_effects.h"
#include "display/draw.h"
#include "display/engine_test.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/image.h"

namespace display {
namespace {

using app::DebugLog;

constexpr int kMasked = platform::kImageMasked;
constexpr int kSmooth = platform::kImageMasked | platform::kImageFiltered;
const char* const kHeadingFace = "Blue Highway.ttf";
const char* const kPixelFace = "Acknowledge TT QVX.ttf";
const int kNominalSizes[9] = {8, 12, 18, 24, 32, 40, 52, 64, 96};

// Handles from the previous set-up are let go before they are replaced.
void Replace(int32_t& handle, int fresh, void (*release)(int)) {
    if (handle != 0) release(handle);
    handle = fresh;
}

void LoadFonts() {
    auto& s = app::shared;
    const FontMultipliers m = FontMultipliersFor(s.ScreenWidth);
    const std::string main = MainFaceFor(s.ScreenWidth);
    struct Slot {
        const std::string face;
        int size;
    };
    const Slot slots[14] = {{"", 0},
                            {main, FontPixels(24, m.a)},        {main, FontPixels(16, m.b)},
                            {main, FontPixels(16, m.b)},        {main, FontPixels(20, m.a)},
                            {kHeadingFace, FontPixels(96, m.a)}, {kHeadingFace, FontPixels(72, m.a)},
                            {kHeadingFace, FontPixels(32, m.a)}, {main, FontPixels(32, m.a)},
                            {main, FontPixels(14, m.a)},        {kPixelFace, 112},
                            {kPixelFace, 96},                   {kPixelFace, 32},
                            {kPixelFace, 20}};
    for (int slot = 1; slot <= 13; ++slot)
        Replace(s.FontSlots[slot], platform::loadFont(slots[slot].face, slots[slot].size), platform::freeFont);
    const std::string families[3] = {main, kHeadingFace, kPixelFace};
    for (int family = 0; family < 3; ++family)
        for (int size = 0; size < 9; ++size)
            Replace(s.FontTable[family * 10 + size],
                    platform::loadFont(families[family], FontPixels(kNominalSizes[size], m.a)), platform::freeFont);
}

void LoadCommonImages() {
    auto& s = app::shared;
    DebugLog("\tDefault Icons");
    Replace(s.IconsSmooth, platform::loadImageStrip("icons.png", 16, 16, 0, 64, kSmooth), platform::freeImage);
    Replace(s.IconsCrisp, platform::loadImageStrip("icons.png", 16, 16, 0, 64, kMasked), platform::freeImage);
    DebugLog("\tLogos");
    bool special = std::string(app::TitleWord1).find("Spindle 50") != std::string::npos;
    Replace(s.FrameworkLogo, platform::loadImage(special ? "logo50.png" : "logo.png", kSmooth), platform::freeImage);
    Replace(s.CommunityLogo, platform::loadImage("Hollowden.png", kSmooth), platform::freeImage);
}

// The first set-up shows the backdrop and plays the jingle while the rest loads.
void FirstSetUpGreeting() {
    BeginFrame(1);
    DrawBackdrop();
    audio::PlayJingle();
    platform::present(true);
    app::shared.GraphicsReady = 1;
}

void LoadSoundEffects() {
    auto& s = app::shared;
    DebugLog("");
    DebugLog("Loading Sound effects");
    for (int i = 1; i <= audio::kLastEffect; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.wav", i);
        int fresh = 0;
        if (platform::fileExists(name)) {
            DebugLog("\tSFX(" + std::to_string(i) + ")");
            fresh = platform::loadSound(name);
        }
        Replace(s.SfxSounds[i], fresh, platform::freeSound);
    }
    DebugLog("Sounds loaded");
    DebugLog("");
}

}  // namespace

FontMultipliers FontMultipliersFor(int screenWidth) {
    if (screenWidth < 600) return {1.5f, 2.0f};
    if (screenWidth < 900) return {1.2f, 1.4f};
    return {1.0f, 1.0f};
}

std::string MainFaceFor(int screenWidth) { return screenWidth > 800 ? "November.ttf" : "SVBasicManual.ttf"; }

int FontPixels(int nominal, float multiplier) { return int(float(nominal) * multiplier); }

void LoadCommonObjects() {
    auto& s = app::shared;
    // Back to exactly where we started, even when Common/ is missing: a wandering folder would
    // leave crash.dat behind and make the next start think the display set-up crashed.
    const std::string gameFolder = platform::currentFolder();
    platform::setAutoMidHandle(true);
    for (const char* line : {"", "Loading : Common Objects", "", "Switching to Default Folder", ""}) DebugLog(line);
    platform::changeFolder("../");
    platform::changeFolder(app::CommonFolder);
    DebugLog("\tDefault Fonts");
    LoadFonts();
    LoadCommonImages();
    DebugLog("\tBadgeGet");
    Replace(s.BadgeSound, platform::loadSound("badgeget.wav"), platform::freeSound);
    if (s.GraphicsReady == 0) FirstSetUpGreeting();
    DebugLog("");
    DebugLog("Switching to Game Folder");
    platform::changeFolder(gameFolder);
    Replace(s.BadgeImages, platform::loadImageStrip("badges.png", 64, 64, 0, 16, kSmooth), platform::freeImage);
    LoadSoundEffects();
    scores::LoadScores();
}

void LoadGameAssets() {
    RunEngineTest(60, 2);
    audio::LoadMusicSamples();
    LoadGameImages();
}

void LoadGameImages() {
    auto& s = app::shared;
    Replace(s.GameLogo, platform::loadImage("logo.png", kSmooth), platform::freeImage);
    Replace(s.MenuArtSmooth, platform::loadImageStrip("menu.png", 64, 64, 0, 4, kSmooth), platform::freeImage);
    Replace(s.MenuArtCrisp, platform::loadImageStrip("menu.png", 64, 64, 0, 4, kMasked), platform::freeImage);
    Replace(s.TileImage, platform::loadImage("box.png", kSmooth), platform::freeImage);
}

}  // namespace display
