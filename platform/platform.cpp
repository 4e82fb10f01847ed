#include "platform/platform.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/internal.h"

namespace platform {
namespace {

Options current;
bool started = false;

bool parseNumber(const std::string& text, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0';
}

bool parseFrameList(const std::string& text, Options& out) {
    if (text.rfind("every:", 0) == 0) return parseNumber(text.substr(6), out.captureEvery) && out.captureEvery > 0;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        long frame = 0;
        if (!parseNumber(item, frame) || frame < 1) return false;
        out.captureFrames.push_back(frame);
    }
    return !out.captureFrames.empty();
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& out, std::string& error) {
    out = Options{};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        std::string value = hasValue ? argv[i + 1] : "";
        if (arg == "--headless") {
            out.headless = true;
            continue;
        }
        if (arg != "--input" && arg != "--max-ms" && arg != "--capture" && arg != "--capture-frames" &&
            arg != "--video-driver" && arg != "--cost-quads-per-ms") {
            error = "unknown option " + arg;
            return false;
        }
        if (!hasValue) {
            error = arg + " needs a value";
            return false;
        }
        ++i;
        bool ok = true;
        if (arg == "--input") out.inputScript = value;
        if (arg == "--max-ms") ok = parseNumber(value, out.maxMs) && out.maxMs >= 0;
        if (arg == "--capture") out.captureDir = value;
        if (arg == "--capture-frames") ok = parseFrameList(value, out);
        if (arg == "--video-driver") out.videoDriver = value;
        if (arg == "--cost-quads-per-ms") ok = parseNumber(value, out.quadsPerMs) && out.quadsPerMs >= 0;
        if (!ok) {
            error = "bad value for " + arg + ": " + value;
            return false;
        }
    }
    if (!out.captureDir.empty() && out.captureFrames.empty() && out.captureEvery == 0) {
        error = "--capture needs --capture-frames";
        return false;
    }
    return true;
}

namespace {

// The game changes folder while it loads, so paths given on the command line are fixed to the
// folder the program started in; the capture folder is created if it is missing.
bool settlePaths(Options& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!o.inputScript.empty()) o.inputScript = fs::absolute(o.inputScript, ec).string();
    if (o.captureDir.empty()) return true;
    o.captureDir = fs::absolute(o.captureDir, ec).string();
    fs::create_directories(o.captureDir, ec);
    if (fs::is_directory(o.captureDir)) return true;
    std::fprintf(stderr, "platform: cannot make the capture folder %s\n", o.captureDir.c_str());
    return false;
}

}  // namespace

bool init(const Options& options) {
    if (started) shutdown();
    current = options;
    if (!settlePaths(current)) return false;
    internal::clockStart(options.headless);
    internal::setTimeLimit(options.maxMs);
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(0) != 0) return false;
    std::string error;
    if (!internal::displayStart(options.headless, options.videoDriver)) {
        std::fprintf(stderr, "platform: no video: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    if (!internal::inputStart(options.inputScript, error)) {
        std::fprintf(stderr, "platform: %s\n", error.c_str());
        internal::displayStop();
        SDL_Quit();
        return false;
    }
    internal::audioStart(options.headless);
    started = true;
    return true;
}

void shutdown() {
    if (!started) return;
    internal::audioStop();
    internal::inputStop();
    internal::displayStop();
    SDL_Quit();
    internal::setTimeLimit(-1);
    started = false;
}

bool headless() { return current.headless; }
const Options& options() { return current; }

}  // namespace platform
