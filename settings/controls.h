// Game actions read through binding codes: keys 10..254, joystick inputs 300..499.
#pragma once

namespace settings {

constexpr int kControlUp = 0, kControlLeft = 3, kControlRight = 5, kControlDown = 8;
constexpr int kControlAction1 = 10, kControlAction2 = 11, kControlAction3 = 12, kControlAction4 = 13;
constexpr int kControlsPerPlayer = 20;

// 1 while the input named by `code` is held, else 0.
int ControlTest(int code);
// ControlTest of player p's (1..4) binding for control c (0..19).
int ControlHeld(int control, int player);
// The binding code of the first input held, or 0 (also 0 while F11 or F12 is held).
int AnyInputHeld();

}  // namespace settings
