#include "display/graphics_setup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "display/asset_loading.h"
#include "display/notifications.h"
#include "platform/display.h"
#include "platform/files.h"

namespace display {
namespace {

using app::DebugLog;

const char* const kRule = "-=-=-=-=-=-=-=-=-=-=-=-=-=-";
const char* const kRendererLines[3] = {"\tUsing OpenGL Driver", "\tUsing DirectX 9 Driver", "\tUsing DirectX 7 Driver"};

bool Eligible(int w, int h) { return w * 10 / 16 == h || w * 9 / 16 == h || w * 3 / 4 == h; }

bool Listed(int w, int h) {
    const auto& s = app::shared;
    for (int k = 1; k <= s.ModeCount; ++k)
        if (s.ModeWidths[k] == w && s.ModeHeights[k] == h) return true;
    return false;
}

int ChooseDepth() {
    const auto& s = app::shared;
    if (s.SettingsTable[app::kFullScreen] != 1) return 0;
    for (int depth : {32, 24, 16})
        if (platform::fullscreenModeExists(s.ScreenWidth, s.ScreenHeight, depth)) return depth;
    PostNotification("Can't set to fullscreen in this resolution.", 1);
    return 0;
}

void OpenOrDie(int depth) {
    const auto& s = app::shared;
    if (platform::openDisplay(s.ScreenWidth, s.ScreenHeight, depth, 60)) return;
    // crash.dat stays behind, so the next start tries the other renderer.
    std::fprintf(stderr, "tavik-morrow: the display could not be opened\n");
    app::CloseDebugLog();
    std::exit(1);
}

void SetVirtualArea() {
    auto& s = app::shared;
    ChooseVirtualArea(s.ScreenWidth, s.ScreenHeight, s.VirtualWidth, s.VirtualHeight,
                      s.SettingsTable[app::kWidescreen]);
    if (s.ScreenWidth * 9 / 16 == s.ScreenHeight) DebugLog("\tWidescreen mode!");
    if (s.ScreenWidth * 10 / 16 == s.ScreenHeight) DebugLog("\tWidescreen mode B (10:16)!");
    platform::setVirtualResolution(s.VirtualWidth, s.VirtualHeight);
}

}  // namespace

void BuildModeList() {
    auto& s = app::shared;
    auto& t = s.SettingsTable;
    s.ModeCount = 0;
    const int count = platform::displayModeCount();
    for (int i = 0; i < count && s.ModeCount < app::kModeListEntries - 1; ++i) {
        platform::DisplayMode m = platform::displayMode(i);
        if (!Eligible(m.width, m.height) || Listed(m.width, m.height)) continue;
        ++s.ModeCount;
        s.ModeWidths[s.ModeCount] = m.width;
        s.ModeHeights[s.ModeCount] = m.height;
        if (m.width == t[app::kRequestedWidth] && m.height == t[app::kRequestedHeight]) {
            t[app::kChosenMode] = s.ModeCount;
            s.ScreenWidth = m.width;
            s.ScreenHeight = m.height;
        }
    }
    t[app::kRequestedWidth] = s.ScreenWidth;
    t[app::kRequestedHeight] = s.ScreenHeight;
}

void ChooseVirtualArea(int width, int height, int& virtualWidth, int& virtualHeight, int& widescreen) {
    widescreen = 0;
    virtualWidth = 1280;
    virtualHeight = 960;
    if (width * 9 / 16 == height) widescreen = 1, virtualWidth = 1600, virtualHeight = 900;
    if (width * 10 / 16 == height) widescreen = 1, virtualWidth = 1440, virtualHeight = 900;
}

void ApplyGraphicsSettings() {
    auto& s = app::shared;
    auto& t = s.SettingsTable;
    BuildModeList();
    for (const char* line : {"", kRule, "Applying Graphical Settings"}) DebugLog(line);
    if (s.GraphicsReady == 1) {
        platform::closeDisplay();
        DebugLog("\tChanged Graphics Mode ingame.");
    }
    if (platform::fileExists(CrashMarker) && t[app::kRenderer] == 0) t[app::kRenderer] = 1;
    if (t[app::kRenderer] >= 0 && t[app::kRenderer] <= 2) {
        platform::selectRenderer(t[app::kRenderer]);
        DebugLog(kRendererLines[t[app::kRenderer]]);
    }
    int depth = ChooseDepth();
    DebugLog("\tResolution : " + std::to_string(s.ScreenWidth) + "x" + std::to_string(s.ScreenHeight) + "," +
             std::to_string(depth));
    platform::createEmptyFile(CrashMarker);
    OpenOrDie(depth);
    SetVirtualArea();
    LoadCommonObjects();
    LoadGameAssets();
    DebugLog(kRule);
    platform::deleteFile(CrashMarker);
}

}  // namespace display
