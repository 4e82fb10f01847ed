#include "platform/glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <mutex>

extern "C" const unsigned char platform_default_font[];
extern "C" const unsigned char platform_default_font_end[];

namespace platform {
namespace {

// FreeType wants face creation and disposal on one library serialised.
std::mutex libraryMutex;

// One library for the whole run, never freed: font caches may outlive any exit-time cleanup.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

FT_Face openFace(const std::string& path, std::string* error) {
    std::lock_guard<std::mutex> lock(libraryMutex);
    FT_Library lib = library();
    if (!lib) {
        if (error) *error = "FreeType did not start";
        return nullptr;
    }
    FT_Face face = nullptr;
    FT_Long size = FT_Long(platform_default_font_end - platform_default_font);
    FT_Error e = path.empty() ? FT_New_Memory_Face(lib, platform_default_font, size, 0, &face)
                              : FT_New_Face(lib, path.c_str(), 0, &face);
    if (e != 0) {
        if (error) *error = "cannot open font " + (path.empty() ? "(built-in)" : path);
        return nullptr;
    }
    return face;
}

void closeFace(FT_Face face) {
    std::lock_guard<std::mutex> lock(libraryMutex);
    FT_Done_Face(face);
}

int floorPixels(FT_Pos v) { return int(v >= 0 ? v / 64 : -((-v + 63) / 64)); }
int ceilPixels(FT_Pos v) { return -floorPixels(-v); }
int roundPixels(FT_Pos v) { return floorPixels(v + 32); }

uint8_t coverageAt(const FT_Bitmap& bm, const unsigned char* row, int x) {
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) return ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255;
    return row[x];
}

// Gray bitmaps are copied as they are; 1-bit ones (embedded bitmaps) become 0 or 255.
void copyCoverage(const FT_Bitmap& bm, GlyphImage& out) {
    out.width = int(bm.width);
    out.height = int(bm.rows);
    out.coverage.assign(size_t(out.width) * out.height, 0);
    // A negative pitch means the rows are stored bottom first.
    ptrdiff_t pitch = bm.pitch;
    const unsigned char* top = bm.buffer + (pitch < 0 ? -pitch * (out.height - 1) : 0);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = top + y * pitch;
        for (int x = 0; x < out.width; ++x)
            out.coverage[size_t(y) * out.width + x] = coverageAt(bm, row, x);
    }
}

}  // namespace

FaceRaster::~FaceRaster() {
    if (face_) closeFace(static_cast<FT_Face>(face_));
}

std::unique_ptr<FaceRaster> FaceRaster::open(const std::string& path, int pixelSize,
                                             std::string* error) {
    if (pixelSize <= 0) {
        if (error) *error = "font size must be positive";
        return nullptr;
    }
    FT_Face face = openFace(path, error);
    if (!face) return nullptr;
    std::unique_ptr<FaceRaster> raster(new FaceRaster());
    raster->face_ = face;  // owned from here on, freed by the destructor
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0) {
        if (error) *error = "font has no size " + std::to_string(pixelSize);
        return nullptr;
    }
    const FT_Size_Metrics& m = face->size->metrics;
    raster->pixelSize_ = pixelSize;
    raster->ascent_ = ceilPixels(m.ascender);
    raster->lineHeight_ = raster->ascent_ - floorPixels(m.descender);
    if (raster->lineHeight_ <= 0) raster->lineHeight_ = pixelSize;  // broken metrics
    return raster;
}

GlyphImage FaceRaster::render(uint8_t ch) const {
    GlyphImage image;
    FT_Face face = static_cast<FT_Face>(face_);
    // Latin-1 codes are the first 256 Unicode code points, so they map straight across.
    if (FT_Load_Char(face, ch, FT_LOAD_RENDER) != 0) return image;
    FT_GlyphSlot slot = face->glyph;
    unsigned char mode = slot->bitmap.pixel_mode;
    if (mode == FT_PIXEL_MODE_GRAY || mode == FT_PIXEL_MODE_MONO) copyCoverage(slot->bitmap, image);
    image.left = slot->bitmap_left;
    image.top = ascent_ - slot->bitmap_top;
    image.advance = roundPixels(slot->advance.x);
    return image;
}

int FaceRaster::advance(uint8_t ch) const {
    FT_Face face = static_cast<FT_Face>(face_);
    if (FT_Load_Char(face, ch, FT_LOAD_DEFAULT) != 0) return 0;
    return roundPixels(face->glyph->advance.x);
}

}  // namespace platform
