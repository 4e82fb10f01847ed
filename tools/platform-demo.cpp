// Opens a real window with one renderer, draws rotated, blended and scaled sprites and text,
// checks a few pixels and saves the frame as a PNG.
//   platform-demo RENDERER OUT.png [platform options]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/bitmap.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/platform.h"

namespace {

// A white disc on black: masked, the black corners disappear.
int makeDisc(const std::string& folder) {
    platform::Bitmap disc;
    disc.width = disc.height = 32;
    disc.pixels.assign(32 * 32, 0xFF000000u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dx = x - 15.5f, dy = y - 15.5f;
            if (dx * dx + dy * dy < 15.0f * 15.0f) disc.at(x, y) = x < 16 ? 0xFFFFFFFFu : 0xFFFFD040u;
        }
    std::string path = folder + "/platform-demo-disc.png";
    if (!platform::encodePngFile(disc, path, 9)) return 0;
    return platform::loadImage(path, platform::kImageMasked | platform::kImageFiltered);
}

void drawStripes() {
    platform::setRotation(-45);
    for (int i = 0, m = 26; i <= 960; i += 10, ++m) {
        platform::setColour(int(m * 0.2f), 0, m);
        platform::drawRect(-100, 3.0f * i, 1280 + 1800, 30);
    }
    platform::setDrawState(platform::DrawState{});
}

void drawScene(int disc, int font) {
    drawStripes();
    for (int i = 0; i < 12; ++i) {
        platform::setRotation(i * 30.0f);
        platform::setScale(1 + i * 0.25f, 1 + i * 0.25f);
        platform::setColour(255, 128 + i * 10, 255 - i * 20);
        platform::drawImage(disc, 120.0f + i * 90, 260);
    }
    platform::setDrawState(platform::DrawState{});
    const platform::Blend blends[3] = {platform::Blend::Alpha, platform::Blend::Multiply, platform::Blend::Additive};
    for (int k = 0; k < 3; ++k) {
        platform::setBlend(blends[k]);
        platform::setAlpha(0.6f);
        platform::setScale(4, 4);
        platform::setColour(255, 60, 60);
        platform::drawImage(disc, 250.0f + k * 380, 520);
        platform::setColour(60, 255, 60);
        platform::drawImage(disc, 310.0f + k * 380, 560);
    }
    platform::setDrawState(platform::DrawState{});
    platform::setFont(font);
    platform::drawText(60, 700, "Tavik Morrow  -  alpha, multiply, additive");
    platform::setRotation(-10);
    platform::setScale(1.5f, 1.5f);
    platform::setColour(120, 220, 255);
    platform::drawText(60, 820, "Rotated and scaled text 0123456789");
    platform::setDrawState(platform::DrawState{});
    platform::setColour(255, 255, 255);
    platform::drawRect(1180, 40, 60, 60);  // the checked patch
    platform::drawLine(40, 900, 1240, 900);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: platform-demo RENDERER OUT.png [platform options]\n");
        return 2;
    }
    int renderer = std::atoi(argv[1]);
    std::string out = argv[2];
    platform::Options options;
    std::string error;
    if (!platform::parseOptions(argc - 2, argv + 2, options, error)) {
        std::fprintf(stderr, "platform-demo: %s\n", error.c_str());
        return 2;
    }
    if (!platform::init(options)) return 1;
    platform::selectRenderer(renderer);
    if (!platform::openDisplay(800, 600, 0, 60)) return 1;
    platform::setWindowTitle(std::string("platform demo: ") + platform::rendererDriverName(renderer));
    platform::setVirtualResolution(1280, 960);
    platform::setAutoMidHandle(true);
    int disc = makeDisc(out.substr(0, out.find_last_of('/') + 1) + ".");
    int font = platform::loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 40);
    int shot = platform::createImage(800, 600, 1, 0);
    bool saved = false;
    for (int frame = 0; frame < 30; ++frame) {  // a moment on screen, so a viewer can see it
        platform::clearScreen();
        drawScene(disc, font);
        if (frame == 29) saved = platform::grabBackBuffer(shot, 0, 0) && platform::saveImagePng(shot, out, 6);
        platform::present(true);
    }
    // The white patch sits at virtual (1180..1240, 40..100): real (737..775, 25..62) at 800x600.
    uint32_t patch = platform::readPixel(shot, 756, 44) & 0xFFFFFF;
    uint32_t corner = platform::readPixel(shot, 2, 598) & 0xFFFFFF;
    std::printf("%s: saved %s, patch %06X, corner %06X\n", platform::rendererDriverName(renderer),
                saved ? out.c_str() : "nothing", patch, corner);
    platform::shutdown();
    return saved && patch == 0xFFFFFF && corner != 0xFFFFFF ? 0 : 1;
}
