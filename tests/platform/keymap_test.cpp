#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/internal.h"

namespace {

TEST(KeymapTest, SdlKeycodesBecomeVirtualKeyCodes) {
    struct Case {
        int sdl;
        int code;
    };
    const Case cases[] = {
        {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},          {SDLK_RETURN, 13},        {SDLK_KP_ENTER, 13},
        {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},    {SDLK_ESCAPE, 27},        {SDLK_SPACE, 32},
        {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},           {SDLK_HOME, 36},
        {SDLK_LEFT, 37},         {SDLK_UP, 38},          {SDLK_RIGHT, 39},         {SDLK_DOWN, 40},
        {SDLK_INSERT, 45},       {SDLK_DELETE, 46},      {SDLK_0, 48},             {SDLK_9, 57},
        {SDLK_a, 65},            {SDLK_m, 77},           {SDLK_z, 90},             {SDLK_KP_0, 96},
        {SDLK_KP_1, 97},         {SDLK_KP_9, 105},       {SDLK_KP_MULTIPLY, 106},  {SDLK_KP_PLUS, 107},
        {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},  {SDLK_KP_DIVIDE, 111},    {SDLK_F1, 112},
        {SDLK_F10, 121},         {SDLK_F12, 123},        {SDLK_LSHIFT, 160},       {SDLK_RSHIFT, 161},
        {SDLK_LCTRL, 162},       {SDLK_RCTRL, 163},      {SDLK_LALT, 164},         {SDLK_RALT, 165},
        {SDLK_SEMICOLON, 186},   {SDLK_EQUALS, 187},     {SDLK_COMMA, 188},        {SDLK_MINUS, 189},
        {SDLK_PERIOD, 190},      {SDLK_SLASH, 191},      {SDLK_BACKQUOTE, 192},    {SDLK_LEFTBRACKET, 219},
        {SDLK_BACKSLASH, 220},   {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
        // Keys the game has no code for.
        {SDLK_F13, 0},           {SDLK_VOLUMEUP, 0},     {SDLK_UNKNOWN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::internal::keyCodeFromSdl(c.sdl), c.code) << SDL_GetKeyName(c.sdl);
}

TEST(KeymapTest, ScriptKeyNames) {
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"Tab", 9},      {"Enter", 13},   {"Escape", 27},   {"ESCAPE", 27},  {"Space", 32},
        {"Backspace", 8}, {"Left", 37},   {"Up", 38},       {"Right", 39},   {"down", 40},
        {"F1", 112},     {"f9", 120},     {"F12", 123},     {"A", 65},       {"z", 90},
        {"0", 48},       {"7", 55},       {"LAlt", 164},    {"RAlt", 165},   {"LShift", 160},
        {"RShift", 161}, {"LCtrl", 162},  {"rctrl", 163},   {"27", 27},      {"255", 255},
        {"08", 8},
        // Not keys.
        {"", 0},         {"F13", 0},      {"F0", 0},        {"256", 0},      {"0x1B", 0},
        {"Esc", 0},      {"-5", 0},       {"AB", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::keyCodeFromName(c.name), c.code) << c.name;
}

}  // namespace
