// The per-frame service on the virtual clock of a headless display.
#include "display/frame_service.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/shared_state.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

bool farewellAsked = false;
void NoteFarewell() { farewellAsked = true; }

class FrameServiceTest : public ::testing::Test {
protected:
    std::string home_;
    void start(const std::string& script = "") {
        ASSERT_TRUE(testsupport::StartHeadless(script));
        // Tab rewrites Setup.ini one folder up: keep that inside a scratch Files/287/.
        home_ = platform::currentFolder();
        std::string root = testsupport::tempPath("frame-service");
        for (const char* dir : {"", "/Files", "/Files/287"}) ::mkdir((root + dir).c_str(), 0755);
        ASSERT_TRUE(platform::changeFolder(root + "/Files/287"));
        ASSERT_TRUE(platform::openDisplay(320, 240, 0, 60));
        app::ResetSharedState();
        app::shared.FramePreviousEnd = platform::millisecs();
        farewellAsked = false;
        display::SetFarewellHandler(&NoteFarewell);
    }
    void TearDown() override {
        display::SetFarewellHandler(nullptr);
        platform::changeFolder(home_);
        platform::shutdown();
    }
};

TEST(FramePacingTest, DeadlineAndSmoothedRate) {
    EXPECT_NEAR(display::PacingDeadline(1000), 1014.6667, 1e-3);
    struct Case {
        int smoothed, duration, expected;
    };
    const Case cases[] = {{60, 40, 48}, {0, 15, 22}, {60, 16, 60}, {48, 17, 51}, {0, 1000, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(display::SmoothedFps(c.smoothed, c.duration), c.expected) << c.smoothed << "," << c.duration;
}

TEST_F(FrameServiceTest, WaitsOutTheFrameButNeverMoreThanOneSleepWhenLate) {
    start();
    struct Case {
        int lateBy;
        int minWait, maxWait;
    };
    // Started 5 ms after the previous end: waits until 15 ms have passed. 40 ms: one 1 ms sleep.
    const Case cases[] = {{5, 9, 11}, {40, 1, 1}};
    for (const Case& c : cases) {
        int now = platform::millisecs();
        app::shared.FramePreviousEnd = now - c.lateBy;
        display::FrameService(0);
        int waited = int(app::shared.FramePreviousEnd) - now;
        EXPECT_GE(waited, c.minWait) << c.lateBy;
        EXPECT_LE(waited, c.maxWait) << c.lateBy;
    }
}

TEST_F(FrameServiceTest, SlowSystemPresentsEveryOtherFrame) {
    start();
    app::shared.SettingsTable[app::kSlowSystem] = 1;
    long before = platform::presentedFrameCount();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(app::shared.FrameParity, i % 2);
        display::FrameService(1);
    }
    EXPECT_EQ(platform::presentedFrameCount() - before, 3);
    app::shared.SettingsTable[app::kSlowSystem] = 0;
    display::FrameService(1);
    display::FrameService(1);
    EXPECT_EQ(platform::presentedFrameCount() - before, 5);
}

TEST_F(FrameServiceTest, HotKeysToggleAndTheCloseRequestEndsTheProgram) {
    start("at 50 key down Tab\nat 60 key up Tab\nat 50 key down F12\nat 60 key up F12\n"
          "at 200 mouse move 100 80\nat 400 key down LAlt\nat 410 key down F4\n");
    while (platform::millisecs() < 100) display::FrameService(1);
    EXPECT_EQ(app::shared.SettingsPanelOpen, 1);
    EXPECT_EQ(app::shared.ShowOverlay, 1);
    EXPECT_TRUE(platform::fileExists("../Setup.ini"));  // Tab rewrites the setup file
    while (platform::millisecs() < 300) display::FrameService(1);
    EXPECT_EQ(app::shared.PointerX, 100);
    EXPECT_EQ(app::shared.PointerY, 80);
    // Paced virtual frames last 15 or 16 ms: 1000/15 = 66, 1000/16 = 62.
    EXPECT_GE(app::shared.DisplayedFps, 62);
    EXPECT_LE(app::shared.DisplayedFps, 66);
    EXPECT_FALSE(farewellAsked);
    while (platform::millisecs() < 420) display::FrameService(1);
    EXPECT_TRUE(farewellAsked);
}

}  // namespace
