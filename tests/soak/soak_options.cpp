// SPDX-License-Identifier: Zlib
#include "soak/soak_options.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr long LONGEST_WARM_UP = 20000; // frames: several games, every screen

bool parseCount(const char* text, long& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

const char* soakUsage()
{
    return "usage: plorvik_soak FRAMES SEED [--hot-plug EVENTS] [--every-screen]"
           " [--rss-tolerance KIB | --no-rss-check]";
}

bool parseSoakOptions(int argc, char* argv[], SoakOptions& options, std::string& error)
{
    long seed = 0;
    if (argc < 3 || !parseCount(argv[1], options.frames) || options.frames == 0 ||
        !parseCount(argv[2], seed)) {
        error = "FRAMES must be a positive number and SEED a number";
        return false;
    }
    options.seed = static_cast<std::uint32_t>(seed);
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        long* value = option == "--hot-plug"        ? &options.hotPlugEvents
                      : option == "--rss-tolerance" ? &options.rssToleranceKiB
                                                    : nullptr;
        if (value != nullptr) {
            if (i + 1 == argc || !parseCount(argv[i + 1], *value)) {
                error = option + " needs a number";
                return false;
            }
            ++i;
        } else if (option == "--every-screen") {
            options.everyScreen = true;
        } else if (option == "--no-rss-check") {
            options.checkMemory = false;
        } else {
            error = "cannot read option " + option;
            return false;
        }
    }
    return true;
}

long warmUpFrames(const SoakOptions& options)
{
    return std::min(options.frames / 10, LONGEST_WARM_UP);
}
