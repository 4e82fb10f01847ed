// How many 16x16 sprites, drawn at scale 2 with random rotation, each renderer draws per frame
// while holding 54 frames per second in a real window.
//   sprite-bench [--upright] [RENDERER...]     (run under X, e.g. xvfb-run)
// --upright leaves the sprites unrotated, to show what rotation costs a renderer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/platform.h"

namespace {

constexpr double kTargetFps = 54;
constexpr int kTrialMs = 1500;
constexpr int kWarmUpMs = 250;  // llvmpipe compiles its shaders on the first frames
constexpr int kMaxTrials = 12;
bool upright = false;

struct Sprite {
    float x, y, dx, dy, angle;
};

int makeSprite() {
    int image = platform::createImage(16, 16, 1, platform::kImageFiltered);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            platform::writePixel(image, x, y, edge ? 0xFFFFFFFFu : 0xFF000000u | uint32_t(x * 16) << 16 | uint32_t(y * 16) << 8 | 0x80u);
        }
    return image;
}

void drawFrame(int image, std::vector<Sprite>& sprites) {
    platform::clearScreen();
    for (Sprite& s : sprites) {
        s.x += s.dx;
        s.y += s.dy;
        if (s.x < 0 || s.x > 800) s.dx = -s.dx;
        if (s.y < 0 || s.y > 600) s.dy = -s.dy;
        platform::setRotation(s.angle);
        platform::drawImage(image, s.x, s.y);
    }
    platform::present(false);
}

double framesPerSecond(int image, int count) {
    std::vector<Sprite> sprites(static_cast<size_t>(count));
    for (Sprite& s : sprites)
        s = {float(platform::randomInt(0, 799)), float(platform::randomInt(0, 599)),
             float(platform::randomInt(-3, 3)), float(platform::randomInt(-3, 3)),
             upright ? 0.0f : float(platform::randomInt(0, 359))};
    platform::setScale(2, 2);
    int start = platform::millisecs();
    while (platform::millisecs() - start < kWarmUpMs) drawFrame(image, sprites);
    start = platform::millisecs();
    int frames = 0;
    for (; platform::millisecs() - start < kTrialMs; ++frames) drawFrame(image, sprites);
    return frames * 1000.0 / (platform::millisecs() - start);
}

// Grows the count until the rate drops below the target, then bisects.
int spritesAtTarget(int image) {
    int good = 0, bad = 0, count = 1000, trials = 0;
    while (bad == 0 && trials < kMaxTrials) {
        ++trials;
        if (framesPerSecond(image, count) >= kTargetFps) good = count, count *= 2;
        else bad = count;
    }
    while (bad != 0 && bad - good > good / 20 + 50 && trials < kMaxTrials) {
        ++trials;
        int mid = (good + bad) / 2;
        (framesPerSecond(image, mid) >= kTargetFps ? good : bad) = mid;
    }
    return good;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> renderers;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--upright") == 0) upright = true;
        else renderers.push_back(std::atoi(argv[i]));
    }
    if (renderers.empty()) renderers = {0, 1, 2};
    if (!platform::init(platform::Options{})) return 1;
    for (int r : renderers) {
        platform::selectRenderer(r);
        if (!platform::openDisplay(800, 600, 0, 60)) return 1;
        platform::setAutoMidHandle(true);  // rotate about the sprite's centre
        int image = makeSprite();
        int count = spritesAtTarget(image);
        std::printf("%s: %d sprites at 54+ fps (16x16, scale 2, %s, 800x600 window)\n",
                    platform::rendererDriverName(r), count, upright ? "upright" : "rotated");
        std::fflush(stdout);
        platform::freeImage(image);
    }
    platform::shutdown();
    return 0;
}
