// Keyboard, typed characters, mouse and the close request, fed by SDL events and input scripts.
#include "platform/input.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <deque>

#include "platform/input_script.h"
#include "platform/internal.h"

namespace platform {
namespace {

// A busy poll of the input moves the virtual clock on by this much, so waiting loops end.
constexpr int64_t kPollStepMicros = 10;

struct PointerMapping {
    float scale = 1, offsetX = 0, offsetY = 0;
};

struct InputState {
    bool started = false;
    uint32_t sdlSubsystems = 0;
    bool keyHeld[256] = {};
    int keyHits[256] = {};
    std::deque<int> typed;
    bool buttonHeld[4] = {};
    int buttonHits[4] = {};
    float pointerX = 0, pointerY = 0;
    bool closeRequested = false;
    int64_t lastSdlPumpMs = -1;
    script::Player player;
};
InputState input;
PointerMapping mapping;

bool validKey(int code) { return code >= 1 && code <= 255; }
bool validButton(int button) { return button >= 1 && button <= 3; }

// Either side of Shift, Ctrl or Alt (160..165) also holds the generic key (16, 17, 18).
int genericKey(int code) { return code >= 160 && code <= 165 ? 16 + (code - 160) / 2 : 0; }

void pressKey(int code, bool repeat) {
    if (!validKey(code)) return;
    if (code == 8 || code == 13 || code == 27) input.typed.push_back(code);
    int generic = genericKey(code);
    input.keyHeld[code] = true;
    if (generic) input.keyHeld[generic] = true;
    if (repeat) return;
    ++input.keyHits[code];
    if (generic) ++input.keyHits[generic];
}

void releaseKey(int code) {
    if (!validKey(code)) return;
    input.keyHeld[code] = false;
    int generic = genericKey(code);
    if (!generic) return;
    int left = 160 + (generic - 16) * 2;
    input.keyHeld[generic] = input.keyHeld[left] || input.keyHeld[left + 1];
}

void setButton(int button, bool down) {
    if (!validButton(button)) return;
    input.buttonHeld[button] = down;
    if (down) ++input.buttonHits[button];
}

int buttonFromSdl(uint8_t sdlButton) {
    if (sdlButton == SDL_BUTTON_LEFT) return 1;
    if (sdlButton == SDL_BUTTON_RIGHT) return 2;
    if (sdlButton == SDL_BUTTON_MIDDLE) return 3;
    return 0;
}

void setPointerFromWindow(int x, int y) {
    float scale = mapping.scale > 0 ? mapping.scale : 1;
    input.pointerX = (float(x) - mapping.offsetX) / scale;
    input.pointerY = (float(y) - mapping.offsetY) / scale;
}

// One code point from UTF-8 at `at`. A byte that starts no valid sequence is taken as Latin-1,
// so scripts may be saved in either encoding.
uint32_t decodeUtf8(const std::string& s, size_t at, size_t& length) {
    static const uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    unsigned char lead = static_cast<unsigned char>(s[at]);
    size_t extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : 0;
    length = 1;
    if (extra == 0 || at + extra >= s.size()) return lead;
    uint32_t code = lead & (0x3Fu >> extra);
    for (size_t k = 1; k <= extra; ++k) {
        unsigned char next = static_cast<unsigned char>(s[at + k]);
        if ((next & 0xC0) != 0x80) return lead;
        code = code << 6 | (next & 0x3Fu);
    }
    if (code < kSmallest[extra]) return lead;
    length = extra + 1;
    return code;
}

// Characters past Latin-1 have no code in the game's 8-bit text, so they are dropped.
void pushTypedText(const std::string& text) {
    size_t length = 1;
    for (size_t at = 0; at < text.size(); at += length) {
        uint32_t code = decodeUtf8(text, at, length);
        if (code <= 255) input.typed.push_back(int(code));
    }
}

void applyJoystickEvent(const script::Event& e) {
    if (e.kind == script::Kind::JoyAttach) internal::scriptJoystickAttach(e.text);
    if (e.kind == script::Kind::JoyAxis) internal::scriptJoystickAxis(e.code, e.index, e.x);
    if (e.kind == script::Kind::JoyHat) internal::scriptJoystickHat(e.code, e.x);
    if (e.kind == script::Kind::JoyButton) internal::scriptJoystickButton(e.code, e.index, e.down);
}

void applyScriptEvent(const script::Event& e) {
    using script::Kind;
    switch (e.kind) {
        case Kind::KeyDown: pressKey(e.code, false); break;
        case Kind::KeyUp: releaseKey(e.code); break;
        case Kind::Type: pushTypedText(e.text); break;
        case Kind::MouseMove:
            input.pointerX = e.x;
            input.pointerY = e.y;
            break;
        case Kind::MouseDown: setButton(e.code, true); break;
        case Kind::MouseUp: setButton(e.code, false); break;
        case Kind::Close: input.closeRequested = true; break;
        default: applyJoystickEvent(e); break;
    }
}

void pumpSdl() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) internal::handleSdlEvent(event);
}

// SDL's queue is read at most once per millisecond unless forced: queries come thousands of
// times a frame.
void pump(bool forceSdl) {
    if (!input.started) return;
    int64_t nowMs = internal::clockMicros() / 1000;
    while (const script::Event* e = input.player.nextDue(nowMs)) applyScriptEvent(*e);
    if (!forceSdl && nowMs == input.lastSdlPumpMs) return;
    input.lastSdlPumpMs = nowMs;
    pumpSdl();
}

void clearHeldAndCounted() {
    for (int i = 0; i < 256; ++i) input.keyHeld[i] = false, input.keyHits[i] = 0;
    for (int i = 0; i < 4; ++i) input.buttonHeld[i] = false, input.buttonHits[i] = 0;
    input.typed.clear();
}

}  // namespace

bool feedInput(const std::string& event, std::string& error) {
    script::Event e;
    if (!script::parseEvent("at 0 " + event, e, error)) return false;
    applyScriptEvent(e);
    return true;
}

namespace internal {

bool inputStart(const std::string& scriptPath, std::string& error) {
    input = InputState{};
    std::vector<script::Event> events;
    if (!scriptPath.empty() && !script::load(scriptPath, events, error)) return false;
    // The offscreen window of a headless run never has focus, and SDL drops joystick changes then.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, clockIsVirtual() ? "1" : "0");
    input.sdlSubsystems = SDL_INIT_JOYSTICK | SDL_INIT_EVENTS;
    if (SDL_InitSubSystem(input.sdlSubsystems) != 0) {
        std::fprintf(stderr, "platform: no joysticks: %s\n", SDL_GetError());
        input.sdlSubsystems = SDL_INIT_EVENTS;
        if (SDL_InitSubSystem(input.sdlSubsystems) != 0) {
            error = std::string("cannot start SDL events: ") + SDL_GetError();
            return false;
        }
    }
    joysticksStart();
    input.player.start(std::move(events));
    input.started = true;
    return true;
}

void inputStop() {
    if (input.started) {
        joysticksStop();
        SDL_QuitSubSystem(input.sdlSubsystems);
    }
    input = InputState{};
    mapping = PointerMapping{};
}

void pumpEvents() { pump(false); }

void pollForQuery() {
    if (clockIsVirtual()) clockAdvanceMicros(kPollStepMicros);
    pumpEvents();
}

void handleSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: input.closeRequested = true; break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) input.closeRequested = true;
            break;
        case SDL_KEYDOWN: pressKey(keyCodeFromSdl(event.key.keysym.sym), event.key.repeat != 0); break;
        case SDL_KEYUP: releaseKey(keyCodeFromSdl(event.key.keysym.sym)); break;
        case SDL_TEXTINPUT: pushTypedText(event.text.text); break;
        case SDL_MOUSEMOTION: setPointerFromWindow(event.motion.x, event.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            setPointerFromWindow(event.button.x, event.button.y);
            setButton(buttonFromSdl(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED: joystickDeviceEvent(event); break;
        default: break;
    }
}

void setPointerMapping(float scale, float offsetX, float offsetY) { mapping = {scale, offsetX, offsetY}; }

}  // namespace internal

bool keyDown(int code) {
    internal::pollForQuery();
    return validKey(code) && input.keyHeld[code];
}

int keyHits(int code) {
    internal::pollForQuery();
    if (!validKey(code)) return 0;
    int hits = input.keyHits[code];
    input.keyHits[code] = 0;
    return hits;
}

int nextTypedChar() {
    internal::pollForQuery();
    if (input.typed.empty()) return 0;
    int code = input.typed.front();
    input.typed.pop_front();
    return code;
}

bool mouseDown(int button) {
    internal::pollForQuery();
    return validButton(button) && input.buttonHeld[button];
}

int mouseHits(int button) {
    internal::pollForQuery();
    if (!validButton(button)) return 0;
    int hits = input.buttonHits[button];
    input.buttonHits[button] = 0;
    return hits;
}

float pointerX() {
    internal::pollForQuery();
    return input.pointerX;
}

float pointerY() {
    internal::pollForQuery();
    return input.pointerY;
}

void movePointer(float x, float y) {
    input.pointerX = x;
    input.pointerY = y;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    // Only a window that has the pointer may move it; otherwise the pointer is the user's.
    if (SDL_Window* window = SDL_GetMouseFocus())
        SDL_WarpMouseInWindow(window, int(std::lround(x * mapping.scale + mapping.offsetX)),
                              int(std::lround(y * mapping.scale + mapping.offsetY)));
}

void flushInput() {
    // Events already due, in SDL's queue or the script, are older than the flush and go too.
    pump(true);
    clearHeldAndCounted();
}

void showSystemPointer(bool show) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool closeRequested() {
    internal::pollForQuery();
    bool requested = input.closeRequested;
    input.closeRequested = false;
    return requested;
}

}  // namespace platform
