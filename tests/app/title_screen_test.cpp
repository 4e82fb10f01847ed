// The title screen driven frame by frame: pages, difficulty, starting a round, leaving.
#include "app/title_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/shared_state.h"
#include "puzzle/play_screen.h"
#include "tests/screen_fixture.h"

namespace {

using testsupport::Effect;
using testsupport::EffectsAre;

bool AboutShown() { return app::shared.BackdropTarget.g == 0.2f; }

// With a 1280-wide display the panel is 335 wide, so the left area's centre is 472.
constexpr int kCentreX = (1280 - 335) / 2, kMiddleY = 480;

// One input fed after a frame of the settled title screen (counted from 1), then what the
// next frame shows: the value watched and the effects started.
struct Step {
    int frame;
    const char* input;
    int expected;
    std::vector<Effect> effects;
};

class TitleScreenTest : public testsupport::ScreenTest {
protected:
    template <size_t N>
    void PlaySteps(const Step (&steps)[N], int (*watched)()) {
        size_t next = 0;
        OnFrame([&](int frame) {
            if (frame < 40) return;  // let the panel slide in first
            frame -= 39;
            if (next > 0 && frame == steps[next - 1].frame + 1) {
                const Step& step = steps[next - 1];
                EXPECT_EQ(watched(), step.expected) << "after " << step.input;
                EXPECT_TRUE(EffectsAre(TakeEffects(), step.effects)) << "after " << step.input;
            }
            if (next < N && frame == steps[next].frame) Feed(steps[next++].input);
            if (frame == steps[N - 1].frame + 4) throw StopScreen{};
        });
        PointAt(5, 900);
        RunScreen(app::TitleScreen);
        EXPECT_EQ(next, N);
    }
};

TEST_F(TitleScreenTest, PageKeysAndTabsChooseOncePerPressAndTwoSelectsNothing) {
    const Step steps[] = {  // expected: 1 while the About page shows
        {1, "key down 3", 1, {{98, 2.0f}}},
        {4, "mouse down left", 1, {}},  // "3" still held, then the button: nothing new
        {5, "key up 3", 1, {}},
        {6, "key down 1", 1, {}},  // the button keeps the latch set
        {7, "mouse up left", 1, {}},
        {8, "key up 1", 1, {}},
        {9, "key down F1", 0, {{98, 2.0f}}},
        {10, "key up F1", 0, {}},
        {11, "key down 2", 0, {}},
        {12, "key up 2", 0, {}},
        {13, "key down F2", 0, {}},
        {14, "key up F2", 0, {}},
        {15, "key down F3", 1, {{98, 2.0f}}},
        {16, "key up F3", 1, {}},
        {17, "mouse move 960 30", 1, {}},  // the "1.Hiscore" tab: panel x 940 to 1040
        {18, "mouse down left", 0, {{98, 2.0f}}},
        {19, "mouse up left", 0, {}},
        {20, "mouse move 1200 30", 0, {}},  // the "3.About" tab: from 940 + 0.66 x 335
        {21, "mouse down left", 1, {{98, 2.0f}}},
    };
    PlaySteps(steps, [] { return AboutShown() ? 1 : 0; });
}

// Below 900 pixels wide the panel is 415 units, so its left edge moves from 940 to 860.
TEST_F(TitleScreenTest, NarrowDisplaysGetTheWiderPanel) {
    for (int width : {800, 1280}) {
        app::shared.ScreenWidth = width;
        OnFrame([&](int frame) {
            if (frame == 40) Feed("key down 3");
            if (frame == 41) Feed("key up 3");
            if (frame == 42) PointAt(880, 30), Feed("mouse down left");
            if (frame == 44) throw StopScreen{};
        });
        PointAt(5, 900);
        RunScreen(app::TitleScreen);
        Feed("mouse up left");
        EXPECT_EQ(AboutShown(), width >= 900) << "a press at x 880 with a display " << width << " wide";
    }
}

TEST_F(TitleScreenTest, DifficultyStepsOncePerPressAndWrapsBothWays) {
    const Step steps[] = {  // expected: the difficulty
        {1, "key down Up", 2, {{98, 0.95f}}},  // Easy up gives Hard
        {4, "key up Up", 2, {}},
        {5, "key down Up", 1, {{98, 0.95f}}},
        {6, "key up Up", 1, {}},
        {7, "key down Down", 2, {{98, 1.05f}}},
        {8, "key up Down", 2, {}},
        {9, "key down Down", 0, {{98, 1.05f}}},
        {10, "key up Down", 0, {}},
        {11, "mouse move 400 745", 0, {}},  // over "Medium"
        {12, "mouse down left", 1, {{98, 1.0f}}},
        {15, "mouse up left", 1, {}},
    };
    PlaySteps(steps, [] { return int(app::shared.Difficulty); });
}

// A round started with a press, ended at once, with the button and Escape still held after it.
TEST_F(TitleScreenTest, AfterARoundTheButtonAndEscapeMustBeReleasedFirst) {
    int pressedAt = 0, roundAt = 0, rounds = 0, backAt = 0, releasedAt = 0, escapeAt = 0, lastFrame = 0;
    OnFrame([&](int frame) {
        auto& s = app::shared;
        lastFrame = frame;
        if (frame > 2000) throw std::runtime_error("the title screen did not return");
        if (s.PauseState == app::kPauseAllowed) {  // inside a round
            if (roundAt == 0) {
                roundAt = frame, ++rounds;
                EXPECT_TRUE(EffectsAre(TakeEffects(), {{98, 1.5f}}));
            }
            Feed("key down Escape");
            s.RoundTimer = 0;
            return;
        }
        if (roundAt && !backAt) backAt = frame;
        if (frame == 40) {
            PointAt(kCentreX, kMiddleY);
            Feed("mouse down left");
            pressedAt = frame;
            TakeEffects();
        }
        if (backAt && frame == backAt + 40) {  // slid in again, button and Escape held all along
            EXPECT_EQ(rounds, 1);
            Feed("mouse up left");
            Feed("key up Escape");
            releasedAt = frame;
        }
        if (releasedAt && frame == releasedAt + 2) {
            Feed("key down Escape");
            escapeAt = frame;
        }
    });
    PointAt(5, 900);
    app::TitleScreen();
    EXPECT_EQ(roundAt, pressedAt + 2);  // the press is seen on the next frame, the round starts after it
    EXPECT_EQ(rounds, 1);
    EXPECT_EQ(app::shared.PauseState, app::kPauseNotAllowed);
    EXPECT_EQ(lastFrame, escapeAt);  // a fresh press leaves at the end of the frame that sees it
}

TEST_F(TitleScreenTest, TheSettingsHintBlinksYellowOnlyWhileTheWidthIsTheDefault) {
    for (int width : {800, 1024}) {
        app::shared.SettingsTable[app::kRequestedWidth] = width;
        int yellow = 0, white = 0;
        OnFrame([&](int frame) {
            bool anyYellow = false, anyWhite = false;
            Grab();
            for (int y = 4; y < 24; ++y)
                for (int x = 4; x < 120; ++x) {
                    uint32_t p = Grabbed(x, y);
                    int r = int(p >> 16), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
                    anyYellow |= r > 240 && g > 240 && b < 30;
                    anyWhite |= r > 240 && g > 240 && b > 240;
                }
            yellow += anyYellow;
            white += anyWhite;
            if (frame == 60) throw StopScreen{};
        });
        RunScreen(app::TitleScreen);
        if (width == 800) {
            EXPECT_GT(yellow, 15);
            EXPECT_GT(white, 15);
        } else {
            EXPECT_EQ(yellow, 0);
            EXPECT_EQ(white, 60);
        }
    }
}

}  // namespace
