#include "app/farewell.h"

#include <cstdlib>

#include "app/debug_log.h"
#include "platform/platform.h"

namespace app {

void Farewell() {
    CloseDebugLog();
    platform::shutdown();
    std::exit(0);
}

}  // namespace app
