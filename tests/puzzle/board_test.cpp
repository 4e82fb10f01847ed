#include "puzzle/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <queue>
#include <random>
#include <vector>

#include "app/shared_state.h"
#include "platform/clock.h"
#include "tests/puzzle/solver.h"

namespace {

using namespace puzzle;
using testsupport::FindHole;
using testsupport::SolveByMoves;

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::ResetSharedState();
        platform::seedRandom(287);
        SetRandomSource(nullptr);
    }
    void TearDown() override { SetRandomSource(nullptr); }
};

int CountKinds(int lo, int hi) {
    int n = 0;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) n += Cell(c, r, TileKind) >= lo && Cell(c, r, TileKind) <= hi;
    return n;
}

TEST_F(BoardTest, DealsHaveOneHoleAndThreeCluesPerDifficultyStep) {
    for (int difficulty = 0; difficulty <= 2; ++difficulty) {
        app::shared.Difficulty = difficulty;
        for (int deal = 0; deal < 40; ++deal) {
            DealBoard();
            ASSERT_EQ(CountKinds(kHole, kHole), 1);
            ASSERT_EQ(CountKinds(1, 20), 35);
            ASSERT_EQ(CountKinds(2, 2), 0);
            ASSERT_EQ(CountKinds(kFirstClueKind, kLastClueKind), 3 * (difficulty + 1));
            ASSERT_EQ(app::shared.RoundTimer, kRoundFrames);
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r) {
                    ASSERT_EQ(Cell(c, r, ClueDx), c - Cell(c, r, HomeColumn));
                    ASSERT_EQ(Cell(c, r, ClueDy), r - Cell(c, r, HomeRow));
                }
        }
    }
}

TEST_F(BoardTest, DealDrawsFromTheSharedGeneratorWithoutReseedingIt) {
    const auto board = [] { return std::vector<int>(&Cell(0, 0, TileKind), &Cell(0, 0, TileKind) + 600); };
    platform::seedRandom(99);
    DealBoard();
    const auto first = board();
    DealBoard();
    EXPECT_NE(board(), first);  // the second deal carries on where the first left the generator
    platform::seedRandom(99);
    DealBoard();
    EXPECT_EQ(board(), first);
}

TEST_F(BoardTest, AnOutOfRangeDifficultyStillDeals) {
    app::shared.Difficulty = 40;  // more clue tiles than the board holds
    DealBoard();
    EXPECT_EQ(CountKinds(kHole, kHole), 1);
    EXPECT_EQ(CountKinds(kFirstClueKind, kLastClueKind), 35);
    app::shared.Difficulty = -3;
    DealBoard();
    EXPECT_EQ(CountKinds(kFirstClueKind, kLastClueKind), 0);
    EXPECT_TRUE(BoardSolved());
}

TEST_F(BoardTest, EveryDealCanBeSolvedWithLegalMoves) {
    for (int difficulty = 0; difficulty <= 2; ++difficulty) {
        app::shared.Difficulty = difficulty;
        for (int deal = 0; deal < 10; ++deal) {
            DealBoard();
            EXPECT_TRUE(SolveByMoves()) << "difficulty " << difficulty << ", deal " << deal;
        }
    }
}

TEST_F(BoardTest, MovesOnlySlideANeighbourIntoTheHoleAndCluesStayAsDealt) {
    DealBoard();
    // A clue tile at (4, 2) whose home is (1, 3), with the hole to its left.
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) Cell(c, r, TileKind) = kPlainTile;
    Cell(4, 2, TileKind) = 7;
    Cell(4, 2, HomeColumn) = 1;
    Cell(4, 2, HomeRow) = 3;
    Cell(4, 2, ClueDx) = 3;
    Cell(4, 2, ClueDy) = -1;
    Cell(3, 2, TileKind) = kHole;
    struct Case {
        int c, r;
    };
    for (const Case& far : {Case{5, 2}, Case{1, 2}, Case{4, 3}, Case{2, 1}, Case{4, 1}, Case{2, 3}, Case{-1, 2}, Case{3, 2}}) {
        EXPECT_FALSE(CanMove(far.c, far.r)) << far.c << "," << far.r;
        EXPECT_FALSE(TryMove(far.c, far.r)) << far.c << "," << far.r;
    }
    EXPECT_EQ(Cell(3, 2, TileKind), kHole);
    EXPECT_EQ(Cell(4, 2, TileKind), 7);
    for (const Case& near : {Case{2, 2}, Case{3, 1}, Case{3, 3}, Case{4, 2}})
        EXPECT_TRUE(CanMove(near.c, near.r)) << near.c << "," << near.r;
    EXPECT_TRUE(TryMove(4, 2));
    EXPECT_EQ(Cell(3, 2, TileKind), 7);
    EXPECT_EQ(Cell(4, 2, TileKind), kHole);
    EXPECT_EQ(Cell(3, 2, ClueDx), 3);
    EXPECT_EQ(Cell(3, 2, ClueDy), -1);
}

TEST_F(BoardTest, SolvedWhenEveryClueTileIsHomeWhateverThePlainTilesDo) {
    DealBoard();
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            Cell(c, r, TileKind) = kPlainTile;
            Cell(c, r, HomeColumn) = 5 - c;  // plain tiles all far from home
            Cell(c, r, HomeRow) = 5 - r;
        }
    Cell(2, 2, TileKind) = kHole;
    EXPECT_TRUE(BoardSolved());
    Cell(1, 4, TileKind) = 12;
    Cell(1, 4, HomeColumn) = 1;
    Cell(1, 4, HomeRow) = 4;
    EXPECT_TRUE(BoardSolved());
    Cell(1, 4, HomeRow) = 3;
    EXPECT_FALSE(BoardSolved());
}

// Serves a fixed list of draws, checking each against the range asked for.
class ScriptedDraws {
public:
    struct Draw {
        int lo, hi, value;
    };
    void Add(std::initializer_list<Draw> draws) {
        for (const Draw& d : draws) script_.push_back(d);  // GCC 12 misreads a ranged insert here
    }
    void Step(int c, int r, int d) { Add({{0, 5, c}, {0, 5, r}, {0, 3, d}}); }
    int operator()(int lo, int hi) {
        if (next_ >= script_.size()) {
            ADD_FAILURE() << "draw " << next_ << " past the end of the script";
            return lo;
        }
        const Draw& d = script_[next_++];
        EXPECT_EQ(lo, d.lo) << "draw " << next_ - 1;
        EXPECT_EQ(hi, d.hi) << "draw " << next_ - 1;
        return d.value;
    }
    bool AllUsed() const { return next_ == script_.size(); }

private:
    std::vector<Draw> script_;
    size_t next_ = 0;
};

TEST_F(BoardTest, DealTakesItsDrawsInOrderAndRedrawsRejectedOnes) {
    ScriptedDraws draws;
    // Clue tiles: (0, 0) is the hole and (3, 3) is taken by then, so both are drawn again.
    draws.Add({{0, 5, 3}, {0, 5, 3}, {3, 20, 4}});
    draws.Add({{0, 5, 0}, {0, 5, 0}, {0, 5, 3}, {0, 5, 3}, {0, 5, 5}, {0, 5, 5}, {3, 20, 20}});
    draws.Add({{0, 5, 1}, {0, 5, 4}, {3, 20, 3}});
    // Steps off the board are drawn again, all three values, and are no swap.
    draws.Step(5, 2, 1);  // right from column 5
    draws.Step(2, 0, 0);  // up from row 0
    draws.Step(0, 3, 3);  // left from column 0
    draws.Step(4, 5, 2);  // down from row 5
    // The hole walks down, right, right, up, left: (0, 0) to (1, 0).
    draws.Step(0, 0, 2);
    draws.Step(0, 1, 1);
    draws.Step(1, 1, 1);
    draws.Step(2, 1, 0);
    draws.Step(2, 0, 3);
    // 251 more swaps of the clue tile at (3, 3) with its right neighbour: an odd count.
    for (int i = 0; i < kScrambleSwaps - 5; ++i) draws.Step(3, 3, 1);
    SetRandomSource(std::ref(draws));
    app::shared.Difficulty = 0;
    DealBoard();
    EXPECT_TRUE(draws.AllUsed());

    EXPECT_EQ(Cell(1, 0, TileKind), kHole);
    EXPECT_EQ(Cell(1, 0, ClueDx), 1);
    EXPECT_EQ(Cell(4, 3, TileKind), 4);
    EXPECT_EQ(Cell(4, 3, ClueDx), 1);
    EXPECT_EQ(Cell(4, 3, ClueDy), 0);
    EXPECT_EQ(Cell(3, 3, TileKind), kPlainTile);
    EXPECT_EQ(Cell(3, 3, ClueDx), -1);
    EXPECT_EQ(Cell(5, 5, TileKind), 20);
    EXPECT_EQ(Cell(1, 4, TileKind), 3);
    EXPECT_EQ(CountKinds(kFirstClueKind, kLastClueKind), 3);
}

TEST_F(BoardTest, TimerCountsDownWhilePlayingAndScoresWholeSecondsLeft) {
    struct Case {
        int timerBefore;
        bool playing;
        int timerAfter, score;
        bool timeUp;
    };
    const Case cases[] = {
        {14400, true, 14399, 240, false}, {60, true, 59, 1, false}, {59, true, 58, 0, false},
        {1, true, 0, 0, false},           {0, true, 0, 0, true},    {-4, true, 0, 0, true},
        {6030, false, 6030, 100, false},  {0, false, 0, 0, true},
    };
    for (const Case& c : cases) {
        app::shared.RoundTimer = c.timerBefore;
        EXPECT_EQ(TickRoundTimer(c.playing), c.timeUp) << c.timerBefore;
        EXPECT_EQ(app::shared.RoundTimer, c.timerAfter) << c.timerBefore;
        EXPECT_EQ(app::shared.RoundScore, c.score) << c.timerBefore;
    }
}

TEST_F(BoardTest, TimeRunsOutOnTheFrameAfterTheTimerReachesZero) {
    app::shared.RoundTimer = kRoundFrames;
    int frames = 1;
    while (!TickRoundTimer(true) && frames <= kRoundFrames + 5) ++frames;
    EXPECT_EQ(frames, kRoundFrames + 1);
    EXPECT_EQ(app::shared.RoundTimer, 0);
    EXPECT_EQ(app::shared.RoundScore, 0);
}

}  // namespace
