// Editing a line one step per frame, and the name entry screen's waits and confirmation.
#include "scores/name_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shared_state.h"
#include "platform/clock.h"
#include "tests/screen_fixture.h"

namespace {

class EditLineTest : public testsupport::ScreenTest {};

TEST_F(EditLineTest, OneCharacterAStepAndBackspaceAfterIt) {
    const struct {
        const char* start;
        std::vector<const char*> input;  // fed before the first step
        std::vector<std::string> steps;  // the text after each step
    } cases[] = {
        {"Player", {"key down Backspace", "key up Backspace"}, {"Playe", "Playe"}},
        {"A", {"key down Backspace", "key up Backspace"}, {"", ""}},
        {"", {"key down Backspace", "key up Backspace"}, {""}},
        {"ab", {"type xy", "key down Backspace", "key up Backspace"}, {"ab", "aby", "aby"}},
        {"n", {"key down Backspace", "key up Backspace", "key down Backspace", "key up Backspace"}, {"", ""}},
        {"n", {"key down Enter", "key up Enter", "type !"}, {"n", "n!"}},  // Enter's code 13 is skipped
    };
    for (const auto& c : cases) {
        platform::flushInput();
        for (const char* event : c.input) Feed(event);
        std::string text = c.start;
        for (const std::string& expected : c.steps) {
            text = scores::EditLine(text);
            EXPECT_EQ(text, expected) << "from \"" << c.start << "\"";
        }
    }
}

TEST_F(EditLineTest, SixBackspacesOnSeparateStepsEmptyTheDefaultName) {
    std::string text = "Player";
    for (int i = 0; i < 6; ++i) {
        Feed("key down Backspace");
        Feed("key up Backspace");
        text = scores::EditLine(text);
    }
    EXPECT_EQ(text, "");
}

// Enter is still held from the round when the screen opens and let go at 2 s: the screen
// forgets it when it opens, so it confirms nothing.
class NameEntryTest : public testsupport::ScreenTest {
protected:
    std::string Script() override { return "at 0 key down Enter\nat 2000 key up Enter\n"; }
};

TEST_F(NameEntryTest, AHeldEnterDoesNotConfirmAndAFreshOneDoes) {
    std::vector<std::string> names;
    int firstFrameAt = 0;
    OnFrame([&](int frame) {
        names.push_back(app::shared.PlayerName);
        if (frame == 1) {
            firstFrameAt = platform::millisecs();
            Feed("type ab");
            Feed("key down Backspace");
            Feed("key up Backspace");
        }
        if (frame == 3) Feed("key down Enter"), Feed("key up Enter");
    });
    scores::NameEntryScreen();
    EXPECT_LT(firstFrameAt, 2000);  // Enter was still down when the screen went on editing
    // Frame 2 appends "a" and at once removes it again; frame 3 appends "b"; frame 4 confirms.
    EXPECT_EQ(names, (std::vector<std::string>{"Player", "Player", "Playerb", "Playerb"}));
    EXPECT_EQ(app::shared.PlayerName, "Playerb");
}

}  // namespace
