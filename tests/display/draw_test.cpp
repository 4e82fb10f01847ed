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

const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

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
    int Red(int x, int y) { return int(Pixel(x, y) >> 16); }
    // A plain white square with its handle at the centre, as the loader makes images.
    int Sprite(int size = 4) {
        platform::setAutoMidHandle(true);
        int image = platform::createImage(size, size, 1, 0);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) platform::writePixel(image, x, y, 0xFFFFFFFFu);
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
    EXPECT_FLOAT_EQ(platform::drawState().scaleX, 1.5f);
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

// TextAt must leave exactly the pixels drawText leaves with the corner moved by hand.
TEST_F(DrawTest, TextAlignmentMovesByWholeUnscaledHalves) {
    platform::setFont(platform::loadFont(kDejaVuSans, 13));
    const std::string text = "Wg";
    const int w = platform::textWidth(text), h = platform::fontHeight();
    ASSERT_TRUE(w % 2 == 1 && h % 2 == 1) << w << "x" << h;  // odd, so halving truncates
    struct Case {
        int hAlign, vAlign;
        float scale;
        int left, top;
    };
    const Case cases[] = {{0, 0, 1, 400, 300},         {1, 1, 1, 400 - w / 2, 300 - h / 2},
                          {2, 2, 1, 400 - w, 300 - h}, {2, 0, 1, 400 - w, 300},
                          {5, -1, 1, 400, 300},        {1, 2, 2, 400 - w / 2, 300 - h}};
    int reference = platform::createImage(1280, 960, 1, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hAlign << "," << c.vAlign << " scale " << c.scale);
        display::SetDrawScale(c.scale);
        display::BeginFrame(1);
        platform::drawText(float(c.left), float(c.top), text);
        ASSERT_TRUE(platform::grabBackBuffer(reference, 0, 0));
        display::BeginFrame(1);
        display::TextAt(400, 300, text, c.hAlign, c.vAlign);
        ASSERT_TRUE(platform::grabBackBuffer(grab_, 0, 0));
        int lit = 0, differing = 0;
        for (int y = 250; y < 360; ++y)
            for (int x = 350; x < 460; ++x) {
                uint32_t want = platform::readPixel(reference, x, y) & 0xFFFFFF;
                lit += want != 0;
                differing += want != (platform::readPixel(grab_, x, y) & 0xFFFFFF);
            }
        EXPECT_GT(lit, 20);
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(DrawTest, FontsComeFromTheTableWithOutOfRangeMapped) {
    app::shared.FontTable[0] = platform::loadFont(kDejaVuSans, 8);
    app::shared.FontTable[23] = platform::loadFont(kDejaVuSans, 40);
    ASSERT_NE(app::shared.FontTable[0], 0);
    ASSERT_NE(app::shared.FontTable[23], app::shared.FontTable[0]);
    struct Case {
        int family, size, expected;
    };
    const Case cases[] = {{7, 12, app::shared.FontTable[0]}, {3, 3, app::shared.FontTable[23]},
                          {0, -1, app::shared.FontTable[0]}, {1, 9, app::shared.FontTable[0]},
                          {4, 3, app::shared.FontTable[3]}, {2, 4, 0}};
    for (const Case& c : cases) {
        display::SelectFont(c.family, c.size);
        EXPECT_EQ(platform::currentFont(), c.expected) << c.family << "," << c.size;
    }
    app::shared.FontSlots[7] = app::shared.FontTable[23];
    display::SelectFontSlot(7);
    EXPECT_EQ(platform::currentFont(), app::shared.FontTable[23]);
    display::SelectFontSlot(8);  // loaded nothing: the default font
    EXPECT_EQ(platform::currentFont(), 0);
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
    // Scaled, the frame still hangs from its top-left corner: 12x8 units from (300, 300).
    display::SetDrawScale(3, 2);
    display::DrawBudgeted(sprite, 300, 300, 0, 1);
    display::ResetDrawState();
    EXPECT_EQ(Pixel(300, 300), 0xFFFFFFu);
    EXPECT_EQ(Pixel(311, 307), 0xFFFFFFu);
    EXPECT_EQ(Pixel(299, 300), 0u);
    EXPECT_EQ(Pixel(312, 300), 0u);
    EXPECT_EQ(Pixel(300, 308), 0u);
    app::shared.SettingsTable[app::kSlowSystem] = 1;
    app::shared.FrameParity = 1;
    display::BeginFrame(1);
    display::DrawBudgeted(sprite, 130, 100, 0, 1);
    display::DrawGlowing(sprite, 130, 100, 0, 0, 1.1f, 0.8f);
    EXPECT_EQ(app::shared.BudgetCounts[1], 0);
    EXPECT_EQ(Pixel(131, 101), 0u);
}

TEST_F(DrawTest, GlowingDrawsAnAdditiveLargerCopyAndRestoresState) {
    int sprite = Sprite(4), smallGlow = Sprite(2);
    // The sprite, at scale 4 from (200, 200), covers 200..215 and centres the glow on 208,
    // whatever the glow image's own size.
    struct Case {
        int glowImage;
        float glowScale;
        int glowLeft, glowRight;
    };
    const Case cases[] = {{0, 2.0f, 192, 223}, {smallGlow, 3.0f, 196, 219}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.glowScale);
        display::BeginFrame(1);
        display::SetDrawScale(4);
        display::SetDrawColour(100, 0, 0, 0.5f);
        display::DrawGlowing(sprite, 200, 200, 0, c.glowImage, c.glowScale, 0.8f);
        EXPECT_EQ(app::shared.BudgetCounts[1], 1);
        EXPECT_EQ(app::shared.BudgetCounts[2], 1);
        const platform::DrawState& s = platform::drawState();
        EXPECT_FLOAT_EQ(s.scaleX, 4);
        EXPECT_FLOAT_EQ(s.scaleY, 4);
        EXPECT_FLOAT_EQ(s.alpha, 0.5f);
        EXPECT_EQ(s.blend, platform::Blend::Alpha);
        EXPECT_GT(Red(208, 208), Red(c.glowLeft, 208));
        EXPECT_NEAR(Red(c.glowLeft, 208), 40, 2);  // 100 at alpha 0.5 x 0.8, added to black
        EXPECT_NEAR(Red(c.glowRight, 208), 40, 2);
        EXPECT_EQ(Pixel(c.glowLeft - 1, 208), 0u);
        EXPECT_EQ(Pixel(c.glowRight + 1, 208), 0u);
    }
    // With budget 1 spent the glow still draws against budget 2; the caller's blend comes back.
    app::shared.BudgetLimits[1] = 1;
    display::SetBlendKind(display::kBlendShade);
    display::DrawGlowing(sprite, 200, 200, 0, 0, 2.0f, 0.8f);
    EXPECT_EQ(app::shared.BudgetCounts[1], 1);
    EXPECT_EQ(app::shared.BudgetCounts[2], 2);
    EXPECT_EQ(platform::drawState().blend, platform::Blend::Multiply);
}

TEST_F(DrawTest, BackdropEasesItsTintAndDraws97Stripes) {
    auto& s = app::shared;
    s.BackdropTint = {0.2f, 0.0f, 1.0f};
    s.BackdropTarget = s.BackdropTint;
    display::SetDrawColour(10, 20, 30, 0.3f);
    display::SetDrawRotation(12);
    display::DrawBackdrop();
    EXPECT_EQ(s.BackdropTint.r, 0.2f);
    EXPECT_EQ(s.BackdropTint.g, 0.0f);
    EXPECT_EQ(s.BackdropTint.b, 1.0f);
    const platform::DrawState& after = platform::drawState();
    EXPECT_EQ(after.r + after.g + after.b, 765);
    EXPECT_EQ(after.alpha, 1);
    EXPECT_EQ(after.rotation, 0);
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

    // Seen at half size, the last stripe (blue 122, 30 x 96 units down) shows and none follows.
    platform::setVirtualResolution(2560, 1920);
    display::BeginFrame(1);
    display::DrawBackdrop();
    EXPECT_EQ(Pixel(700, 700), 0x18007Au);  // units (1400, 1400)
    EXPECT_EQ(Pixel(710, 710), 0u);         // where a 98th stripe would lie
}

}  // namespace
