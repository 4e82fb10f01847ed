#include "app/debug_log.h"

#include "platform/files.h"

namespace app {
namespace {
platform::LineWriter logFile;
}

bool OpenDebugLog(const std::string& path) {
    logFile.close();
    return logFile.open(path);
}

void DebugLog(const std::string& text) {
    // Each line reaches the file at once, so the log tells how far a run got even if it is killed.
    if (logFile.isOpen() && logFile.writeLine(text)) logFile.flush();
}

void CloseDebugLog() { logFile.close(); }

}  // namespace app
