// Milliseconds from process start to the end of loading, leaving out the engine test and the
// 2.5-second minimum wait: platform start, display, fonts, icons, logos, sounds, game images.
// Run from the build folder (it needs Files/ below it), in a real window or with --headless.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/shared_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/asset_loading.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace {
const auto processStart = std::chrono::steady_clock::now();
}

int main(int argc, char** argv) {
    platform::Options options;
    std::string error;
    if (!platform::parseOptions(argc, argv, options, error) || !platform::init(options)) return 1;
    app::SetDefaultSettings();
    if (!platform::changeFolder("Files/287/") || !platform::openDisplay(800, 600, 0, 60)) return 1;
    platform::setVirtualResolution(1280, 960);
    app::shared.GraphicsReady = 1;  // no greeting frame: it waits for the display's refresh
    display::LoadCommonObjects();
    audio::LoadMusicSamples();
    display::LoadGameImages();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - processStart).count();
    std::printf("loading without the engine test: %.1f ms (fonts %s, tile %s)\n", ms,
                app::shared.FontSlots[1] ? "loaded" : "MISSING", app::shared.TileImage ? "loaded" : "MISSING");
    platform::shutdown();
    return 0;
}
