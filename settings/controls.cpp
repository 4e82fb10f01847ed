#include "settings/controls.h"

#include "app/shared_state.h"
#include "platform/input.h"

namespace settings {
namespace {

constexpr float kAxisThreshold = 0.3f;
constexpr int kFirstJoystickCode = 300, kLastJoystickCode = 499, kCodesPerJoystick = 50;
constexpr int kHatUp = 20, kHatLeft = 23, kHatRight = 25, kHatDown = 28, kFirstButton = 30;

using platform::JoyAxis;

// Joystick inputs 0..11 in pairs (negative, positive): Y, X, Z, U, V, R.
constexpr JoyAxis kAxisOfPair[6] = {JoyAxis::Y, JoyAxis::X, JoyAxis::Z, JoyAxis::U, JoyAxis::V, JoyAxis::R};

float RestReading(int j, JoyAxis axis) {
    auto& s = app::shared;
    switch (axis) {
        case JoyAxis::X: return s.JoyRestX[j];
        case JoyAxis::Y: return s.JoyRestY[j];
        case JoyAxis::Z: return s.JoyRestZ[j];
        case JoyAxis::R: return s.JoyRestR[j];
        case JoyAxis::U: return s.JoyRestU[j];
        case JoyAxis::V: return s.JoyRestV[j];
    }
    return 0;
}

// Input 0..11 of joystick j: axis pair input / 2, negative side on even inputs.
bool AxisPushed(int j, int input) {
    JoyAxis axis = kAxisOfPair[input / 2];
    float reading = platform::joystickAxis(j - 1, axis);
    float rest = RestReading(j, axis);
    return input % 2 == 0 ? reading < rest - kAxisThreshold : reading > rest + kAxisThreshold;
}

// The hat's bands overlap, so a diagonal counts for both neighbouring directions.
bool HatInBand(float hat, int input) {
    switch (input) {
        case kHatUp: return hat >= 0 && (hat > 0.8f || hat < 0.2f);
        case kHatRight: return hat > 0.1f && hat < 0.4f;
        case kHatDown: return hat > 0.3f && hat < 0.7f;
        case kHatLeft: return hat > 0.6f && hat < 0.9f;
    }
    return false;
}

int JoystickTest(int j, int input) {
    auto& s = app::shared;
    if (s.JoyPresent[j] == 0) return 0;
    if (input <= 11) return AxisPushed(j, input) ? 1 : 0;
    if (input == kHatUp || input == kHatRight || input == kHatDown || input == kHatLeft)
        return HatInBand(platform::joystickHat(j - 1), input) && s.JoyHatPresent[j] == 1 ? 1 : 0;
    if (input >= kFirstButton) return platform::joystickButton(j - 1, input - kFirstButton) ? 1 : 0;
    return 0;
}

int ScanJoystick(int j) {
    auto& s = app::shared;
    int base = 250 + kCodesPerJoystick * j;
    for (int input = 0; input <= 11; ++input)
        if (AxisPushed(j, input)) return base + input;
    if (s.JoyHatPresent[j] == 1) {
        float hat = platform::joystickHat(j - 1);
        const struct { float at; int input; } exact[4] = {{0.0f, kHatUp}, {0.25f, kHatRight}, {0.5f, kHatDown}, {0.75f, kHatLeft}};
        for (const auto& e : exact)
            if (hat == e.at) return base + e.input;
    }
    for (int b = 0; b < s.JoyButtons[j] && b < 19; ++b)
        if (platform::joystickButton(j - 1, b)) return base + kFirstButton + b;
    return 0;
}

}  // namespace

int ControlTest(int code) {
    if (code >= 10 && code <= 254 && platform::keyDown(code)) return 1;
    // Codes past joystick 4 name devices we never keep.
    if (code < kFirstJoystickCode || code > kLastJoystickCode) return 0;
    return JoystickTest(code / kCodesPerJoystick - 5, code % kCodesPerJoystick);
}

int ControlHeld(int control, int player) {
    return ControlTest(app::shared.ControlKeys[(player - 1) * kControlsPerPlayer + control]);
}

int AnyInputHeld() {
    constexpr int kKeyF11 = 122, kKeyF12 = 123;
    if (platform::keyDown(kKeyF11) || platform::keyDown(kKeyF12)) return 0;
    for (int code = 1; code <= 255; ++code)
        if (platform::keyDown(code)) return code;
    for (int j = 1; j <= app::shared.JoystickCount; ++j) {
        if (app::shared.JoyPresent[j] == 0) continue;
        if (int code = ScanJoystick(j)) return code;
    }
    return 0;
}

}  // namespace settings
