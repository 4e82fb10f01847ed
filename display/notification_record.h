// One short message in the bottom-left corner.
#pragma once
#include <cstdint>
#include <string>

namespace display {

struct ment {
    int32_t tick = 0;  // frame-service calls that have drawn it
    std::string txt;
    int32_t c = 0;     // kept from the poster; nothing reads it
};

}  // namespace display
