#include "platform/glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include "tests/temp_path.h"

namespace {

using platform::FaceRaster;
using platform::GlyphImage;

// The same face the build links in as the default.
const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::unique_ptr<FaceRaster> openDefault(int pixelSize) {
    std::string error;
    auto face = FaceRaster::open("", pixelSize, &error);
    EXPECT_TRUE(face) << error;
    return face;
}

int textWidth(const FaceRaster& face, const std::string& text) {
    int width = 0;
    for (char c : text) width += face.advance(uint8_t(c));
    return width;
}

int maxCoverage(const GlyphImage& g) {
    return g.coverage.empty() ? 0 : *std::max_element(g.coverage.begin(), g.coverage.end());
}

TEST(GlyphsTest, DefaultFaceRendersLettersInsideTheLine) {
    auto face = openDefault(20);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->pixelSize(), 20);
    EXPECT_GT(face->ascent(), 0);
    EXPECT_GT(face->lineHeight(), face->ascent());

    // 'A' sits on the baseline; 'g' hangs below it but stays within the line.
    for (uint8_t ch : {uint8_t('A'), uint8_t('g'), uint8_t(0xe9) /* e acute */}) {
        GlyphImage g = face->render(ch);
        ASSERT_GT(g.width * g.height, 0) << ch;
        EXPECT_EQ(g.coverage.size(), size_t(g.width) * g.height);
        EXPECT_EQ(maxCoverage(g), 255) << ch;
        EXPECT_GT(g.advance, 0);
        EXPECT_EQ(g.advance, face->advance(ch));
        EXPECT_GE(g.top, 0) << ch;
        EXPECT_LE(g.top + g.height, face->lineHeight()) << ch;
    }
    // Anti-aliased: edges have partial coverage.
    GlyphImage a = face->render('A');
    auto partial = [](uint8_t v) { return v > 0 && v < 255; };
    EXPECT_TRUE(std::any_of(a.coverage.begin(), a.coverage.end(), partial));
    EXPECT_EQ(a.top + a.height, face->ascent());  // bottom on the baseline
}

TEST(GlyphsTest, SpaceHasAdvanceButNoPixels) {
    auto face = openDefault(16);
    ASSERT_TRUE(face);
    GlyphImage space = face->render(' ');
    EXPECT_EQ(space.width * space.height, 0);
    EXPECT_TRUE(space.coverage.empty());
    EXPECT_GT(space.advance, 0);
}

TEST(GlyphsTest, WidthsAndHeightsFollowTheLettersAndSize) {
    auto face = openDefault(16);
    ASSERT_TRUE(face);
    EXPECT_LT(textWidth(*face, "iii"), textWidth(*face, "WWW"));

    int previous = 0;
    for (int size : {8, 12, 16, 24, 48}) {
        auto sized = openDefault(size);
        ASSERT_TRUE(sized);
        EXPECT_GT(sized->lineHeight(), previous) << size;
        previous = sized->lineHeight();
    }
}

TEST(GlyphsTest, FontFileOpensLikeTheBuiltInCopy) {
    if (!std::ifstream(kDejaVuSans)) GTEST_SKIP() << "no " << kDejaVuSans;
    std::string error;
    auto fromFile = FaceRaster::open(kDejaVuSans, 18, &error);
    ASSERT_TRUE(fromFile) << error;
    auto builtIn = openDefault(18);
    ASSERT_TRUE(builtIn);
    EXPECT_EQ(fromFile->lineHeight(), builtIn->lineHeight());
    EXPECT_EQ(fromFile->render('Q').coverage, builtIn->render('Q').coverage);
}

TEST(GlyphsTest, BadFontsGiveNothingAndSayWhy) {
    std::string notAFont = testsupport::tempPath("glyphs_test_not_a_font.ttf");
    std::ofstream(notAFont) << "this is plain text, not a font\n";
    struct Case {
        std::string path;
        int size;
    };
    const Case cases[] = {
        {testsupport::tempPath("glyphs_test_missing.ttf"), 16},
        {notAFont, 16},
        {"", 0},
        {"", -3},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(FaceRaster::open(c.path, c.size, &error), nullptr) << c.path << " " << c.size;
        EXPECT_FALSE(error.empty()) << c.path;
    }
}

}  // namespace
