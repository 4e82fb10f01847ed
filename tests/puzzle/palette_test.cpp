#include "puzzle/palette.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

using namespace puzzle;

struct Rgb {
    int r, g, b;
};

void ExpectColour(int entry, Rgb want) {
    UsePaletteColour(entry, 1);
    const platform::DrawState& s = platform::drawState();
    EXPECT_EQ(s.r, want.r) << "entry " << entry;
    EXPECT_EQ(s.g, want.g) << "entry " << entry;
    EXPECT_EQ(s.b, want.b) << "entry " << entry;
}

TEST(PaletteTest, EntriesAfterStartUp) {
    app::ResetSharedState();
    InitPalette();
    StepPalette(1024);
    struct Case {
        int entry;
        Rgb colour;
    };
    const Case cases[] = {
        {0, {0, 0, 0}},          {3, {128, 0, 0}},       {4, {128, 0, 128}},     {5, {128, 0, 255}},
        {6, {255, 0, 0}},        {7, {255, 0, 128}},     {8, {255, 0, 255}},     {9, {0, 128, 0}},
        {10, {0, 128, 128}},     {11, {0, 128, 255}},    {12, {128, 128, 0}},    {13, {128, 128, 128}},
        {14, {128, 128, 255}},   {15, {255, 128, 0}},    {16, {255, 128, 128}},  {17, {255, 128, 255}},
        {18, {0, 255, 0}},       {19, {0, 255, 128}},    {20, {0, 255, 255}},    {24, {255, 255, 0}},
        {26, {255, 255, 255}},   {27, {255, 100, 100}},  {28, {128, 128, 128}},  {-1, {128, 128, 128}},
    };
    for (const Case& c : cases) ExpectColour(c.entry, c.colour);
    UsePaletteColour(6, 0.4f);
    EXPECT_FLOAT_EQ(platform::drawState().alpha, 0.4f);
}

TEST(PaletteTest, StepsMoveTowardTheTargetWithoutOvershoot) {
    app::ResetSharedState();
    SetPaletteTarget(1, 255, 0, 7);
    app::shared.Palette[4] = 90;  // green above its target
    StepPalette(0);
    StepPalette(-5);
    EXPECT_EQ(app::shared.Palette[3], 0);
    EXPECT_EQ(app::shared.Palette[4], 90);
    StepPalette(10);
    EXPECT_EQ(app::shared.Palette[3], 10);
    EXPECT_EQ(app::shared.Palette[4], 80);
    EXPECT_EQ(app::shared.Palette[5], 7);  // the last step stops at the target
    int calls = 1;
    while (app::shared.Palette[3] != 255 && calls < 100) ++calls, StepPalette(10);
    EXPECT_EQ(calls, 26);
    EXPECT_EQ(app::shared.Palette[4], 0);
    StepPalette(10);
    EXPECT_EQ(app::shared.Palette[3], 255);
}

class BannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        ASSERT_TRUE(platform::openDisplay(1280, 960, 0, 60));  // one unit, one pixel
        platform::setVirtualResolution(1280, 960);
        app::ResetSharedState();
        InitPalette();
        StepPalette(1024);
        grab_ = platform::createImage(1280, 960, 1, 0);
        display::ResetDrawState();
    }
    void TearDown() override { platform::shutdown(); }
    void Grab() { ASSERT_TRUE(platform::grabBackBuffer(grab_, 0, 0)); }
    Rgb At(int x, int y) {
        uint32_t p = platform::readPixel(grab_, x, y);
        return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }
    int grab_ = 0;
};

// Down the middle of the screen, with band (255, 0, 0) and rules (128, 0, 255) over black.
TEST_F(BannerTest, BandAndRulesSitWhereTheyShouldAtTheirAlphas) {
    struct Case {
        float offset, alpha;
        int y;
        Rgb want;
    };
    const Case cases[] = {
        {0, 1, 441, {0, 0, 0}},          {0, 1, 442, {128, 0, 255}},      // upper rule by-38..by-32
        {0, 1, 447, {128, 0, 255}},      {0, 1, 448, {255, 0, 0}},        // band by-32..by+32
        {0, 1, 505, {255, 0, 0}},        {0, 1, 506, {128, 0, 255}},      // lower rule inside the band
        {0, 1, 511, {128, 0, 255}},      {0, 1, 512, {0, 0, 0}},
        {0, 0.75f, 444, {96, 0, 191}},   {0, 0.75f, 480, {191, 0, 0}},
        {0, 0.75f, 508, {144, 0, 191}},  // rule blended over the band
        {8, 0.75f, 409, {0, 0, 0}},      {8, 0.75f, 410, {48, 0, 96}},    // rules 32 units further out
        {8, 0.75f, 415, {48, 0, 96}},    {8, 0.75f, 416, {0, 0, 0}},
        {8, 0.75f, 480, {96, 0, 0}},     {8, 0.75f, 537, {0, 0, 0}},
        {8, 0.75f, 538, {48, 0, 96}},    {8, 0.75f, 543, {48, 0, 96}},    {8, 0.75f, 544, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        platform::clearScreen();
        DrawBanner(640, 480, "", c.offset, 2, 6, 5, 0, c.alpha);
        Grab();
        for (int x : {0, 640, 1279}) {
            if (c.offset != 0 && x != 640) continue;  // an offset slides band and rules sideways
            Rgb got = At(x, c.y);
            EXPECT_NEAR(got.r, c.want.r, 2) << "offset " << c.offset << " alpha " << c.alpha << " at " << x << "," << c.y;
            EXPECT_NEAR(got.g, c.want.g, 2) << "offset " << c.offset << " alpha " << c.alpha << " at " << x << "," << c.y;
            EXPECT_NEAR(got.b, c.want.b, 2) << "offset " << c.offset << " alpha " << c.alpha << " at " << x << "," << c.y;
        }
    }
}

// A white caption over a black band: its brightest pixel shows the caption's alpha, which the
// offset does not fade; the offset moves it 64 units left per unit.
TEST_F(BannerTest, CaptionKeepsTheFullAlphaAndFollowsTheOffset) {
    for (float offset : {0.0f, 8.0f}) {
        platform::clearScreen();
        DrawBanner(640, 480, "MMMM", offset, 2, 0, 0, 26, 0.75f);
        Grab();
        int brightest = 0, left = 1280, right = -1;
        for (int y = 448; y < 512; ++y)
            for (int x = 0; x < 1280; ++x) {
                int v = At(x, y).g;
                brightest = std::max(brightest, v);
                if (v > 0) left = std::min(left, x), right = std::max(right, x);
            }
        EXPECT_NEAR(brightest, 191, 3) << "offset " << offset;
        EXPECT_NEAR((left + right) / 2, 640 - int(offset * 64), 4) << "offset " << offset;
    }
}

}  // namespace
