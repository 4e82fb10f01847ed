// Until the game's screens land, the program opens its window and shows a plain frame.
#include <cstdio>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::Options options;
    std::string error;
    if (!platform::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tavik-morrow: %s\n", error.c_str());
        return 2;
    }
    if (!platform::init(options)) return 1;
    platform::setWindowTitle("#287 : Tavik Morrow");
    if (!platform::openDisplay(800, 600, 0, 60)) return 1;
    platform::setVirtualResolution(1280, 960);
    while (!platform::closeRequested() && !platform::keyHits(27)) {
        platform::clearScreen();
        platform::setDrawState(platform::DrawState{});
        platform::setColour(40, 0, 160);
        platform::drawRect(0, 0, 1280, 960);
        platform::setColour(255, 255, 255);
        platform::setScale(2, 2);
        platform::drawText(100, 100, "Tavik Morrow");
        platform::sleepMs(15);
        platform::present(false);
    }
    platform::shutdown();
    return 0;
}
