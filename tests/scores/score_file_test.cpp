// The local score file: records and credentials round trip, damaged lines are skipped, the
// newest record names the player, and stamps follow the local date.
#include "scores/score_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "scores/scramble.h"
#include "tests/headless.h"
#include "tests/temp_path.h"

namespace {

using scores::ScoreRef;

ScoreRef Record(int64_t score, const std::string& name, int64_t stamp, int mode = 0) {
    auto r = std::make_shared<scores::Scores>();
    r->Score = score, r->Name = name, r->Timestamp = stamp, r->GameMode = mode;
    return r;
}

class ScoreFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless());
        home_ = platform::currentFolder();
        const std::string folder = testsupport::tempPath("scores");
        ::mkdir(folder.c_str(), 0755);
        ASSERT_TRUE(platform::changeFolder(folder));
        platform::deleteFile(app::ScoreFile);
        app::ResetSharedState();
        scores::BuildDefaultScrambleKey();
        scores::LoadScores();  // no file yet: nothing read, but saving is allowed from here
    }
    void TearDown() override {
        platform::changeFolder(home_);
        platform::shutdown();
    }
    // A fresh run: the lists and values as at start-up, then the file read.
    void Reload() {
        const std::string key = app::shared.DefaultScrambleKey;
        app::ResetSharedState();
        app::shared.DefaultScrambleKey = key;
        scores::LoadScores();
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        platform::readLines(app::ScoreFile, lines);
        return lines;
    }
    std::string home_;
};

TEST_F(ScoreFileTest, RecordsAndCredentialsComeBackNewestFirst) {
    auto& s = app::shared;
    s.OnlineUser = "ada", s.OnlinePassword = "pw|x";
    auto full = Record(235, "Ada", 25000000500, 2);
    full->Best[1] = 7, full->Best[30] = 1, full->Quit = 1, full->Badges = 5, full->Level = 3, full->GameFlags = 4;
    scores::AddScore(Record(12, "Old", 25000000100));
    scores::AddScore(full);
    scores::AddScore(Record(-3, "Neg", 25000000300));
    ASSERT_TRUE(scores::SaveScores());
    EXPECT_EQ(Lines().size(), 4u);

    Reload();
    ASSERT_EQ(s.LocalScores.size(), 3u);
    const scores::Scores& back = *s.LocalScores.front();
    EXPECT_EQ(back.Name, "Ada");
    EXPECT_EQ(back.Score, 235);
    EXPECT_EQ(back.Timestamp, 25000000500);
    EXPECT_EQ(back.Best[1], 7);
    EXPECT_EQ(back.Best[30], 1);
    EXPECT_EQ(back.Best[2], 0);
    EXPECT_EQ(back.GameMode, 2);
    EXPECT_EQ(back.Quit, 1);
    EXPECT_EQ(back.Badges, 5);
    EXPECT_EQ(back.Level, 3);
    EXPECT_EQ(back.GameFlags, 4);
    EXPECT_EQ(s.LocalScores.back()->Name, "Old");
    EXPECT_EQ((*std::next(s.LocalScores.begin()))->Score, -3);
    EXPECT_EQ(s.PlayerName, "Ada");  // the newest record names the player
    EXPECT_EQ(s.OnlineUser, "ada");
    EXPECT_EQ(s.OnlinePassword, "pw");  // field 2 of "ada|pw|x"
}

TEST_F(ScoreFileTest, DamagedRecordLinesAreSkippedAndTheRestLoad) {
    auto& s = app::shared;
    s.OnlineUser = "u", s.OnlinePassword = "p";
    scores::AddScore(Record(1, "One", 25000000001));
    scores::AddScore(Record(2, "Two", 25000000002));
    ASSERT_TRUE(scores::SaveScores());
    std::vector<std::string> lines = Lines();
    lines[1][10] = lines[1][10] == 'A' ? 'B' : 'A';  // the newest record, damaged
    lines.push_back("NOT HEX AT ALL");
    platform::writeLines(app::ScoreFile, lines);
    Reload();
    ASSERT_EQ(s.LocalScores.size(), 1u);
    EXPECT_EQ(s.LocalScores.front()->Name, "One");
    EXPECT_EQ(s.PlayerName, "One");  // the first record that loads
    EXPECT_EQ(s.OnlineUser, "u");

    lines.resize(1);
    lines.push_back("0123");
    platform::writeLines(app::ScoreFile, lines);
    Reload();
    EXPECT_TRUE(s.LocalScores.empty());
    EXPECT_EQ(s.OnlinePassword, "p");
    EXPECT_EQ(s.PlayerName, "Player");

    lines[0][4] = lines[0][4] == 'A' ? 'B' : 'A';
    platform::writeLines(app::ScoreFile, {lines[0]});
    Reload();
    EXPECT_EQ(s.OnlineUser, "XXX");  // no "|" in "XXX": field 2 is the whole text
    EXPECT_EQ(s.OnlinePassword, "XXX");
}

TEST_F(ScoreFileTest, NoFileChangesNothingAndTheFileIsReadOncePerRun) {
    auto& s = app::shared;
    s.PlayerName = "Kept";
    s.ScoresLoaded = false;
    scores::LoadScores();
    EXPECT_EQ(s.PlayerName, "Kept");
    EXPECT_TRUE(s.LocalScores.empty());

    scores::AddScore(Record(9, "Saved", 25000000009));
    ASSERT_TRUE(scores::SaveScores());
    Reload();
    ASSERT_EQ(s.LocalScores.size(), 1u);
    // A round played, then the graphics applied again: the new record must survive.
    scores::AddScore(Record(50, "New", 25000000050));
    scores::LoadScores();
    ASSERT_EQ(s.LocalScores.size(), 2u);
    EXPECT_EQ(s.LocalScores.front()->Name, "New");
}

TEST_F(ScoreFileTest, EqualStampsKeepTheirOrderAndNamesCannotShiftFields) {
    auto& s = app::shared;
    scores::AddScore(Record(1, "First", 25000000000));
    scores::AddScore(Record(2, std::string("a|b") + scores::SplitKey + "c", 25000000000));
    ASSERT_TRUE(scores::SaveScores());
    Reload();
    ASSERT_EQ(s.LocalScores.size(), 2u);
    EXPECT_EQ(s.LocalScores.front()->Name, "First");
    EXPECT_EQ(s.LocalScores.back()->Name, "a_b_c");
    EXPECT_EQ(s.LocalScores.back()->Score, 2);
    EXPECT_EQ(s.LocalScores.back()->Timestamp, 25000000000);
}

TEST_F(ScoreFileTest, NothingIsSavedBeforeTheFileWasRead) {
    scores::AddScore(Record(1, "One", 25000000001));
    ASSERT_TRUE(scores::SaveScores());
    const std::vector<std::string> before = Lines();
    Reload();
    app::shared.ScoresLoaded = false;  // as if leaving during start-up, before the scores were read
    app::shared.LocalScores.clear();
    EXPECT_FALSE(scores::SaveScores());
    EXPECT_EQ(Lines(), before);
}

TEST_F(ScoreFileTest, AFailedSaveLeavesTheOldFileWhole) {
    scores::AddScore(Record(1, "One", 25000000001));
    ASSERT_TRUE(scores::SaveScores());
    const std::vector<std::string> before = Lines();
    ::mkdir((std::string(app::ScoreFile) + ".new").c_str(), 0755);  // the temporary cannot be made
    scores::AddScore(Record(2, "Two", 25000000002));
    EXPECT_FALSE(scores::SaveScores());
    EXPECT_EQ(Lines(), before);
    ::rmdir((std::string(app::ScoreFile) + ".new").c_str());
}

TEST(TimestampTest, TheHeadlessDateEncodesAsDocumented) {
    ASSERT_TRUE(testsupport::StartHeadless());
    // Headless runs start at 01 Jan 2026 12:00:00.
    const int64_t start = ((((2026LL * 12 + 1) * 31 + 1) * 24 + 12) * 60 + 0) * 60 + 0;
    const int64_t stamp = scores::MakeTimestamp();
    EXPECT_GE(stamp, start);
    EXPECT_LT(stamp, start + 5);
    platform::sleepMs(61000);
    EXPECT_GE(scores::MakeTimestamp(), stamp + 61);
    platform::shutdown();
}

TEST(CredentialsTest, UnsafeCharactersBecomeUnderscores) {
    app::ResetSharedState();
    app::shared.OnlineUser = "a:b*\"'-+&?{}[]~#\\/;|z";
    app::shared.OnlinePassword = std::string("p\xA7q", 3);
    scores::SanitiseCredentials();
    EXPECT_EQ(app::shared.OnlineUser, "a_b________________|z");
    EXPECT_EQ(app::shared.OnlinePassword, std::string("p\xA7q", 3));
}

}  // namespace
