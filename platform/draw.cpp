#include <algorithm>
#include <cmath>

#include "platform/display.h"
#include "platform/render_internal.h"

namespace platform {
namespace {

DrawState state;

struct Batch {
    SDL_Texture* texture = nullptr;
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
};
Batch batch;
long quadCount = 0;
constexpr size_t kMaxBatchQuads = 8192;

struct Corner {
    float x, y, u, v;
};
using Polygon = std::vector<Corner>;

// Keeps the part of a convex polygon on the inside of one edge (Sutherland-Hodgman).
template <typename Inside, typename Cross>
void clipEdge(Polygon& polygon, Inside inside, Cross cross) {
    Polygon out;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Corner& a = polygon[i];
        const Corner& b = polygon[(i + 1) % polygon.size()];
        bool inA = inside(a), inB = inside(b);
        if (inA) out.push_back(a);
        if (inA != inB) {
            float t = cross(a, b);
            out.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.u + (b.u - a.u) * t, a.v + (b.v - a.v) * t});
        }
    }
    polygon.swap(out);
}

// Shapes are cut to the drawing area before they reach the renderer: the software renderer
// otherwise walks the whole bounding box of a long rotated stripe. False when nothing is left.
bool clipToArea(Polygon& polygon, const render::Mapping& m) {
    float minX = polygon[0].x, maxX = minX, minY = polygon[0].y, maxY = minY;
    for (const Corner& c : polygon) {
        minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
        minY = std::min(minY, c.y), maxY = std::max(maxY, c.y);
    }
    if (maxX <= m.clipLeft || minX >= m.clipRight || maxY <= m.clipTop || minY >= m.clipBottom) return false;
    if (minX >= m.clipLeft && maxX <= m.clipRight && minY >= m.clipTop && maxY <= m.clipBottom) return true;
    clipEdge(polygon, [&](const Corner& c) { return c.x >= m.clipLeft; },
             [&](const Corner& a, const Corner& b) { return (m.clipLeft - a.x) / (b.x - a.x); });
    clipEdge(polygon, [&](const Corner& c) { return c.x <= m.clipRight; },
             [&](const Corner& a, const Corner& b) { return (m.clipRight - a.x) / (b.x - a.x); });
    clipEdge(polygon, [&](const Corner& c) { return c.y >= m.clipTop; },
             [&](const Corner& a, const Corner& b) { return (m.clipTop - a.y) / (b.y - a.y); });
    clipEdge(polygon, [&](const Corner& c) { return c.y <= m.clipBottom; },
             [&](const Corner& a, const Corner& b) { return (m.clipBottom - a.y) / (b.y - a.y); });
    return polygon.size() >= 3;
}

SDL_Color vertexColour(const DrawState& s) {
    return SDL_Color{Uint8(s.r), Uint8(s.g), Uint8(s.b), Uint8(std::lround(s.alpha * 255.0f))};
}

// Plain shapes that multiply or add are drawn from a small white texture: SDL's software
// renderer ignores those blends on untextured geometry. Alpha-blended ones stay untextured,
// which the software renderer fills much faster.
struct White {
    SDL_Texture* texture = nullptr;
    uint32_t generation = 0;
};
White white;

SDL_Texture* whiteTexture() {
    if (white.texture && white.generation == render::generation()) return white.texture;
    white.texture = nullptr;
    SDL_Renderer* r = render::renderer();
    if (!r) return nullptr;
    white.texture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 4, 4);
    if (!white.texture) return nullptr;
    const uint32_t pixels[16] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                                 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    SDL_UpdateTexture(white.texture, nullptr, pixels, 16);
    SDL_SetTextureScaleMode(white.texture, SDL_ScaleModeNearest);
    white.generation = render::generation();
    return white.texture;
}

void pushPlain(render::Quad q, const DrawState& s) {
    q.u0 = q.v0 = 0.375f;
    q.u1 = q.v1 = 0.625f;
    render::pushQuad(s.blend == Blend::Alpha ? nullptr : whiteTexture(), q, s);
}

}  // namespace

namespace render {

SDL_BlendMode sdlBlend(Blend blend) {
    switch (blend) {
        case Blend::Multiply: return SDL_BLENDMODE_MOD;
        case Blend::Additive: return SDL_BLENDMODE_ADD;
        default: return SDL_BLENDMODE_BLEND;
    }
}

void flush() {
    SDL_Renderer* r = renderer();
    if (r && !batch.indices.empty()) {
        SDL_BlendMode mode = batch.mode;
        if (batch.texture) {
            SDL_SetTextureBlendMode(batch.texture, mode);
        } else {
            SDL_SetRenderDrawBlendMode(r, mode);
        }
        SDL_RenderGeometry(r, batch.texture, batch.vertices.data(), int(batch.vertices.size()),
                           batch.indices.data(), int(batch.indices.size()));
    }
    batch.vertices.clear();
    batch.indices.clear();
}

long takeQuadCount() {
    long n = quadCount;
    quadCount = 0;
    return n;
}

void resetBatch() {
    batch.vertices.clear();
    batch.indices.clear();
    batch.texture = nullptr;
}

void pushQuad(SDL_Texture* texture, const Quad& q, const DrawState& s) {
    if (!renderer()) return;
    ++quadCount;
    // Opaque plain shapes need no blending, which spares the software renderer a lot of work.
    SDL_BlendMode mode = !texture && s.blend == Blend::Alpha && s.alpha >= 1.0f ? SDL_BLENDMODE_NONE : sdlBlend(s.blend);
    if (texture != batch.texture || mode != batch.mode || batch.vertices.size() >= kMaxBatchQuads * 4) {
        flush();
        batch.texture = texture;
        batch.mode = mode;
    }
    const Mapping& m = mapping();
    SDL_Color colour = vertexColour(s);
    const float u[4] = {q.u0, q.u1, q.u1, q.u0};
    const float v[4] = {q.v0, q.v0, q.v1, q.v1};
    Polygon polygon;
    for (int i = 0; i < 4; ++i)
        polygon.push_back({q.x[i] * m.scale + m.offsetX, q.y[i] * m.scale + m.offsetY, u[i], v[i]});
    if (!clipToArea(polygon, m)) return;
    int base = int(batch.vertices.size());
    for (const Corner& c : polygon) batch.vertices.push_back(SDL_Vertex{{c.x, c.y}, colour, {c.u, c.v}});
    for (int i = 1; i + 1 < int(polygon.size()); ++i)
        for (int k : {0, i, i + 1}) batch.indices.push_back(base + k);
}

Quad placeBox(float x, float y, float left, float top, float w, float h, const DrawState& s) {
    // Corners relative to the origin, scaled, then rotated clockwise on screen (y points down).
    const float lx[4] = {left, left + w, left + w, left};
    const float ly[4] = {top, top, top + h, top + h};
    float radians = s.rotation * float(M_PI) / 180.0f;
    float c = std::cos(radians), sn = std::sin(radians);
    Quad q;
    for (int i = 0; i < 4; ++i) {
        float px = lx[i] * s.scaleX, py = ly[i] * s.scaleY;
        q.x[i] = x + px * c - py * sn;
        q.y[i] = y + px * sn + py * c;
    }
    return q;
}

}  // namespace render

void setColour(int r, int g, int b) {
    state.r = std::clamp(r, 0, 255);
    state.g = std::clamp(g, 0, 255);
    state.b = std::clamp(b, 0, 255);
}
void setAlpha(float alpha) { state.alpha = std::isnan(alpha) ? 0.0f : std::clamp(alpha, 0.0f, 1.0f); }
void setScale(float sx, float sy) {
    state.scaleX = sx;
    state.scaleY = sy;
}
void setRotation(float degrees) { state.rotation = degrees; }
void setBlend(Blend blend) { state.blend = blend; }
const DrawState& drawState() { return state; }
void setDrawState(const DrawState& s) {
    setColour(s.r, s.g, s.b);
    setAlpha(s.alpha);
    setScale(s.scaleX, s.scaleY);
    setRotation(s.rotation);
    setBlend(s.blend);
}

void drawImage(int image, float x, float y, int frame) {
    render::FrameRef f;
    if (!render::imageFrame(image, frame, f)) return;
    render::Quad q = render::placeBox(x, y, -f.handleX, -f.handleY, float(f.width), float(f.height), state);
    q.u0 = f.u0;
    q.v0 = f.v0;
    q.u1 = f.u1;
    q.v1 = f.v1;
    render::pushQuad(f.texture, q, state);
}

void drawRect(float x, float y, float width, float height) {
    pushPlain(render::placeBox(x, y, 0, 0, width, height, state), state);
}

void drawLine(float x1, float y1, float x2, float y2) {
    // A one-real-pixel-wide quad along the line, so lines batch with everything else.
    const render::Mapping& m = render::mapping();
    float radians = state.rotation * float(M_PI) / 180.0f;
    float c = std::cos(radians), sn = std::sin(radians);
    float dx = (x2 - x1) * state.scaleX, dy = (y2 - y1) * state.scaleY;
    float ex = x1 + dx * c - dy * sn, ey = y1 + dx * sn + dy * c;
    float length = std::hypot(ex - x1, ey - y1);
    float half = 0.5f / m.scale;
    float nx = length > 0 ? -(ey - y1) / length * half : 0, ny = length > 0 ? (ex - x1) / length * half : half;
    render::Quad q;
    const float px[4] = {x1 + nx, ex + nx, ex - nx, x1 - nx};
    const float py[4] = {y1 + ny, ey + ny, ey - ny, y1 - ny};
    for (int i = 0; i < 4; ++i) {
        q.x[i] = px[i];
        q.y[i] = py[i];
    }
    pushPlain(q, state);
}

void drawText(float x, float y, const std::string& text) { render::drawTextQuads(x, y, text, state); }

}  // namespace platform
