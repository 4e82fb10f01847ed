// One round of the puzzle, from the deal to the end banner and the round's end.
#pragma once

namespace puzzle {

enum RoundOutcome : int { kPlaying = 0, kComplete = 1, kTimeUp = 2, kQuit = 99 };
constexpr int kBannerFrames = 91;  // the loop runs on while EndFrames is 90 or less
constexpr int kCellPitch = 98, kCellSize = 96;
constexpr float kTileScale = 1.3f;

// Runs the round on the calling thread; the caller allows pausing around it (PauseState 1).
void PlayRound();

// Top-left corner of a cell in virtual coordinates.
int CellLeft(int column);
int CellTop(int row);

}  // namespace puzzle
