#include <cstdio>
#include <string>

#include "app/startup.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::Options options;
    std::string error;
    if (!platform::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "tavik-morrow: %s\n", error.c_str());
        return 2;
    }
    if (!platform::init(options)) {
        std::fprintf(stderr, "tavik-morrow: the platform could not start\n");
        return 1;
    }
    app::RunProgram();
}
