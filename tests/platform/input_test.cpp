// Scripted and SDL input through the running platform layer, on the virtual clock.
#include "platform/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/clock.h"
#include "platform/internal.h"
#include "platform/platform.h"
#include "tests/temp_path.h"

namespace {

class InputTest : public ::testing::Test {
protected:
    void start(const std::string& script) {
        std::string path = testsupport::tempPath("input_test_script.txt");
        std::ofstream(path) << script;
        platform::Options o;
        o.headless = true;
        o.inputScript = path;
        ASSERT_TRUE(platform::init(o));
    }
    void TearDown() override { platform::shutdown(); }

    // Sleeps to just past the given virtual millisecond.
    static void waitUntil(int ms) { platform::sleepMs(ms - platform::millisecs()); }

    static std::string typed() {
        std::string text;
        while (int c = platform::nextTypedChar()) text += char(c);
        return text;
    }
};

TEST_F(InputTest, ScriptedKeysFireAtTheirTimeAndCountOnce) {
    start("at 1000 key down Escape\nat 1200 key up Escape\nat 1300 key down 27\nat 1300 key up 27\n");
    waitUntil(999);
    EXPECT_FALSE(platform::keyDown(27));
    EXPECT_EQ(platform::keyHits(27), 0);
    waitUntil(1000);
    EXPECT_TRUE(platform::keyDown(27));
    EXPECT_EQ(platform::keyHits(27), 1);
    EXPECT_EQ(platform::keyHits(27), 0);
    waitUntil(1199);
    EXPECT_TRUE(platform::keyDown(27));
    waitUntil(1200);
    EXPECT_FALSE(platform::keyDown(27));
    // Down and up in the same millisecond: a hit, never seen held.
    waitUntil(1300);
    EXPECT_FALSE(platform::keyDown(27));
    EXPECT_EQ(platform::keyHits(27), 1);
    EXPECT_EQ(typed(), "\x1b\x1b");  // Escape presses also reach the typed queue
}

TEST_F(InputTest, BusyPollingForAKeyLetsTimeReachIt) {
    start("at 1000 key down Escape\n");
    while (!platform::keyDown(27)) {
    }
    int now = platform::millisecs();
    EXPECT_GE(now, 1000);
    EXPECT_LE(now, 1001);
}

TEST_F(InputTest, TypedTextKeepsOrderAndLatin1) {
    start("at 100 type Hé C#  €x\nat 100 key down Enter\nat 200 key down Backspace\nat 200 type !\n");
    waitUntil(99);
    EXPECT_EQ(platform::nextTypedChar(), 0);
    waitUntil(200);
    EXPECT_EQ(typed(), "H\xe9 C#  x\r\b!");  // the euro sign has no Latin-1 code and is dropped
    EXPECT_EQ(platform::nextTypedChar(), 0);
}

TEST_F(InputTest, ScriptedMouseAndCloseRequest) {
    start("at 100 mouse move 320 240.5\nat 100 mouse down left\nat 150 mouse down right\n"
          "at 200 mouse up left\nat 300 close\n");
    waitUntil(100);
    EXPECT_FLOAT_EQ(platform::pointerX(), 320.0f);
    EXPECT_FLOAT_EQ(platform::pointerY(), 240.5f);
    EXPECT_TRUE(platform::mouseDown(1));
    EXPECT_FALSE(platform::mouseDown(2));
    EXPECT_EQ(platform::mouseHits(1), 1);
    EXPECT_EQ(platform::mouseHits(1), 0);
    waitUntil(200);
    EXPECT_FALSE(platform::mouseDown(1));
    EXPECT_TRUE(platform::mouseDown(2));
    EXPECT_EQ(platform::mouseHits(2), 1);
    EXPECT_FALSE(platform::closeRequested());
    waitUntil(300);
    EXPECT_TRUE(platform::closeRequested());
    EXPECT_FALSE(platform::closeRequested());
}

TEST_F(InputTest, EitherSideHoldsTheGenericModifier) {
    start("at 10 key down LShift\nat 20 key down RShift\nat 30 key up LShift\nat 40 key up RShift\n"
          "at 50 key down RAlt\n");
    waitUntil(20);
    EXPECT_TRUE(platform::keyDown(16));
    EXPECT_EQ(platform::keyHits(16), 2);
    EXPECT_EQ(platform::keyHits(160), 1);
    waitUntil(30);
    EXPECT_TRUE(platform::keyDown(16));
    EXPECT_FALSE(platform::keyDown(160));
    waitUntil(40);
    EXPECT_FALSE(platform::keyDown(16));
    waitUntil(50);
    EXPECT_TRUE(platform::keyDown(18));
    EXPECT_TRUE(platform::keyDown(165));
    EXPECT_FALSE(platform::keyDown(17));
}

void pushKey(Uint32 type, SDL_Keycode key, bool repeat) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    e.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&e);
}

TEST_F(InputTest, SdlEventsAreReadWithRepeatsNotCounted) {
    start("");
    pushKey(SDL_KEYDOWN, SDLK_a, false);
    pushKey(SDL_KEYDOWN, SDLK_a, true);
    pushKey(SDL_KEYDOWN, SDLK_a, true);
    pushKey(SDL_KEYDOWN, SDLK_BACKSPACE, false);
    pushKey(SDL_KEYDOWN, SDLK_BACKSPACE, true);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "a\xc3\xa9\xe2\x82\xac", sizeof text.text.text);  // a, é, euro
    SDL_PushEvent(&text);
    platform::sleepMs(1);
    EXPECT_TRUE(platform::keyDown(65));
    EXPECT_EQ(platform::keyHits(65), 1);
    EXPECT_EQ(typed(), "\b\ba\xe9");  // a held Backspace repeats in text, like a held letter
    pushKey(SDL_KEYUP, SDLK_a, false);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    platform::sleepMs(1);
    EXPECT_FALSE(platform::keyDown(65));
    EXPECT_TRUE(platform::closeRequested());
    EXPECT_FALSE(platform::closeRequested());
}

TEST_F(InputTest, MouseMotionIsMappedToVirtualCoordinates) {
    start("");
    platform::internal::setPointerMapping(2.0f, 10.0f, 20.0f);
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_MIDDLE;
    e.button.x = 110;
    e.button.y = 221;
    SDL_PushEvent(&e);
    platform::sleepMs(1);
    EXPECT_FLOAT_EQ(platform::pointerX(), 50.0f);
    EXPECT_FLOAT_EQ(platform::pointerY(), 100.5f);
    EXPECT_TRUE(platform::mouseDown(3));
    EXPECT_EQ(platform::mouseHits(3), 1);
    platform::movePointer(7, 8);
    EXPECT_FLOAT_EQ(platform::pointerX(), 7.0f);
    EXPECT_FLOAT_EQ(platform::pointerY(), 8.0f);
}

TEST_F(InputTest, FlushForgetsHeldCountedAndTyped) {
    start("at 10 key down Space\nat 10 mouse down left\nat 10 type abc\nat 10 close\n");
    pushKey(SDL_KEYDOWN, SDLK_b, false);  // still waiting in SDL's queue when the flush comes
    waitUntil(10);
    platform::flushInput();
    EXPECT_FALSE(platform::keyDown(32));
    EXPECT_EQ(platform::keyHits(32), 0);
    EXPECT_EQ(platform::keyHits(66), 0);
    EXPECT_FALSE(platform::mouseDown(1));
    EXPECT_EQ(platform::mouseHits(1), 0);
    EXPECT_EQ(platform::nextTypedChar(), 0);
    EXPECT_TRUE(platform::closeRequested());  // not input: a flush keeps it
}

TEST_F(InputTest, ARestartForgetsEverything) {
    start("at 10 key down Space\nat 10 mouse move 5 6\n");
    waitUntil(10);
    ASSERT_TRUE(platform::keyDown(32));
    platform::internal::setPointerMapping(3.0f, 1.0f, 1.0f);
    platform::shutdown();
    start("");
    waitUntil(10);
    EXPECT_FALSE(platform::keyDown(32));
    EXPECT_EQ(platform::keyHits(32), 0);
    EXPECT_FLOAT_EQ(platform::pointerX(), 0.0f);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 40;
    e.motion.y = 30;
    SDL_PushEvent(&e);
    platform::sleepMs(1);
    EXPECT_FLOAT_EQ(platform::pointerX(), 40.0f);  // the old mapping is gone
    EXPECT_FLOAT_EQ(platform::pointerY(), 30.0f);
}

}  // namespace
