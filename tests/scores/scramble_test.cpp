// The score file's scrambling: round trips, damage detection and the default key.
#include "scores/scramble.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shared_state.h"

namespace {

using scores::Scramble;
using scores::Unscramble;

class ScrambleTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::ResetSharedState();
        scores::BuildDefaultScrambleKey();
    }
};

TEST_F(ScrambleTest, TheDefaultKeyIsBuiltFromTheIdentityInRange) {
    const std::string& key = app::shared.DefaultScrambleKey;
    const size_t expected = 2 * (std::string("Tavik Morrow").size() + std::string(app::Tagline).size());
    ASSERT_EQ(key.size(), expected);
    for (char c : key) {
        EXPECT_GE(int(c), 31);
        EXPECT_LE(int(c), 106);
    }
    // Worked by hand for i = 1: 'a' of "Tavik Morrow" gives 43 then 66; 'l' of "Glimmerwick"
    // gives 62 then 41.
    EXPECT_EQ(key.substr(0, 2), "B)");
}

TEST_F(ScrambleTest, TextsComeBackWithEveryKey) {
    const std::string texts[] = {"", "a", "Player", "1234|Name|0|25000000000|0|2|0|0", std::string("\xA7\xFF\x01 tab\t", 8),
                                 std::string(300, 'z')};
    const std::string keys[] = {"", app::GameCode, "k", std::string("\x01\xFE", 2)};
    for (const std::string& key : keys)
        for (const std::string& text : texts) {
            const std::string hex = Scramble(text, key);
            EXPECT_EQ(hex.size(), 2 * (text.size() + 12)) << text;
            EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
            EXPECT_EQ(Unscramble(hex, key), text) << "key of " << key.size() << " characters";
        }
    EXPECT_EQ(Scramble("", "any").size(), 24u);
    EXPECT_EQ(Unscramble("", ""), "");  // an empty line: both checksums are 0
}

TEST_F(ScrambleTest, DamageWrongKeysAndLowerCaseFailTheChecksums) {
    const std::string hex = Scramble("5120|Ada|0|25012345678|0|1|0|0", "");
    int caught = 0, changed = 0;
    for (size_t i = 0; i < hex.size(); ++i) {
        std::string damaged = hex;
        damaged[i] = damaged[i] == '7' ? '8' : '7';
        ++changed;
        caught += Unscramble(damaged, "") == "XXX";
    }
    EXPECT_GE(caught, changed - 2);  // a change can, rarely, leave both checksums valid
    EXPECT_EQ(Unscramble(hex, app::GameCode), "XXX");
    std::string lower = hex;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_NE(lower, hex);
    EXPECT_EQ(Unscramble(lower, ""), "XXX");
    EXPECT_EQ(Unscramble(hex.substr(0, hex.size() - 6), ""), "XXX");  // cut short
}

TEST(HexToIntTest, UpperCaseDigitsOnly) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {{"00", 0}, {"FF", 255}, {"7F", 127}, {"ff", 0}, {"G1", 1}, {"", 0}, {"FFFFFFFF", -1}, {"10", 16}};
    for (const auto& c : cases) EXPECT_EQ(scores::HexToInt(c.text), c.value) << c.text;
}

}  // namespace
