#include "display/draw.h"

#include <cmath>

#include "app/shared_state.h"
#include "platform/display.h"
#include "platform/font.h"
#include "platform/image.h"

namespace display {
namespace {

constexpr int kFontFamilies = 3, kFontSizes = 9;
constexpr int kBackdropStep = 10, kBackdropStripeHeight = 30, kBackdropOverhang = 1800;

platform::Blend blendFor(int kind) {
    switch (kind) {
        case kBlendShade: return platform::Blend::Multiply;
        case kBlendLight: return platform::Blend::Additive;
        default: return platform::Blend::Alpha;
    }
}

// The centre of a frame whose top-left corner is (x, y) at scale (sx, sy).
void FrameCentre(int image, int x, int y, float sx, float sy, float& cx, float& cy) {
    cx = float(x) + float(platform::imageWidth(image)) * sx / 2;
    cy = float(y) + float(platform::imageHeight(image)) * sy / 2;
}

bool TakeBudget(int budget) {
    auto& s = app::shared;
    if (s.BudgetCounts[budget] >= s.BudgetLimits[budget]) return false;
    ++s.BudgetCounts[budget];
    return true;
}

void EaseTint() {
    auto& tint = app::shared.BackdropTint;
    const auto& target = app::shared.BackdropTarget;
    float* channels[3] = {&tint.r, &tint.g, &tint.b};
    const float targets[3] = {target.r, target.g, target.b};
    for (int i = 0; i < 3; ++i) *channels[i] -= (*channels[i] - targets[i]) / 16;
    for (int i = 0; i < 3; ++i)
        if (std::fabs(*channels[i] - targets[i]) < 0.005f) *channels[i] = targets[i];
}

}  // namespace

float ClampFloat(float v, float lo, float hi) {
    if (v > hi) return hi;
    if (v < lo) return lo;
    return v;
}

void SetDrawColour(float r, float g, float b, float a) {
    platform::setColour(int(ClampFloat(r, 0, 255)), int(ClampFloat(g, 0, 255)), int(ClampFloat(b, 0, 255)));
    if (a != AlphaUnchanged) SetDrawAlpha(a);
}

void SetDrawAlpha(float a) { platform::setAlpha(ClampFloat(a, 0, 1)); }

void SetDrawScale(float sx, float sy) { platform::setScale(sx, sy == ScaleSameAsX ? sx : sy); }
void SetDrawRotation(float angle) { platform::setRotation(angle); }
void SetBlendKind(int kind) { platform::setBlend(blendFor(kind)); }

void ResetDrawState() {
    SetDrawRotation(0);
    SetDrawScale(1, 1);
    SetDrawColour(255, 255, 255, 1.0f);
    SetBlendKind(kBlendAlpha);
}

void TextAt(int x, int y, const std::string& text, int hAlign, int vAlign) {
    int width = platform::textWidth(text), height = platform::fontHeight();
    if (hAlign == kAlignCentre) x -= width / 2;
    if (hAlign == kAlignEnd) x -= width;
    if (vAlign == kAlignCentre) y -= height / 2;
    if (vAlign == kAlignEnd) y -= height;
    platform::drawText(float(x), float(y), text);
}

void SelectFont(int family, int sizeIndex) {
    if (family < 1 || family > kFontFamilies) family = 1;
    if (sizeIndex < 0 || sizeIndex >= kFontSizes) sizeIndex = 0;
    platform::setFont(app::shared.FontTable[(family - 1) * 10 + sizeIndex]);
}

void SelectFontSlot(int slot) { platform::setFont(app::shared.FontSlots[slot]); }

bool MouseInRect(int x, int y, int w, int h) {
    const auto& s = app::shared;
    return s.PointerX > x && s.PointerY > y && s.PointerX < x + w && s.PointerY < y + h;
}

void BeginFrame(int clear) {
    if (clear == 1) platform::clearScreen();
    for (int i = 1; i <= 10; ++i) app::shared.BudgetCounts[i] = 0;
}

void DrawBudgeted(int image, int x, int y, int frame, int budget) {
    if (!app::shared.DrawnFrame() || !TakeBudget(budget)) return;
    const platform::DrawState& st = platform::drawState();
    float cx, cy;
    FrameCentre(image, x, y, st.scaleX, st.scaleY, cx, cy);
    platform::drawImage(image, cx, cy, frame);
}

void DrawGlowing(int image, int x, int y, int frame, int glowImage, float glowScale, float glowAlpha) {
    if (!app::shared.DrawnFrame()) return;
    const platform::DrawState saved = platform::drawState();
    float cx, cy;
    FrameCentre(image, x, y, saved.scaleX, saved.scaleY, cx, cy);
    if (TakeBudget(1)) platform::drawImage(image, cx, cy, frame);
    SetDrawScale(glowScale * saved.scaleX, glowScale * saved.scaleY);
    SetDrawAlpha(saved.alpha * glowAlpha);
    SetBlendKind(kBlendLight);
    if (TakeBudget(2)) platform::drawImage(glowImage != 0 ? glowImage : image, cx, cy, frame);
    SetDrawScale(saved.scaleX, saved.scaleY);
    SetDrawAlpha(saved.alpha);
    platform::setBlend(saved.blend);
}

void DrawBackdrop() {
    const auto& s = app::shared;
    ResetDrawState();
    EaseTint();
    int m = 25;
    SetDrawRotation(-45);
    for (int i = 0; i <= s.VirtualHeight; i += kBackdropStep) {
        ++m;
        SetDrawColour(float(m) * s.BackdropTint.r, float(m) * s.BackdropTint.g, float(m) * s.BackdropTint.b);
        platform::drawRect(-100, float(3 * i), float(s.VirtualWidth + kBackdropOverhang), kBackdropStripeHeight);
    }
    ResetDrawState();
}

}  // namespace display
