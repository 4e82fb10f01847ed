// Makes the game's images and sound effects: data/Files/{Common,287}/. Run from the source
// root after changing it, and commit what it writes. Everything is drawn from code (shapes,
// pixel art, text set in free Debian faces) with fixed seeds, so a run reproduces the committed
// files byte for byte as long as FreeType, libpng and zlib are the same versions.
//   assetgen [DATA_FILES_FOLDER]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/glyphs.h"

namespace {

using platform::Bitmap;

const char* const kBebas = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf";
const char* const kCantarellBold = "/usr/share/fonts/opentype/cantarell/Cantarell-ExtraBold.otf";

constexpr float kTau = 6.28318530718f;

// ---- colours and the canvas ----------------------------------------------------------------

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;  // r, g, b 0..255 (straight), a 0..1
};

Colour Rgb(float r, float g, float b, float a = 1) {
    return {r, g, b, a};
}
Colour Mix(Colour x, Colour y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
Colour Shade(Colour c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}
Colour Faded(Colour c, float a) {
    return {c.r, c.g, c.b, c.a * a};
}

// Dark but opaque: pure black would turn transparent when the game loads an image masked.
const Colour kInk = Rgb(14, 12, 24);

// Premultiplied float pixels; shapes are laid over each other with source-over blending.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), px_(size_t(w) * h) {}
    int width() const { return w_; }
    int height() const { return h_; }

    void Blend(int x, int y, Colour c, float coverage) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0) return;
        float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
        Pixel& p = px_[size_t(y) * w_ + x];
        p.r = c.r * a + p.r * (1 - a);
        p.g = c.g * a + p.g * (1 - a);
        p.b = c.b * a + p.b * (1 - a);
        p.a = a + p.a * (1 - a);
    }
    Colour At(int x, int y) const {
        const Pixel& p = px_[size_t(y) * w_ + x];
        if (p.a <= 0) return Rgb(0, 0, 0, 0);
        return Rgb(p.r / p.a, p.g / p.a, p.b / p.a, p.a);
    }

private:
    struct Pixel {
        float r = 0, g = 0, b = 0, a = 0;
    };
    int w_, h_;
    std::vector<Pixel> px_;
};

uint32_t Pack(Colour c) {
    auto channel = [](float v) { return uint32_t(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    uint32_t a = channel(c.a * 255);
    if (a == 0) return 0;
    uint32_t r = channel(c.r), g = channel(c.g), b = channel(c.b);
    if (r + g + b == 0) r = g = b = 1;  // masking would drop a pure black pixel
    return a << 24 | r << 16 | g << 8 | b;
}

// Fully transparent pixels next to a shape take its colour (still with alpha 0), so smooth
// scaling does not pull a dark fringe in from the empty background.
void BleedColour(Bitmap& b, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        Bitmap before = b;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x) {
                if (before.at(x, y) != 0) continue;
                int sum[3] = {0, 0, 0}, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= b.width || ny >= b.height) continue;
                        uint32_t p = before.at(nx, ny);
                        if (p == 0) continue;
                        sum[0] += int(p >> 16 & 255), sum[1] += int(p >> 8 & 255), sum[2] += int(p & 255);
                        ++n;
                    }
                if (n > 0)
                    b.at(x, y) = uint32_t(std::max(1, sum[0] / n)) << 16 | uint32_t(sum[1] / n) << 8 |
                                 uint32_t(sum[2] / n);
            }
    }
}

Bitmap ToBitmap(const Canvas& c) {
    Bitmap b;
    b.width = c.width();
    b.height = c.height();
    b.pixels.resize(size_t(b.width) * b.height);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) b.at(x, y) = Pack(c.At(x, y));
    BleedColour(b, 2);
    return b;
}

// A small fixed-seed generator, so every run scatters stars and noise the same way.
class Random {
public:
    explicit Random(uint32_t seed) : s_(seed) {}
    uint32_t Next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    float Unit() { return float(Next() >> 8) / 16777216.0f; }  // 0..1
    float Signed() { return Unit() * 2 - 1; }                  // -1..1
    int Below(int n) { return int(Next() % uint32_t(n)); }

private:
    uint32_t s_;
};

// ---- shapes as signed distances (negative inside), painted with anti-aliased edges ---------

using Sdf = std::function<float(float, float)>;
using Paint = std::function<Colour(float, float)>;

struct Area {
    int x0, y0, x1, y1;  // x1, y1 exclusive
};

Paint Solid(Colour c) {
    return [c](float, float) { return c; };
}
Paint Vertical(Colour top, Colour bottom, float y0, float y1) {
    return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Sdf Circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}
Sdf RoundBox(float cx, float cy, float hw, float hh, float r) {
    return [=](float x, float y) {
        float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
        return std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r;
    };
}
Sdf Capsule(float ax, float ay, float bx, float by, float r) {
    return [=](float x, float y) {
        float px = x - ax, py = y - ay, ex = bx - ax, ey = by - ay;
        float t = std::clamp((px * ex + py * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
        return std::hypot(px - ex * t, py - ey * t) - r;
    };
}
struct Point {
    float x, y;
};
// Exact distance to a closed polygon (even-odd inside test).
Sdf Polygon(std::vector<Point> v) {
    return [v](float x, float y) {
        float d = (x - v[0].x) * (x - v[0].x) + (y - v[0].y) * (y - v[0].y), s = 1;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y, wx = x - v[i].x, wy = y - v[i].y;
            float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
            float bx = wx - ex * t, by = wy - ey * t;
            d = std::min(d, bx * bx + by * by);
            bool a = (y >= v[i].y), b = (y < v[j].y), c = (ex * wy > ey * wx);
            if ((a && b && c) || (!a && !b && !c)) s = -s;
        }
        return s * std::sqrt(d);
    };
}
Sdf Unite(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Both(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Above(float limit) {
    return [=](float, float y) { return y - limit; };
}
Sdf Cut(Sdf a, Sdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Stroke(Sdf a, float width) {
    return [=](float x, float y) { return std::fabs(a(x, y)) - width / 2; };
}
Sdf Moved(Sdf a, float dx, float dy) {
    return [=](float x, float y) { return a(x - dx, y - dy); };
}
Sdf Grown(Sdf a, float d) {
    return [=](float x, float y) { return a(x, y) - d; };
}

void Fill(Canvas& c, Area area, const Sdf& sd, const Paint& paint) {
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float coverage = std::clamp(0.5f - sd(px, py), 0.0f, 1.0f);
            if (coverage > 0) c.Blend(x, y, paint(px, py), coverage);
        }
}

void Fill(Canvas& c, Area area, const Sdf& sd, Colour colour) {
    Fill(c, area, sd, Solid(colour));
}

Area Whole(const Canvas& c) {
    return {0, 0, c.width(), c.height()};
}

// A soft shadow: the shape's coverage blurred by distance, laid down in ink.
void SoftShadow(Canvas& c, Area area, const Sdf& sd, float dx, float dy, float softness, float alpha) {
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            float d = sd(x + 0.5f - dx, y + 0.5f - dy);
            float k = std::clamp(0.5f - d / softness, 0.0f, 1.0f);
            c.Blend(x, y, kInk, k * k * (3 - 2 * k) * alpha);
        }
}

// ---- bevelled tiles ------------------------------------------------------------------------

// A rounded square lit from the top left: a dark rim, a bevel whose sides catch or lose the
// light by their direction, and a face that darkens slightly towards the bottom.
void DrawTile(Canvas& c, float x, float y, float size, Colour base, float radius, float bevel) {
    float h = size / 2, cx = x + h, cy = y + h;
    Area area{int(x) - 1, int(y) - 1, int(x + size) + 2, int(y + size) + 2};
    Fill(c, area, RoundBox(cx, cy, h, h, radius), Solid(kInk));
    Sdf inner = RoundBox(cx, cy, h - 1.2f, h - 1.2f, radius - 1);
    Paint lit = [=](float px, float py) {
        float depth = -inner(px, py);
        float nx = inner(px + 0.5f, py) - inner(px - 0.5f, py),
              ny = inner(px, py + 0.5f) - inner(px, py - 0.5f);
        float len = std::hypot(nx, ny);
        float light = len > 0 ? -(nx + ny) * 0.7071f / len : 0;  // +1 facing the top left
        Colour face = Shade(base, 1.0f - 0.10f * (py - y) / size);
        Colour side = light > 0 ? Mix(base, Rgb(255, 255, 255, base.a), 0.85f * light)
                                : Shade(base, 1.0f + 0.5f * light);
        float band = std::clamp(bevel + 0.5f - depth, 0.0f, 1.0f);
        return Mix(face, side, band);
    };
    Fill(c, area, inner, lit);
}

// ---- text ----------------------------------------------------------------------------------

// Coverage 0..1 of a piece of text, cropped to its ink plus a margin for outlines and shadows.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> v;
    float At(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : v[size_t(y) * w + x]; }
};

Mask TextMask(const char* font, int size, const std::string& text, int tracking, int margin) {
    std::string error;
    std::unique_ptr<platform::FaceRaster> face = platform::FaceRaster::open(font, size, &error);
    if (!face) {
        std::fprintf(stderr, "assetgen: %s (install the font package; scripts/deps does)\n", error.c_str());
        std::exit(1);
    }
    struct Placed {
        platform::GlyphImage glyph;
        int x, y;
    };
    std::vector<Placed> glyphs;
    int pen = 0, x0 = 1 << 20, y0 = 1 << 20, x1 = -(1 << 20), y1 = -(1 << 20);
    for (unsigned char ch : text) {
        Placed p{face->render(ch), 0, 0};
        p.x = pen + p.glyph.left;
        p.y = p.glyph.top;
        if (p.glyph.width > 0) {
            x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
            x1 = std::max(x1, p.x + p.glyph.width), y1 = std::max(y1, p.y + p.glyph.height);
        }
        pen += p.glyph.advance + tracking;
        glyphs.push_back(std::move(p));
    }
    Mask m;
    m.w = x1 - x0 + 2 * margin;
    m.h = y1 - y0 + 2 * margin;
    m.v.assign(size_t(m.w) * m.h, 0.0f);
    for (const Placed& p : glyphs)
        for (int gy = 0; gy < p.glyph.height; ++gy)
            for (int gx = 0; gx < p.glyph.width; ++gx) {
                float& cell = m.v[size_t(p.y - y0 + margin + gy) * m.w + (p.x - x0 + margin + gx)];
                cell = std::min(1.0f, cell + p.glyph.coverage[size_t(gy) * p.glyph.width + gx] / 255.0f);
            }
    return m;
}

// Grows the ink by a radius (for outlines).
Mask Dilated(const Mask& m, float radius) {
    Mask out = m;
    int r = int(std::ceil(radius));
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    float reach = std::clamp(radius + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, m.At(x + dx, y + dy) * reach);
                }
            out.v[size_t(y) * m.w + x] = best;
        }
    return out;
}

Mask Blurred(const Mask& m, int radius) {
    Mask out = m;
    for (int pass = 0; pass < 3; ++pass)
        for (int axis = 0; axis < 2; ++axis) {
            Mask src = out;
            for (int y = 0; y < m.h; ++y)
                for (int x = 0; x < m.w; ++x) {
                    float sum = 0;
                    for (int k = -radius; k <= radius; ++k) sum += axis ? src.At(x, y + k) : src.At(x + k, y);
                    out.v[size_t(y) * m.w + x] = sum / float(2 * radius + 1);
                }
        }
    return out;
}

void PaintMask(Canvas& c, const Mask& m, int ox, int oy, const Paint& paint, float opacity = 1) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float k = m.At(x, y);
            if (k > 0)
                c.Blend(ox + x, oy + y, paint(float(ox + x) + 0.5f, float(oy + y) + 0.5f), k * opacity);
        }
}

struct TextLook {
    Colour top, bottom;      // fill gradient over the ink's height
    float outline = 0;       // ink-coloured rim, pixels
    float shadowOffset = 0;  // soft ink shadow below right
    int shadowBlur = 2;
    float shadowAlpha = 0.6f;
    float emboss = 0;  // lightens the ink's top-left edges and darkens the others
};

// Text centred on (cx, cy): shadow, outline, then the embossed gradient fill.
void DrawText(Canvas& c, const Mask& m, int cx, int cy, const TextLook& look) {
    int ox = cx - m.w / 2, oy = cy - m.h / 2;
    Mask rim = look.outline > 0 ? Dilated(m, look.outline) : m;
    if (look.shadowOffset > 0) {
        int d = int(look.shadowOffset);
        PaintMask(c, Blurred(rim, look.shadowBlur), ox + d, oy + d, Solid(kInk), look.shadowAlpha);
    }
    if (look.outline > 0) PaintMask(c, rim, ox, oy, Solid(kInk));
    Paint fill = [&](float px, float py) {
        int lx = int(px) - ox, ly = int(py) - oy;
        Colour base = Mix(look.top, look.bottom, std::clamp(float(ly) / float(m.h), 0.0f, 1.0f));
        float edge = m.At(lx - 1, ly - 1) - m.At(lx + 1, ly + 1);
        return edge >= 0 ? Mix(base, Rgb(255, 255, 255), edge * look.emboss)
                         : Shade(base, 1 + edge * look.emboss);
    };
    PaintMask(c, m, ox, oy, fill);
}

// ---- the icon strip: 64 cells of 16 x 16 -----------------------------------------------------

struct Icon {
    Canvas& c;
    float ox, oy;
    Area area;

    Icon(Canvas& canvas, int frame)
        : c(canvas),
          ox(float(frame % 8 * 16)),
          oy(float(frame / 8 * 16)),
          area{int(ox), int(oy), int(ox) + 16, int(oy) + 16} {}
    Sdf Local(const Sdf& sd) const { return Moved(sd, ox, oy); }
    void Fill(const Sdf& sd, const Paint& paint) const { ::Fill(c, area, Local(sd), paint); }
    void Fill(const Sdf& sd, Colour colour) const { Fill(sd, Solid(colour)); }
    // The usual look: light grey to white (the game tints icons) with a dark drop shadow.
    void Glyph(const Sdf& sd) const {
        Fill(Moved(sd, 1, 1), Faded(kInk, 0.7f));
        Fill(sd, Vertical(Rgb(255, 255, 255), Rgb(200, 204, 214), oy + 2, oy + 14));
    }
};

Sdf Arrow(float angleDegrees) {
    float a = angleDegrees * kTau / 360, cs = std::cos(a), sn = std::sin(a);
    Sdf right = Unite(Polygon({{13.5f, 8}, {8, 2.5f}, {8, 13.5f}}), RoundBox(5.5f, 8, 3.5f, 2, 0.5f));
    return [=](float x, float y) {  // rotated about the cell's centre
        float dx = x - 8, dy = y - 8;
        return right(8 + dx * cs + dy * sn, 8 - dx * sn + dy * cs);
    };
}

Sdf Star(float cx, float cy, float outer, float inner, int points) {
    std::vector<Point> v;
    for (int i = 0; i < 2 * points; ++i) {
        float a = float(i) * kTau / float(2 * points), r = i % 2 ? inner : outer;
        v.push_back({cx + r * std::sin(a), cy - r * std::cos(a)});
    }
    return Polygon(v);
}

// Frame 0: the engine test's sprite, a four-pointed spark.
void Spark(const Icon& i) {
    i.Fill(Circle(8, 8, 6.5f), [&](float x, float y) {
        float d = std::hypot(x - i.ox - 8, y - i.oy - 8) / 6.5f;
        return Rgb(255, 220, 120, 0.45f * (1 - d) * (1 - d));
    });
    Sdf spark = Unite(Polygon({{8, 0.5f}, {9.4f, 8}, {8, 15.5f}, {6.6f, 8}}),
                      Polygon({{0.5f, 8}, {8, 6.6f}, {15.5f, 8}, {8, 9.4f}}));
    i.Fill(spark, Rgb(255, 236, 170));
    i.Fill(Circle(8, 8, 2.2f), Rgb(255, 255, 255));
}

// Frame 7: the history graph's point, centred on the cell.
void Dot(const Icon& i) {
    i.Fill(Circle(8, 8, 5.2f), Faded(kInk, 0.85f));
    i.Fill(Circle(8, 8, 4.0f), [&](float x, float y) {
        float d = std::hypot(x - i.ox - 6.8f, y - i.oy - 6.8f) / 5.5f;
        return Mix(Rgb(255, 255, 255), Rgb(190, 190, 196), std::clamp(d, 0.0f, 1.0f));
    });
}

Sdf MonitorStand() {
    return Unite(RoundBox(8, 13, 1, 1.5f, 0), RoundBox(8, 14.5f, 3.5f, 0.8f, 0.5f));
}

// Frames 11 and 12: the resolution button, a 4:3 and a widescreen monitor.
void Monitor(const Icon& i, float hw, float hh) {
    Sdf frame = RoundBox(8, 11.5f - hh, hw, hh, 1.2f);
    i.Glyph(Unite(frame, MonitorStand()));
    i.Fill(Grown(frame, -1.4f), Vertical(Rgb(120, 150, 200), Rgb(70, 80, 120), i.oy + 2, i.oy + 11));
    i.Fill(
        Capsule(9.5f - hw, 10.5f - 2 * hh + 1.0f, 10.0f - hw + hh, 10.5f - 2 * hh + 1.0f + hh * 0.6f, 0.5f),
        Faded(Rgb(255, 255, 255), 0.7f));
}

// Frame 13: windowed, a window with a title bar.
void Windowed(const Icon& i) {
    Sdf window = RoundBox(8, 8.5f, 6.5f, 5.5f, 1);
    i.Glyph(window);
    i.Fill(RoundBox(8, 10.0f, 5.0f, 3.0f, 0.5f), Rgb(70, 80, 120));
    i.Fill(Circle(12, 5, 0.8f), Rgb(120, 120, 130));
}

// Frame 14: full screen, four corners pushed outwards around a filled screen.
void FullScreen(const Icon& i) {
    Sdf corners = Unite(Unite(Polygon({{1, 1}, {6, 1}, {1, 6}}), Polygon({{15, 1}, {10, 1}, {15, 6}})),
                        Unite(Polygon({{1, 15}, {6, 15}, {1, 10}}), Polygon({{15, 15}, {10, 15}, {15, 10}})));
    i.Glyph(Unite(corners, RoundBox(8, 8, 3.5f, 2.5f, 0.5f)));
}

void Gear(const Icon& i) {
    Sdf teeth = Circle(8, 8, 5);
    for (int k = 0; k < 8; ++k) {
        float a = float(k) * kTau / 8;
        teeth = Unite(teeth, Capsule(8, 8, 8 + 6.5f * std::cos(a), 8 + 6.5f * std::sin(a), 1.3f));
    }
    i.Glyph(Cut(teeth, Circle(8, 8, 2)));
}

void Gamepad(const Icon& i) {
    i.Glyph(Unite(RoundBox(8, 9, 7, 3.5f, 3), Unite(Circle(3.5f, 11, 2.8f), Circle(12.5f, 11, 2.8f))));
    i.Fill(Unite(RoundBox(4.5f, 8.5f, 2, 0.6f, 0), RoundBox(4.5f, 8.5f, 0.6f, 2, 0)), Rgb(60, 64, 90));
    i.Fill(Unite(Circle(11, 9.5f, 0.9f), Circle(12.8f, 7.8f, 0.9f)), Rgb(60, 64, 90));
}

void Keyboard(const Icon& i) {
    i.Glyph(RoundBox(8, 8.5f, 7, 4.5f, 1));
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 5; ++k)
            i.Fill(RoundBox(3.5f + 2.25f * k, 6.5f + 2 * row, 0.7f, 0.6f, 0), Rgb(70, 74, 96));
    i.Fill(RoundBox(8, 11, 4, 0.6f, 0), Rgb(70, 74, 96));
}

// Frames 18..20: three rising bars with 3, 2 or 1 of them lit (system and renderer choices).
void Bars(const Icon& i, int lit) {
    for (int k = 0; k < 3; ++k) {
        float h = 3.5f + 2.8f * k;
        Sdf bar = RoundBox(3.5f + 4.5f * k, 14 - h, 1.6f, h, 0.6f);
        if (k < lit) {
            i.Glyph(bar);
        } else {
            i.Fill(bar, Rgb(70, 74, 90));
            i.Fill(Grown(bar, -0.9f), Rgb(40, 42, 56));
        }
    }
}

// Frames 21 and 22: the two halves of a slider's track (drawn 3.1 times wider, unsmoothed).
void Track(const Icon& i, bool left) {
    Sdf groove = left ? Capsule(3, 8, 22, 8, 2.5f) : Capsule(-6, 8, 13, 8, 2.5f);
    i.Fill(groove, kInk);
    i.Fill(Grown(groove, -1), Vertical(Rgb(120, 124, 140), Rgb(245, 245, 250), i.oy + 6.5f, i.oy + 9.5f));
}

// Frame 23: the slider's knob (drawn one and a half times taller).
void Knob(const Icon& i) {
    Sdf knob = RoundBox(7.5f, 8, 3.5f, 6, 1.8f);
    i.Fill(Grown(knob, 1), kInk);
    i.Fill(knob, Vertical(Rgb(255, 255, 255), Rgb(170, 170, 180), i.oy + 2, i.oy + 14));
    for (int k = 0; k < 3; ++k) i.Fill(RoundBox(7.5f, 6 + 2 * k, 1.8f, 0.4f, 0), Rgb(110, 110, 120));
}

Sdf Speaker() {
    return Unite(RoundBox(2.3f, 8, 1.5f, 2.1f, 0.4f), Polygon({{2.3f, 8}, {6.6f, 3.4f}, {6.6f, 12.6f}}));
}
Sdf Wave(float radius) {
    Sdf ring = Stroke(Circle(5, 8, radius), 1.3f);
    return [=](float x, float y) {
        return std::max({ring(x, y), std::fabs(y - 8) - radius * 0.8f, 7.8f - x});
    };
}

// Frames 24..29: audio drivers, one look per position in the driver list.
void AudioIcon(const Icon& i, int kind) {
    switch (kind) {
        case 0:
            i.Glyph(Unite(Speaker(), Unite(Wave(4.6f), Wave(8))));
            break;
        case 1:
            i.Glyph(Unite(Speaker(), Wave(4.6f)));
            break;
        case 2:
            i.Glyph(Unite(Cut(Stroke(Circle(8, 9, 5.5f), 1.6f), RoundBox(8, 12.5f, 8, 3.5f, 0)),
                          Unite(RoundBox(3, 11, 1.6f, 2.8f, 1), RoundBox(13, 11, 1.6f, 2.8f, 1))));
            break;
        case 3:
            i.Glyph(Unite(Unite(Circle(5.5f, 12, 2.4f), RoundBox(7.3f, 7, 0.6f, 5, 0)),
                          Polygon({{6.7f, 2}, {12.5f, 4}, {12.5f, 6.5f}, {6.7f, 4.5f}})));
            break;
        case 4:
            i.Glyph(Unite(Speaker(),
                          Unite(Capsule(10, 5.5f, 14, 10.5f, 0.8f), Capsule(14, 5.5f, 10, 10.5f, 0.8f))));
            break;
        default:
            i.Glyph(RoundBox(8, 8, 5, 5, 1));
            for (int k = 0; k < 3; ++k)
                i.Fill(Unite(RoundBox(1.5f, 5 + 3 * k, 1.5f, 0.6f, 0),
                             RoundBox(14.5f, 5 + 3 * k, 1.5f, 0.6f, 0)),
                       Rgb(200, 204, 214));
            i.Fill(RoundBox(8, 8, 2.5f, 2.5f, 0.5f), Rgb(70, 74, 96));
    }
}

// Frame 63: the mouse pointer, its tip on the cell's top-left pixel.
void Pointer(const Icon& i) {
    Sdf arrow = Polygon(
        {{0, 0}, {0, 14.2f}, {3.6f, 11.0f}, {6.2f, 15.6f}, {8.6f, 14.5f}, {6.2f, 10.2f}, {10.8f, 10.2f}});
    i.Fill(Moved(arrow, 1, 1), Faded(kInk, 0.4f));
    i.Fill(arrow, kInk);
    i.Fill(Grown(arrow, -1.0f), Vertical(Rgb(255, 255, 255), Rgb(176, 206, 255), i.oy + 1, i.oy + 15));
}

void GenericIcon(const Icon& i, int frame) {
    switch (frame) {
        case 1:
            i.Glyph(Unite(Capsule(3, 8.5f, 6.5f, 12, 1.4f), Capsule(6.5f, 12, 13, 4.5f, 1.4f)));
            break;
        case 2:
            i.Glyph(Unite(Capsule(4, 4, 12, 12, 1.4f), Capsule(12, 4, 4, 12, 1.4f)));
            break;
        case 3:
            i.Glyph(Unite(RoundBox(8, 8, 5.5f, 1.5f, 0.5f), RoundBox(8, 8, 1.5f, 5.5f, 0.5f)));
            break;
        case 4:
            i.Glyph(RoundBox(8, 8, 5.5f, 1.5f, 0.5f));
            break;
        case 5:
            i.Glyph(Arrow(180));
            break;
        case 6:
            i.Glyph(Arrow(0));
            break;
        case 8:
            i.Glyph(Arrow(-90));
            break;
        case 9:
            i.Glyph(Arrow(90));
            break;
        case 10:
            i.Glyph(Star(8, 8.5f, 7, 3, 5));
            break;
        case 15:
            Gear(i);
            break;
        case 16:
            Gamepad(i);
            break;
        case 17:
            Keyboard(i);
            break;
        case 30:
            i.Glyph(Unite(Unite(RoundBox(8, 6, 4.5f, 4, 3), RoundBox(8, 11, 1, 2, 0)),
                          RoundBox(8, 13.5f, 3.5f, 1, 0.4f)));
            break;  // a cup
        case 31:
            i.Glyph(Circle(8, 8, 6.5f));
            i.Fill(Unite(Capsule(8, 8, 8, 4, 0.7f), Capsule(8, 8, 10.5f, 9.5f, 0.7f)), Rgb(70, 74, 96));
            break;  // a clock
        case 32:
            i.Glyph(Unite(RoundBox(3.5f, 8, 0.8f, 6.5f, 0), Polygon({{4, 2}, {13.5f, 4.5f}, {4, 8.5f}})));
            break;
        case 33:
            i.Glyph(Unite(Unite(Circle(5.5f, 6, 3.2f), Circle(10.5f, 6, 3.2f)),
                          Polygon({{2.5f, 7.5f}, {13.5f, 7.5f}, {8, 14}})));
            break;  // a heart
        case 34:
            i.Glyph(Polygon({{8, 1.5f}, {14, 8}, {8, 14.5f}, {2, 8}}));
            break;
        case 35:
            i.Glyph(Stroke(Circle(8, 8, 5.5f), 2));
            break;
        case 36:
            i.Glyph(RoundBox(8, 8, 5.5f, 5.5f, 1));
            break;
        case 37:
            i.Glyph(Polygon({{8, 2}, {14, 13.5f}, {2, 13.5f}}));
            break;
        case 38:
            i.Glyph(Unite(RoundBox(5.5f, 8, 1.8f, 5.5f, 0.5f), RoundBox(10.5f, 8, 1.8f, 5.5f, 0.5f)));
            break;
        case 39:
            i.Glyph(Polygon({{4, 2}, {13.5f, 8}, {4, 14}}));
            break;
        default:
            break;  // spare cells stay empty
    }
}

void DrawIcon(Canvas& c, int frame) {
    Icon i(c, frame);
    if (frame == 0)
        Spark(i);
    else if (frame == 7)
        Dot(i);
    else if (frame == 11)
        Monitor(i, 6, 4.5f);
    else if (frame == 12)
        Monitor(i, 7.5f, 3.6f);
    else if (frame == 13)
        Windowed(i);
    else if (frame == 14)
        FullScreen(i);
    else if (frame >= 18 && frame <= 20)
        Bars(i, 21 - frame);
    else if (frame == 21 || frame == 22)
        Track(i, frame == 21);
    else if (frame == 23)
        Knob(i);
    else if (frame >= 24 && frame <= 29)
        AudioIcon(i, frame - 24);
    else if (frame == 63)
        Pointer(i);
    else
        GenericIcon(i, frame);
}

Bitmap Icons() {
    Canvas c(128, 128);
    for (int frame = 0; frame < 64; ++frame) DrawIcon(c, frame);
    return ToBitmap(c);
}

// ---- logos ---------------------------------------------------------------------------------

void LetterTile(Canvas& c, float x, float y, float size, Colour colour, char letter) {
    float h = size / 2;
    SoftShadow(c, Whole(c), RoundBox(x + h, y + h, h, h, 10), 3, 4, 6, 0.6f);
    DrawTile(c, x, y, size, colour, 10, 5);
    TextLook look{Rgb(255, 255, 255), Rgb(236, 236, 246), 2.5f, 2, 1, 0.5f, 0.35f};
    DrawText(c, TextMask(kBebas, 76, std::string(1, letter), 0, 6), int(x + h), int(y + h), look);
}

// The game's title: TAVIK and MORROW as lettered tiles on a sliding-puzzle board, with the
// hole at the end of the first row and the K caught sliding into it. The bottom rows stay
// empty: the title screen draws its start button just under the logo.
Bitmap GameLogo() {
    constexpr float kSize = 84, kStep = 92, kLeft = 28, kTop = 14;
    Canvas c(600, 224);
    const Colour colours[2][6] = {
        {Rgb(255, 170, 70), Rgb(255, 120, 100), Rgb(240, 96, 150), Rgb(190, 110, 230), Rgb(140, 130, 255)},
        {Rgb(80, 170, 255), Rgb(60, 200, 230), Rgb(70, 215, 170), Rgb(120, 220, 110), Rgb(200, 225, 90),
         Rgb(255, 210, 80)}};
    const std::string words[2] = {"TAVIK", "MORROW"};
    Sdf board = RoundBox(300, kTop + kStep - 4, 3 * kStep + 6, kStep + 6, 16);
    Fill(c, Whole(c), board, Faded(Rgb(20, 18, 44), 0.78f));
    Fill(c, Whole(c), Stroke(board, 2.5f), Rgb(120, 110, 200));
    const float slide = kSize * 0.35f, kx = kLeft + 4 * kStep + slide;
    for (int k = 0; k < 3; ++k)  // motion lines behind the sliding K
        Fill(c, Whole(c), Capsule(kx - 30 + 6 * k, kTop + 24 + 18 * k, kx - 8, kTop + 24 + 18 * k, 1.5f),
             Faded(Rgb(200, 200, 255), 0.6f));
    for (int row = 0; row < 2; ++row)
        for (size_t col = 0; col < words[row].size(); ++col) {
            float x = kLeft + float(col) * kStep + (row == 0 && col == 4 ? slide : 0);
            LetterTile(c, x, kTop + float(row) * kStep, kSize, colours[row][col], words[row][col]);
        }
    return ToBitmap(c);
}

// A writing quill from its nib to its tip: a curved vane with a few split barbs, and the shaft.
void DrawQuill(Canvas& c, Point nib, Point tip) {
    float dx = tip.x - nib.x, dy = tip.y - nib.y, length = std::hypot(dx, dy);
    float ux = dx / length, uy = dy / length;
    Sdf vane = [=](float x, float y) {
        float u = (x - nib.x) * ux + (y - nib.y) * uy, v = (x - nib.x) * -uy + (y - nib.y) * ux;
        float s = std::clamp((u - 0.22f * length) / (0.78f * length), 0.0f, 1.0f);
        float w = 11 * std::pow(std::sin(3.14159f * s), 0.7f) + 0.01f;
        float bend = 5 * s * s;
        float left = -0.6f * w + bend, right = w + bend;
        float across = std::fabs(v - (left + right) / 2) - (right - left) / 2;
        float split = 99;
        for (float at : {0.45f, 0.62f, 0.78f}) {  // notches where barbs have parted
            float su = u - at * length - 0.5f * (v - bend);
            if (v > bend) split = std::min(split, std::fabs(su) - 0.6f);
        }
        return std::max({across, 0.22f * length - u, u - length, -split});
    };
    Fill(c, Whole(c), Moved(vane, 2, 3), Faded(kInk, 0.5f));
    Fill(c, Whole(c), vane, [=](float x, float y) {
        float v = (x - nib.x) * -uy + (y - nib.y) * ux;
        return Mix(Rgb(255, 252, 240), Rgb(196, 186, 176), std::clamp(v / 12, 0.0f, 1.0f));
    });
    Fill(c, Whole(c), Capsule(nib.x + 4 * ux, nib.y + 4 * uy, tip.x - 3 * ux, tip.y - 3 * uy, 0.9f),
         Rgb(150, 118, 80));
    Fill(c, Whole(c), Capsule(nib.x, nib.y, nib.x + 7 * ux, nib.y + 7 * uy, 1.3f), Rgb(60, 50, 44));
}

// The framework's plate: "Tolmarsh's" over QUILLBARROW with ENGINE below, and a quill.
Bitmap FrameworkLogo() {
    Canvas c(320, 160);
    Sdf plate = RoundBox(160, 80, 154, 74, 18);
    SoftShadow(c, Whole(c), plate, 3, 4, 6, 0.7f);
    Fill(c, Whole(c), plate, Vertical(Rgb(40, 44, 84), Rgb(18, 18, 40), 6, 154));
    Fill(c, Whole(c), Stroke(Grown(plate, -4), 3), Vertical(Rgb(255, 226, 140), Rgb(190, 130, 50), 6, 154));
    Fill(c, Whole(c), Stroke(Grown(plate, -9), 1), Faded(Rgb(255, 220, 140), 0.5f));
    DrawQuill(c, {222, 60}, {298, 14});
    TextLook gold{Rgb(255, 240, 170), Rgb(235, 160, 50), 2.5f, 3, 2, 0.7f, 0.5f};
    TextLook pale{Rgb(236, 236, 255), Rgb(190, 196, 230), 2, 2, 1, 0.6f, 0.2f};
    DrawText(c, TextMask(kCantarellBold, 20, "Tolmarsh's", 1, 4), 160, 36, pale);
    DrawText(c, TextMask(kBebas, 58, "QUILLBARROW", 2, 6), 160, 82, gold);
    Fill(c, Whole(c), Capsule(60, 124, 104, 124, 1), Rgb(255, 220, 140));
    Fill(c, Whole(c), Capsule(216, 124, 260, 124, 1), Rgb(255, 220, 140));
    DrawText(c, TextMask(kCantarellBold, 17, "ENGINE", 5, 4), 160, 124, pale);
    return ToBitmap(c);
}

// The community's sign: a hill with a round door under a moon, and the name below.
Bitmap CommunityLogo() {
    Canvas c(256, 192);
    Sdf disc = Circle(128, 70, 62);
    SoftShadow(c, Whole(c), disc, 3, 4, 6, 0.7f);
    Fill(c, Whole(c), disc, Vertical(Rgb(34, 30, 96), Rgb(90, 70, 160), 8, 132));
    Sdf hill = [](float x, float y) { return (92 - 30 * std::exp(-(x - 120) * (x - 120) / 2600.0f)) - y; };
    Fill(c, Whole(c), Cut(Circle(160, 40, 13), Circle(166, 36, 11)), Rgb(255, 244, 200));
    Fill(c, Whole(c), Both(disc, hill), Vertical(Rgb(110, 200, 110), Rgb(40, 110, 70), 60, 132));
    Sdf door = Unite(Circle(120, 94, 12), RoundBox(120, 104, 12, 10, 0));
    Fill(c, Whole(c), Both(door, Above(112)), Rgb(120, 70, 40));
    Fill(c, Whole(c), Both(Grown(door, -3), Above(112)), Rgb(255, 196, 90));
    Fill(c, Whole(c), Circle(126, 102, 1.6f), Rgb(120, 70, 40));
    Fill(c, Whole(c), Stroke(disc, 4), Vertical(Rgb(240, 240, 255), Rgb(170, 180, 230), 8, 132));
    TextLook look{Rgb(255, 255, 255), Rgb(200, 214, 255), 3, 3, 2, 0.7f, 0.4f};
    DrawText(c, TextMask(kBebas, 52, "HOLLOWDEN", 3, 6), 128, 162, look);
    return ToBitmap(c);
}

// ---- the title art: three 64 x 64 pixel-art layers, shown 24 times enlarged ----------------

// Sets one art pixel of cell `frame` (the strip is four cells side by side).
struct ArtCell {
    Canvas& c;
    int frame;
    void Set(int x, int y, Colour colour) const {
        if (x >= 0 && y >= 0 && x < 64 && y < 64) c.Blend(frame * 64 + x, y, colour, 1);
    }
};

// Frame 0, the back layer (slides in from above): stars, a moon with its halo, thin clouds.
void SkyLayer(const ArtCell& art) {
    Random r(2871);
    for (int k = 0; k < 46; ++k) {
        int x = 3 + r.Below(58), y = 8 + r.Below(26);
        float bright = r.Unit();
        art.Set(x, y, Mix(Rgb(70, 70, 130), Rgb(235, 235, 255), bright * bright));
        if (bright <= 0.85f) continue;
        for (int d = -1; d <= 1; d += 2) {  // the brightest twinkle
            art.Set(x + d, y, Rgb(130, 130, 200, 0.45f));
            art.Set(x, y + d, Rgb(130, 130, 200, 0.45f));
        }
    }
    const float mx = 36, my = 18;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float d = std::hypot(x + 0.5f - mx, y + 0.5f - my);
            if (d < 4.2f) {
                float lit =
                    std::clamp(1.1f - std::hypot(x + 0.5f - mx + 1.5f, y + 0.5f - my + 1.5f) / 7, 0.0f, 1.0f);
                art.Set(x, y, Mix(Rgb(210, 204, 170), Rgb(255, 250, 220), lit));
            } else if (d < 8) {
                art.Set(x, y, Rgb(150, 150, 220, 0.4f * (8 - d) / 3.8f));
            }
        }
    art.Set(35, 19, Rgb(200, 192, 156));  // craters
    art.Set(37, 16, Rgb(208, 200, 164));
    art.Set(38, 17, Rgb(208, 200, 164));
    const int clouds[3][3] = {{39, 21, 8}, {15, 26, 6}, {52, 13, 5}};  // centre x, row, half length
    for (const auto& cl : clouds)
        for (int x = cl[0] - cl[2]; x <= cl[0] + cl[2]; ++x) {
            int inset = std::abs(x - cl[0]) > cl[2] - 3 ? 1 : 0;  // rounded ends
            art.Set(x, cl[1], Rgb(54, 48, 112, 0.85f));
            if (!inset) art.Set(x, cl[1] - 1, Rgb(110, 104, 184, 0.85f));
        }
}

float Ridge(float x, float base, const float (*bumps)[3], int count) {
    float top = base;
    for (int k = 0; k < count; ++k)
        top -= bumps[k][1] * std::exp(-(x - bumps[k][0]) * (x - bumps[k][0]) / bumps[k][2]);
    return top;
}

// Frame 2, the middle layer (slides in from below): two ranges of hills with lit windows.
void HillLayer(const ArtCell& art) {
    const float far[4][3] = {{8, 6, 40}, {27, 4, 30}, {50, 7, 50}, {62, 3, 20}};
    const float near[4][3] = {{0, 5, 60}, {18, 6, 70}, {38, 3, 40}, {56, 6, 60}};
    for (int x = 0; x < 64; ++x) {
        int farTop = int(Ridge(float(x), 32, far, 4)), nearTop = int(Ridge(float(x), 36, near, 4));
        for (int y = farTop; y < nearTop; ++y)
            art.Set(x, y, y == farTop ? Rgb(78, 68, 146, 0.9f) : Rgb(42, 36, 90, 0.88f));
        for (int y = nearTop; y < 64; ++y) {
            float depth = std::clamp(float(y - nearTop) / 14, 0.0f, 1.0f);
            art.Set(x, y, y == nearTop ? Rgb(92, 80, 164) : Mix(Rgb(34, 28, 74), Rgb(18, 16, 42), depth));
        }
    }
    const int windows[6][2] = {{9, 35}, {10, 35}, {24, 34}, {45, 37}, {46, 37}, {57, 33}};
    for (const auto& w : windows) art.Set(w[0], w[1] + 2, Rgb(255, 204, 110));
}

constexpr int kWaterRow = 34;

void MereWater(const ArtCell& art) {
    Random r(5150);
    for (int y = kWaterRow; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float t = std::clamp(float(y - kWaterRow) / 22, 0.0f, 1.0f);
            art.Set(x, y, Mix(Rgb(190, 196, 232), Rgb(44, 48, 100), std::pow(t, 0.8f)));
        }
    for (int k = 1; k <= 3; ++k)  // mist over the far shore
        for (int x = 0; x < 64; ++x) art.Set(x, kWaterRow - k, Rgb(190, 196, 232, 0.32f / float(k)));
    for (int k = 0; k < 26; ++k) {  // ripples
        int y = kWaterRow + 1 + r.Below(20), x = r.Below(60), len = 2 + r.Below(5);
        for (int i = 0; i < len; ++i) art.Set(x + i, y, Rgb(255, 255, 255, 0.18f));
    }
    const int path[6] = {3, 2, 2, 1, 1, 1};  // the moon's light on the water, narrowing
    for (int k = 0; k < 6; ++k)
        for (int i = 0; i < path[k]; ++i)
            art.Set(36 + i - path[k] / 2, kWaterRow + 1 + 2 * k, Rgb(250, 248, 230, 0.75f));
}

// A dark bank sloping down to the water from one edge, over [from, to).
void Bank(const ArtCell& art, int from, int to, bool left) {
    for (int x = from; x < to; ++x) {
        float reach = left ? float(to - x) / float(to - from) : float(x - from) / float(to - from);
        int top = kWaterRow + 2 - int(5 * reach);
        for (int y = top; y < 64; ++y) art.Set(x, y, y == top ? Rgb(40, 36, 70) : Rgb(20, 18, 40));
    }
}

// Frame 1, the front layer (slides in from below): a pale misty mere between reed banks, light
// enough behind the difficulty labels for their dark blue to read.
void MereLayer(const ArtCell& art) {
    MereWater(art);
    Bank(art, 0, 16, true);
    Bank(art, 47, 64, false);
    const int reeds[14][2] = {{1, 24},  {3, 27},  {4, 22},  {6, 26},  {8, 23},  {11, 28}, {13, 31},
                              {49, 30}, {51, 26}, {53, 23}, {55, 27}, {58, 22}, {60, 25}, {62, 28}};
    for (const auto& reed : reeds) {
        int x = reed[0], top = reed[1];
        for (int y = top; y < kWaterRow + 4; ++y) art.Set(x, y, Rgb(18, 16, 36));
        if (top >= 28) continue;
        art.Set(x, top + 2, Rgb(70, 44, 40));  // a bulrush head
        art.Set(x, top + 3, Rgb(70, 44, 40));
        art.Set(x + 1, top + 3, Rgb(54, 36, 36));
    }
}

Bitmap MenuArt() {
    Canvas c(256, 64);
    SkyLayer({c, 0});
    MereLayer({c, 1});
    HillLayer({c, 2});
    return ToBitmap(c);  // cell 3 is spare and stays empty
}

// ---- the tile and the badges ---------------------------------------------------------------

// Drawn 1.3 times larger into a 96-unit cell and tinted, so it is a light neutral grey.
Bitmap TileImage() {
    Canvas c(74, 74);
    DrawTile(c, 0, 0, 74, Rgb(236, 236, 238), 9, 5);
    Fill(c, Whole(c), Stroke(RoundBox(37, 37, 27, 27, 5), 1.2f), Faded(Rgb(150, 150, 160), 0.35f));
    return ToBitmap(c);
}

Colour Hue(float h) {
    auto channel = [h](float offset) {
        float k = std::fmod(h * 6 + offset, 6.0f);
        return 255 * (1 - std::max(0.0f, std::min({k, 4 - k, 1.0f})) * 0.75f);
    };
    return Rgb(channel(5), channel(3), channel(1));
}

// Sixteen medals: the ring's metal by row (bronze, silver, gold, crystal), the enamel by badge.
Bitmap Badges() {
    Canvas c(256, 256);
    const Colour metals[4] = {Rgb(214, 140, 80), Rgb(210, 214, 226), Rgb(255, 208, 80), Rgb(160, 230, 255)};
    TextLook look{Rgb(255, 255, 255), Rgb(226, 226, 236), 2.5f, 2, 1, 0.6f, 0.4f};
    for (int k = 0; k < 16; ++k) {
        float cx = float(k % 4 * 64 + 32), cy = float(k / 4 * 64 + 32);
        Area cell{k % 4 * 64, k / 4 * 64, k % 4 * 64 + 64, k / 4 * 64 + 64};
        SoftShadow(c, cell, Circle(cx, cy, 27), 2, 3, 4, 0.6f);
        Fill(c, cell, Circle(cx, cy, 28), kInk);
        Fill(c, cell, Circle(cx, cy, 26.5f),
             Vertical(Mix(metals[k / 4], Rgb(255, 255, 255), 0.45f), Shade(metals[k / 4], 0.6f), cy - 26,
                      cy + 26));
        Fill(c, cell, Circle(cx, cy, 20), kInk);
        Colour enamel = Hue(float(k) / 16);
        Fill(c, cell, Circle(cx, cy, 19), Vertical(enamel, Shade(enamel, 0.55f), cy - 19, cy + 19));
        Fill(c, cell, Star(cx, cy + 1, 15, 6.5f, 5), Faded(Rgb(255, 255, 255), 0.25f));
        DrawText(c, TextMask(kBebas, 30, std::to_string(k + 1), 1, 4), int(cx), int(cy), look);
    }
    return ToBitmap(c);
}

// ---- sounds: 16-bit mono PCM at 44100 Hz --------------------------------------------------

constexpr int kRate = 44100;
using Samples = std::vector<float>;

void WriteWav(const std::string& path, const Samples& samples) {
    std::vector<uint8_t> bytes;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
    };
    auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    uint32_t data = uint32_t(samples.size() * 2);
    tag("RIFF"), put(36 + data, 4), tag("WAVE");
    tag("fmt "), put(16, 4), put(1, 2), put(1, 2), put(kRate, 4), put(kRate * 2, 4), put(2, 2), put(16, 2);
    tag("data"), put(data, 4);
    for (float s : samples)
        put(uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)))), 2);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    if (!ok) std::exit(1);
}

void Normalise(Samples& s, float peak) {
    float most = 0;
    for (float v : s) most = std::max(most, std::fabs(v));
    if (most > 0)
        for (float& v : s) v *= peak / most;
}

// Band-pass biquad (the audio cookbook's constant 0 dB peak form).
class BandPass {
public:
    BandPass(float freq, float q) {
        float w = kTau * freq / kRate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
        b0_ = alpha / a0, b2_ = -alpha / a0, a1_ = -2 * std::cos(w) / a0, a2_ = (1 - alpha) / a0;
    }
    float Run(float x) {
        float y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
        return y;
    }

private:
    float b0_, b2_, a1_, a2_, x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// 002: a tile sliding one cell: a soft rough scrape that ends in a muffled wooden knock.
Samples Slide() {
    Samples out(size_t(kRate * 0.17f));
    Random noise(9002);
    BandPass low(900, 1.1f), high(2300, 1.8f), click(1500, 0.7f);
    const float stop = 0.085f;
    float soft = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate, n = noise.Signed();
        float rough = 0.7f + 0.3f * std::sin(kTau * 43 * t + 2 * std::sin(kTau * 13 * t));
        float swell = std::min(t / 0.015f, 1.0f) * (t < stop ? 1.0f : std::exp(-(t - stop) * 140));
        soft += (4 * (low.Run(n) + 0.2f * high.Run(n)) - soft) * 0.2f;  // a gentle top cut
        float scrape = soft * rough * swell * (1 - 2.5f * t);
        float k = t - stop, knock = 0;
        if (k >= 0)
            knock = 0.6f * std::sin(kTau * 210 * k) * std::exp(-k * 55) +
                    0.35f * std::sin(kTau * 560 * k) * std::exp(-k * 90) +
                    1.5f * click.Run(n) * std::exp(-k * 700);
        out[i] = scrape + knock;
    }
    Normalise(out, 0.5f);
    return out;
}

// 098: a menu choice, a short bright blip of two sines a fifth apart with a tiny upward glide.
Samples Blip() {
    Samples out(size_t(kRate * 0.11f));
    float phase1 = 0, phase2 = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / kRate, glide = 0.94f + 0.06f * std::min(t / 0.012f, 1.0f);
        phase1 += kTau * 880 * glide / kRate, phase2 += kTau * 1320 * glide / kRate;
        float env = std::min(t / 0.002f, 1.0f) * std::exp(-t * 38);
        out[i] = env * (std::sin(phase1) + 0.35f * std::sin(phase2) + 0.12f * std::sin(2 * phase1));
    }
    Normalise(out, 0.55f);
    return out;
}

// A struck bell-like note: a few partials, the higher ones dying sooner.
void AddBell(Samples& out, float start, float freq, float gain, float decay) {
    const float partials[4][3] = {{1, 1, 1}, {2, 0.32f, 1.8f}, {3, 0.12f, 2.6f}, {4.16f, 0.07f, 4}};
    for (size_t i = size_t(start * kRate); i < out.size(); ++i) {
        float t = float(i) / kRate - start, v = 0;
        for (const auto& p : partials)
            v += p[1] * std::sin(kTau * freq * p[0] * t) * std::exp(-t * p[2] / decay);
        out[i] += gain * v * std::min(t / 0.003f, 1.0f);
    }
}

// A little room: four feedback combs mixed back under the dry sound.
void AddRoom(Samples& s, float wet) {
    const float delays[4] = {0.0297f, 0.0371f, 0.0411f, 0.0437f};
    Samples dry = s;
    for (float d : delays) {
        size_t n = size_t(d * kRate);
        Samples comb(dry.size(), 0.0f);
        for (size_t i = 0; i < dry.size(); ++i) comb[i] = dry[i] + (i >= n ? 0.72f * comb[i - n] : 0.0f);
        for (size_t i = 0; i < s.size(); ++i) s[i] += wet * 0.25f * (i >= n ? comb[i - n] : 0.0f);
    }
}

// badgeget: the start-up jingle, a rising G-C-E-G arpeggio that rings out on a C major chord.
Samples Jingle() {
    Samples out(size_t(kRate * 1.3f), 0.0f);
    const float arpeggio[4] = {392.0f, 523.25f, 659.26f, 783.99f};
    for (int k = 0; k < 4; ++k) AddBell(out, 0.085f * float(k), arpeggio[k], 0.5f, 0.22f);
    const float chord[4] = {523.25f, 659.26f, 783.99f, 1046.5f};
    for (float f : chord) AddBell(out, 0.36f, f, 0.3f, 0.5f);
    AddBell(out, 0.36f, 130.81f, 0.35f, 0.6f);
    AddRoom(out, 0.5f);
    for (size_t i = 0; i < out.size(); ++i) {  // fade the tail to silence
        float left = float(out.size() - i) / (0.25f * kRate);
        if (left < 1) out[i] *= left;
    }
    Normalise(out, 0.7f);
    return out;
}

// ---- output --------------------------------------------------------------------------------

void Save(const Bitmap& b, const std::string& path) {
    bool ok = platform::encodePngFile(b, path, 9);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    if (!ok) std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    std::string root = argc > 1 ? argv[1] : "data/Files";
    std::string common = root + "/Common/", game = root + "/287/";
    std::error_code error;
    std::filesystem::create_directories(common, error);
    std::filesystem::create_directories(game, error);
    Save(Icons(), common + "icons.png");
    Save(FrameworkLogo(), common + "logo.png");
    Save(CommunityLogo(), common + "Hollowden.png");
    Save(Badges(), game + "badges.png");
    Save(GameLogo(), game + "logo.png");
    Save(MenuArt(), game + "menu.png");
    Save(TileImage(), game + "box.png");
    WriteWav(common + "badgeget.wav", Jingle());
    WriteWav(game + "002.wav", Slide());
    WriteWav(game + "098.wav", Blip());
    return 0;
}
