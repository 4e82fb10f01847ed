// Draws into a headless display with each renderer and reads the pixels back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/bitmap.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/platform.h"
#include "tests/temp_path.h"

namespace {

using platform::Blend;

struct Rgb {
    int r, g, b;
};

class DisplayTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        platform::Options o;
        o.headless = true;
        ASSERT_TRUE(platform::init(o));
        platform::selectRenderer(GetParam());
        ASSERT_TRUE(platform::openDisplay(64, 64, 0, 60));
        grab_ = platform::createImage(64, 64, 1, 0);
        platform::clearScreen();
        platform::setDrawState(platform::DrawState{});
    }
    void TearDown() override { platform::shutdown(); }

    Rgb pixel(int x, int y) {
        EXPECT_TRUE(platform::grabBackBuffer(grab_, 0, 0));
        uint32_t p = platform::readPixel(grab_, x, y);
        return Rgb{int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)};
    }
    void fill(int r, int g, int b) {
        platform::DrawState saved = platform::drawState();
        platform::setDrawState(platform::DrawState{});
        platform::setColour(r, g, b);
        platform::drawRect(0, 0, 64, 64);
        platform::setDrawState(saved);
    }
    std::string writePng(const platform::Bitmap& b) {
        std::string path = testsupport::tempPath("display_test_" + std::to_string(GetParam()) + ".png");
        EXPECT_TRUE(platform::encodePngFile(b, path, 6));
        return path;
    }

    int grab_ = 0;
};

void expectNear(Rgb got, Rgb want, int tolerance = 2) {
    EXPECT_NEAR(got.r, want.r, tolerance);
    EXPECT_NEAR(got.g, want.g, tolerance);
    EXPECT_NEAR(got.b, want.b, tolerance);
}

TEST_P(DisplayTest, BlendModesMixAsDocumented) {
    struct Case {
        Rgb under, over;
        float alpha;
        Blend blend;
        Rgb expected;
    };
    const Case cases[] = {
        {{0, 0, 255}, {255, 0, 0}, 1.0f, Blend::Alpha, {255, 0, 0}},
        {{0, 0, 255}, {255, 0, 0}, 0.5f, Blend::Alpha, {128, 0, 127}},
        {{0, 0, 255}, {255, 0, 0}, 0.0f, Blend::Alpha, {0, 0, 255}},
        {{200, 100, 50}, {128, 255, 0}, 1.0f, Blend::Multiply, {100, 100, 0}},
        {{100, 100, 100}, {100, 200, 0}, 1.0f, Blend::Additive, {200, 255, 100}},
        {{100, 100, 100}, {100, 200, 0}, 0.5f, Blend::Additive, {150, 200, 100}},
    };
    for (const Case& c : cases) {
        fill(c.under.r, c.under.g, c.under.b);
        platform::setColour(c.over.r, c.over.g, c.over.b);
        platform::setAlpha(c.alpha);
        platform::setBlend(c.blend);
        platform::drawRect(16, 16, 32, 32);
        SCOPED_TRACE(int(c.blend));
        expectNear(pixel(32, 32), c.expected);
        expectNear(pixel(4, 4), c.under);
    }
}

TEST_P(DisplayTest, MaskedImagesLetPureBlackThrough) {
    platform::Bitmap b;
    b.width = b.height = 4;
    b.pixels.assign(16, 0xFF000000u);       // black
    b.at(3, 3) = b.at(3, 2) = 0xFFFF0000u;  // a red corner
    std::string path = writePng(b);
    int masked = platform::loadImage(path, platform::kImageMasked);
    int plain = platform::loadImage(path, 0);
    ASSERT_NE(masked, 0);
    ASSERT_NE(plain, 0);
    fill(0, 0, 200);
    platform::setScale(4, 4);
    platform::drawImage(masked, 0, 0);  // handle at the top-left: no auto-centring yet
    platform::drawImage(plain, 32, 32);
    expectNear(pixel(2, 2), {0, 0, 200});
    expectNear(pixel(14, 14), {255, 0, 0});
    expectNear(pixel(34, 34), {0, 0, 0});
}

TEST_P(DisplayTest, CrispImagesKeepHardEdgesAndFilteredOnesBlend) {
    platform::Bitmap b;
    b.width = b.height = 4;
    b.pixels.assign(16, 0xFFFFFFFFu);
    for (int y = 0; y < 4; ++y) b.at(0, y) = b.at(1, y) = 0xFF000000u;  // left half black
    std::string path = writePng(b);
    platform::setAutoMidHandle(true);
    int crisp = platform::loadImage(path, 0);
    int smooth = platform::loadImage(path, platform::kImageFiltered);
    ASSERT_NE(crisp, 0);
    EXPECT_FLOAT_EQ(platform::imageHandleX(crisp), 2.0f);
    platform::setScale(8, 8);
    platform::drawImage(crisp, 16, 16);  // covers 0..31
    int edgeCrispLeft = pixel(14, 16).r, edgeCrispRight = pixel(17, 16).r;
    EXPECT_EQ(edgeCrispLeft, 0);
    EXPECT_EQ(edgeCrispRight, 255);
    platform::drawImage(smooth, 48, 48);  // covers 32..63
    int edgeSmooth = pixel(46, 48).r;
    EXPECT_GT(edgeSmooth, 20);
    EXPECT_LT(edgeSmooth, 235);
}

TEST_P(DisplayTest, RotationTurnsClockwiseAboutTheOrigin) {
    platform::setColour(255, 255, 255);
    platform::setRotation(90);
    platform::drawRect(32, 32, 20, 4);  // now runs downward from (32, 32), to the left of x=32
    EXPECT_EQ(pixel(30, 45).r, 255);
    EXPECT_EQ(pixel(45, 33).r, 0);
    EXPECT_EQ(pixel(30, 20).r, 0);
}

TEST_P(DisplayTest, TextDrawsInsideItsMeasuredBox) {
    int font = platform::loadFont("", 20);
    EXPECT_EQ(font, 0);  // an empty path is no font file: the default font stays
    platform::setFont(0);
    int width = platform::textWidth("HI"), height = platform::fontHeight();
    ASSERT_GT(width, 4);
    ASSERT_GT(height, 8);
    EXPECT_LT(width, 64);
    platform::setColour(255, 255, 0);
    platform::drawText(8, 8, "HI");
    EXPECT_TRUE(platform::grabBackBuffer(grab_, 0, 0));
    int lit = 0, outside = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            bool on = (platform::readPixel(grab_, x, y) & 0xFF0000) != 0;
            bool inBox = x >= 8 && x < 8 + width && y >= 8 && y < 8 + height;
            lit += on && inBox;
            outside += on && !inBox;
        }
    EXPECT_GT(lit, 20);
    EXPECT_EQ(outside, 0);
}

TEST_P(DisplayTest, VirtualAreaIsScaledUniformlyWithBars) {
    ASSERT_TRUE(platform::openDisplay(160, 90, 0, 60));  // 16:9 display, 4:3 virtual area
    platform::setVirtualResolution(1280, 960);
    grab_ = platform::createImage(160, 90, 1, 0);
    platform::setColour(255, 255, 255);
    platform::drawRect(-500, -500, 3000, 3000);  // clipped to the virtual area
    EXPECT_EQ(pixel(80, 45).r, 255);
    EXPECT_EQ(pixel(5, 45).r, 0);    // bar on the left: the area is 120 wide from x = 20
    EXPECT_EQ(pixel(155, 45).r, 0);  // and on the right
    EXPECT_EQ(pixel(21, 1).r, 255);
}

INSTANTIATE_TEST_SUITE_P(Renderers, DisplayTest, ::testing::Values(0, 1, 2),
                         [](const auto& info) { return std::string(platform::rendererDriverName(info.param)); });

}  // namespace
