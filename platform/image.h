// Images: PNG loading, cell strips, pixel access and PNG saving. Handles are ints, 0 = none.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

enum ImageFlags : int {
    kImageMasked = 1,    // pure black (0,0,0) becomes transparent
    kImageFiltered = 2,  // bilinear scaling; without it, crisp nearest-pixel scaling
};

// When on, images loaded or created afterwards get their handle at the frame's centre.
void setAutoMidHandle(bool on);

int loadImage(const std::string& path, int flags);
// A strip of equal cells read left to right, top to bottom, from cell `first`.
int loadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first, int count,
                   int flags);
int createImage(int width, int height, int frames, int flags);
void freeImage(int image);
bool imageExists(int image);

int imageWidth(int image);   // one frame
int imageHeight(int image);
int imageFrames(int image);
void setImageHandle(int image, float x, float y);
float imageHandleX(int image);
float imageHandleY(int image);

// Pixels are ARGB (alpha in the top byte). Out-of-range reads give 0, writes are ignored.
uint32_t readPixel(int image, int x, int y, int frame = 0);
void writePixel(int image, int x, int y, uint32_t argb, int frame = 0);

// Saves frame 0 as a PNG at compression level 0..9. Returns 1 on success, 0 on failure.
int saveImagePng(int image, const std::string& path, int level);

}  // namespace platform
