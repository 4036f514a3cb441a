// SPDX-License-Identifier: Zlib
#pragma once

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <ctime>

// What the programs timed by the start-up probe tell it on their standard output.

// The monotonic clock in nanoseconds, comparable across processes.
inline long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

constexpr const char* FIRST_FRAME_TAG = "first-frame-ns ";
constexpr const char* FIRST_FRAME_CPU_TAG = "first-frame-cpu-us ";
constexpr const char* PEAK_MEMORY_TAG = "peak-kib ";

// The first frame has been presented; the probe read the same clock just before
// starting this process. Also the processor time spent so far by all the threads,
// which a busy machine stretches far less than the clock.
inline void signalFirstFrame()
{
    const long long now = monotonicNanoseconds();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long long cpuMicroseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                                      usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::printf("%s%lld\n%s%lld\n", FIRST_FRAME_TAG, now, FIRST_FRAME_CPU_TAG, cpuMicroseconds);
    std::fflush(stdout);
}

// The peak resident memory of this process (VmHWM), read by the process itself: the
// parent's rusage would also count the parent's own memory at the spawn.
inline void reportPeakMemory()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return;
    }
    char line[256];
    long peak = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) {
            std::sscanf(line + 6, "%ld", &peak);
        }
    }
    std::fclose(status);
    std::printf("%s%ld\n", PEAK_MEMORY_TAG, peak);
    std::fflush(stdout);
}
