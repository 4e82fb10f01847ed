#include "settings/joysticks.h"

#include <algorithm>

#include "app/shared_state.h"
#include "platform/input.h"

namespace settings {

void DiscoverJoysticks() {
    auto& s = app::shared;
    using platform::JoyAxis;
    s.JoystickCount = std::min(platform::joystickCount(), app::kMaxJoysticks);
    for (int j = 1; j <= s.JoystickCount; ++j) {
        int device = j - 1;
        s.JoyButtons[j] = platform::joystickButtonMask(device);
        s.JoyNames[j] = platform::joystickName(device);
        s.JoyRestX[j] = platform::joystickAxis(device, JoyAxis::X);
        s.JoyRestY[j] = platform::joystickAxis(device, JoyAxis::Y);
        s.JoyRestZ[j] = platform::joystickAxis(device, JoyAxis::Z);
        s.JoyRestR[j] = platform::joystickAxis(device, JoyAxis::R);
        s.JoyRestU[j] = platform::joystickAxis(device, JoyAxis::U);
        s.JoyRestV[j] = platform::joystickAxis(device, JoyAxis::V);
        s.JoyPresent[j] = 1;
        if (platform::joystickHat(device) == -1.0f) s.JoyHatPresent[j] = 1;
    }
}

}  // namespace settings
