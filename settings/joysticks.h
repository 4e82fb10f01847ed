#pragma once

namespace settings {

// Takes up to four joysticks: names, buttons, and the axes' rest readings, once at start-up.
void DiscoverJoysticks();

}  // namespace settings
