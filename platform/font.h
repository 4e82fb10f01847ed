// Anti-aliased TrueType/OpenType fonts. Handle 0 is the built-in default font.
#pragma once
#include <string>

namespace platform {

int loadFont(const std::string& path, int pixelSize);  // 0 when the file cannot be used
void freeFont(int font);
void setFont(int font);  // 0 or an unknown handle selects the built-in default font
int currentFont();

// Measured in the current font at scale 1. Text is 8-bit: one byte per character (Latin-1).
int textWidth(const std::string& text);
int fontHeight();

}  // namespace platform
