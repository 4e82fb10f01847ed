// Milliseconds of work per frame on the title screen or the play screen, in a real window.
//   frame-bench RENDERER WIDTH HEIGHT title|play [FRAMES] [--capture FILE.png]
// Run from the build folder (it needs Files/ below it) under X, e.g. xvfb-run. The pointer sweeps
// slowly every frame; after a warm-up, FRAMES frames (300 by default) are measured and one line
// is printed: work (drawing up to the pacing wait) and present (notifications and presenting).
// --capture saves the last frame as the game drew it, to check the set-up.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "app/title_screen.h"
#include "display/asset_loading.h"
#include "display/frame_service.h"
#include "display/graphics_setup.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "puzzle/palette.h"
#include "puzzle/play_screen.h"

namespace {

constexpr int kWarmUpFrames = 60;  // the title's slide-in and llvmpipe's shader compiles
constexpr float kBoardHalf = 290;  // the board spans 294 virtual units either side of the centre

struct Run {
    int renderer = 0, width = 0, height = 0, frames = 300;
    bool play = false;
    std::string capture;
};

Run run;
long observed = 0;
std::vector<double> workMs, presentMs;

struct Summary {
    double mean, median, p95, max;
};

Summary Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    const size_t p95 = (n * 95 + 99) / 100 - 1;  // nearest rank
    return {std::accumulate(v.begin(), v.end(), 0.0) / double(n), median, v[p95], v.back()};
}

std::string Describe(const char* label, const std::vector<double>& v) {
    const Summary s = Summarise(v);
    char text[160];
    std::snprintf(text, sizeof text, "%s ms mean %.2f median %.2f p95 %.2f max %.2f", label, s.mean,
                  s.median, s.p95, s.max);
    return text;
}

// A slow Lissajous sweep: over the whole title, or over the board's cells in play.
void SweepPointer() {
    const auto& s = app::shared;
    const float halfW = run.play ? kBoardHalf : 0.45f * float(s.VirtualWidth);
    const float halfH = run.play ? kBoardHalf : 0.45f * float(s.VirtualHeight);
    const float x = float(s.VirtualWidth) / 2 + halfW * float(platform::sinDeg(double(observed) * 1.5));
    const float y = float(s.VirtualHeight) / 2 + halfH * float(platform::sinDeg(double(observed) * 0.9));
    std::string error;
    platform::feedInput("mouse move " + std::to_string(int(x)) + " " + std::to_string(int(y)), error);
}

void SaveCapture() {
    const int image = platform::createImage(run.width, run.height, 1, 0);
    if (!platform::grabBackBuffer(image, 0, 0) || !platform::saveImagePng(image, run.capture, 1))
        std::fprintf(stderr, "frame-bench: could not capture %s\n", run.capture.c_str());
}

[[noreturn]] void Finish() {
    std::printf("%s %dx%d %s: %s; %s\n", platform::rendererDriverName(run.renderer), run.width,
                run.height, run.play ? "play" : "title", Describe("work", workMs).c_str(),
                Describe("present", presentMs).c_str());
    std::fflush(stdout);
    if (!run.capture.empty()) SaveCapture();
    platform::shutdown();
    std::exit(0);
}

// Called before each frame is presented; the timings it reads are the previous frame's.
void Observe() {
    ++observed;
    if (observed > kWarmUpFrames + 1) {
        workMs.push_back(app::shared.FrameWorkMs);
        presentMs.push_back(app::shared.FramePresentMs);
    }
    if (int(workMs.size()) >= run.frames) Finish();
    SweepPointer();
}

bool ParseArguments(int argc, char** argv) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--capture" && i + 1 < argc) run.capture = argv[++i];
        else positional.push_back(arg);
    }
    if (positional.size() < 4 || positional.size() > 5) return false;
    run.renderer = std::atoi(positional[0].c_str());
    run.width = std::atoi(positional[1].c_str());
    run.height = std::atoi(positional[2].c_str());
    run.play = positional[3] == "play";
    if (positional.size() == 5) run.frames = std::atoi(positional[4].c_str());
    return run.renderer >= 0 && run.renderer <= 2 && run.width > 0 && run.height > 0 && run.frames > 0 &&
           (run.play || positional[3] == "title");
}

// What start-up and the graphics settings do, without the engine test or the loading wait.
bool SetUp() {
    auto& s = app::shared;
    if (!platform::init(platform::Options{})) return false;
    app::SetDefaultSettings();
    platform::selectRenderer(run.renderer);
    if (!platform::changeFolder("Files/287/") || !platform::openDisplay(run.width, run.height, 0, 60)) return false;
    s.ScreenWidth = run.width;
    s.ScreenHeight = run.height;
    display::ChooseVirtualArea(run.width, run.height, s.VirtualWidth, s.VirtualHeight, s.SettingsTable[app::kWidescreen]);
    platform::setVirtualResolution(s.VirtualWidth, s.VirtualHeight);
    s.GraphicsReady = 1;
    app::FillAboutLines();
    display::LoadCommonObjects();
    display::LoadGameImages();
    puzzle::InitPalette();
    puzzle::StepPalette(1024);
    s.BudgetLimits[1] = s.BudgetLimits[2] = 50000;
    s.MouseDriven = 1;
    s.FramePreviousEnd = platform::millisecs();
    s.FrameEndMicros = platform::microsecs();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!ParseArguments(argc, argv)) {
        std::fprintf(stderr, "usage: frame-bench RENDERER(0-2) WIDTH HEIGHT title|play [FRAMES] [--capture FILE.png]\n");
        return 2;
    }
    if (!SetUp()) return 1;
    display::SetFrameObserver(Observe);
    SweepPointer();
    if (run.play) {
        app::shared.PauseState = app::kPauseAllowed;
        puzzle::PlayRound();
    } else {
        app::TitleScreen();
    }
    std::fprintf(stderr, "frame-bench: the screen ended before the frames were measured\n");
    platform::shutdown();
    return 1;
}
