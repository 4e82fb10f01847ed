#include "puzzle/palette.h"

#include <cmath>

#include "app/shared_state.h"
#include "display/draw.h"
#include "platform/display.h"

namespace puzzle {
namespace {

constexpr int kLevels[3] = {0, 128, 255};
constexpr int kSteppedElements = 91;  // 0..90: the 28 entries and a few never-set neighbours

}  // namespace

void SetPaletteTarget(int entry, int r, int g, int b) {
    auto& p = app::shared.Palette;
    p[kTargetOffset + 3 * entry] = r;
    p[kTargetOffset + 3 * entry + 1] = g;
    p[kTargetOffset + 3 * entry + 2] = b;
}

void InitPalette() {
    for (int a = 0; a <= 26; ++a) SetPaletteTarget(a, kLevels[(a / 3) % 3], kLevels[a / 9], kLevels[a % 3]);
    SetPaletteTarget(27, 255, 100, 100);
}

void StepPalette(int step) {
    if (step <= 0) return;
    auto& p = app::shared.Palette;
    for (int i = 0; i < kSteppedElements; ++i) {
        int& current = p[i];
        int target = p[kTargetOffset + i];
        if (current < target) {
            current += step;
            if (current > target) current = target;
        }
        if (current > target) {
            current -= step;
            if (current < target) current = target;
        }
    }
}

void UsePaletteColour(int entry, float alpha) {
    if (entry > kPaletteColours - 1 || entry < 0) entry = kFallbackEntry;
    const auto& p = app::shared.Palette;
    display::SetDrawColour(float(p[3 * entry]), float(p[3 * entry + 1]), float(p[3 * entry + 2]), alpha);
}

void DrawBanner(float x, float y, const std::string& caption, float offset, int halfHeight, int bandEntry,
                int ruleEntry, int captionEntry, float alpha) {
    const float w = float(app::shared.VirtualWidth);
    const float fade = (1 - std::fabs(offset) / 16) * alpha;
    int bx = int(x + offset * 94), by = int(y);
    UsePaletteColour(bandEntry, 1);
    display::SetDrawAlpha(fade);
    platform::drawRect(float(bx) - w, float(by - 16 * halfHeight), 2 * w, float(32 * halfHeight));
    bx = int(x - offset * 94);
    UsePaletteColour(ruleEntry, 1);
    display::SetDrawAlpha(fade);
    platform::drawRect(float(bx) - w, float(by) - 19.0f * float(halfHeight) - 4 * offset, 2 * w, 6);
    platform::drawRect(float(bx) - w, float(by) + 13.0f * float(halfHeight) + 4 * offset, 2 * w, 6);
    UsePaletteColour(captionEntry, 1);
    display::SetDrawAlpha(alpha);
    display::TextAt(int(x - offset * 64), int(y), caption, 1, 1);
}

}  // namespace puzzle
