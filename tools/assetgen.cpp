// Makes the game's images and sound effects: data/Files/{Common,287}/. Run from the source
// root after changing it, and commit what it writes; the output is the same on every run.
//   assetgen [DATA_FILES_FOLDER]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/glyphs.h"

namespace {

using platform::Bitmap;

constexpr uint32_t kClear = 0xFF000000u;  // pure black: transparent once loaded masked
constexpr const char* kDisplayFace = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf";

uint32_t Rgb(int r, int g, int b) {
    auto c = [](int v) { return uint32_t(std::clamp(v, 0, 255)); };
    // Dark colours stay a touch above pure black so that masking keeps them.
    if (r + g + b < 6) r = g = b = 2;
    return 0xFF000000u | c(r) << 16 | c(g) << 8 | c(b);
}

Bitmap Blank(int w, int h) {
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(size_t(w) * h, kClear);
    return b;
}

void Plot(Bitmap& b, int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < b.width && y < b.height) b.at(x, y) = colour;
}

// Blends a colour over what is there by coverage 0..1 (black counts as the empty background).
void Blend(Bitmap& b, int x, int y, int r, int g, int bl, float cover) {
    if (x < 0 || y < 0 || x >= b.width || y >= b.height || cover <= 0) return;
    uint32_t p = b.at(x, y);
    float k = std::min(cover, 1.0f);
    int pr = int(p >> 16 & 255), pg = int(p >> 8 & 255), pb = int(p & 255);
    b.at(x, y) = Rgb(int(pr + (r - pr) * k), int(pg + (g - pg) * k), int(pb + (bl - pb) * k));
}

void Disc(Bitmap& b, float cx, float cy, float radius, int r, int g, int bl) {
    for (int y = int(cy - radius - 1); y <= int(cy + radius + 1); ++y)
        for (int x = int(cx - radius - 1); x <= int(cx + radius + 1); ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            Blend(b, x, y, r, g, bl, radius + 0.5f - d);
        }
}

void Box(Bitmap& b, int x0, int y0, int w, int h, int r, int g, int bl) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) Blend(b, x, y, r, g, bl, 1);
}

void Line(Bitmap& b, float x0, float y0, float x1, float y1, float width, int r, int g, int bl) {
    int steps = int(std::hypot(x1 - x0, y1 - y0) * 4) + 1;
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps);
        Disc(b, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, r, g, bl);
    }
}

void Text(Bitmap& b, const std::string& text, int size, int x, int y, int r, int g, int bl) {
    std::unique_ptr<platform::FaceRaster> face = platform::FaceRaster::open(kDisplayFace, size);
    if (!face) face = platform::FaceRaster::open("", size);
    int pen = x;
    for (unsigned char ch : text) {
        platform::GlyphImage glyph = face->render(ch);
        for (int gy = 0; gy < glyph.height; ++gy)
            for (int gx = 0; gx < glyph.width; ++gx)
                Blend(b, pen + glyph.left + gx, y + glyph.top + gy, r, g, bl,
                      glyph.coverage[size_t(gy) * glyph.width + gx] / 255.0f);
        pen += glyph.advance;
    }
}

int TextWidth(const std::string& text, int size) {
    std::unique_ptr<platform::FaceRaster> face = platform::FaceRaster::open(kDisplayFace, size);
    if (!face) face = platform::FaceRaster::open("", size);
    int w = 0;
    for (unsigned char ch : text) w += face->advance(ch);
    return w;
}

void CentredText(Bitmap& b, const std::string& text, int size, int cy, int r, int g, int bl) {
    Text(b, text, size, (b.width - TextWidth(text, size)) / 2, cy - size / 2, r, g, bl);
}

// The mouse pointer: its tip on the cell's top-left pixel.
void Pointer(Bitmap& cell) {
    const int rows[16][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {0, 8},
                             {0, 9}, {0, 10}, {0, 6}, {0, 3}, {4, 6}, {5, 7}, {6, 8}, {7, 8}};
    for (int y = 0; y < 16; ++y)
        for (int x = rows[y][0]; x < rows[y][1]; ++x) {
            bool edge = x == rows[y][0] || x == rows[y][1] - 1 || y == 15 || (y == 10 && x >= 6) || x == 0;
            Plot(cell, x, y, edge ? Rgb(20, 10, 40) : Rgb(255, 255, 255));
        }
}

void Icon(Bitmap& cell, int frame) {
    const int hue[6][3] = {{255, 220, 90}, {120, 200, 255}, {255, 130, 170}, {140, 255, 150}, {255, 255, 255}, {200, 150, 255}};
    const int* c = hue[frame % 6];
    switch (frame) {
        case 0: {  // a small spark, the engine test's sprite
            Line(cell, 8, 2, 8, 14, 2, 255, 240, 180);
            Line(cell, 2, 8, 14, 8, 2, 255, 240, 180);
            Disc(cell, 8, 8, 3, 255, 255, 255);
            break;
        }
        case 7: Disc(cell, 8, 8, 3.5f, 255, 255, 255); break;  // the history graph's dot
        case 63: Pointer(cell); break;
        default:
            if (frame >= 11 && frame <= 29) {
                // Settings panel parts: slider bar ends and knob, arrows, ticks, boxes.
                int kind = (frame - 11) % 7;
                if (kind == 0) Box(cell, 0, 6, 16, 4, 200, 200, 220);
                if (kind == 1) Disc(cell, 8, 8, 6, c[0], c[1], c[2]);
                if (kind == 2) { Line(cell, 11, 3, 5, 8, 2.5f, c[0], c[1], c[2]); Line(cell, 5, 8, 11, 13, 2.5f, c[0], c[1], c[2]); }
                if (kind == 3) { Line(cell, 5, 3, 11, 8, 2.5f, c[0], c[1], c[2]); Line(cell, 11, 8, 5, 13, 2.5f, c[0], c[1], c[2]); }
                if (kind == 4) { Line(cell, 3, 8, 7, 12, 2.5f, 140, 255, 150); Line(cell, 7, 12, 13, 4, 2.5f, 140, 255, 150); }
                if (kind == 5) { Line(cell, 4, 4, 12, 12, 2.5f, 255, 120, 120); Line(cell, 12, 4, 4, 12, 2.5f, 255, 120, 120); }
                if (kind == 6) { Box(cell, 2, 2, 12, 12, c[0], c[1], c[2]); Box(cell, 4, 4, 8, 8, 30, 20, 60); }
            } else {
                Disc(cell, 8, 8, 5.5f, c[0] / 2, c[1] / 2, c[2] / 2);
                Disc(cell, 7, 7, 3, c[0], c[1], c[2]);
            }
    }
}

Bitmap Strip(int columns, int rows, int cellW, int cellH, void (*paint)(Bitmap&, int)) {
    Bitmap strip = Blank(columns * cellW, rows * cellH);
    for (int i = 0; i < columns * rows; ++i) {
        Bitmap cell = Blank(cellW, cellH);
        paint(cell, i);
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cellW; ++x) strip.at((i % columns) * cellW + x, (i / columns) * cellH + y) = cell.at(x, y);
    }
    return strip;
}

// Big soft shapes: the title screen blows these up 24 times as parallax layers.
void MenuArt(Bitmap& cell, int frame) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float dx = x - 31.5f, dy = y - 31.5f, d = std::hypot(dx, dy);
            float v = 0;
            if (frame == 0) v = std::max(0.0f, 1 - d / 31);                          // a glow
            if (frame == 1) v = std::max(0.0f, 1 - std::fabs(d - 22) / 6);           // a ring
            if (frame == 2) v = std::max(0.0f, 1 - (std::fabs(dx) + std::fabs(dy)) / 30);  // a diamond
            if (frame == 3) v = (int(x / 16 + y / 16) % 2) ? 0.6f * std::max(0.0f, 1 - d / 40) : 0;  // tiles
            const int tint[4][3] = {{90, 60, 200}, {200, 90, 220}, {60, 150, 230}, {120, 100, 255}};
            Blend(cell, x, y, tint[frame][0], tint[frame][1], tint[frame][2], v);
        }
}

void Badge(Bitmap& cell, int frame) {
    const int metal[4][3] = {{205, 127, 50}, {192, 192, 200}, {255, 210, 60}, {140, 220, 255}};
    const int* m = metal[frame % 4];
    Disc(cell, 32, 32, 29, m[0] / 2, m[1] / 2, m[2] / 2);
    Disc(cell, 32, 32, 25, m[0], m[1], m[2]);
    int points = 3 + frame / 4;
    for (int i = 0; i < points; ++i) {
        float a = float(i) * 6.2831853f / float(points);
        Line(cell, 32, 32, 32 + 15 * std::sin(a), 32 - 15 * std::cos(a), 4, 255, 255, 255);
    }
}

Bitmap Tile() {
    Bitmap b = Blank(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int edge = std::min(std::min(x, y), std::min(63 - x, 63 - y));
            int shade = 225;
            if (edge < 4) shade = (x < 4 || y < 4) && x + y < 64 ? 255 : 150;  // lit top-left, shaded bottom-right
            shade -= (x + y) / 8;
            b.at(x, y) = Rgb(shade, shade, shade);
        }
    return b;
}

Bitmap Logo(int w, int h, const std::string& big, const std::string& small, int r, int g, int bl) {
    Bitmap b = Blank(w, h);
    int size = h * 11 / 20;
    while (TextWidth(big, size) > w - 16) --size;  // the title fits with a margin
    CentredText(b, big, size, h * 2 / 5, r, g, bl);
    if (!small.empty()) CentredText(b, small, h / 5, h * 17 / 20, 230, 230, 240);
    return b;
}

// --- sounds ---------------------------------------------------------------------------------

void WriteWav(const std::string& path, const std::vector<float>& samples, int rate) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    auto le = [&](uint32_t v, int n) { for (int i = 0; i < n; ++i) std::fputc(int(v >> (8 * i) & 255), f); };
    uint32_t bytes = uint32_t(samples.size() * 2);
    std::fputs("RIFF", f); le(36 + bytes, 4); std::fputs("WAVEfmt ", f);
    le(16, 4); le(1, 2); le(1, 2); le(uint32_t(rate), 4); le(uint32_t(rate * 2), 4); le(2, 2); le(16, 2);
    std::fputs("data", f); le(bytes, 4);
    for (float s : samples) le(uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32000)))), 2);
    std::fclose(f);
}

constexpr int kRate = 22050;

std::vector<float> Slide() {  // a tile scraping into place: filtered noise with a soft knock
    std::vector<float> out(size_t(kRate * 0.14));
    uint32_t seed = 12345;
    float low = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        float noise = float(int32_t(seed)) / 2147483648.0f, t = float(i) / kRate;
        low += (noise - low) * 0.18f;
        float knock = std::sin(6.2831853f * 140 * t) * std::exp(-t * 60) * (t > 0.09f ? 1 : 0);
        out[i] = low * 1.6f * std::exp(-t * 18) + 0.5f * knock;
    }
    return out;
}

std::vector<float> Blip() {  // a menu choice
    std::vector<float> out(size_t(kRate * 0.09));
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate, f = 880 + 440 * std::min(t / 0.02f, 1.0f);
        out[i] = 0.55f * std::sin(6.2831853f * f * t) * std::exp(-t * 35) * std::min(t * 400, 1.0f);
    }
    return out;
}

std::vector<float> Jingle() {  // a rising arpeggio that settles on a chord
    const float notes[5] = {523.25f, 659.25f, 783.99f, 1046.5f, 0};
    std::vector<float> out(size_t(kRate * 1.1), 0.0f);
    for (int n = 0; n < 4; ++n) {
        size_t start = size_t(kRate * 0.11 * n);
        for (size_t i = start; i < out.size(); ++i) {
            float t = float(i - start) / kRate;
            float tone = std::sin(6.2831853f * notes[n] * t) + 0.3f * std::sin(6.2831853f * notes[n] * 2 * t);
            out[i] += 0.2f * tone * std::exp(-t * (n == 3 ? 3.0f : 6.0f)) * std::min(t * 300, 1.0f);
        }
    }
    return out;
}

bool Save(const Bitmap& b, const std::string& path) {
    bool ok = platform::encodePngFile(b, path, 9);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string root = argc > 1 ? argv[1] : "data/Files";
    std::string common = root + "/Common/", game = root + "/287/";
    bool ok = Save(Strip(8, 8, 16, 16, Icon), common + "icons.png");
    ok &= Save(Logo(256, 128, "QUILLBARROW", "Tolmarsh's Engine", 255, 200, 90), common + "logo.png");
    ok &= Save(Logo(256, 128, "HOLLOWDEN", "weekly games", 140, 220, 255), common + "Hollowden.png");
    ok &= Save(Logo(512, 160, "TAVIK MORROW", "", 255, 235, 120), game + "logo.png");
    ok &= Save(Strip(4, 1, 64, 64, MenuArt), game + "menu.png");
    ok &= Save(Tile(), game + "box.png");
    ok &= Save(Strip(4, 4, 64, 64, Badge), game + "badges.png");
    WriteWav(common + "badgeget.wav", Jingle(), kRate);
    WriteWav(game + "002.wav", Slide(), kRate);
    WriteWav(game + "098.wav", Blip(), kRate);
    return ok ? 0 : 1;
}
