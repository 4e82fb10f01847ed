#include <gtest/gtest.h>

#include <set>

#include "platform/clock.h"
#include "platform/internal.h"
#include "platform/platform.h"

namespace {

class VirtualClockTest : public ::testing::Test {
protected:
    void SetUp() override { platform::internal::clockStart(true); }
};

TEST_F(VirtualClockTest, SleepingMovesTimeAtOnceAndBusyPollsStillEnd) {
    int start = platform::millisecs();
    platform::sleepMs(2500);
    EXPECT_EQ(platform::millisecs() - start, 2500);
    // A loop that only reads the clock must still reach its goal.
    int goal = platform::millisecs() + 50;
    long reads = 0;
    while (platform::millisecs() < goal) ++reads;
    EXPECT_GT(reads, 1000);
    EXPECT_LT(reads, 10000);
}

TEST_F(VirtualClockTest, DateAndTimeFollowTheVirtualClock) {
    EXPECT_EQ(platform::currentDate(), "01 Jan 2026");
    EXPECT_EQ(platform::currentTime(), "12:00:00");
    platform::sleepMs((11 * 3600 + 59 * 60 + 59) * 1000 + 999);
    EXPECT_EQ(platform::currentTime(), "23:59:59");
    platform::sleepMs(1);
    EXPECT_EQ(platform::currentDate(), "02 Jan 2026");
    EXPECT_EQ(platform::currentTime(), "00:00:00");
}

TEST(RealClockTest, DateAndTimeHaveTheirFixedShapes) {
    platform::internal::clockStart(false);
    std::string date = platform::currentDate(), time = platform::currentTime();
    ASSERT_EQ(date.size(), 11u);
    EXPECT_EQ(date[2], ' ');
    EXPECT_EQ(date[6], ' ');
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
}

TEST(RandomTest, SameSeedSameSequenceAndInclusiveBounds) {
    platform::seedRandom(42);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i) first.push_back(platform::randomInt(1, 6));
    platform::seedRandom(42);
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        int v = platform::randomInt(1, 6);
        EXPECT_EQ(v, first[size_t(i)]);
        seen.insert(v);
    }
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6}));
    for (int i = 0; i < 200; ++i) {
        int v = platform::randomInt(3, -2);  // bounds in either order
        EXPECT_GE(v, -2);
        EXPECT_LE(v, 3);
        float f = platform::randomFloat();
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 1.0f);
    }
    EXPECT_EQ(platform::randomInt(7, 7), 7);
}

TEST(RandomTest, StartSeedIsFixed) {
    platform::internal::clockStart(true);
    int a = platform::randomInt(0, 1000000);
    platform::internal::clockStart(true);
    EXPECT_EQ(platform::randomInt(0, 1000000), a);
}

TEST(NumbersTest, SineTakesDegrees) {
    EXPECT_NEAR(platform::sinDeg(90), 1.0, 1e-12);
    EXPECT_NEAR(platform::sinDeg(210), -0.5, 1e-12);
    EXPECT_GT(platform::memoryInUse(), 0);
}

TEST(OptionsTest, CommandLinesAreParsedOrRefused) {
    struct Case {
        std::vector<const char*> args;
        bool ok;
    };
    const Case cases[] = {
        {{"--headless", "--input", "s.txt", "--max-ms", "5000"}, true},
        {{"--capture", "out", "--capture-frames", "10,200,450"}, true},
        {{"--capture", "out", "--capture-frames", "every:60"}, true},
        {{"--capture", "out"}, false},
        {{"--capture-frames", "0,3", "--capture", "o"}, false},
        {{"--max-ms"}, false},
        {{"--max-ms", "soon"}, false},
        {{"--fullscreen"}, false},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("game")};
        for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
        platform::Options o;
        std::string error;
        EXPECT_EQ(platform::parseOptions(int(argv.size()), argv.data(), o, error), c.ok) << c.args[0];
        if (!c.ok) {
            EXPECT_FALSE(error.empty());
        }
    }
    const char* argv[] = {"game", "--headless", "--capture", "d", "--capture-frames", "10,200", "--max-ms", "9"};
    platform::Options o;
    std::string error;
    ASSERT_TRUE(platform::parseOptions(8, const_cast<char**>(argv), o, error));
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.captureFrames, (std::vector<long>{10, 200}));
    EXPECT_EQ(o.maxMs, 9);
}

}  // namespace
