// Shared by the display, drawing, image and font code: the renderer and the sprite batcher.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/display.h"

namespace platform::render {

SDL_Renderer* renderer();  // null while no display is open
// Changes whenever the renderer is replaced: textures made for an older one are gone.
uint32_t generation();

// Virtual -> real pixel mapping of the open display.
struct Mapping {
    float scale = 1.0f, offsetX = 0.0f, offsetY = 0.0f;
    float clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;  // the area in real pixels
};
const Mapping& mapping();

// A textured (or plain, texture null) quad in virtual coordinates, corners in order
// top-left, top-right, bottom-right, bottom-left.
struct Quad {
    float x[4], y[4];
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
};

// Consecutive quads with the same texture and blend go to the GPU in one geometry call.
void pushQuad(SDL_Texture* texture, const Quad& quad, const DrawState& state);
void flush();
long takeQuadCount();  // quads pushed since last asked
void resetBatch();  // drops pending quads (the renderer went away)

// Places a w x h box whose local origin is (ox, oy) before scale and rotation at (x, y).
Quad placeBox(float x, float y, float left, float top, float w, float h, const DrawState& state);

SDL_BlendMode sdlBlend(Blend blend);

}  // namespace platform::render

namespace platform::render {

// Where an image frame lives in its texture (made or refreshed on demand).
struct FrameRef {
    SDL_Texture* texture = nullptr;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    int width = 0, height = 0;
    float handleX = 0, handleY = 0;
};
bool imageFrame(int image, int frame, FrameRef& out);

// Text in the current font, top-left corner at (x, y).
void drawTextQuads(float x, float y, const std::string& text, const DrawState& state);


}  // namespace platform::render

namespace platform {
struct Bitmap;
namespace render {
Bitmap* imageBitmap(int image, int frame);  // marks the image for re-upload
void dropImageTextures();
void dropFontTextures();
void freeAllImages();
void freeAllFonts();
}  // namespace render
}  // namespace platform
