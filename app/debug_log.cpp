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
    if (logFile.isOpen()) logFile.writeLine(text);
}

void CloseDebugLog() { logFile.close(); }

}  // namespace app
