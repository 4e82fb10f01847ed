// Binding codes for keys and scripted joysticks, and the scan for any held input.
#include "settings/controls.h"

#include <gtest/gtest.h>

#include <string>

#include "app/shared_state.h"
#include "app/startup.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "settings/joysticks.h"
#include "tests/headless.h"

namespace {

using settings::AnyInputHeld;
using settings::ControlTest;

class ControlsTest : public ::testing::Test {
protected:
    // Two pads; pad 2's stick rests pushed up, so its centre is there.
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartHeadless("at 0 joy attach Pad One\nat 0 joy attach Pad Two\nat 0 joy 2 axis Y -0.5\n"));
        ASSERT_TRUE(platform::openDisplay(64, 64, 0, 60));
        app::ResetSharedState();
        settings::DiscoverJoysticks();
        app::SetDefaultSettings();
        ASSERT_EQ(app::shared.JoystickCount, 2);
    }
    void TearDown() override { platform::shutdown(); }
    static void Feed(const std::string& event) {
        std::string error;
        ASSERT_TRUE(platform::feedInput(event, error)) << error;
    }
};

TEST_F(ControlsTest, EachCodeIsActiveOnlyWhileItsInputIs) {
    const struct {
        const char* input;  // fed, then undone by `release`
        const char* release;
        int code;
        bool active;
    } cases[] = {
        {"key down Up", "key up Up", 38, true},
        {"key down 08", "key up 08", 8, false},  // low codes are never tested
        {"key down Z", "key up Z", 90, true},
        {"joy 1 axis Y -0.31", "joy 1 axis Y 0", 300, true},
        {"joy 1 axis Y -0.29", "joy 1 axis Y 0", 300, false},
        {"joy 1 axis X 0.5", "joy 1 axis X 0", 303, true},
        {"joy 1 axis R -0.5", "joy 1 axis R 0", 310, true},
        {"joy 1 axis U 0.5", "joy 1 axis U 0", 307, true},
        {"joy 1 button 0 down", "joy 1 button 0 up", 330, true},
        {"joy 1 button 19 down", "joy 1 button 19 up", 349, true},
        {"joy 2 axis Y -0.5", "joy 2 axis Y -0.5", 350, false},  // at its own rest
        {"joy 2 axis Y -0.9", "joy 2 axis Y -0.5", 350, true},
        {"joy 1 hat 0.875", "joy 1 hat -1", 320, true},  // up-left counts as up and as left
        {"joy 1 hat 0.875", "joy 1 hat -1", 323, true},
        {"joy 1 hat 0.125", "joy 1 hat -1", 325, true},
        {"joy 1 hat 0.125", "joy 1 hat -1", 328, false},
        {"joy 1 hat 0.5", "joy 1 hat -1", 328, true},
        {"joy 1 button 0 down", "joy 1 button 0 up", 530, false},  // beyond the four kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlTest(c.code), 0) << c.input;
        Feed(c.input);
        EXPECT_EQ(ControlTest(c.code), c.active ? 1 : 0) << c.input << " for " << c.code;
        Feed(c.release);
    }
    for (int hat : {320, 323, 325, 328}) EXPECT_EQ(ControlTest(hat), 0) << "centred hat, " << hat;
}

TEST_F(ControlsTest, SwitchedOffJoysticksAndBindingsFollowTheSlots) {
    Feed("joy 2 button 3 down");
    EXPECT_EQ(ControlTest(383), 1);
    EXPECT_EQ(AnyInputHeld(), 383);
    app::shared.JoyPresent[2] = 0;
    EXPECT_EQ(ControlTest(383), 0);
    EXPECT_EQ(AnyInputHeld(), 0);
    app::shared.JoyPresent[2] = 1;

    auto& keys = app::shared.ControlKeys;
    EXPECT_EQ(settings::ControlHeld(settings::kControlUp, 2), 0);  // player 2 starts unbound
    keys[20] = 383;
    EXPECT_EQ(settings::ControlHeld(settings::kControlUp, 2), 1);
    Feed("key down Down");
    EXPECT_EQ(settings::ControlHeld(settings::kControlDown, 1), 1);
}

TEST_F(ControlsTest, TheScanReportsTheFirstHeldInputButNothingUnderF11OrF12) {
    EXPECT_EQ(AnyInputHeld(), 0);
    Feed("joy 1 hat 0.25");
    EXPECT_EQ(AnyInputHeld(), 325);
    Feed("joy 1 axis Z 0.7");
    EXPECT_EQ(AnyInputHeld(), 305);  // axes come before the hat
    Feed("key down 08");
    EXPECT_EQ(AnyInputHeld(), 8);  // keys first, low codes included
    Feed("key down F12");
    EXPECT_EQ(AnyInputHeld(), 0);
    Feed("key up F12");
    Feed("key up 08");
    Feed("joy 1 axis Z 0");
    Feed("joy 1 hat 0.125");  // a diagonal is no exact direction
    EXPECT_EQ(AnyInputHeld(), 0);
    Feed("joy 1 button 19 down");  // the scan stops short of button 19
    EXPECT_EQ(AnyInputHeld(), 0);
    Feed("joy 1 button 18 down");
    EXPECT_EQ(AnyInputHeld(), 348);
}

}  // namespace
