// Scratch file names for tests. ctest runs test processes side by side, so each process
// gets names of its own.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace testsupport {

inline std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + "tavik-" + std::to_string(getpid()) + "-" + name;
}

}  // namespace testsupport
