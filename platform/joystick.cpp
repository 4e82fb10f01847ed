// Joysticks through SDL, and the virtual ones that input scripts attach and move.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/input.h"
#include "platform/input_script.h"
#include "platform/internal.h"

namespace platform {
namespace {

constexpr int kScriptAxes = 6, kScriptButtons = 20, kScriptHats = 1;

// Directions of SDL's first hat, clockwise from up, an eighth of a turn apart.
constexpr Uint8 kHatDirections[8] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                                     SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP};

struct Device {
    SDL_Joystick* handle;
    SDL_JoystickID id;
};

struct Joysticks {
    std::vector<Device> open;              // device numbers in the order they appeared
    std::vector<SDL_JoystickID> scripted;  // script joystick n is scripted[n - 1]; -1 if it failed
};
Joysticks joysticks;

bool isOpen(SDL_JoystickID id) {
    return std::any_of(joysticks.open.begin(), joysticks.open.end(), [id](const Device& d) { return d.id == id; });
}

void openDevice(int deviceIndex) {
    // Headless runs see only scripted joysticks, so a pad left plugged in cannot change a run.
    if (internal::clockIsVirtual() && !SDL_JoystickIsVirtual(deviceIndex)) return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || isOpen(id)) return;
    if (SDL_Joystick* handle = SDL_JoystickOpen(deviceIndex)) joysticks.open.push_back({handle, id});
}

void closeDevice(SDL_JoystickID id) {
    auto found = std::find_if(joysticks.open.begin(), joysticks.open.end(), [id](const Device& d) { return d.id == id; });
    if (found == joysticks.open.end()) return;
    SDL_JoystickClose(found->handle);
    joysticks.open.erase(found);
}

SDL_Joystick* device(int number) {
    internal::pollForQuery();
    if (number < 0 || number >= int(joysticks.open.size())) return nullptr;
    return joysticks.open[size_t(number)].handle;
}

SDL_Joystick* scripted(int number) {
    if (number < 1 || number > int(joysticks.scripted.size())) return nullptr;
    return SDL_JoystickFromInstanceID(joysticks.scripted[size_t(number - 1)]);
}

Sint16 axisValue(float value) {
    long v = std::lround(double(value) * 32767.0);
    return Sint16(std::clamp(v, -32768L, 32767L));
}

Uint8 hatMask(float fraction) {
    if (fraction < 0) return SDL_HAT_CENTERED;
    return kHatDirections[std::lround(double(fraction) * 8.0) % 8];
}

float hatFraction(Uint8 mask) {
    for (int i = 0; i < 8; ++i)
        if (kHatDirections[i] == mask) return float(i) / 8.0f;
    return -1.0f;
}

void detachScripted() {
    for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (std::find(joysticks.scripted.begin(), joysticks.scripted.end(), id) != joysticks.scripted.end())
            SDL_JoystickDetachVirtual(i);
    }
}

}  // namespace

namespace internal {

void joysticksStart() {
    joysticks = Joysticks{};
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) openDevice(i);
}

void joysticksStop() {
    for (const Device& d : joysticks.open) SDL_JoystickClose(d.handle);
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) detachScripted();
    joysticks = Joysticks{};
}

void joystickDeviceEvent(const SDL_Event& event) {
    if (event.type == SDL_JOYDEVICEADDED) openDevice(event.jdevice.which);
    if (event.type == SDL_JOYDEVICEREMOVED) closeDevice(event.jdevice.which);
}

void scriptJoystickAttach(const std::string& name) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = kScriptAxes;
    desc.nbuttons = kScriptButtons;
    desc.nhats = kScriptHats;
    desc.name = name.c_str();
    int index = SDL_WasInit(SDL_INIT_JOYSTICK) ? SDL_JoystickAttachVirtualEx(&desc) : -1;
    if (index < 0) std::fprintf(stderr, "platform: cannot attach joystick %s: %s\n", name.c_str(), SDL_GetError());
    // A failed attach keeps its number, so later script lines still mean the joysticks they name.
    joysticks.scripted.push_back(index < 0 ? -1 : SDL_JoystickGetDeviceInstanceID(index));
    if (index >= 0) openDevice(index);
}

void scriptJoystickAxis(int joystick, int axis, float value) {
    if (SDL_Joystick* j = scripted(joystick)) SDL_JoystickSetVirtualAxis(j, axis, axisValue(value));
    SDL_JoystickUpdate();
}

void scriptJoystickHat(int joystick, float fraction) {
    if (SDL_Joystick* j = scripted(joystick)) SDL_JoystickSetVirtualHat(j, 0, hatMask(fraction));
    SDL_JoystickUpdate();
}

void scriptJoystickButton(int joystick, int button, bool down) {
    if (SDL_Joystick* j = scripted(joystick))
        SDL_JoystickSetVirtualButton(j, button, down ? SDL_PRESSED : SDL_RELEASED);
    SDL_JoystickUpdate();
}

}  // namespace internal

int joystickCount() {
    internal::pollForQuery();
    return int(joysticks.open.size());
}

std::string joystickName(int number) {
    SDL_Joystick* j = device(number);
    const char* name = j ? SDL_JoystickName(j) : nullptr;
    return name ? name : "";
}

int joystickButtonMask(int number) {
    SDL_Joystick* j = device(number);
    int buttons = j ? std::min(SDL_JoystickNumButtons(j), 31) : 0;
    return buttons > 0 ? int((1u << buttons) - 1) : 0;
}

// Buttons are numbered from 0, as the game's binding codes count them; bit n of the mask is button n.
bool joystickButton(int number, int button) {
    SDL_Joystick* j = device(number);
    if (!j || button < 0 || button >= SDL_JoystickNumButtons(j)) return false;
    return SDL_JoystickGetButton(j, button) == SDL_PRESSED;
}

float joystickAxis(int number, JoyAxis axis) {
    SDL_Joystick* j = device(number);
    int index = int(axis);
    if (!j || index < 0 || index >= SDL_JoystickNumAxes(j)) return 0;
    return std::clamp(float(SDL_JoystickGetAxis(j, index)) / 32767.0f, -1.0f, 1.0f);
}

float joystickHat(int number) {
    SDL_Joystick* j = device(number);
    if (!j || SDL_JoystickNumHats(j) < 1) return -1;
    return hatFraction(SDL_JoystickGetHat(j, 0));
}

}  // namespace platform
