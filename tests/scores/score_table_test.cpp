// The score table: ranking, pruning, the history graph's heights, the pointer, and the date
// and time texts.
#include "scores/score_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "platform/image.h"
#include "scores/score_file.h"
#include "tests/screen_fixture.h"

namespace {

using scores::ScoreRef;

int64_t Stamp(int year, int month, int day, int hour, int minute, int second) {
    return ((((int64_t(year) * 12 + month) * 31 + day) * 24 + hour) * 60 + minute) * 60 + second;
}

// Runs of one table, added oldest first, one minute apart; `mode` picks the table.
std::vector<ScoreRef> AddRuns(const std::vector<int64_t>& scores, int mode = 0) {
    std::vector<ScoreRef> runs;
    for (size_t i = 0; i < scores.size(); ++i) {
        auto r = std::make_shared<scores::Scores>();
        r->Score = scores[i], r->GameMode = mode, r->Name = "run" + std::to_string(i);
        r->Timestamp = Stamp(2026, 3, 1, 10, 0, 0) + 60 * int64_t(runs.size() + app::shared.LocalScores.size());
        scores::AddScore(r);
        runs.push_back(r);
    }
    return runs;
}

std::vector<int64_t> TopScores() {
    std::vector<int64_t> out;
    for (int k = 1; k <= scores::kTopRows; ++k)
        if (app::shared.TopTable[k]) out.push_back(app::shared.TopTable[k]->Score);
    return out;
}

class ScoreTableTest : public testsupport::ScreenTest {
protected:
    // A plain white dot strip, so the graph's points show their drawing colour.
    void UseWhiteDots() {
        int strip = platform::createImage(16, 16, 64, 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) platform::writePixel(strip, x, y, 0xFFFFFFFFu, 7);
        app::shared.IconsSmooth = strip;
    }
    void Frame(int draw = 1) {
        display::BeginFrame(1);
        scores::ScoreTableView(940, 335, 0, 0, 0, draw);
    }
};

TEST_F(ScoreTableTest, TheTopListIsTheBest25OfItsTableNewerFirstOnTies) {
    std::vector<int64_t> scores;
    for (int i = 0; i < 26; ++i) scores.push_back(100 + (i * 7) % 26);  // 26 distinct scores
    AddRuns(scores);
    AddRuns({999}, 1);  // another table
    Frame(0);
    std::vector<int64_t> expected;
    for (int s = 125; s >= 101; --s) expected.push_back(s);
    EXPECT_EQ(TopScores(), expected);  // 100, the lowest, is out

    app::shared.LocalScores.clear();
    const auto runs = AddRuns({5, 7, 5});
    Frame(0);
    EXPECT_EQ(TopScores(), (std::vector<int64_t>{7, 5, 5}));
    EXPECT_EQ(app::shared.TopTable[2], runs[2]);  // the newer of the two fives
}

TEST_F(ScoreTableTest, DrawingPrunesRunsPastThe50NewestUnlessRanked) {
    std::vector<int64_t> scores(60, 10);
    scores[0] = 500, scores[1] = 1;  // the two oldest: one ranked, one not
    const auto runs = AddRuns(scores);
    Frame(0);
    EXPECT_EQ(app::shared.LocalScores.size(), 60u);  // ranking alone keeps everything
    Frame(1);
    EXPECT_EQ(app::shared.LocalScores.size(), 51u);  // 50 newest and the oldest, still in the top 25
    EXPECT_EQ(app::shared.LocalScores.back(), runs[0]);
}

TEST_F(ScoreTableTest, GraphPointsRiseWithTheScoreAgainstTheBest) {
    UseWhiteDots();
    // Newest at x 1256 (1280 - 24), then 18 to the left; the base line is at 950.
    AddRuns({50, 100});
    Frame();
    Grab();
    EXPECT_EQ(Grabbed(1256 - 4, 950 - 150 + 4), 0x69FF50u);  // the best: 150 up, colour (105, 255, 80)
    EXPECT_EQ(Grabbed(1238 - 4, 950 - 75 + 4), 0xB4FF50u);   // half of it: 75 up, (180, 255, 80)

    app::shared.LocalScores.clear();
    AddRuns({0});  // best counts as 1: the point sits on the base line
    Frame();
    EXPECT_EQ(Pixel(1256 - 4, 950 + 4), 0xFFFF50u);
}

TEST_F(ScoreTableTest, ThePointerShowsARunAndAPressPinsIt) {
    auto& s = app::shared;
    const auto runs = AddRuns({30, 20, 10});
    s.PointerX = 1000, s.PointerY = 950 - 596 + 17 * 2 + 5;  // the second row: 20
    Frame();
    EXPECT_EQ(s.HoverRecord, runs[1]);
    EXPECT_EQ(s.PinnedIndex, 0);
    Feed("mouse down left");
    Frame();
    EXPECT_EQ(s.PinnedIndex, 1002);
    Feed("mouse up left");
    s.PointerX = 1256, s.PointerY = 900;  // the newest run's column of the graph
    Frame();
    EXPECT_EQ(s.HoverRecord, runs[2]);
    s.PointerX = 5, s.PointerY = 5;  // nowhere: the pinned row shows
    Frame();
    EXPECT_EQ(s.HoverRecord, runs[1]);
}

TEST(DateTimeTextTest, StampsReadBackAsDayMonthYearAndTime) {
    const struct {
        int64_t stamp;
        const char* date;
        const char* time;
    } cases[] = {
        {Stamp(2025, 12, 1, 7, 5, 9), "01-12-2025", "07:05:09"},
        {Stamp(2025, 1, 31, 23, 59, 59), "31-01-2025", "23:59:59"},
        {Stamp(26, 6, 15, 0, 0, 0), "15-06-0026", "00:00:00"},
        {0, "00-00-0000", "00:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scores::DateText(c.stamp), c.date) << c.stamp;
        EXPECT_EQ(scores::TimeText(c.stamp), c.time) << c.stamp;
    }
}

}  // namespace
