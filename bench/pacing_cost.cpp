// SPDX-License-Identifier: Zlib
#include "pacing_cost.h"

#include "probe_signals.h"
#include "subprocess.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

namespace {

constexpr std::chrono::seconds TIMER_LINE_TIMEOUT{30};
constexpr std::chrono::milliseconds LAST_LINES_TIMEOUT{2000};
constexpr double NANOSECONDS_PER_SECOND = 1e9;
constexpr double NANOSECONDS_PER_MILLISECOND = 1e6;
constexpr const char* BY_TIMER = "frames are paced by a timer";
constexpr const char* SHOWN = "0";
constexpr const char* HIDDEN_FOR_GOOD = "1e9"; // seconds

std::string presentLogPath(const char* name)
{
    return "/tmp/plorvik-bench-" + std::to_string(getpid()) + "-" + name + ".log";
}

// One game on a 60 Hz display the shim makes, with vertical sync as the game asks for it:
// its present log and its own output.
struct ShimmedGame {
    ShimmedGame(const std::string& game, const std::string& shim, const char* name, const char* hiddenUntil)
        : presents(presentLogPath(name)),
          program({"/usr/bin/env", "-u", "SDL_RENDER_VSYNC", "LD_PRELOAD=" + shim, "PLORVIK_SHIM_HZ=60",
                   "PLORVIK_SHIM_HIDDEN_UNTIL=" + std::string(hiddenUntil), "PLORVIK_SHIM_LOG=" + presents,
                   game})
    {
    }

    ~ShimmedGame() { std::remove(presents.c_str()); }
    ShimmedGame(const ShimmedGame&) = delete;
    ShimmedGame& operator=(const ShimmedGame&) = delete;

    // Reads its output until a line says the timer paces, or until it ends or falls silent.
    bool sawTimerLine(std::chrono::milliseconds timeout)
    {
        while (const std::optional<std::string> line = program.readLine(timeout)) {
            if (line->find(BY_TIMER) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    long long processorNanoseconds() const
    {
        clockid_t clock{};
        timespec used{};
        if (clock_getcpuclockid(program.id(), &clock) != 0 || clock_gettime(clock, &used) != 0) {
            return -1;
        }
        return static_cast<long long>(used.tv_sec) * 1000000000LL + used.tv_nsec;
    }

    long long presentsBetween(long long from, long long to) const
    {
        std::ifstream log(presents);
        return std::count_if(std::istream_iterator<long long>(log), std::istream_iterator<long long>(),
                             [&](long long t) { return t >= from && t < to; });
    }

    std::string presents;
    Subprocess program;
};

struct Sample {
    long long clock = 0;
    long long vsyncCpu = 0;
    long long timerCpu = 0;
};

Sample sample(const ShimmedGame& vsync, const ShimmedGame& timer)
{
    return {monotonicNanoseconds(), vsync.processorNanoseconds(), timer.processorNanoseconds()};
}

// Processor time between two readings, or -1 when either failed.
long long spent(long long before, long long after)
{
    return before < 0 || after < 0 ? -1 : after - before;
}

std::optional<PacedRun> pacedRun(const ShimmedGame& game, long long from, long long to, long long cpu)
{
    const long long frames = game.presentsBetween(from, to);
    if (frames == 0 || cpu < 0) {
        return std::nullopt;
    }
    return PacedRun{static_cast<double>(cpu) / static_cast<double>(frames) / NANOSECONDS_PER_MILLISECOND,
                    static_cast<double>(frames) * NANOSECONDS_PER_SECOND / static_cast<double>(to - from),
                    false};
}

} // namespace

std::optional<PacingCost> comparePacing(const std::string& game, const std::string& shim, double seconds)
{
    ShimmedGame vsync(game, shim, "vsync", SHOWN);
    ShimmedGame timer(game, shim, "timer", HIDDEN_FOR_GOOD);
    if (!vsync.program.started() || !timer.program.started() || !timer.sawTimerLine(TIMER_LINE_TIMEOUT)) {
        return std::nullopt;
    }
    const Sample before = sample(vsync, timer);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const Sample after = sample(vsync, timer);
    std::optional<PacedRun> byVsync =
        pacedRun(vsync, before.clock, after.clock, spent(before.vsyncCpu, after.vsyncCpu));
    std::optional<PacedRun> byTimer =
        pacedRun(timer, before.clock, after.clock, spent(before.timerCpu, after.timerCpu));
    vsync.program.terminate();
    if (!byVsync || !byTimer) {
        return std::nullopt;
    }
    byVsync->byTimer = vsync.sawTimerLine(LAST_LINES_TIMEOUT);
    byTimer->byTimer = true;
    return PacingCost{*byVsync, *byTimer};
}
