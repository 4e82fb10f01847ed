// FreeType rasterising of one face at one pixel size. Used by the font cache of the display.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct GlyphImage {
    int width = 0, height = 0;  // coverage bitmap size
    int left = 0;               // pen position to the bitmap's left edge
    int top = 0;                // line top to the bitmap's top edge (down is positive)
    int advance = 0;            // pen advance in whole pixels
    std::vector<uint8_t> coverage;  // anti-aliased, width * height
};

class FaceRaster {
public:
    ~FaceRaster();
    // From a file, or from the built-in default face when path is empty.
    static std::unique_ptr<FaceRaster> open(const std::string& path, int pixelSize,
                                            std::string* error = nullptr);
    int pixelSize() const { return pixelSize_; }
    int lineHeight() const { return lineHeight_; }  // ascender - descender, whole pixels
    int ascent() const { return ascent_; }
    // Character codes are Latin-1 (0..255).
    GlyphImage render(uint8_t ch) const;
    int advance(uint8_t ch) const;

private:
    FaceRaster() = default;
    void* face_ = nullptr;  // FT_Face
    int pixelSize_ = 0, lineHeight_ = 0, ascent_ = 0;
};

}  // namespace platform
