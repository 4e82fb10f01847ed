#include "app/farewell.h"

#include <cstdlib>

#include "app/debug_log.h"
#include "platform/platform.h"
#include "scores/score_file.h"
#include "settings/setup_file.h"

namespace app {

// Settings and scores are saved before anything else can go wrong.
void Farewell() {
    settings::WriteSetupFile();
    scores::SaveScores();
    CloseDebugLog();
    platform::shutdown();
    std::exit(0);
}

}  // namespace app
