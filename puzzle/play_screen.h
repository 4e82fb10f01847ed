// One round of the puzzle, from the deal to the end banner and the round's end.
#pragma once
#include <string>
#include <vector>

namespace puzzle {

enum RoundOutcome : int { kPlaying = 0, kComplete = 1, kTimeUp = 2, kQuit = 99 };
constexpr int kBannerFrames = 91;  // the loop runs on while EndFrames is 90 or less
constexpr int kCellPitch = 98, kCellSize = 96;
constexpr float kTileScale = 1.3f;

// Runs the round on the calling thread; the caller allows pausing around it (PauseState 1).
void PlayRound();

// One line of a clue tile's print: drawn centred on (cell left + 48, cell top + top), first in
// the shadow colour, then in the light colour 2 units up and left.
struct Clue {
    std::string text;
    int top;  // 24 for the column clue, 72 for the row clue
    int shadow[3], light[3];
};
// The clue lines of the tile in a cell, column clue first; none for a zero offset.
std::vector<Clue> ClueTexts(int column, int row);

// Top-left corner of a cell in virtual coordinates.
int CellLeft(int column);
int CellTop(int row);

}  // namespace puzzle
