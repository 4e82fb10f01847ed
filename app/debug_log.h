// The debug log: Debug.txt, recreated at every start, one CR LF line per entry, 8-bit text.
#pragma once
#include <string>

namespace app {

bool OpenDebugLog(const std::string& path);  // replaces any earlier log
void DebugLog(const std::string& text);       // does nothing while no log is open
void CloseDebugLog();

}  // namespace app
