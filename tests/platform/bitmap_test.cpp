#include "platform/bitmap.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>
#include <zlib.h>

#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include "tests/temp_path.h"

namespace {

using platform::Bitmap;
using Bytes = std::vector<uint8_t>;

std::string tempPath(const std::string& name) {
    return testsupport::tempPath("bitmap_test_" + name);
}

Bytes bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

Bitmap makeBitmap(int width, int height, uint32_t (*pixel)(int x, int y)) {
    Bitmap b;
    b.width = width;
    b.height = height;
    b.pixels.resize(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.at(x, y) = pixel(x, y);
    return b;
}

// Every channel varies, including alpha 0 with colour left in it.
uint32_t busyPixel(int x, int y) {
    return uint32_t((x * 37 + y * 11) & 0xff) << 24 | uint32_t(x * 7) << 16 | uint32_t(y * 5) << 8 |
           uint32_t((x ^ y) * 3 & 0xff);
}

Bytes encodeToBytes(const Bitmap& b, int level, const std::string& name = "encoded.png") {
    std::string path = tempPath(name);
    EXPECT_TRUE(platform::encodePngFile(b, path, level)) << level;
    return bytesOf(path);
}

TEST(BitmapTest, EncodeDecodeRoundTripKeepsEveryPixel) {
    Bitmap source = makeBitmap(37, 23, busyPixel);
    for (int level : {0, 9}) {
        Bytes png = encodeToBytes(source, level);
        Bitmap back;
        std::string error;
        ASSERT_TRUE(platform::decodePngMemory(png.data(), png.size(), back, &error)) << error;
        EXPECT_EQ(back.width, 37);
        EXPECT_EQ(back.height, 23);
        EXPECT_EQ(back.pixels, source.pixels) << "level " << level;
    }
    std::string path = tempPath("roundtrip.png");
    ASSERT_TRUE(platform::encodePngFile(source, path, 6));
    Bitmap fromFile;
    ASSERT_TRUE(platform::decodePngFile(path, fromFile));
    EXPECT_EQ(fromFile.pixels, source.pixels);
}

TEST(BitmapTest, CompressionLevelIsClampedAndMatters) {
    Bitmap flat = makeBitmap(64, 64, [](int x, int) { return 0xff000000u | uint32_t(x) * 4; });
    Bytes stored = encodeToBytes(flat, 0), best = encodeToBytes(flat, 9);
    EXPECT_LT(best.size(), stored.size());
    EXPECT_EQ(encodeToBytes(flat, -5), stored);
    EXPECT_EQ(encodeToBytes(flat, 99), best);
}

TEST(BitmapTest, EncodeFailsOnUnwritablePathOrBadBitmap) {
    Bitmap ok = makeBitmap(2, 2, busyPixel);
    EXPECT_FALSE(platform::encodePngFile(ok, "/nonexistent-folder/x.png", 6));
    EXPECT_FALSE(platform::encodePngFile(ok, ::testing::TempDir(), 6));  // a folder

    Bitmap empty;
    EXPECT_FALSE(platform::encodePngFile(empty, tempPath("empty.png"), 6));
    Bitmap short_ = ok;
    short_.pixels.pop_back();
    EXPECT_FALSE(platform::encodePngFile(short_, tempPath("short.png"), 6));
}

// A file size limit makes the write fail halfway; the partial file must be gone afterwards.
TEST(BitmapTest, FailedWriteLeavesNoFileBehind) {
    std::mt19937 rng(7);
    Bitmap noise = makeBitmap(200, 200, [](int, int) { return 0u; });
    for (uint32_t& p : noise.pixels) p = rng();
    std::string path = tempPath("partial.png");
    std::remove(path.c_str());

    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = platform::encodePngFile(noise, path, 0);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(exists(path));
}

// Raw PNGs in the formats our encoder never writes, made directly with libpng.
struct RawPng {
    const char* name;
    int width, height, colorType, bitDepth;
    Bytes rows;  // packed rows, one after another
    std::vector<png_color> palette;
    Bytes paletteAlpha;
    bool hasTransparentColor;
    png_color_16 transparentColor;
    std::vector<uint32_t> expected;
};

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

Bytes writeRawPng(const RawPng& r, int interlace = PNG_INTERLACE_NONE) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToVector, nullptr);
    png_set_IHDR(png, info, r.width, r.height, r.bitDepth, r.colorType, interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!r.palette.empty()) png_set_PLTE(png, info, r.palette.data(), int(r.palette.size()));
    if (!r.paletteAlpha.empty())
        png_set_tRNS(png, info, r.paletteAlpha.data(), int(r.paletteAlpha.size()), nullptr);
    if (r.hasTransparentColor) png_set_tRNS(png, info, nullptr, 0, &r.transparentColor);
    png_write_info(png, info);
    int passes = png_set_interlace_handling(png);
    size_t stride = r.rows.size() / r.height;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < r.height; ++y)
            png_write_row(png, const_cast<png_bytep>(r.rows.data() + y * stride));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(BitmapTest, EveryColourTypeDecodesToArgb) {
    const png_color red{255, 0, 0}, green{0, 255, 0}, a{1, 2, 3}, b{250, 128, 7};
    const RawPng cases[] = {
        {"palette 1-bit with alpha", 3, 1, PNG_COLOR_TYPE_PALETTE, 1, {0x40}, {red, green},
         {0xff, 0x80}, false, {}, {0xffff0000, 0x8000ff00, 0xffff0000}},
        {"palette 8-bit", 2, 2, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 1, 0}, {a, b}, {}, false, {},
         {0xff010203, 0xfffa8007, 0xfffa8007, 0xff010203}},
        {"grey 2-bit", 4, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1b}, {}, {}, false, {},
         {0xff000000, 0xff555555, 0xffaaaaaa, 0xffffffff}},
        {"grey with transparent level", 2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x10, 0x20}, {}, {}, true,
         {0, 0, 0, 0, 0x20}, {0xff101010, 0x00202020}},
        {"grey+alpha", 2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0x80, 0xff, 0x00}, {}, {}, false,
         {}, {0x80404040, 0x00ffffff}},
        {"grey 16-bit", 3, 1, PNG_COLOR_TYPE_GRAY, 16, {0xff, 0xff, 0, 0, 0x80, 0x80}, {}, {},
         false, {}, {0xffffffff, 0xff000000, 0xff808080}},
        {"rgb with transparent colour", 2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6}, {}, {},
         true, {0, 4, 5, 6, 0}, {0xff010203, 0x00040506}},
        {"rgba 16-bit", 1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16,
         {0x12, 0x12, 0x34, 0x34, 0x56, 0x56, 0x80, 0x80}, {}, {}, false, {}, {0x80123456}},
    };
    for (const RawPng& c : cases) {
        Bytes png = writeRawPng(c);
        Bitmap out;
        std::string error;
        ASSERT_TRUE(platform::decodePngMemory(png.data(), png.size(), out, &error))
            << c.name << ": " << error;
        EXPECT_EQ(out.width, c.width) << c.name;
        EXPECT_EQ(out.height, c.height) << c.name;
        EXPECT_EQ(out.pixels, c.expected) << c.name;
    }
}

// 9x9 so that all seven Adam7 passes carry pixels.
TEST(BitmapTest, InterlacedPngDecodesLikePlainOne) {
    RawPng raw{"rgba", 9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, {}, {}, {}, false, {}, {}};
    Bitmap expected = makeBitmap(9, 9, busyPixel);
    for (uint32_t p : expected.pixels)
        raw.rows.insert(raw.rows.end(),
                        {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    for (int interlace : {PNG_INTERLACE_NONE, PNG_INTERLACE_ADAM7}) {
        Bytes png = writeRawPng(raw, interlace);
        Bitmap out;
        ASSERT_TRUE(platform::decodePngMemory(png.data(), png.size(), out)) << interlace;
        EXPECT_EQ(out.pixels, expected.pixels) << interlace;
    }
}

size_t chunkOffset(const Bytes& png, const char* type) {
    for (size_t i = 8; i + 8 <= png.size(); ++i)
        if (std::memcmp(&png[i + 4], type, 4) == 0) return i;
    ADD_FAILURE() << "no " << type << " chunk";
    return 8;
}

uint32_t readBig(const Bytes& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

void writeBig(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (24 - 8 * i));
}

// Edits a chunk's data, then recomputes its CRC so only the edit itself is wrong.
Bytes withChunkEdit(Bytes png, const char* type, size_t dataOffset, const Bytes& replacement) {
    size_t at = chunkOffset(png, type);
    uint32_t length = readBig(png, at);
    std::copy(replacement.begin(), replacement.end(), png.begin() + at + 8 + dataOffset);
    writeBig(png, at + 8 + length, uint32_t(crc32(0, &png[at + 4], length + 4)));
    return png;
}

Bytes cut(const Bytes& b, size_t length) { return Bytes(b.begin(), b.begin() + length); }

TEST(BitmapTest, CorruptDataFailsWithMessage) {
    Bytes good = encodeToBytes(makeBitmap(16, 16, busyPixel), 9);
    size_t idat = chunkOffset(good, "IDAT");
    std::mt19937 rng(42);
    Bytes noise(300);
    for (uint8_t& v : noise) v = uint8_t(rng());
    Bytes noiseAfterSignature = cut(good, 8);
    noiseAfterSignature.insert(noiseAfterSignature.end(), noise.begin(), noise.end());
    Bytes badCrc = good;
    badCrc[idat + 8 + readBig(good, idat)] ^= 0x01;  // the CRC itself, data left intact

    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"random bytes", noise},
        {"random after signature", noiseAfterSignature},
        {"signature only", cut(good, 8)},
        {"cut inside IHDR", cut(good, 20)},
        {"cut after IHDR", cut(good, 33)},
        {"cut inside IDAT", cut(good, idat + 12)},
        {"cut at half", cut(good, good.size() / 2)},
        {"cut before IEND", cut(good, good.size() - 12)},
        {"last byte missing", cut(good, good.size() - 1)},
        {"IDAT CRC wrong", badCrc},
        {"zlib header broken", withChunkEdit(good, "IDAT", 0, {0x00, 0x00})},
        {"width 20000", withChunkEdit(good, "IHDR", 0, {0, 0, 0x4e, 0x20})},
        {"height 0", withChunkEdit(good, "IHDR", 4, {0, 0, 0, 0})},
        {"bit depth 3", withChunkEdit(good, "IHDR", 8, {3})},
    };
    for (const auto& [name, bytes] : cases) {
        Bitmap out;
        std::string error;
        EXPECT_FALSE(platform::decodePngMemory(bytes.data(), bytes.size(), out, &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}

TEST(BitmapTest, MissingOrEmptyFileFailsWithMessage) {
    std::string empty = tempPath("empty-file.png");
    std::ofstream(empty).close();
    for (const std::string& path : {empty, tempPath("no-such-file.png")}) {
        Bitmap out;
        std::string error;
        EXPECT_FALSE(platform::decodePngFile(path, out, &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    Bitmap out;
    EXPECT_FALSE(platform::decodePngFile(tempPath("no-such-file.png"), out));  // null error is fine
}

TEST(BitmapTest, MaskClearsOnlyPureBlack) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0xff000000, 0},          {0x80000000, 0},          {0x00000000, 0},
        {0xff000001, 0xff000001}, {0xff000100, 0xff000100}, {0xff010000, 0xff010000},
        {0x00ffffff, 0x00ffffff},
    };
    Bitmap b;
    b.width = int(std::size(cases));
    b.height = 1;
    for (const auto& c : cases) b.pixels.push_back(c.first);
    platform::applyMask(b);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(b.pixels[i], cases[i].second) << std::hex << cases[i].first;
}

uint32_t positionPixel(int x, int y) { return 0xff000000u | uint32_t(y) << 8 | uint32_t(x); }

TEST(BitmapTest, CutCellsTakesCellsInReadingOrder) {
    // 7x5 holds 2x2 cells of 3x2; the last column and row are spare.
    Bitmap sheet = makeBitmap(7, 5, positionPixel);
    struct Case {
        int cellW, cellH, first, count;
        std::vector<int> cells;
    };
    const Case cases[] = {
        {3, 2, 0, 4, {0, 1, 2, 3}}, {3, 2, 1, 2, {1, 2}}, {3, 2, 2, 9, {2, 3}},
        {3, 2, 4, 1, {}},           {3, 2, -1, 2, {0}},   {3, 2, 0, 0, {}},
        {7, 5, 0, 3, {0}},          {8, 1, 0, 1, {}},     {0, 2, 0, 1, {}},
    };
    for (const Case& c : cases) {
        std::vector<Bitmap> cells = platform::cutCells(sheet, c.cellW, c.cellH, c.first, c.count);
        ASSERT_EQ(cells.size(), c.cells.size())
            << c.cellW << "x" << c.cellH << " from " << c.first;
        for (size_t i = 0; i < cells.size(); ++i) {
            int columns = sheet.width / c.cellW;
            int x0 = c.cells[i] % columns * c.cellW, y0 = c.cells[i] / columns * c.cellH;
            EXPECT_EQ(cells[i].width, c.cellW);
            EXPECT_EQ(cells[i].height, c.cellH);
            for (int y = 0; y < c.cellH; ++y)
                for (int x = 0; x < c.cellW; ++x)
                    ASSERT_EQ(cells[i].at(x, y), positionPixel(x0 + x, y0 + y))
                        << "cell " << c.cells[i];
        }
    }
    // Cell 3 is the second cell of the second row: it starts at (3, 2).
    EXPECT_EQ(platform::cutCells(sheet, 3, 2, 3, 1).at(0).at(0, 0), positionPixel(3, 2));
}

}  // namespace
