// The drawing conventions every screen uses: clamped colours with sentinels, text alignment,
// the font table, sprite budgets and the striped backdrop. All coordinates are virtual.
#pragma once
#include <string>

namespace display {

// Exact bit patterns, compared for equality: "leave the alpha alone" and "same as x".
constexpr float AlphaUnchanged = 37171648.0f;
constexpr float ScaleSameAsX = -37171648.0f;

enum BlendKind : int { kBlendAlpha = 1, kBlendShade = 2, kBlendLight = 3 };
enum Align : int { kAlignStart = 0, kAlignCentre = 1, kAlignEnd = 2 };

float ClampFloat(float v, float lo, float hi);
void SetDrawColour(float r, float g, float b, float a = AlphaUnchanged);
void SetDrawAlpha(float a);
void SetDrawScale(float sx, float sy = ScaleSameAsX);
void SetDrawRotation(float angle);
void SetBlendKind(int kind);
void ResetDrawState();

void TextAt(int x, int y, const std::string& text, int hAlign, int vAlign);
void SelectFont(int family, int sizeIndex);
void SelectFontSlot(int slot);
bool MouseInRect(int x, int y, int w, int h);

void BeginFrame(int clear);
void DrawBudgeted(int image, int x, int y, int frame, int budget);
void DrawGlowing(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha);
void DrawBackdrop();

}  // namespace display
