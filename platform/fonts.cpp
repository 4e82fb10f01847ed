#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/font.h"
#include "platform/glyphs.h"
#include "platform/render_internal.h"

namespace platform {
namespace {

constexpr int kDefaultFontSize = 16;
constexpr int kGlyphCount = 256;

struct CachedGlyph {
    bool ready = false;
    int x = 0, y = 0;  // place in the atlas
    GlyphImage image;  // coverage kept so a new renderer can be given the atlas again
};

// Glyphs are rasterised the first time they are drawn and packed into rows of one texture.
struct Font {
    std::unique_ptr<FaceRaster> face;
    CachedGlyph glyphs[kGlyphCount];
    int atlasWidth = 0, atlasHeight = 0;
    int penX = 1, penY = 1, rowHeight = 0;
    std::vector<uint32_t> atlas;  // white with coverage as alpha
    SDL_Texture* texture = nullptr;
    uint32_t generation = 0;
    bool dirty = false;
};

std::unordered_map<int, std::unique_ptr<Font>> fonts;  // 0 is the built-in default
int nextHandle = 1;
int current = 0;

Font* find(int handle) {
    auto it = fonts.find(handle);
    return it == fonts.end() ? nullptr : it->second.get();
}

Font* defaultFont() {
    if (Font* f = find(0)) return f;
    auto f = std::make_unique<Font>();
    f->face = FaceRaster::open("", kDefaultFontSize);
    if (!f->face) return nullptr;
    Font* raw = f.get();
    fonts[0] = std::move(f);
    return raw;
}

Font* active() {
    Font* f = find(current);
    return f ? f : defaultFont();
}

void growAtlas(Font& f, int needWidth, int needHeight) {
    int width = std::max(f.atlasWidth, 256);
    while (width < needWidth && width < 4096) width *= 2;
    int height = std::max(f.atlasHeight, 64);
    while (height < needHeight) height *= 2;
    std::vector<uint32_t> grown(size_t(width) * height, 0x00FFFFFFu);
    for (int y = 0; y < f.atlasHeight; ++y) {
        std::copy_n(&f.atlas[size_t(y) * f.atlasWidth], f.atlasWidth, &grown[size_t(y) * width]);
    }
    f.atlas.swap(grown);
    f.atlasWidth = width;
    f.atlasHeight = height;
    if (f.texture && f.generation == render::generation()) {
        render::flush();  // queued text may still use the old texture
        SDL_DestroyTexture(f.texture);
    }
    f.texture = nullptr;
}

void place(Font& f, CachedGlyph& g) {
    const GlyphImage& im = g.image;
    if (f.atlasWidth == 0) growAtlas(f, (f.face->pixelSize() + 4) * 16, f.face->lineHeight() + 4);
    if (f.penX + im.width + 1 > f.atlasWidth) {
        f.penX = 1;
        f.penY += f.rowHeight + 1;
        f.rowHeight = 0;
    }
    if (f.penY + im.height + 1 > f.atlasHeight) growAtlas(f, f.atlasWidth, f.penY + im.height + 2);
    g.x = f.penX;
    g.y = f.penY;
    for (int y = 0; y < im.height; ++y) {
        for (int x = 0; x < im.width; ++x) {
            uint32_t a = im.coverage[size_t(y) * im.width + x];
            f.atlas[size_t(g.y + y) * f.atlasWidth + g.x + x] = (a << 24) | 0x00FFFFFFu;
        }
    }
    f.penX += im.width + 1;
    f.rowHeight = std::max(f.rowHeight, im.height);
    f.dirty = true;
}

const CachedGlyph& glyph(Font& f, uint8_t ch) {
    CachedGlyph& g = f.glyphs[ch];
    if (!g.ready) {
        g.image = f.face->render(ch);
        g.ready = true;
        if (g.image.width > 0 && g.image.height > 0) place(f, g);
    }
    return g;
}

bool upload(Font& f) {
    SDL_Renderer* r = render::renderer();
    if (!r || f.atlasWidth == 0) return false;
    if (f.generation != render::generation() || !f.texture) {
        if (f.texture && f.generation == render::generation()) SDL_DestroyTexture(f.texture);
        f.texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                      f.atlasWidth, f.atlasHeight);
        if (!f.texture) return false;
        SDL_SetTextureScaleMode(f.texture, SDL_ScaleModeLinear);
        f.generation = render::generation();
    }
    SDL_UpdateTexture(f.texture, nullptr, f.atlas.data(), f.atlasWidth * 4);
    f.dirty = false;
    return true;
}

}  // namespace

namespace render {

void drawTextQuads(float x, float y, const std::string& text, const DrawState& state) {
    Font* f = active();
    if (!f) return;
    for (unsigned char ch : text) glyph(*f, ch);  // rasterise first: the atlas may grow
    if (f->dirty || f->generation != generation() || !f->texture) {
        flush();
        if (!upload(*f)) return;
    }
    float tw = float(f->atlasWidth), th = float(f->atlasHeight);
    int pen = 0;
    for (unsigned char ch : text) {
        const CachedGlyph& g = f->glyphs[ch];
        const GlyphImage& im = g.image;
        if (im.width > 0 && im.height > 0) {
            Quad q = placeBox(x, y, float(pen + im.left), float(im.top), float(im.width),
                              float(im.height), state);
            q.u0 = g.x / tw;
            q.v0 = g.y / th;
            q.u1 = (g.x + im.width) / tw;
            q.v1 = (g.y + im.height) / th;
            pushQuad(f->texture, q, state);
        }
        pen += im.advance;
    }
}

void dropFontTextures() {
    for (auto& [handle, f] : fonts) {
        if (f->texture && f->generation == generation()) SDL_DestroyTexture(f->texture);
        f->texture = nullptr;
    }
}

void freeAllFonts() {
    dropFontTextures();
    fonts.clear();
    nextHandle = 1;
    current = 0;
}

}  // namespace render

int loadFont(const std::string& path, int pixelSize) {
    if (path.empty() || pixelSize <= 0) return 0;
    auto f = std::make_unique<Font>();
    f->face = FaceRaster::open(path, pixelSize);
    if (!f->face) return 0;
    int handle = nextHandle++;
    fonts[handle] = std::move(f);
    return handle;
}

void freeFont(int handle) {
    Font* f = handle != 0 ? find(handle) : nullptr;
    if (!f) return;
    render::flush();
    if (f->texture && f->generation == render::generation()) SDL_DestroyTexture(f->texture);
    fonts.erase(handle);
    if (current == handle) current = 0;
}

void setFont(int handle) { current = find(handle) ? handle : 0; }
int currentFont() { return current; }

int textWidth(const std::string& text) {
    Font* f = active();
    if (!f) return 0;
    int width = 0;
    for (unsigned char ch : text) width += glyph(*f, ch).image.advance;
    return width;
}

int fontHeight() {
    Font* f = active();
    return f ? f->face->lineHeight() : 0;
}

}  // namespace platform
