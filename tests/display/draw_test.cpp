// Drawing conventions, checked through the platform's draw state and pixels read back.
#include "display/draw.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/shared_state.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        ASSERT_TRUE(platform::openDisplay(1280, 960, 0, 60));  // one unit, one pixel
        app::ResetSharedState();
        app::shared.BudgetLimits[1] = app::shared.BudgetLimits[2] = 50000;
        platform::setVirtualResolution(1280, 960);
        grab_ = platform::createImage(1280, 960, 1, 0);
        display::ResetDrawState();
    }
    void TearDown() override { platform::shutdown(); }
    uint32_t Pixel(int x, int y) {
        platform::grabBackBuffer(grab_, 0, 0);
        return platform::readPixel(grab_, x, y) & 0xFFFFFF;
    }
    // A plain 4x4 white image with its handle at the centre, as the loader makes them.
    int Sprite() {
        platform::setAutoMidHandle(true);
        int image = platform::createImage(4, 4, 1, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) platform::writePixel(image, x, y, 0xFFFFFFFFu);
        return image;
    }
    int grab_ = 0;
};

TEST(DrawSentinelTest, BitPatternsAndClamp) {
    EXPECT_EQ(Bits(display::AlphaUnchanged), 0x4C0DCC70u);
    EXPECT_EQ(Bits(display::ScaleSameAsX), 0xCC0DCC70u);
    EXPECT_EQ(display::ClampFloat(5, 0, 1), 1);
    EXPECT_EQ(display::ClampFloat(-5, 0, 1), 0);
    EXPECT_EQ(display::ClampFloat(0.5f, 0, 1), 0.5f);
}

TEST_F(DrawTest, ColourScaleAndBlendSettersFollowTheirRules) {
    platform::setAlpha(0.4f);
    display::SetDrawColour(300, -5, 128.9f);
    const platform::DrawState& s = platform::drawState();
    EXPECT_EQ(s.r, 255);
    EXPECT_EQ(s.g, 0);
    EXPECT_EQ(s.b, 128);
    EXPECT_FLOAT_EQ(s.alpha, 0.4f);
    display::SetDrawColour(0, 0, 0, 1.7f);
    EXPECT_FLOAT_EQ(platform::drawState().alpha, 1.0f);
    display::SetDrawColour(0, 0, 0, -2);
    EXPECT_FLOAT_EQ(platform::drawState().alpha, 0.0f);
    display::SetDrawScale(1.5f);
    EXPECT_FLOAT_EQ(platform::drawState().scaleY, 1.5f);
    display::SetDrawScale(2, 0.5f);
    EXPECT_FLOAT_EQ(platform::drawState().scaleX, 2.0f);
    EXPECT_FLOAT_EQ(platform::drawState().scaleY, 0.5f);
    display::SetBlendKind(display::kBlendShade);
    EXPECT_EQ(platform::drawState().blend, platform::Blend::Multiply);
    display::SetBlendKind(7);
    EXPECT_EQ(platform::drawState().blend, platform::Blend::Alpha);
    display::SetDrawRotation(30);
    display::ResetDrawState();
    const platform::DrawState& r = platform::drawState();
    EXPECT_EQ(r.rotation, 0);
    EXPECT_EQ(r.scaleX, 1);
    EXPECT_EQ(r.r + r.g + r.b, 765);
    EXPECT_EQ(r.alpha, 1);
}

TEST_F(DrawTest, TextAlignmentMovesByWholeHalves) {
    const std::string text = "Mm";
    int w = platform::textWidth(text), h = platform::fontHeight();
    struct Case {
        int h, v, left, top;
    };
    const Case cases[] = {{0, 0, 400, 300}, {1, 1, 400 - w / 2, 300 - h / 2}, {2, 2, 400 - w, 300 - h},
                          {5, -1, 400, 300}};
    for (const Case& c : cases) {
        display::BeginFrame(1);
        display::TextAt(400, 300, text, c.h, c.v);
        platform::grabBackBuffer(grab_, 0, 0);
        int minX = 9999, minY = 9999, maxX = -1, maxY = -1;
        for (int y = 200; y < 400; ++y)
            for (int x = 300; x < 500; ++x)
                if (platform::readPixel(grab_, x, y) & 0xFFFFFF) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                }
        SCOPED_TRACE(c.h);
        EXPECT_GE(minX, c.left);
        EXPECT_LE(minX, c.left + 3);
        EXPECT_LE(maxX, c.left + w);
        EXPECT_GE(minY, c.top);
        EXPECT_LE(maxY, c.top + h);
    }
}

TEST_F(DrawTest, FontsComeFromTheTableWithOutOfRangeMapped) {
    app::shared.FontTable[0] = platform::loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 8);
    app::shared.FontTable[23] = platform::loadFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 40);
    ASSERT_NE(app::shared.FontTable[0], 0);
    struct Case {
        int family, size, expected;
    };
    const Case cases[] = {{7, 12, app::shared.FontTable[0]}, {3, 3, app::shared.FontTable[23]},
                          {0, -1, app::shared.FontTable[0]}, {2, 4, 0}};
    for (const Case& c : cases) {
        display::SelectFont(c.family, c.size);
        EXPECT_EQ(platform::currentFont(), c.expected) << c.family << "," << c.size;
    }
}

TEST_F(DrawTest, MouseInRectIsStrictOnEverySide) {
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{10, 15, false}, {11, 15, true}, {30, 15, false}, {29, 15, true},
                          {15, 10, false}, {15, 11, true}, {15, 30, false}, {15, 29, true}};
    for (const Case& c : cases) {
        app::shared.PointerX = c.x;
        app::shared.PointerY = c.y;
        EXPECT_EQ(display::MouseInRect(10, 10, 20, 20), c.inside) << c.x << "," << c.y;
    }
}

TEST_F(DrawTest, BudgetsLimitDrawsPerFrameAndSlowSystemsSkipUndrawnFrames) {
    int sprite = Sprite();
    app::shared.BudgetLimits[1] = 3;
    display::BeginFrame(1);
    for (int i = 0; i < 5; ++i) display::DrawBudgeted(sprite, 100 + 10 * i, 100, 0, 1);
    EXPECT_EQ(app::shared.BudgetCounts[1], 3);
    EXPECT_EQ(Pixel(121, 101), 0xFFFFFFu);  // third sprite, top-left corner at (120, 100)
    EXPECT_EQ(Pixel(131, 101), 0u);         // the fourth was dropped
    display::BeginFrame(1);
    EXPECT_EQ(app::shared.BudgetCounts[1], 0);
    display::DrawBudgeted(sprite, 130, 100, 0, 1);
    EXPECT_EQ(Pixel(131, 101), 0xFFFFFFu);
    app::shared.SettingsTable[app::kSlowSystem] = 1;
    app::shared.FrameParity = 1;
    display::BeginFrame(1);
    display::DrawBudgeted(sprite, 130, 100, 0, 1);
    display::DrawGlowing(sprite, 130, 100, 0, 0, 1.1f, 0.8f);
    EXPECT_EQ(app::shared.BudgetCounts[1], 0);
    EXPECT_EQ(Pixel(131, 101), 0u);
}

TEST_F(DrawTest, GlowingDrawsAnAdditiveLargerCopyAndRestoresState) {
    int sprite = Sprite();
    display::SetDrawScale(4);
    display::SetDrawColour(100, 0, 0, 0.5f);
    display::DrawGlowing(sprite, 200, 200, 0, 0, 2.0f, 0.8f);
    EXPECT_EQ(app::shared.BudgetCounts[1], 1);
    EXPECT_EQ(app::shared.BudgetCounts[2], 1);
    const platform::DrawState& s = platform::drawState();
    EXPECT_FLOAT_EQ(s.scaleX, 4);
    EXPECT_FLOAT_EQ(s.alpha, 0.5f);
    EXPECT_EQ(s.blend, platform::Blend::Alpha);
    // The sprite covers 200..216; the glow, twice as big about the same centre, 192..224.
    uint32_t inside = Pixel(208, 208), glowOnly = Pixel(194, 208), outside = Pixel(189, 208);
    EXPECT_GT(inside >> 16, glowOnly >> 16);
    EXPECT_NEAR(int(glowOnly >> 16), 40, 2);  // 100 at alpha 0.5 x 0.8, added to black
    EXPECT_EQ(outside, 0u);
}

TEST_F(DrawTest, BackdropEasesItsTintAndDraws97Stripes) {
    auto& s = app::shared;
    s.BackdropTint = {0.2f, 0.0f, 1.0f};
    s.BackdropTarget = s.BackdropTint;
    display::DrawBackdrop();
    EXPECT_FLOAT_EQ(s.BackdropTint.r, 0.2f);
    s.BackdropTarget = {0.0f, 1.0f, 1.0f};
    display::DrawBackdrop();
    EXPECT_FLOAT_EQ(s.BackdropTint.r, 0.1875f);
    s.BackdropTint = {0.0f, 0.0f, 0.0f};
    int calls = 0;
    while (s.BackdropTint.g != 1.0f) ++calls, display::DrawBackdrop();
    EXPECT_EQ(calls, 83);

    // 97 stripes, 30 units apart down the left edge and turned -45 degrees, so each shows as a
    // diagonal band one tint unit brighter than the last. Stripes 0-2 and 78-96 (of blue 26..28
    // and 104..122) lie outside a 1280x960 view: the corners show blue 29 and 103.
    s.BackdropTint = s.BackdropTarget = {0.2f, 0.0f, 1.0f};
    display::BeginFrame(1);
    display::DrawBackdrop();
    EXPECT_EQ(Pixel(1, 1), 0x05001Du);
    EXPECT_EQ(Pixel(1278, 958), 0x140067u);
    platform::grabBackBuffer(grab_, 0, 0);
    // Along the top edge and down the right one, every visible stripe shows once, in order.
    int blue = 29, bands = 1;
    for (int step = 1; step < 1280 + 959; ++step) {
        int x = std::min(step, 1279), y = step - x;
        int b = int(platform::readPixel(grab_, x, y) & 0xFF);
        ASSERT_TRUE(b == blue || b == blue + 1) << "at " << x << "," << y;
        bands += b != blue;
        blue = b;
    }
    EXPECT_EQ(bands, 103 - 29 + 1);
}

}  // namespace
