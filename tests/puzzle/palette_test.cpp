#include "puzzle/palette.h"

#include <gtest/gtest.h>

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

using namespace puzzle;

void ExpectColour(int entry, int r, int g, int b) {
    UsePaletteColour(entry, 1);
    const platform::DrawState& s = platform::drawState();
    EXPECT_EQ(s.r, r) << "entry " << entry;
    EXPECT_EQ(s.g, g) << "entry " << entry;
    EXPECT_EQ(s.b, b) << "entry " << entry;
}

TEST(PaletteTest, EntriesAfterStartUp) {
    app::ResetSharedState();
    InitPalette();
    StepPalette(1024);
    struct Case {
        int entry, r, g, b;
    };
    const Case cases[] = {{0, 0, 0, 0},       {3, 128, 0, 0},     {5, 128, 0, 255},   {6, 255, 0, 0},
                          {9, 0, 128, 0},     {13, 128, 128, 128}, {15, 255, 128, 0},  {20, 0, 255, 255},
                          {24, 255, 255, 0},  {26, 255, 255, 255}, {27, 255, 100, 100}, {28, 128, 128, 128},
                          {-1, 128, 128, 128}};
    for (const Case& c : cases) ExpectColour(c.entry, c.r, c.g, c.b);
}

TEST(PaletteTest, StepsMoveTowardTheTargetWithoutOvershoot) {
    app::ResetSharedState();
    SetPaletteTarget(1, 255, 0, 7);
    app::shared.Palette[4] = 90;  // green above its target
    StepPalette(0);
    EXPECT_EQ(app::shared.Palette[3], 0);
    StepPalette(-5);
    EXPECT_EQ(app::shared.Palette[3], 0);
    int calls = 0;
    while (app::shared.Palette[3] != 255) ++calls, StepPalette(10);
    EXPECT_EQ(calls, 26);
    EXPECT_EQ(app::shared.Palette[4], 0);
    EXPECT_EQ(app::shared.Palette[5], 7);
}

class BannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        ASSERT_TRUE(platform::openDisplay(1280, 960, 0, 60));
        platform::setVirtualResolution(1280, 960);
        app::ResetSharedState();
        InitPalette();
        StepPalette(1024);
        grab_ = platform::createImage(1, 960, 1, 0);
        display::ResetDrawState();
    }
    void TearDown() override { platform::shutdown(); }
    // The colour down the middle column (the captions here are empty).
    uint32_t At(int y) { return platform::readPixel(grab_, 0, y) & 0xFFFFFF; }
    int grab_ = 0;
};

TEST_F(BannerTest, BandAndRulesSitWhereTheyShouldAtTheirAlphas) {
    DrawBanner(640, 480, "", 0, 2, 24, 15, 0, 1.0f);
    ASSERT_TRUE(platform::grabBackBuffer(grab_, 640, 0));
    EXPECT_EQ(At(441), 0u);
    EXPECT_EQ(At(442), 0xFF8000u);  // upper rule 442..447 (by - 38 .. by - 32)
    EXPECT_EQ(At(447), 0xFF8000u);
    EXPECT_EQ(At(448), 0xFFFF00u);  // band 448..511
    EXPECT_EQ(At(505), 0xFFFF00u);
    EXPECT_EQ(At(506), 0xFF8000u);  // lower rule 506..511, inside the band's lower edge
    EXPECT_EQ(At(511), 0xFF8000u);
    EXPECT_EQ(At(512), 0u);

    platform::clearScreen();
    DrawBanner(640, 480, "", 0, 2, 6, 5, 0, 0.75f);
    platform::grabBackBuffer(grab_, 640, 0);
    EXPECT_NEAR(int(At(480) >> 16), 191, 2);  // red band at 0.75 over black
    platform::clearScreen();
    DrawBanner(640, 480, "", 8, 2, 6, 5, 0, 0.75f);  // offset 8: half that alpha
    platform::grabBackBuffer(grab_, 640, 0);
    EXPECT_NEAR(int(At(480) >> 16), 96, 2);
}

}  // namespace
