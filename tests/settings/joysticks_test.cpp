#include "settings/joysticks.h"

#include <gtest/gtest.h>

#include "app/shared_state.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "tests/headless.h"

namespace {

TEST(JoystickDiscoveryTest, TakesTheFirstFourWithTheirRestReadings) {
    ASSERT_TRUE(testsupport::StartHeadless("at 0 joy attach Pad One\nat 0 joy attach Pad Two\nat 0 joy attach Pad Three\n"
                           "at 0 joy attach Pad Four\nat 0 joy attach Pad Five\n"
                           "at 0 joy 2 axis Y -0.5\nat 0 joy 3 hat 0.25\n"));
    ASSERT_TRUE(platform::openDisplay(64, 64, 0, 60));
    ASSERT_EQ(platform::joystickCount(), 5);
    app::ResetSharedState();
    settings::DiscoverJoysticks();
    auto& s = app::shared;
    EXPECT_EQ(s.JoystickCount, 4);
    EXPECT_EQ(s.JoyNames[1], "Pad One");
    EXPECT_EQ(s.JoyNames[4], "Pad Four");
    EXPECT_EQ(s.JoyPresent[4], 1);
    EXPECT_EQ(s.JoyButtons[1], (1 << 20) - 1);
    EXPECT_NEAR(s.JoyRestY[2], -0.5f, 1e-3);
    EXPECT_EQ(s.JoyHatPresent[1], 1);
    EXPECT_EQ(s.JoyHatPresent[3], 0);  // its hat was pushed at start-up
    platform::shutdown();
}

}  // namespace
