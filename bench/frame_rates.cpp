// SPDX-License-Identifier: Zlib
#include "frame_rates.h"

#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "probe_signals.h"
#include "subprocess.h"

#include <chrono>
#include <cstdlib>

namespace {

constexpr int WARM_UP_FRAMES = 30;
constexpr double NANOSECONDS_PER_MILLISECOND = 1e6;
constexpr std::chrono::seconds TESTSPRITE_REPORT_TIMEOUT{30};
constexpr const char* FPS_TEXT = " frames per second";

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

std::optional<double> framesPerSecond(const std::string& line)
{
    const std::size_t end = line.find(FPS_TEXT);
    if (end == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t space = end == 0 ? std::string::npos : line.rfind(' ', end - 1);
    const std::size_t start = space == std::string::npos ? 0 : space + 1;
    char* parsed = nullptr;
    const double fps = std::strtod(line.c_str() + start, &parsed);
    if (parsed != line.c_str() + end || !(fps > 0.0)) {
        return std::nullopt;
    }
    return fps;
}

void playFrames(SteadyWave& wave, int frames)
{
    for (int frame = 0; frame < frames; ++frame) {
        runFrame();
        if (wave.tick()) {
            wave.restore();
        }
    }
}

double wholeFrameMilliseconds(WaveSize size, double seconds)
{
    SteadyWave wave(*app.world, size);
    app.scene = SCENE_PLAYING;
    playFrames(wave, WARM_UP_FRAMES);
    wave.restore();
    const long long budget = static_cast<long long>(seconds * 1e9);
    long long spent = 0;
    long long frames = 0;
    while (spent < budget) {
        const long long start = monotonicNanoseconds();
        runFrame();
        spent += monotonicNanoseconds() - start;
        ++frames;
        if (wave.tick()) {
            wave.restore();
        }
    }
    return static_cast<double>(spent) / static_cast<double>(frames) / NANOSECONDS_PER_MILLISECOND;
}

std::optional<double> testspriteMilliseconds(const std::string& path, int sprites)
{
    Subprocess peer({path, "--renderer", "opengl", "--geometry", "640x480", "--logical", "320x240",
                     std::to_string(sprites)},
                    directoryOf(path)); // it finds its icon.bmp beside itself
    std::optional<double> fps;
    while (!fps) {
        const std::optional<std::string> line = peer.readLine(TESTSPRITE_REPORT_TIMEOUT);
        if (!line) {
            return std::nullopt;
        }
        fps = framesPerSecond(*line);
    }
    peer.terminate();
    peer.wait();
    return 1000.0 / *fps;
}
