// Start-up and shut-down of the platform layer, and the run mode chosen once at start.
#pragma once
#include <string>
#include <vector>

namespace platform {

struct Options {
    bool headless = false;          // offscreen display, silent audio, virtual clock
    std::string inputScript;        // scripted input file (headless runs)
    long maxMs = -1;                // stop a run that goes on longer than this (ms since start)
    std::string captureDir;         // where presented frames are written as PNG
    std::vector<long> captureFrames;  // presented frame numbers, counted from 1
    long captureEvery = 0;          // or every Nth presented frame
    std::string videoDriver;        // SDL video driver override (tests, benchmarks)
    long quadsPerMs = 0;            // headless cost model: each presented frame takes quads/N ms
};

// Parses the command line; unknown arguments are an error. Returns false with a message.
bool parseOptions(int argc, char** argv, Options& out, std::string& error);

// Brings up every service in the chosen mode. Safe to call again after shutdown().
bool init(const Options& options);
void shutdown();

bool headless();
const Options& options();

// Exit code of a run stopped by --max-ms.
constexpr int kExitTimeLimit = 3;

}  // namespace platform
