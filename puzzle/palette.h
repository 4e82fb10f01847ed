// A small indexed palette (current and target colour per entry) and the end-of-round banner.
#pragma once
#include <string>

namespace puzzle {

constexpr int kPaletteColours = 28;
constexpr int kFallbackEntry = 13;
constexpr int kTargetOffset = 200;

void SetPaletteTarget(int entry, int r, int g, int b);
void InitPalette();
void StepPalette(int step);
void UsePaletteColour(int entry, float alpha);
void DrawBanner(float x, float y, const std::string& caption, float offset, int halfHeight, int bandEntry,
                int ruleEntry, int captionEntry, float alpha);

}  // namespace puzzle
