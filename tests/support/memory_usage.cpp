// SPDX-License-Identifier: Zlib
#include "support/memory_usage.h"

#include <fstream>
#include <sstream>

namespace {

// Lines look like "VmHWM:\t   41236 kB".
long kibAfter(const std::string& line, const std::string& key)
{
    if (line.compare(0, key.size(), key) != 0) {
        return -1;
    }
    std::istringstream value(line.substr(key.size()));
    long kib = -1;
    value >> kib;
    return kib;
}

} // namespace

MemoryUsage currentMemoryUsage()
{
    MemoryUsage usage;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        const long peak = kibAfter(line, "VmHWM:");
        const long resident = kibAfter(line, "VmRSS:");
        if (peak >= 0) {
            usage.peakKiB = peak;
        }
        if (resident >= 0) {
            usage.residentKiB = resident;
        }
    }
    return usage;
}

std::string describe(const MemoryUsage& usage)
{
    if (usage.peakKiB < 0) {
        return "not taken";
    }
    return "peak " + std::to_string(usage.peakKiB) + " KiB, resident " + std::to_string(usage.residentKiB) +
           " KiB";
}
