#include "soak/soak_options.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

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
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--hot-plug") == 0 && hasValue &&
            parseCount(argv[i + 1], options.hotPlugEvents)) {
            ++i;
        } else if (std::strcmp(argv[i], "--rss-tolerance") == 0 && hasValue &&
                   parseCount(argv[i + 1], options.rssToleranceKiB)) {
            ++i;
        } else if (std::strcmp(argv[i], "--every-screen") == 0) {
            options.everyScreen = true;
        } else if (std::strcmp(argv[i], "--no-rss-check") == 0) {
            options.checkMemory = false;
        } else {
            error = std::string("cannot read option ") + argv[i];
            return false;
        }
    }
    return true;
}

long warmUpFrames(const SoakOptions& options)
{
    return std::min(options.frames / 10, LONGEST_WARM_UP);
}
