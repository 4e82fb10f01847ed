// The display set-up on a headless adapter: mode list, virtual areas, crash guard, loading.
#include "display/graphics_setup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "app/debug_log.h"
#include "app/shared_state.h"
#include "app/startup.h"
#include "display/asset_loading.h"
#include "display/engine_test.h"
#include "platform/bitmap.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(VirtualAreaTest, FollowsTheDisplayShape) {
    struct Case {
        int w, h, vw, vh, wide;
    };
    const Case cases[] = {{1024, 768, 1280, 960, 0}, {800, 600, 1280, 960, 0},  {1280, 720, 1600, 900, 1},
                          {1366, 768, 1600, 900, 1}, {1680, 1050, 1440, 900, 1}, {1280, 1024, 1280, 960, 0}};
    for (const Case& c : cases) {
        int vw, vh, wide;
        display::ChooseVirtualArea(c.w, c.h, vw, vh, wide);
        EXPECT_EQ(vw, c.vw) << c.w << "x" << c.h;
        EXPECT_EQ(vh, c.vh) << c.w << "x" << c.h;
        EXPECT_EQ(wide, c.wide) << c.w << "x" << c.h;
    }
}

TEST(FontSizeTest, MultipliersAndFacesByScreenWidth) {
    struct Case {
        int width;
        const char* face;
        int slot1, slot2;
    };
    const Case cases[] = {{1024, "November.ttf", 24, 16}, {800, "SVBasicManual.ttf", 28, 22},
                          {640, "SVBasicManual.ttf", 28, 22}, {512, "SVBasicManual.ttf", 36, 32},
                          {900, "November.ttf", 24, 16}, {899, "November.ttf", 28, 22}};
    for (const Case& c : cases) {
        display::FontMultipliers m = display::FontMultipliersFor(c.width);
        EXPECT_EQ(display::MainFaceFor(c.width), c.face) << c.width;
        EXPECT_EQ(display::FontPixels(24, m.a), c.slot1) << c.width;
        EXPECT_EQ(display::FontPixels(16, m.b), c.slot2) << c.width;
    }
}

TEST(EngineTestBudgetTest, NinetyPercentAtSinglePrecision) {
    EXPECT_EQ(display::MainSpriteBudget(6000), 5399);
    EXPECT_EQ(display::MainSpriteBudget(20000), 17999);
    EXPECT_EQ(display::MainSpriteBudget(5500), 4949);
    EXPECT_EQ(display::MainSpriteBudget(0), 0);
}

// Each presented frame costs a millisecond per 1500 quads: the engine test stops after 6000
// sprites instead of drawing 20000 a frame, which would make every set-up here slow.
constexpr long kQuickMachine = 1500;

// A Files/ tree (Common/ and 287/) in a scratch folder, with the game folder current.
class SetUpTest : public ::testing::Test {
protected:
    void Start(long quadsPerMs) {
        platform::Options o;
        o.headless = true;
        o.quadsPerMs = quadsPerMs;
        ASSERT_TRUE(platform::init(o));
        home_ = platform::currentFolder();
        root_ = testsupport::tempPath(::testing::UnitTest::GetInstance()->current_test_info()->name());
        for (const char* dir : {"", "/Files", "/Files/Common", "/Files/287"}) ::mkdir((root_ + dir).c_str(), 0755);
        // An icon strip, so the engine test has its sprite to draw.
        platform::Bitmap icons;
        icons.width = icons.height = 128;
        icons.pixels.assign(128 * 128, 0xFFFFFFFFu);
        ASSERT_TRUE(platform::encodePngFile(icons, root_ + "/Files/Common/icons.png", 1));
        ASSERT_TRUE(platform::changeFolder(root_ + "/Files/287"));
        app::ResetSharedState();
        app::SetDefaultSettings();
        app::OpenDebugLog(root_ + "/log.txt");
    }
    void TearDown() override {
        app::CloseDebugLog();
        platform::changeFolder(home_);
        platform::shutdown();
    }
    std::string Log() {
        app::CloseDebugLog();
        return ReadAll(root_ + "/log.txt");
    }
    std::string home_, root_;
};

TEST_F(SetUpTest, ModeListHoldsEachEligibleSizeOnce) {
    Start(0);
    auto& s = app::shared;
    s.SettingsTable[app::kRequestedWidth] = 1280;
    s.SettingsTable[app::kRequestedHeight] = 1024;  // offered, but 5:4
    display::BuildModeList();
    EXPECT_EQ(s.ModeCount, 9);  // ten sizes at three depths and two rates, less 1280x1024
    EXPECT_EQ(s.SettingsTable[app::kChosenMode], 0);
    EXPECT_EQ(s.SettingsTable[app::kRequestedWidth], 800);  // the previous size stays
    s.SettingsTable[app::kRequestedWidth] = 1366;
    s.SettingsTable[app::kRequestedHeight] = 768;
    display::BuildModeList();
    EXPECT_EQ(s.ModeWidths[s.SettingsTable[app::kChosenMode]], 1366);
    EXPECT_EQ(s.ScreenWidth, 1366);
    EXPECT_EQ(s.ScreenHeight, 768);
}

TEST_F(SetUpTest, LeftoverCrashMarkerMovesOpenGLToTheFirstAlternative) {
    struct Case {
        int renderer, expected;
        const char* line;
    };
    const Case cases[] = {{0, 1, "\tUsing DirectX 9 Driver\r\n"}, {2, 2, "\tUsing DirectX 7 Driver\r\n"}};
    Start(kQuickMachine);
    for (const Case& c : cases) {
        app::shared.SettingsTable[app::kRenderer] = c.renderer;
        ASSERT_TRUE(platform::createEmptyFile("crash.dat"));
        display::ApplyGraphicsSettings();
        EXPECT_EQ(app::shared.SettingsTable[app::kRenderer], c.expected);
        EXPECT_FALSE(platform::fileExists("crash.dat"));
        EXPECT_EQ(platform::currentFolder(), root_ + "/Files/287");
    }
    std::string log = Log();
    EXPECT_NE(log.find(cases[0].line), std::string::npos);
    EXPECT_NE(log.find("\tChanged Graphics Mode ingame.\r\n\tUsing DirectX 7 Driver\r\n"), std::string::npos);
}

TEST_F(SetUpTest, FullscreenTakesTheDeepestDepthOffered) {
    Start(kQuickMachine);
    auto& s = app::shared;
    s.SettingsTable[app::kFullScreen] = 1;
    s.SettingsTable[app::kRequestedWidth] = 1024;
    s.SettingsTable[app::kRequestedHeight] = 768;
    display::ApplyGraphicsSettings();
    EXPECT_NE(Log().find("\tResolution : 1024x768,32\r\n"), std::string::npos);
    EXPECT_TRUE(s.Notifications.empty());
    EXPECT_EQ(s.VirtualWidth, 1280);
}

TEST_F(SetUpTest, OnlyExistingEffectsAreLoadedAndLogged) {
    Start(kQuickMachine);
    const std::string wav = std::string("RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x22\x56\0\0\x01\0\x08\0data\x08\0\0\0", 44) +
                            std::string(8, char(128));
    for (const char* name : {"001.wav", "002.wav", "010.wav"}) std::ofstream(name, std::ios::binary) << wav;
    display::ApplyGraphicsSettings();
    std::string log = Log();
    EXPECT_NE(log.find("Loading Sound effects\r\n\tSFX(1)\r\n\tSFX(2)\r\n\tSFX(10)\r\nSounds loaded\r\n"),
              std::string::npos);
    EXPECT_NE(app::shared.SfxSounds[10], 0);
    EXPECT_EQ(app::shared.SfxSounds[3], 0);
}

TEST_F(SetUpTest, EngineTestFindsTheLastStepThatHoldsTheRate) {
    Start(kQuickMachine);
    display::ApplyGraphicsSettings();
    EXPECT_EQ(app::shared.BudgetLimits[1], 4949);  // best 5500: 55 fps there, 52 at 6000
    EXPECT_EQ(app::shared.BudgetLimits[2], 500);
    EXPECT_EQ(app::shared.BudgetLimits[3], 500);
    EXPECT_EQ(app::shared.SettingsTable[app::kSlowSystem], 0);
    EXPECT_NE(Log().find("Aiming for 60,2\r\nTest Complete\r\n\r\nEngine Test Results\r\n\r\n"
                         "\tMaximum Sprites Allowed for 60 Frames Per Second\r\n\tMain sprites : 4949\r\n"),
              std::string::npos);
}

TEST_F(SetUpTest, ASlowMachineFallsBackToSlowSystemMode) {
    Start(50);
    display::ApplyGraphicsSettings();
    EXPECT_EQ(app::shared.BudgetLimits[1], 1000);
    EXPECT_EQ(app::shared.SettingsTable[app::kSlowSystem], 1);
    EXPECT_EQ(app::shared.TargetFps, 30);
    EXPECT_NE(Log().find("\tMain sprites : 0\r\n\tGlowy Sprites : 500\r\n\tParticles : 500\r\n\r\n"
                         "Settings Overwritten, Set to Default Lower Limits at 30fps.\r\n"),
              std::string::npos);
}

TEST_F(SetUpTest, TheJinglePlaysAtTheFirstSetUpOnly) {
    Start(kQuickMachine);
    std::ofstream(root_ + "/Files/Common/badgeget.wav", std::ios::binary)
        << std::string("RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x22\x56\0\0\x01\0\x08\0data\x08\0\0\0", 44)
        << std::string(8, char(200));
    display::ApplyGraphicsSettings();
    int jingle = app::shared.SfxChannels[256];
    EXPECT_NE(jingle, 0);
    EXPECT_EQ(app::shared.GraphicsReady, 1);
    display::ApplyGraphicsSettings();
    EXPECT_EQ(app::shared.SfxChannels[256], jingle);  // applying new settings later is silent
}

TEST_F(SetUpTest, ASlowSystemAimsForThirtyWhateverTheResult) {
    Start(kQuickMachine);
    app::shared.SettingsTable[app::kSlowSystem] = 1;
    display::ApplyGraphicsSettings();
    std::string log = Log();
    EXPECT_NE(log.find("Aiming for 30,2\r\n"), std::string::npos);
    EXPECT_NE(log.find("Settings Overwritten, Set to Default Lower Limits at 30fps.\r\n\r\n"), std::string::npos);
    EXPECT_GT(app::shared.BudgetLimits[1], 1000);  // 24 fps holds far longer than 54
}

}  // namespace
