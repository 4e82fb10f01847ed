#include "puzzle/play_screen.h"

#include <memory>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "audio/sound_effects.h"
#include "display/draw.h"
#include "display/frame_service.h"
#include "platform/input.h"
#include "puzzle/board.h"
#include "puzzle/palette.h"
#include "scores/score_file.h"

namespace puzzle {
namespace {

constexpr int kSlideEffect = 2;
constexpr int kCluesFrom = 2;  // tile kinds from here up carry clues (the deal uses 3 and up)
constexpr int kPaletteBlack = 0, kPalettePurple = 5, kPaletteRed = 6, kPaletteOrange = 15, kPaletteYellow = 24;

struct Loop {
    bool moveLatch = false;
    bool allHome = true;
};

bool LeftHeld() { return platform::mouseDown(1); }

// Tests the neighbours left, above, right, below; a hole among them turns the tile green and a
// fresh press slides the tile into it.
void OfferMove(Loop& loop, int c, int r) {
    const int dc[4] = {-1, 0, 1, 0}, dr[4] = {0, -1, 0, 1};
    for (int k = 0; k < 4; ++k) {
        int nc = c + dc[k], nr = r + dr[k];
        if (nc < 0 || nc >= kColumns || nr < 0 || nr >= kRows) continue;
        if (Cell(nc, nr, TileKind) != kHole) continue;
        display::SetDrawColour(55, 255, 55);
        if (LeftHeld() && !loop.moveLatch) {
            loop.moveLatch = true;
            SwapCells(c, r, nc, nr);
            audio::PlaySfx(kSlideEffect, 1, 1, 0);
        }
    }
}

void ChooseTileColour(Loop& loop, int c, int r) {
    display::SetDrawColour(160, 160, 160);
    if (Cell(c, r, TileKind) < kCluesFrom) return;
    UsePaletteColour(Cell(c, r, TileKind), 1);
    if (Cell(c, r, HomeColumn) == c && Cell(c, r, HomeRow) == r)
        display::SetDrawColour(200, 200, 255);
    else
        loop.allHome = false;
}

// A dark shadow pass, then a light pass 2 units up and left.
void DrawClues(int c, int r, int x, int y) {
    const std::vector<Clue> clues = ClueTexts(c, r);
    for (int shift : {0, 2})
        for (const Clue& clue : clues) {
            const int* rgb = shift == 0 ? clue.shadow : clue.light;
            display::SetDrawColour(rgb[0], rgb[1], rgb[2]);
            display::TextAt(x + 48 - shift, y + clue.top - shift, clue.text, 1, 1);
        }
}

void DrawCell(Loop& loop, int c, int r) {
    auto& s = app::shared;
    display::SetDrawScale(kTileScale);
    int x = CellLeft(c), y = CellTop(r);
    ChooseTileColour(loop, c, r);
    if (display::MouseInRect(x, y, kCellSize, kCellSize)) {
        display::SetDrawColour(255, 55, 55);
        OfferMove(loop, c, r);
    }
    if (Cell(c, r, TileKind) > kHole) display::DrawBudgeted(s.TileImage, x, y, 0, 1);
    display::SetDrawScale(1);
    display::SelectFont(1, 2);
    if (Cell(c, r, TileKind) < kCluesFrom) return;
    DrawClues(c, r, x, y);
}

void DrawEndBanner(int state) {
    auto& s = app::shared;
    if (state == kPlaying) return;
    display::SelectFont(1, 5);
    float x = float(s.VirtualWidth / 2), y = float(s.VirtualHeight) * 0.6f;
    if (state == kComplete)
        DrawBanner(x, y, "!!COMPLETE!!", 0, 2, kPaletteYellow, kPaletteOrange, kPaletteBlack, 0.75f);
    else if (state == kTimeUp)
        DrawBanner(x, y, "Time Up", 0, 2, kPaletteRed, kPalettePurple, kPaletteBlack, 0.75f);
    else
        DrawBanner(x, y, "Game Over", 0, 2, kPaletteRed, kPalettePurple, kPaletteBlack, 0.75f);
}

// The clock and the score; time up overrides a completion found earlier in the frame.
void RunClock() {
    auto& s = app::shared;
    display::SelectFont(1, 4);
    display::SetDrawColour(255, 255, 255);
    if (TickRoundTimer(s.RoundState == kPlaying)) s.RoundState = kTimeUp;
    display::TextAt(s.VirtualWidth / 2, 32, std::to_string(s.RoundScore), 1, 1);
    if (s.RoundState != kPlaying) ++s.EndFrames;
}

void RunFrame(Loop& loop) {
    auto& s = app::shared;
    display::BeginFrame(1);
    display::ResetDrawState();
    loop.allHome = true;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) DrawCell(loop, c, r);
    if (!LeftHeld()) loop.moveLatch = false;
    if (loop.allHome) s.RoundState = kComplete;
    RunClock();
    DrawEndBanner(s.RoundState);
    if (display::FrameService(s.MouseDriven) == kQuit) s.RoundState = kQuit;
}

void StartRound() {
    auto& s = app::shared;
    s.RoundScore = 0;
    s.RoundBadges = 0;
    for (int i = 1; i < app::kRoundBestEntries; ++i) s.RoundBest[i] = 0;
    s.EndFrames = 0;
    DealBoard();
    s.RoundState = kPlaying;
}

// Escape no longer pauses; the round leaves its record, newest first, under PlayerName.
void EndRound() {
    auto& s = app::shared;
    s.PauseState = app::kPauseNotAllowed;
    auto record = std::make_shared<scores::Scores>();
    record->Score = s.RoundScore;
    record->Timestamp = scores::MakeTimestamp();
    record->Badges = s.RoundBadges;
    record->Name = s.PlayerName;
    for (int i = 1; i < app::kRoundBestEntries; ++i) record->Best[i] = s.RoundBest[i];
    record->Level = s.RoundLevel;
    record->GameMode = s.Difficulty;
    record->GameFlags = s.RoundFlags;
    if (s.RoundState == kQuit) record->Quit = 1;
    scores::AddScore(record);
}

}  // namespace

// The arrows point from where the tile was dealt towards its home; zero offsets print nothing.
std::vector<Clue> ClueTexts(int c, int r) {
    const int dx = Cell(c, r, ClueDx), dy = Cell(c, r, ClueDy);
    std::vector<Clue> clues;
    if (dx > 0) clues.push_back({"< " + std::to_string(dx), 24, {0, 50, 55}, {200, 250, 255}});
    if (dx < 0) clues.push_back({std::to_string(-dx) + " >", 24, {0, 55, 50}, {200, 255, 250}});
    if (dy > 0) clues.push_back({"^ " + std::to_string(dy), 72, {50, 55, 0}, {250, 255, 200}});
    if (dy < 0) clues.push_back({std::to_string(-dy) + " v", 72, {55, 50, 0}, {255, 250, 200}});
    return clues;
}

int CellLeft(int column) { return column * kCellPitch + app::shared.VirtualWidth / 2 - 294; }
int CellTop(int row) { return row * kCellPitch + app::shared.VirtualHeight / 2 - 294; }

void PlayRound() {
    auto& s = app::shared;
    StartRound();
    Loop loop;
    do {
        RunFrame(loop);
    } while (s.RoundState == kPlaying || s.EndFrames <= kBannerFrames - 1);
    EndRound();
}

}  // namespace puzzle
