// Joysticks attached and moved by an input script, read back through SDL's virtual joysticks.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "tests/temp_path.h"

namespace {

using platform::JoyAxis;

class JoystickTest : public ::testing::Test {
protected:
    void start(const std::string& script) {
        std::string path = testsupport::tempPath("joystick_test_script.txt");
        std::ofstream(path) << script;
        platform::Options o;
        o.headless = true;
        o.inputScript = path;
        ASSERT_TRUE(platform::init(o));
        // The headless window never has focus, and SDL ignores joysticks of unfocused windows
        // unless told otherwise.
        ASSERT_TRUE(platform::openDisplay(64, 64, 0, 60));
    }
    void TearDown() override { platform::shutdown(); }
    static void waitUntil(int ms) { platform::sleepMs(ms - platform::millisecs()); }
};

TEST_F(JoystickTest, AttachedPadsHaveNameButtonsAndCentredControls) {
    start("at 10 joy attach Pad One\nat 20 joy attach Second pad\n");
    EXPECT_EQ(platform::joystickCount(), 0);
    waitUntil(10);
    ASSERT_EQ(platform::joystickCount(), 1);
    EXPECT_EQ(platform::joystickName(0), "Pad One");
    EXPECT_EQ(platform::joystickButtonMask(0), (1 << 20) - 1);
    EXPECT_FLOAT_EQ(platform::joystickAxis(0, JoyAxis::X), 0.0f);
    EXPECT_FLOAT_EQ(platform::joystickHat(0), -1.0f);
    EXPECT_FALSE(platform::joystickButton(0, 0));
    waitUntil(20);
    ASSERT_EQ(platform::joystickCount(), 2);
    EXPECT_EQ(platform::joystickName(1), "Second pad");
    // Devices that are not there read as absent.
    EXPECT_EQ(platform::joystickName(2), "");
    EXPECT_EQ(platform::joystickButtonMask(-1), 0);
    EXPECT_FLOAT_EQ(platform::joystickAxis(2, JoyAxis::Y), 0.0f);
    EXPECT_FLOAT_EQ(platform::joystickHat(2), -1.0f);
    EXPECT_FALSE(platform::joystickButton(2, 0));
}

TEST_F(JoystickTest, AxesAndButtonsFollowTheScript) {
    start("at 0 joy attach A\nat 0 joy attach B\n"
          "at 100 joy 1 axis Y -0.8\nat 100 joy 1 axis V 1\nat 100 joy 1 axis X -1\n"
          "at 100 joy 2 axis Z 0.5\nat 100 joy 1 button 3 down\nat 100 joy 1 button 19 down\n"
          "at 200 joy 1 button 3 up\nat 200 joy 1 axis Y 0\n");
    waitUntil(100);
    EXPECT_NEAR(platform::joystickAxis(0, JoyAxis::Y), -0.8f, 1e-4);
    EXPECT_FLOAT_EQ(platform::joystickAxis(0, JoyAxis::V), 1.0f);
    EXPECT_FLOAT_EQ(platform::joystickAxis(0, JoyAxis::X), -1.0f);
    EXPECT_FLOAT_EQ(platform::joystickAxis(0, JoyAxis::Z), 0.0f);
    EXPECT_NEAR(platform::joystickAxis(1, JoyAxis::Z), 0.5f, 1e-4);
    EXPECT_FLOAT_EQ(platform::joystickAxis(1, JoyAxis::Y), 0.0f);
    EXPECT_TRUE(platform::joystickButton(0, 3));
    EXPECT_TRUE(platform::joystickButton(0, 19));
    EXPECT_FALSE(platform::joystickButton(0, 2));
    EXPECT_FALSE(platform::joystickButton(0, 4));
    EXPECT_FALSE(platform::joystickButton(0, 20));
    EXPECT_FALSE(platform::joystickButton(1, 3));
    waitUntil(200);
    EXPECT_FALSE(platform::joystickButton(0, 3));
    EXPECT_TRUE(platform::joystickButton(0, 19));
    EXPECT_FLOAT_EQ(platform::joystickAxis(0, JoyAxis::Y), 0.0f);
}

TEST_F(JoystickTest, HatDirectionsAreFractionsOfATurn) {
    const float fractions[] = {0, 0.125f, 0.25f, 0.375f, 0.5f, 0.625f, 0.75f, 0.875f, -1};
    std::string script = "at 0 joy attach Pad\n";
    for (int i = 0; i < 9; ++i)
        script += "at " + std::to_string(100 * (i + 1)) + " joy 1 hat " + std::to_string(fractions[i]) + "\n";
    start(script);
    for (int i = 0; i < 9; ++i) {
        waitUntil(100 * (i + 1));
        EXPECT_FLOAT_EQ(platform::joystickHat(0), fractions[i]) << "step " << i;
    }
}

TEST_F(JoystickTest, ARestartDetachesScriptedPads) {
    start("at 0 joy attach Pad\n");
    waitUntil(1);
    ASSERT_EQ(platform::joystickCount(), 1);
    platform::shutdown();
    start("");
    waitUntil(1);
    EXPECT_EQ(platform::joystickCount(), 0);
}

}  // namespace
