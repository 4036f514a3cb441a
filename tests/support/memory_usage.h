// SPDX-License-Identifier: Zlib
#pragma once

#include <string>

// The process's resident memory as the kernel reports it in /proc/self/status.
struct MemoryUsage {
    long peakKiB = -1;     // VmHWM: the high-water mark of resident memory
    long residentKiB = -1; // VmRSS: resident now
};

MemoryUsage currentMemoryUsage();
std::string describe(const MemoryUsage& usage);
