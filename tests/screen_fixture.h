// Runs real screens headless at 1280x960 (one unit, one pixel): a white tile, the built-in font,
// two distinguishable effects, and a per-frame hook that looks at each frame and feeds input.
#pragma once
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "app/startup.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/input.h"
#include "puzzle/palette.h"
#include "tests/headless.h"
#include "tests/wav_fixture.h"

namespace testsupport {

// One effect as the sound service holds it.
struct Effect {
    int id;
    float rate;
};

// The same effects, in the same order, at the same rates.
inline bool EffectsAre(const std::vector<Effect>& got, const std::vector<Effect>& want) {
    if (got.size() != want.size()) return false;
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i].id != want[i].id || std::abs(got[i].rate - want[i].rate) > 1e-4f) return false;
    return true;
}

class ScreenTest : public ::testing::Test {
protected:
    // Called at the end of every frame, before it is presented; `frame` counts from 1.
    using FrameHook = std::function<void(int frame)>;

    // Timed input for the whole test, in the input-script format (for waits that draw no frames).
    virtual std::string Script() { return ""; }

    void SetUp() override {
        ASSERT_TRUE(StartHeadless(Script()));
        home_ = platform::currentFolder();
        std::string root = tempPath("screens");
        for (const char* dir : {"", "/Files", "/Files/287"}) ::mkdir((root + dir).c_str(), 0755);
        ASSERT_TRUE(platform::changeFolder(root + "/Files/287"));  // Tab writes Setup.ini one up
        ASSERT_TRUE(platform::openDisplay(1280, 960, 0, 60));
        platform::setVirtualResolution(1280, 960);
        app::ResetSharedState();
        app::SetDefaultSettings();
        auto& s = app::shared;
        s.ScreenWidth = 1280, s.ScreenHeight = 960;
        s.BudgetLimits[1] = s.BudgetLimits[2] = 50000;
        s.MouseDriven = 1;
        s.TileImage = WhiteImage(74);
        s.FramePreviousEnd = platform::millisecs();
        puzzle::InitPalette();
        puzzle::StepPalette(1024);
        s.SfxSounds[2] = LoadTone("slide.wav");
        s.SfxSounds[98] = LoadTone("choice.wav");
        grab_ = platform::createImage(1280, 960, 1, 0);
        hook_ = this;
        display::SetFrameObserver(&Observe);
    }
    void TearDown() override {
        display::SetFrameObserver(nullptr);
        hook_ = nullptr;
        platform::changeFolder(home_);
        platform::shutdown();
    }

    void OnFrame(FrameHook hook) {
        onFrame_ = std::move(hook);
        frame_ = 0;
    }
    static void Feed(const std::string& event) {
        std::string error;
        ASSERT_TRUE(platform::feedInput(event, error)) << error;
    }
    static void PointAt(int x, int y) { Feed("mouse move " + std::to_string(x) + " " + std::to_string(y)); }

    // Effects started since the last call, oldest first.
    std::vector<Effect> TakeEffects() {
        std::vector<Effect> out;
        auto& s = app::shared;
        while (seenCursor_ != s.SfxCursor) {
            seenCursor_ = seenCursor_ == 255 ? 20 : seenCursor_ + 1;  // the pool's order
            platform::ChannelState st = platform::channelState(s.SfxChannels[seenCursor_]);
            out.push_back({st.sound == s.SfxSounds[2] ? 2 : st.sound == s.SfxSounds[98] ? 98 : -1, st.rate});
        }
        return out;
    }

    // The frame as drawn so far, RGB. Grab() once, then read many pixels with Grabbed().
    uint32_t Pixel(int x, int y) {
        Grab();
        return Grabbed(x, y);
    }
    void Grab() { platform::grabBackBuffer(grab_, 0, 0); }
    uint32_t Grabbed(int x, int y) { return platform::readPixel(grab_, x, y) & 0xFFFFFF; }

    // Thrown from a frame hook to leave a screen's loop early; RunScreen catches it.
    struct StopScreen {};
    template <typename Screen>
    static void RunScreen(Screen screen) {
        try {
            screen();
        } catch (const StopScreen&) {
        }
    }

    int frame_ = 0;

private:
    static void Observe() {
        if (hook_ && hook_->onFrame_) hook_->onFrame_(++hook_->frame_);
    }
    int WhiteImage(int size) {
        platform::setAutoMidHandle(true);
        int image = platform::createImage(size, size, 1, 0);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) platform::writePixel(image, x, y, 0xFFFFFFFFu);
        return image;
    }
    int LoadTone(const std::string& name) {
        std::string path = tempPath(name);
        std::ofstream(path, std::ios::binary) << wavBytes(1, 22050, 8, std::string(22050, char(200)));
        return platform::loadSound(path);
    }

    static inline ScreenTest* hook_ = nullptr;
    FrameHook onFrame_;
    std::string home_;
    int grab_ = 0;
    int seenCursor_ = 20;
};

}  // namespace testsupport
