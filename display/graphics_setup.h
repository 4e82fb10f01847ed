// Opens the display in the chosen renderer and mode, guarded by crash.dat, and reloads
// everything that depends on it.
#pragma once

namespace display {

constexpr const char* CrashMarker = "crash.dat";

// Fills the mode list with each distinct 16:10, 16:9 or 4:3 size, finding the requested one.
void BuildModeList();
// The virtual drawing area for a display size, and whether it counts as widescreen.
void ChooseVirtualArea(int width, int height, int& virtualWidth, int& virtualHeight, int& widescreen);

void ApplyGraphicsSettings();

}  // namespace display
