// The play screen driven frame by frame: moves, colours, the clock and both ways a round ends.
#include "puzzle/play_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "puzzle/board.h"
#include "scores/score_file.h"
#include "tests/puzzle/solver.h"
#include "tests/screen_fixture.h"

namespace {

using namespace puzzle;
using testsupport::Effect;
using testsupport::EffectsAre;

constexpr uint32_t kGrey = 0xA0A0A0, kRed = 0xFF3737, kGreen = 0x37FF37, kLightBlue = 0xC8C8FF;

class PlayScreenTest : public testsupport::ScreenTest {
protected:
    static void Press(int c, int r) {
        PointAt(CellLeft(c) + 48, CellTop(r) + 48);
        Feed("mouse down left");
    }
    // A spot on the tile clear of its clue texts.
    uint32_t TileColour(int c, int r) { return Pixel(CellLeft(c) + 8, CellTop(r) + 48); }
    static void EndSoon() { app::shared.RoundTimer = 0; }
    static bool Near(uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16})
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
        return true;
    }
};

struct Spot {
    int column, row;
};

Spot Hole() {
    Spot h{0, 0};
    testsupport::FindHole(h.column, h.row);
    return h;
}

// A tile beside the hole, and one diagonal to it, both on the board.
Spot Beside(Spot h) { return {h.column > 0 ? h.column - 1 : h.column + 1, h.row}; }
Spot Diagonal(Spot h) { return {h.column > 0 ? h.column - 1 : 1, h.row > 0 ? h.row - 1 : 1}; }
Spot Distant(Spot h) { return {h.column >= 3 ? h.column - 3 : h.column + 3, h.row}; }

TEST(ClueTextTest, ArrowsPointHomeAndZeroOffsetsPrintNothing) {
    app::ResetSharedState();
    const struct {
        int dx, dy;
        std::vector<std::string> texts;
    } cases[] = {
        {3, 0, {"< 3"}}, {-2, 0, {"2 >"}}, {0, 1, {"^ 1"}}, {0, -4, {"4 v"}}, {-5, 5, {"5 >", "^ 5"}}, {0, 0, {}},
    };
    for (const auto& c : cases) {
        Cell(2, 3, ClueDx) = c.dx;
        Cell(2, 3, ClueDy) = c.dy;
        std::vector<std::string> texts;
        for (const Clue& clue : ClueTexts(2, 3)) texts.push_back(clue.text);
        EXPECT_EQ(texts, c.texts) << c.dx << "," << c.dy;
    }
    Cell(2, 3, ClueDx) = 1, Cell(2, 3, ClueDy) = -1;
    const std::vector<Clue> both = ClueTexts(2, 3);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].top, 24);
    EXPECT_EQ(both[1].top, 72);
    EXPECT_EQ(std::vector<int>(both[1].shadow, both[1].shadow + 3), (std::vector<int>{55, 50, 0}));
    EXPECT_EQ(std::vector<int>(both[1].light, both[1].light + 3), (std::vector<int>{255, 250, 200}));
}

TEST_F(PlayScreenTest, APressMovesOneTileOnceAndMovingBackNeedsANewPress) {
    Spot hole{}, tile{};
    int kind = 0;
    OnFrame([&](int frame) {
        auto& s = app::shared;
        if (frame == 1) {
            hole = Hole(), tile = Beside(hole);
            kind = Cell(tile.column, tile.row, TileKind);
            TakeEffects();
            Press(tile.column, tile.row);
        } else if (frame == 2) {
            EXPECT_EQ(Cell(hole.column, hole.row, TileKind), kind);
            EXPECT_EQ(Cell(tile.column, tile.row, TileKind), kHole);
            EXPECT_TRUE(EffectsAre(TakeEffects(), {{2, 1.0f}}));
            PointAt(CellLeft(hole.column) + 48, CellTop(hole.row) + 48);  // still held
        } else if (frame <= 6) {
            EXPECT_EQ(Cell(hole.column, hole.row, TileKind), kind) << "frame " << frame;
            EXPECT_TRUE(TakeEffects().empty());
            EXPECT_TRUE(Near(TileColour(hole.column, hole.row), kGreen) || kind >= kFirstClueKind);
            if (frame == 6) Feed("mouse up left");
        } else if (frame == 7) {
            Feed("mouse down left");
        } else if (frame == 8) {
            EXPECT_EQ(Cell(tile.column, tile.row, TileKind), kind);
            EXPECT_EQ(Cell(hole.column, hole.row, TileKind), kHole);
            EXPECT_TRUE(EffectsAre(TakeEffects(), {{2, 1.0f}}));
            EXPECT_EQ(s.RoundState, kPlaying);
            EndSoon();
        }
    });
    PlayRound();
    EXPECT_EQ(app::shared.PauseState, app::kPauseNotAllowed);
}

TEST_F(PlayScreenTest, TilesAwayFromTheHoleTurnRedAndDoNotMove) {
    const struct {
        const char* name;
        Spot (*pick)(Spot);
    } cases[] = {{"diagonal", Diagonal}, {"distant", Distant}};
    for (const auto& c : cases) {
        std::vector<int> dealt;
        Spot target{};
        OnFrame([&](int frame) {
            if (frame == 1) {
                target = c.pick(Hole());
                dealt.assign(&Cell(0, 0, TileKind), &Cell(0, 0, TileKind) + 6 * 36);
                TakeEffects();
                Press(target.column, target.row);
            } else if (frame == 3) {
                std::vector<int> now(&Cell(0, 0, TileKind), &Cell(0, 0, TileKind) + 6 * 36);
                EXPECT_EQ(now, dealt) << c.name;
                EXPECT_TRUE(TakeEffects().empty()) << c.name;
                if (Cell(target.column, target.row, TileKind) < kFirstClueKind) {
                    EXPECT_TRUE(Near(TileColour(target.column, target.row), kRed)) << c.name;
                }
                Feed("mouse up left");
                EndSoon();
            }
        });
        PlayRound();
    }
}

TEST_F(PlayScreenTest, AClueTileAtHomeIsLightBlueUnlessThePointerIsOnIt) {
    Spot clue{-1, -1};
    OnFrame([&](int frame) {
        if (frame == 1) {
            // Declare one clue tile at home where it stands; the others stay away.
            for (int c = 0; c < kColumns && clue.column < 0; ++c)
                for (int r = 0; r < kRows && clue.column < 0; ++r)
                    if (Cell(c, r, TileKind) >= kFirstClueKind && (Cell(c, r, HomeColumn) != c || Cell(c, r, HomeRow) != r))
                        clue = {c, r};
            ASSERT_GE(clue.column, 0);
            Cell(clue.column, clue.row, HomeColumn) = clue.column;
            Cell(clue.column, clue.row, HomeRow) = clue.row;
            PointAt(5, 5);
        } else if (frame == 2) {
            ASSERT_FALSE(BoardSolved()) << "the deal needs a second clue tile away from home";
            EXPECT_TRUE(Near(TileColour(clue.column, clue.row), kLightBlue));
            PointAt(CellLeft(clue.column) + 48, CellTop(clue.row) + 48);
        } else if (frame == 3) {
            EXPECT_TRUE(Near(TileColour(clue.column, clue.row), CanMove(clue.column, clue.row) ? kGreen : kRed));
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r)
                    if (Cell(c, r, TileKind) == kPlainTile && (c != clue.column || r != clue.row) && !CanMove(c, r)) {
                        EXPECT_TRUE(Near(TileColour(c, r), kGrey)) << c << "," << r;
                    }
            EndSoon();
        }
    });
    PlayRound();
}

TEST_F(PlayScreenTest, TheClockCountsFramesAndScoresWholeSecondsLeft) {
    OnFrame([&](int frame) {
        auto& s = app::shared;
        if (frame == 1) {
            EXPECT_EQ(s.RoundTimer, kRoundFrames - 1);
            EXPECT_EQ(s.RoundScore, 240);
            s.RoundTimer = 60;
        } else if (frame == 2) {
            EXPECT_EQ(s.RoundScore, 1);
            EXPECT_EQ(s.RoundTimer, 59);
        } else if (frame == 3) {
            EXPECT_EQ(s.RoundScore, 0);
            EndSoon();
        }
    });
    PlayRound();
}

TEST_F(PlayScreenTest, ASolvedRoundEndsCompleteWithTheSecondsLeftAndItsBanner) {
    std::vector<testsupport::Move> moves;
    size_t next = 0;
    int completeAt = 0, lastFrame = 0;
    OnFrame([&](int frame) {
        auto& s = app::shared;
        lastFrame = frame;
        if (frame == 1) {
            const auto dealt = s.Board;
            ASSERT_TRUE(testsupport::SolveByMoves(&moves));
            s.Board = dealt;
        }
        if (s.RoundState == kComplete && completeAt == 0) {
            completeAt = frame;
            EXPECT_EQ(s.RoundScore, 100);
        }
        if (completeAt && frame == completeAt + 45) {
            EXPECT_EQ(s.RoundScore, 100);
            EXPECT_TRUE(Near(Pixel(20, 576 + 20), 0xBFBF00)) << std::hex << Pixel(20, 596);  // the yellow band
        }
        if (next >= moves.size()) return;
        if (frame % 2 == 1) {
            if (next + 1 == moves.size()) s.RoundTimer = 6030;  // 100.5 s left at the last move
            Press(moves[next].column, moves[next].row);
        } else {
            Feed("mouse up left");
            ++next;
        }
    });
    PlayRound();
    auto& s = app::shared;
    EXPECT_EQ(s.RoundState, kComplete);
    EXPECT_EQ(s.RoundScore, 100);
    EXPECT_EQ(s.EndFrames, kBannerFrames);
    EXPECT_EQ(lastFrame, completeAt + kBannerFrames - 1);
    EXPECT_TRUE(BoardSolved());
    ASSERT_EQ(s.LocalScores.size(), 1u);  // the round's record, stamped now
    const scores::Scores& record = *s.LocalScores.front();
    EXPECT_EQ(record.Score, 100);
    EXPECT_EQ(record.Name, "Player");
    EXPECT_EQ(record.GameMode, s.Difficulty);
    EXPECT_EQ(record.Quit, 0);
    EXPECT_LE(scores::MakeTimestamp() - record.Timestamp, 1);
}

TEST_F(PlayScreenTest, ARoundLeftAloneEndsTimeUpAfter14400Frames) {
    int timeUpAt = 0, lastFrame = 0;
    OnFrame([&](int frame) {
        auto& s = app::shared;
        lastFrame = frame;
        if (frame == kRoundFrames) {
            EXPECT_EQ(s.RoundState, kPlaying);
        }
        if (s.RoundState == kTimeUp && timeUpAt == 0) timeUpAt = frame;
        if (frame == kRoundFrames + 30) {
            EXPECT_EQ(s.RoundScore, 0);
            EXPECT_TRUE(Near(Pixel(20, 596), 0xBF0000)) << std::hex << Pixel(20, 596);  // the red band
        }
    });
    PlayRound();
    auto& s = app::shared;
    EXPECT_EQ(timeUpAt, kRoundFrames + 1);
    EXPECT_EQ(lastFrame, kRoundFrames + kBannerFrames);
    EXPECT_EQ(s.RoundState, kTimeUp);
    EXPECT_EQ(s.RoundTimer, 0);
    EXPECT_EQ(s.RoundScore, 0);
    ASSERT_EQ(s.LocalScores.size(), 1u);
    EXPECT_EQ(s.LocalScores.front()->Score, 0);
}

}  // namespace
