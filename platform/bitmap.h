// CPU-side pictures and the PNG codec (libpng). Pixels are ARGB, alpha in the top byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // row-major, width * height

    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    uint32_t& at(int x, int y) { return pixels[size_t(y) * width + x]; }
};

// Reads any PNG (palette, grey, 16-bit, interlaced) as ARGB. A missing, corrupt or truncated
// file gives false and an error text; it never crashes.
bool decodePngFile(const std::string& path, Bitmap& out, std::string* error = nullptr);
bool decodePngMemory(const void* data, size_t size, Bitmap& out, std::string* error = nullptr);
// Writes an RGBA PNG at zlib compression level 0..9.
bool encodePngFile(const Bitmap& bitmap, const std::string& path, int level);

// Pure black pixels (any alpha) become fully transparent.
void applyMask(Bitmap& bitmap);
// Cuts cells of cellWidth x cellHeight, left to right then top to bottom, starting at `first`.
// Cells past the picture's end are left out.
std::vector<Bitmap> cutCells(const Bitmap& source, int cellWidth, int cellHeight, int first,
                             int count);

}  // namespace platform
