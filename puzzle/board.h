// The 6x6 board: its deal, moves, clue offsets, solved test, and the round timer.
#pragma once
#include <functional>

namespace puzzle {

constexpr int kColumns = 6, kRows = 6;
constexpr int kRoundFrames = 14400;  // 240 s at 60 frames per second
constexpr int kScrambleSwaps = 256;
constexpr int kHole = 0, kPlainTile = 1, kFirstClueKind = 3, kLastClueKind = 20;

enum Field : int { TileKind = 0, HomeColumn = 1, HomeRow = 2, ClueDx = 3, ClueDy = 4, Spare = 5 };
constexpr int kFieldCount = 6;
constexpr int kScratchCell = 88;  // Board 880..885

int& Cell(int column, int row, Field field);

// Uniform integer in lo..hi; the platform's shared generator unless a test swaps it.
using RandomSource = std::function<int(int lo, int hi)>;
void SetRandomSource(RandomSource source);  // empty = the platform's generator

void DealBoard();
void SwapCells(int column1, int row1, int column2, int row2);

// True when the hole is directly left of, above, right of or below (column, row).
bool CanMove(int column, int row);
// Slides the tile at (column, row) into the hole when CanMove; false (and no change) otherwise.
bool TryMove(int column, int row);
bool BoardSolved();

// One frame of the round clock, in the play screen's order: a timer below 1 is set to 0 and
// means time up; RoundScore becomes the whole seconds left; then, only while `playing` and not
// out of time, RoundTimer counts down by one. Returns true when time is up.
bool TickRoundTimer(bool playing);

}  // namespace puzzle
