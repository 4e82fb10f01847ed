#include <algorithm>
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/internal.h"
#include "platform/platform.h"
#include "platform/render_internal.h"

namespace platform {
namespace {

// The alternative renderers stand in for the two Direct3D versions of other platforms.
constexpr const char* kRenderDrivers[3] = {"opengl", "opengles2", "software"};

struct Display {
    bool headless = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    uint32_t generation = 1;
    int selected = 0;
    int width = 0, height = 0, refresh = 60;
    int virtualW = 0, virtualH = 0;
    render::Mapping mapping;
    std::string title = "Tavik Morrow";
    long presented = 0;
    int64_t lastPacedMicros = 0;
};
Display display;

// A headless display reports an adapter with the usual desktop modes.
std::vector<DisplayMode> headlessModes() {
    const int sizes[][2] = {{640, 480},   {800, 600},  {1024, 768}, {1280, 960},  {1280, 720},
                            {1366, 768},  {1920, 1080}, {1280, 800}, {1680, 1050}, {1280, 1024}};
    std::vector<DisplayMode> modes;
    for (auto& s : sizes)
        for (int depth : {16, 24, 32})
            for (int rate : {60, 75}) modes.push_back({s[0], s[1], depth, rate});
    return modes;
}

std::vector<DisplayMode> adapterModes() {
    if (display.headless) return headlessModes();
    std::vector<DisplayMode> modes;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) == 0)
            modes.push_back({m.w, m.h, int(SDL_BITSPERPIXEL(m.format)), m.refresh_rate});
    }
    return modes;
}

void updateMapping() {
    int vw = display.virtualW > 0 ? display.virtualW : display.width;
    int vh = display.virtualH > 0 ? display.virtualH : display.height;
    render::Mapping& m = display.mapping;
    m.scale = std::min(float(display.width) / float(vw), float(display.height) / float(vh));
    m.offsetX = (float(display.width) - float(vw) * m.scale) * 0.5f;
    m.offsetY = (float(display.height) - float(vh) * m.scale) * 0.5f;
    internal::setPointerMapping(m.scale, m.offsetX, m.offsetY);
    m.clipLeft = m.offsetX;
    m.clipTop = m.offsetY;
    m.clipRight = m.offsetX + float(vw) * m.scale;
    m.clipBottom = m.offsetY + float(vh) * m.scale;
    if (display.renderer) {
        // Drawing outside the virtual area stays inside it, leaving black bars.
        SDL_Rect clip{int(m.offsetX + 0.5f), int(m.offsetY + 0.5f), int(float(vw) * m.scale + 0.5f),
                      int(float(vh) * m.scale + 0.5f)};
        SDL_RenderSetClipRect(display.renderer, &clip);
    }
}

int renderDriverIndex(const char* name) {
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && SDL_strcmp(info.name, name) == 0) return i;
    }
    return -1;
}

bool setFullscreenMode(int width, int height, int depth, int refresh) {
    SDL_DisplayMode want{depth == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888, width, height,
                         refresh, nullptr};
    SDL_DisplayMode got;
    if (!SDL_GetClosestDisplayMode(0, &want, &got)) return false;
    return SDL_SetWindowDisplayMode(display.window, &got) == 0;
}

bool createRenderer(const char* driver) {
    int index = renderDriverIndex(driver);
    if (index < 0) {
        std::fprintf(stderr, "platform: render driver \"%s\" is not available\n", driver);
        return false;
    }
    display.renderer = SDL_CreateRenderer(display.window, index, 0);
    if (!display.renderer) {
        std::fprintf(stderr, "platform: cannot create the %s renderer: %s\n", driver, SDL_GetError());
        return false;
    }
    return true;
}

void captureIfWanted() {
    const Options& o = options();
    if (o.captureDir.empty()) return;
    bool wanted = (o.captureEvery > 0 && display.presented % o.captureEvery == 0) ||
                  std::find(o.captureFrames.begin(), o.captureFrames.end(), display.presented) !=
                      o.captureFrames.end();
    if (!wanted) return;
    Bitmap frame;
    frame.width = display.width;
    frame.height = display.height;
    frame.pixels.resize(size_t(frame.width) * frame.height);
    SDL_RenderReadPixels(display.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame.pixels.data(),
                         frame.width * 4);
    for (uint32_t& p : frame.pixels) p |= 0xFF000000u;
    char name[64];
    std::snprintf(name, sizeof name, "/frame-%06ld.png", display.presented);
    if (!encodePngFile(frame, o.captureDir + name, 6))
        std::fprintf(stderr, "platform: cannot write %s%s\n", o.captureDir.c_str(), name);
}

}  // namespace

namespace render {
SDL_Renderer* renderer() { return display.renderer; }
uint32_t generation() { return display.generation; }
const Mapping& mapping() { return display.mapping; }
}  // namespace render

namespace internal {

bool displayStart(bool headless, const std::string& videoDriver) {
    uint32_t generation = display.generation + 1;  // textures of an earlier start are gone too
    display = Display{};
    display.generation = generation;
    display.headless = headless;
    setDrawState(DrawState{});
    std::string driver = !videoDriver.empty() ? videoDriver : headless ? "offscreen" : "";
    if (!driver.empty()) SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 && headless && videoDriver.empty()) {
        // Without EGL the dummy driver still offers the software renderer.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    }
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

void displayStop() {
    closeDisplay();
    render::freeAllImages();
    render::freeAllFonts();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace internal

int displayModeCount() { return int(adapterModes().size()); }

DisplayMode displayMode(int index) {
    std::vector<DisplayMode> modes = adapterModes();
    return index >= 0 && index < int(modes.size()) ? modes[size_t(index)] : DisplayMode{};
}

bool fullscreenModeExists(int width, int height, int depth) {
    for (const DisplayMode& m : adapterModes())
        if (m.width == width && m.height == height && m.depth == depth) return true;
    return false;
}

void selectRenderer(int renderer) { display.selected = std::clamp(renderer, 0, 2); }
int selectedRenderer() { return display.selected; }
const char* rendererDriverName(int renderer) { return kRenderDrivers[std::clamp(renderer, 0, 2)]; }

bool openDisplay(int width, int height, int depth, int refresh) {
    closeDisplay();
    const char* driver = kRenderDrivers[display.selected];
    bool software = display.selected == 2;
    // Under X the software renderer is much faster writing the window directly.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, software ? "0" : "1");
    Uint32 flags = software ? 0 : SDL_WINDOW_OPENGL;
    if (depth != 0 && !display.headless) flags |= SDL_WINDOW_FULLSCREEN;
    display.window = SDL_CreateWindow(display.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                      SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!display.window) {
        std::fprintf(stderr, "platform: cannot open a %dx%d display: %s\n", width, height, SDL_GetError());
        return false;
    }
    if ((flags & SDL_WINDOW_FULLSCREEN) && !setFullscreenMode(width, height, depth, refresh))
        std::fprintf(stderr, "platform: no %dx%d,%d full-screen mode: %s\n", width, height, depth, SDL_GetError());
    if (!createRenderer(driver)) {
        closeDisplay();
        return false;
    }
    display.width = width;
    display.height = height;
    display.refresh = refresh > 0 ? refresh : 60;
    display.virtualW = display.virtualH = 0;
    updateMapping();
    clearScreen();
    return true;
}

void closeDisplay() {
    render::resetBatch();
    render::dropImageTextures();
    render::dropFontTextures();
    if (display.renderer) SDL_DestroyRenderer(display.renderer);
    if (display.window) SDL_DestroyWindow(display.window);
    display.renderer = nullptr;
    display.window = nullptr;
    ++display.generation;
}

bool displayIsOpen() { return display.renderer != nullptr; }
int displayWidth() { return display.width; }
int displayHeight() { return display.height; }

void setWindowTitle(const std::string& title) {
    display.title = title;
    if (display.window) SDL_SetWindowTitle(display.window, title.c_str());
}

void setVirtualResolution(int width, int height) {
    render::flush();
    display.virtualW = std::max(0, width);
    display.virtualH = std::max(0, height);
    updateMapping();
}

int virtualWidth() { return display.virtualW > 0 ? display.virtualW : display.width; }
int virtualHeight() { return display.virtualH > 0 ? display.virtualH : display.height; }

void clearScreen() {
    if (!display.renderer) return;
    render::flush();
    SDL_RenderSetClipRect(display.renderer, nullptr);
    SDL_SetRenderDrawColor(display.renderer, 0, 0, 0, 255);
    SDL_RenderClear(display.renderer);
    updateMapping();
}

void present(bool paced) {
    internal::pumpEvents();
    if (!display.renderer) return;
    if (paced) {
        // Simulated vertical sync: the same on every backend, and on the virtual clock.
        int64_t period = 1000000 / display.refresh;
        while (internal::clockMicros() < display.lastPacedMicros + period) sleepMs(1);
        display.lastPacedMicros = internal::clockMicros();
    }
    render::flush();
    long quads = render::takeQuadCount();
    // Headless frames cost nothing unless a test asks for a slower machine.
    if (display.headless && options().quadsPerMs > 0) sleepMs(int(quads / options().quadsPerMs));
    ++display.presented;
    captureIfWanted();
    SDL_RenderPresent(display.renderer);
}

long presentedFrameCount() { return display.presented; }

bool grabBackBuffer(int image, int x, int y) {
    Bitmap* target = render::imageBitmap(image, 0);
    if (!target || !display.renderer) return false;
    render::flush();
    SDL_Rect area{x, y, target->width, target->height};
    SDL_Rect whole{0, 0, display.width, display.height};
    SDL_Rect inside;
    if (!SDL_IntersectRect(&area, &whole, &inside)) return false;
    std::vector<uint32_t> pixels(size_t(inside.w) * inside.h);
    if (SDL_RenderReadPixels(display.renderer, &inside, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             inside.w * 4) != 0)
        return false;
    for (int row = 0; row < inside.h; ++row)
        for (int col = 0; col < inside.w; ++col)
            target->at(inside.x - x + col, inside.y - y + row) = pixels[size_t(row) * inside.w + col] | 0xFF000000u;
    return true;
}

}  // namespace platform
