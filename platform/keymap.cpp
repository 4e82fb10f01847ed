// SDL keycodes to Windows virtual-key codes, and the key names used by input scripts.
#include <SDL.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/input.h"
#include "platform/internal.h"

namespace platform {
namespace {

struct KeyPair {
    int sdl;
    int code;
};

// Letters, digits, keypad digits and F-keys are ranges and handled apart.
constexpr KeyPair kSdlKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},           {SDLK_RETURN, 13},       {SDLK_KP_ENTER, 13},
    {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},     {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},       {SDLK_PAGEDOWN, 34},     {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},         {SDLK_UP, 38},           {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},       {SDLK_DELETE, 46},       {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},         {SDLK_APPLICATION, 93},  {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},    {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},   {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},  {SDLK_LSHIFT, 160},      {SDLK_RSHIFT, 161},      {SDLK_LCTRL, 162},
    {SDLK_RCTRL, 163},       {SDLK_LALT, 164},        {SDLK_RALT, 165},        {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},      {SDLK_COMMA, 188},       {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},       {SDLK_BACKQUOTE, 192},   {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

// SDL numbers the keypad digits 1..9 then 0.
constexpr int kSdlKeypadDigits[10] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                      SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};

struct NamedKey {
    const char* name;
    int code;
};

constexpr NamedKey kNames[] = {
    {"tab", 9},      {"enter", 13},   {"escape", 27}, {"space", 32},  {"backspace", 8},
    {"up", 38},      {"down", 40},    {"left", 37},   {"right", 39},  {"lalt", 164},
    {"ralt", 165},   {"lshift", 160}, {"rshift", 161}, {"lctrl", 162}, {"rctrl", 163},
};

std::string lowered(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int decimalCode(const std::string& text) {
    if (text.empty() || text.size() > 3) return 0;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    int code = std::atoi(text.c_str());
    return code >= 1 && code <= 255 ? code : 0;
}

}  // namespace

namespace internal {

int keyCodeFromSdl(int sdlKeycode) {
    if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
    if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
    if (sdlKeycode >= SDLK_F1 && sdlKeycode <= SDLK_F12) return 112 + (sdlKeycode - SDLK_F1);
    for (int digit = 0; digit < 10; ++digit)
        if (sdlKeycode == kSdlKeypadDigits[digit]) return 96 + digit;
    for (const KeyPair& pair : kSdlKeys)
        if (pair.sdl == sdlKeycode) return pair.code;
    return 0;
}

}  // namespace internal

int keyCodeFromName(const std::string& name) {
    std::string key = lowered(name);
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') return 'A' + (key[0] - 'a');
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') return key[0];
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'f') {
        int n = decimalCode(key.substr(1));
        if (n >= 1 && n <= 12) return 111 + n;
    }
    for (const NamedKey& named : kNames)
        if (key == named.name) return named.code;
    return decimalCode(key);
}

}  // namespace platform
