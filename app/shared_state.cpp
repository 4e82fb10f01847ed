#include "app/shared_state.h"

#include <cstdio>

namespace app {

SharedState shared;

std::string TitleLine() {
    return "#" + std::to_string(WeekNumber) + " : " + TitleWord1 + " " + TitleWord2;
}

std::string GameFolder() {
    char name[16];
    std::snprintf(name, sizeof name, "%03d/", WeekNumber);
    return name;
}

void ResetSharedState() { shared = SharedState{}; }

}  // namespace app
