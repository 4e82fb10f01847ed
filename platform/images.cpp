#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "platform/bitmap.h"
#include "platform/image.h"
#include "platform/render_internal.h"

namespace platform {
namespace {

// Frames share one texture, laid out on a grid with a one-pixel gutter that repeats each
// frame's edge, so filtered scaling never bleeds a neighbour in.
struct Image {
    std::vector<Bitmap> frames;
    int flags = 0;
    float handleX = 0, handleY = 0;
    int columns = 1;
    SDL_Texture* texture = nullptr;
    uint32_t generation = 0;
    bool dirty = true;
};

std::unordered_map<int, std::unique_ptr<Image>> images;
int nextHandle = 1;
bool autoMidHandle = false;

Image* find(int handle) {
    auto it = images.find(handle);
    return it == images.end() ? nullptr : it->second.get();
}

int cellWidth(const Image& im) { return im.frames[0].width + 2; }
int cellHeight(const Image& im) { return im.frames[0].height + 2; }

int addImage(std::vector<Bitmap> frames, int flags) {
    if (frames.empty() || frames[0].width <= 0 || frames[0].height <= 0) return 0;
    auto im = std::make_unique<Image>();
    im->frames = std::move(frames);
    im->flags = flags;
    if (flags & kImageMasked) {
        for (Bitmap& b : im->frames) applyMask(b);
    }
    im->columns = std::max(1, int(std::ceil(std::sqrt(double(im->frames.size())))));
    if (autoMidHandle) {
        im->handleX = float(im->frames[0].width) * 0.5f;
        im->handleY = float(im->frames[0].height) * 0.5f;
    }
    int handle = nextHandle++;
    images[handle] = std::move(im);
    return handle;
}

void copyFrameWithGutter(const Bitmap& f, Bitmap& atlas, int ox, int oy) {
    for (int y = -1; y <= f.height; ++y) {
        int sy = std::clamp(y, 0, f.height - 1);
        for (int x = -1; x <= f.width; ++x) {
            int sx = std::clamp(x, 0, f.width - 1);
            atlas.at(ox + 1 + x, oy + 1 + y) = f.at(sx, sy);
        }
    }
}

bool upload(Image& im) {
    SDL_Renderer* r = render::renderer();
    if (!r) return false;
    int rows = int((im.frames.size() + im.columns - 1) / im.columns);
    Bitmap atlas;
    atlas.width = im.columns * cellWidth(im);
    atlas.height = rows * cellHeight(im);
    atlas.pixels.assign(size_t(atlas.width) * atlas.height, 0);
    for (size_t i = 0; i < im.frames.size(); ++i) {
        copyFrameWithGutter(im.frames[i], atlas, int(i % im.columns) * cellWidth(im),
                            int(i / im.columns) * cellHeight(im));
    }
    bool fresh = im.generation != render::generation() || !im.texture;
    if (fresh) {
        im.texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                       atlas.width, atlas.height);
        if (!im.texture) return false;
        im.generation = render::generation();
        SDL_SetTextureScaleMode(im.texture, (im.flags & kImageFiltered) ? SDL_ScaleModeLinear
                                                                         : SDL_ScaleModeNearest);
    }
    SDL_UpdateTexture(im.texture, nullptr, atlas.pixels.data(), atlas.width * 4);
    im.dirty = false;
    return true;
}

}  // namespace

namespace render {

bool imageFrame(int handle, int frame, FrameRef& out) {
    Image* im = find(handle);
    if (!im || frame < 0 || frame >= int(im->frames.size())) return false;
    if (im->dirty || im->generation != generation() || !im->texture) {
        flush();  // queued quads may still sample the old pixels
        if (!upload(*im)) return false;
    }
    int w = im->frames[0].width, h = im->frames[0].height;
    int columns = im->columns, rows = int((im->frames.size() + columns - 1) / columns);
    float tw = float(columns * (w + 2)), th = float(rows * (h + 2));
    int cx = (frame % columns) * (w + 2) + 1, cy = (frame / columns) * (h + 2) + 1;
    out = FrameRef{im->texture, cx / tw, cy / th, (cx + w) / tw, (cy + h) / th, w, h,
                   im->handleX, im->handleY};
    return true;
}

void dropImageTextures() {
    for (auto& [handle, im] : images) {
        if (im->texture && im->generation == generation()) SDL_DestroyTexture(im->texture);
        im->texture = nullptr;
    }
}

}  // namespace render

void setAutoMidHandle(bool on) { autoMidHandle = on; }

int loadImage(const std::string& path, int flags) {
    Bitmap b;
    if (!decodePngFile(path, b)) return 0;
    std::vector<Bitmap> frames;
    frames.push_back(std::move(b));
    return addImage(std::move(frames), flags);
}

int loadImageStrip(const std::string& path, int cellW, int cellH, int first, int count, int flags) {
    Bitmap b;
    if (cellW <= 0 || cellH <= 0 || count <= 0 || !decodePngFile(path, b)) return 0;
    return addImage(cutCells(b, cellW, cellH, first, count), flags);
}

int createImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames <= 0 || width > 16384 || height > 16384) return 0;
    Bitmap blank;
    blank.width = width;
    blank.height = height;
    blank.pixels.assign(size_t(width) * height, 0);
    // Created pixmaps are not masked: their black pixels are real pixels.
    return addImage(std::vector<Bitmap>(size_t(frames), blank), flags & ~kImageMasked);
}

void freeImage(int handle) {
    Image* im = find(handle);
    if (!im) return;
    render::flush();
    if (im->texture && im->generation == render::generation()) SDL_DestroyTexture(im->texture);
    images.erase(handle);
}

bool imageExists(int handle) { return find(handle) != nullptr; }
int imageWidth(int handle) { Image* im = find(handle); return im ? im->frames[0].width : 0; }
int imageHeight(int handle) { Image* im = find(handle); return im ? im->frames[0].height : 0; }
int imageFrames(int handle) { Image* im = find(handle); return im ? int(im->frames.size()) : 0; }
float imageHandleX(int handle) { Image* im = find(handle); return im ? im->handleX : 0; }
float imageHandleY(int handle) { Image* im = find(handle); return im ? im->handleY : 0; }

void setImageHandle(int handle, float x, float y) {
    if (Image* im = find(handle)) {
        im->handleX = x;
        im->handleY = y;
    }
}

uint32_t readPixel(int handle, int x, int y, int frame) {
    Image* im = find(handle);
    if (!im || frame < 0 || frame >= int(im->frames.size())) return 0;
    const Bitmap& b = im->frames[frame];
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return 0;
    return b.at(x, y);
}

void writePixel(int handle, int x, int y, uint32_t argb, int frame) {
    Image* im = find(handle);
    if (!im || frame < 0 || frame >= int(im->frames.size())) return;
    Bitmap& b = im->frames[frame];
    if (x < 0 || y < 0 || x >= b.width || y >= b.height) return;
    b.at(x, y) = argb;
    im->dirty = true;
}

int saveImagePng(int handle, const std::string& path, int level) {
    Image* im = find(handle);
    if (!im) return 0;
    return encodePngFile(im->frames[0], path, std::clamp(level, 0, 9)) ? 1 : 0;
}

namespace render {

// Lets the display fill a pixmap from the back buffer.
Bitmap* imageBitmap(int handle, int frame) {
    Image* im = find(handle);
    if (!im || frame < 0 || frame >= int(im->frames.size())) return nullptr;
    im->dirty = true;
    return &im->frames[frame];
}

void freeAllImages() {
    dropImageTextures();
    images.clear();
    nextHandle = 1;
    autoMidHandle = false;
}

}  // namespace render
}  // namespace platform
