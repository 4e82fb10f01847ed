// Solves a dealt board with legal moves only, through the board model: tests use it to check
// that deals are solvable and to play whole rounds.
#pragma once
#include <algorithm>
#include <queue>
#include <random>
#include <vector>

#include "app/shared_state.h"
#include "puzzle/board.h"

namespace testsupport {

using namespace puzzle;  // this header is for tests only

// A press on the tile at (column, row), which slides it into the hole.
struct Move {
    int column, row;
};

inline void FindHole(int& hc, int& hr) {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (Cell(c, r, TileKind) == kHole) hc = c, hr = r;
}

// Moves the tile at cell `tile` (row * 6 + column) to cell `goal` with legal moves only,
// never disturbing locked cells: a search over (tile, hole) positions.
inline bool MoveTile(int tile, int goal, const std::vector<bool>& locked, std::vector<Move>* moves) {
    int hc = 0, hr = 0;
    FindHole(hc, hr);
    auto key = [](int t, int h) { return t * 36 + h; };
    std::vector<int> from(36 * 36, -1);
    std::queue<int> open;
    int start = key(tile, hr * 6 + hc), found = -1;
    from[size_t(start)] = start;
    open.push(start);
    const int dc[4] = {0, 1, 0, -1}, dr[4] = {-1, 0, 1, 0};
    while (!open.empty() && found < 0) {
        int state = open.front(), t = state / 36, h = state % 36;
        open.pop();
        if (t == goal) found = state;
        for (int d = 0; d < 4 && found < 0; ++d) {
            int nc = h % 6 + dc[d], nr = h / 6 + dr[d], n = nr * 6 + nc;
            if (nc < 0 || nc > 5 || nr < 0 || nr > 5 || locked[size_t(n)]) continue;
            int next = key(n == t ? h : t, n);  // the hole takes n's place; a tile at n slides over
            if (from[size_t(next)] >= 0) continue;
            from[size_t(next)] = state;
            open.push(next);
        }
    }
    if (found < 0) return false;
    std::vector<int> holes;
    for (int state = found; state != start; state = from[size_t(state)]) holes.push_back(state % 36);
    for (auto it = holes.rbegin(); it != holes.rend(); ++it) {
        if (!TryMove(*it % 6, *it / 6)) return false;
        if (moves) moves->push_back({*it % 6, *it / 6});
    }
    return true;
}

// Moves each clue tile home in the given order, leaving finished ones alone.
inline bool SolveInOrder(const std::vector<int>& homes, std::vector<Move>* moves) {
    std::vector<bool> locked(36, false);
    for (int home : homes)
        for (int cell = 0; cell < 36; ++cell) {
            int c = cell % 6, r = cell / 6;
            if (Cell(c, r, TileKind) < kFirstClueKind || locked[size_t(cell)] ||
                Cell(c, r, HomeRow) * 6 + Cell(c, r, HomeColumn) != home)
                continue;
            if (!MoveTile(cell, home, locked, moves)) return false;
            locked[size_t(home)] = true;
            break;
        }
    return BoardSolved();
}

// A deal is solvable by legal moves. Finished tiles can wall a home in, so a few orders of
// the clue tiles are tried, each from the dealt board.
inline bool SolveByMoves(std::vector<Move>* moves = nullptr) {
    std::vector<int> homes;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (Cell(c, r, TileKind) >= kFirstClueKind) homes.push_back(Cell(c, r, HomeRow) * 6 + Cell(c, r, HomeColumn));
    const auto dealt = app::shared.Board;
    std::mt19937 shuffle(7);
    for (int attempt = 0; attempt < 500; ++attempt) {
        app::shared.Board = dealt;
        if (moves) moves->clear();
        if (SolveInOrder(homes, moves)) return true;
        std::shuffle(homes.begin(), homes.end(), shuffle);
    }
    return false;
}

}  // namespace testsupport
