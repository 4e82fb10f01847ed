// Starts the platform headless for a test, with an optional input script.
#pragma once
#include <fstream>
#include <string>

#include "platform/platform.h"
#include "tests/temp_path.h"

namespace testsupport {

inline bool StartHeadless(const std::string& script = "") {
    platform::Options options;
    options.headless = true;
    if (!script.empty()) {
        options.inputScript = tempPath("script.txt");
        std::ofstream(options.inputScript) << script;
    }
    return platform::init(options);
}

}  // namespace testsupport
