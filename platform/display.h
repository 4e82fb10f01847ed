// Display modes, the window, the virtual drawing area, draw state and 2D drawing.
#pragma once
#include <string>

namespace platform {

struct DisplayMode {
    int width = 0, height = 0, depth = 0, refresh = 0;
};

int displayModeCount();
DisplayMode displayMode(int index);  // 0-based
bool fullscreenModeExists(int width, int height, int depth);  // any refresh rate

// 0 OpenGL, 1 and 2 the two alternative renderers. Takes effect at the next openDisplay.
void selectRenderer(int renderer);
int selectedRenderer();
const char* rendererDriverName(int renderer);  // the SDL render driver behind a renderer number

// depth 0 opens a window; otherwise a full-screen display of that depth.
bool openDisplay(int width, int height, int depth, int refresh);
void closeDisplay();
bool displayIsOpen();
int displayWidth();
int displayHeight();
void setWindowTitle(const std::string& title);

// Every drawing and pointer coordinate is virtual; the area is scaled uniformly onto the display.
void setVirtualResolution(int width, int height);
int virtualWidth();
int virtualHeight();

// Multiply ignores alpha (destination x source colour), so transparent texels darken to black.
enum class Blend { Alpha = 1, Multiply = 2, Additive = 3 };

struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1.0f;
    float scaleX = 1.0f, scaleY = 1.0f;
    float rotation = 0.0f;  // degrees, clockwise on screen
    Blend blend = Blend::Alpha;
};

void setColour(int r, int g, int b);  // clamped to 0..255
void setAlpha(float alpha);           // clamped to 0..1
void setScale(float sx, float sy);
void setRotation(float degrees);
void setBlend(Blend blend);
const DrawState& drawState();
void setDrawState(const DrawState& state);

void clearScreen();  // to black, the whole display

// Image frames are placed by their handle (the centre when auto-centring was on at load),
// then scaled and rotated about it.
void drawImage(int image, float x, float y, int frame = 0);
// Filled rectangle with its origin at (x, y), scaled and rotated about the origin.
void drawRect(float x, float y, float width, float height);
void drawLine(float x1, float y1, float x2, float y2);
// Text in the current font with its top-left corner at (x, y), scaled and rotated about it.
void drawText(float x, float y, const std::string& text);

// Ends the frame. paced = wait for the display's next refresh first (simulated on every backend).
void present(bool paced);
long presentedFrameCount();

// Copies a rectangle of the back buffer (real pixels) into frame 0 of an image. False when
// nothing could be read.
bool grabBackBuffer(int image, int x, int y);

}  // namespace platform
