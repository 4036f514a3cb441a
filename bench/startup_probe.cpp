// SPDX-License-Identifier: Zlib
#include "startup_probe.h"

#include "median.h"
#include "probe_signals.h"
#include "subprocess.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr std::chrono::seconds LINE_TIMEOUT{30};
constexpr double NANOSECONDS_PER_MILLISECOND = 1e6;
constexpr double KIB_PER_MIB = 1024.0;

constexpr double MICROSECONDS_PER_MILLISECOND = 1e3;

std::optional<long long> taggedValue(const std::string& line, const char* tag)
{
    if (line.rfind(tag, 0) != 0) {
        return std::nullopt;
    }
    return std::atoll(line.c_str() + std::char_traits<char>::length(tag));
}

// One run's figures (its `runs` left 0).
std::optional<StartupFigures> runOnce(const std::vector<std::string>& command)
{
    const long long start = monotonicNanoseconds();
    Subprocess program(command);
    std::optional<long long> firstFrame;
    std::optional<long long> cpu;
    std::optional<long long> peakKiB;
    while (const std::optional<std::string> line = program.readLine(LINE_TIMEOUT)) {
        if (const auto value = taggedValue(*line, FIRST_FRAME_TAG)) {
            firstFrame = value;
        } else if (const auto used = taggedValue(*line, FIRST_FRAME_CPU_TAG)) {
            cpu = used;
        } else if (const auto peak = taggedValue(*line, PEAK_MEMORY_TAG)) {
            peakKiB = peak;
        }
    }
    if (program.wait() != 0 || !firstFrame || !cpu || !peakKiB) {
        return std::nullopt;
    }
    return StartupFigures{static_cast<double>(*firstFrame - start) / NANOSECONDS_PER_MILLISECOND,
                          static_cast<double>(*cpu) / MICROSECONDS_PER_MILLISECOND,
                          static_cast<double>(*peakKiB) / KIB_PER_MIB, 0};
}

StartupFigures medians(const std::vector<StartupFigures>& samples)
{
    std::vector<double> times;
    std::vector<double> cpu;
    std::vector<double> peaks;
    for (const StartupFigures& sample : samples) {
        times.push_back(sample.milliseconds);
        cpu.push_back(sample.cpuMilliseconds);
        peaks.push_back(sample.peakMiB);
    }
    return {median(times), median(cpu), median(peaks), static_cast<int>(samples.size())};
}

} // namespace

std::vector<StartupFigures> compareStartup(const std::vector<std::vector<std::string>>& commands, int runs)
{
    std::vector<std::vector<StartupFigures>> samples(commands.size());
    for (int round = 0; round < runs; ++round) {
        for (std::size_t c = 0; c < commands.size(); ++c) {
            if (const auto sample = runOnce(commands[c])) {
                samples[c].push_back(*sample);
            }
        }
    }
    std::vector<StartupFigures> figures;
    for (const std::vector<StartupFigures>& taken : samples) {
        figures.push_back(medians(taken));
    }
    return figures;
}
