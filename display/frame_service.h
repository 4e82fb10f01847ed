// Where every frame of every screen ends: hot keys, overlay, pointer, pacing, presenting.
#pragma once

namespace display {

constexpr int kPointerFrame = 63;
constexpr double kFrameMs = 1000.0 / 60.0;

// Ends the frame. Returns 0, or the pause menu's result when it ran during this call.
int FrameService(int showPointer);

// The pacing wait ends once the clock reaches this.
double PacingDeadline(double previousEnd);
// The smoothed frame rate after a frame of `durationMs`.
int SmoothedFps(int smoothed, int durationMs);

// Called first in every FrameService call, with the screen's frame drawn but not yet presented.
// Tests and benchmarks look at the frame or feed input from here.
using FrameObserver = void (*)();
void SetFrameObserver(FrameObserver observer);

// Hands the program to the farewell; never returns.
using FarewellHandler = void (*)();
void SetFarewellHandler(FarewellHandler handler);

}  // namespace display
