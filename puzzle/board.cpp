#include "puzzle/board.h"

#include <algorithm>

#include "app/shared_state.h"
#include "platform/clock.h"

namespace puzzle {
namespace {

RandomSource injected;

int Draw(int lo, int hi) { return injected ? injected(lo, hi) : platform::randomInt(lo, hi); }

int Index(int column, int row, int field) { return (row * 10 + column) * 10 + field; }

void LayHome() {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            Cell(c, r, TileKind) = kPlainTile;
            Cell(c, r, HomeColumn) = c;
            Cell(c, r, HomeRow) = r;
            Cell(c, r, ClueDx) = c;
            Cell(c, r, ClueDy) = r;
        }
    Cell(0, 0, TileKind) = kHole;
}

void PlaceClueTiles(int count) {
    for (int i = 0; i < count; ++i) {
        int c, r;
        do {
            c = Draw(0, kColumns - 1);
            r = Draw(0, kRows - 1);
        } while (Cell(c, r, TileKind) != kPlainTile);
        Cell(c, r, TileKind) = Draw(kFirstClueKind, kLastClueKind);
    }
}

// Neighbour of (c, r) in direction d (0 up, 1 right, 2 down, 3 left); false off the board.
bool Neighbour(int c, int r, int d, int& nc, int& nr) {
    static const int dc[4] = {0, 1, 0, -1}, dr[4] = {-1, 0, 1, 0};
    nc = c + dc[d];
    nr = r + dr[d];
    return nc >= 0 && nc < kColumns && nr >= 0 && nr < kRows;
}

void Scramble() {
    for (int i = 0; i < kScrambleSwaps; ++i) {
        int c, r, d, nc, nr;
        do {
            c = Draw(0, kColumns - 1);
            r = Draw(0, kRows - 1);
            d = Draw(0, 3);
        } while (!Neighbour(c, r, d, nc, nr));
        SwapCells(c, r, nc, nr);
    }
}

// The hole among the neighbours of (column, row), looked for left, above, right, below.
bool HoleBeside(int column, int row, int& hc, int& hr) {
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return false;
    for (int d : {3, 0, 1, 2})
        if (Neighbour(column, row, d, hc, hr) && Cell(hc, hr, TileKind) == kHole) return true;
    return false;
}

void FixClueOffsets() {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            Cell(c, r, ClueDx) = c - Cell(c, r, HomeColumn);
            Cell(c, r, ClueDy) = r - Cell(c, r, HomeRow);
        }
}

}  // namespace

int& Cell(int column, int row, Field field) { return app::shared.Board[Index(column, row, field)]; }

void SetRandomSource(RandomSource source) { injected = std::move(source); }

void DealBoard() {
    LayHome();
    // More clue tiles than plain ones would leave the placement drawing forever.
    PlaceClueTiles(std::clamp(3 * (app::shared.Difficulty + 1), 0, kColumns * kRows - 1));
    Scramble();
    FixClueOffsets();
    app::shared.RoundTimer = kRoundFrames;
}

void SwapCells(int column1, int row1, int column2, int row2) {
    auto& board = app::shared.Board;
    const int scratch = kScratchCell * 10;
    for (int f = 0; f < kFieldCount; ++f) board[scratch + f] = board[Index(column1, row1, f)];
    for (int f = 0; f < kFieldCount; ++f) board[Index(column1, row1, f)] = board[Index(column2, row2, f)];
    for (int f = 0; f < kFieldCount; ++f) board[Index(column2, row2, f)] = board[scratch + f];
}

bool CanMove(int column, int row) {
    int hc, hr;
    return HoleBeside(column, row, hc, hr);
}

bool TryMove(int column, int row) {
    int hc, hr;
    if (!HoleBeside(column, row, hc, hr)) return false;
    SwapCells(column, row, hc, hr);
    return true;
}

bool BoardSolved() {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (Cell(c, r, TileKind) >= 2 && (Cell(c, r, HomeColumn) != c || Cell(c, r, HomeRow) != r))
                return false;
    return true;
}

bool TickRoundTimer(bool playing) {
    auto& s = app::shared;
    const bool timeUp = s.RoundTimer < 1;
    if (timeUp) s.RoundTimer = 0;
    s.RoundScore = s.RoundTimer / 60;
    if (playing && !timeUp) --s.RoundTimer;
    return timeUp;
}

}  // namespace puzzle
