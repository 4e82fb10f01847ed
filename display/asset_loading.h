// Loads everything that depends on the open display, on every display set-up.
#pragma once
#include <string>

namespace display {

struct FontMultipliers {
    float a = 1.0f, b = 1.0f;
};
FontMultipliers FontMultipliersFor(int screenWidth);
std::string MainFaceFor(int screenWidth);  // the file name, ".ttf" included
int FontPixels(int nominal, float multiplier);

void LoadCommonObjects();
void LoadGameAssets();
void LoadGameImages();  // the game logo, the title art and the tile

}  // namespace display
