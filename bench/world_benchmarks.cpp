// SPDX-License-Identifier: Zlib
#include "world_benchmarks.h"

#include "app/app_context.h"
#include "app/frame_canvas.h"
#include "app/window_settings.h"
#include "platform/platform_context.h"
#include "platform/sprite_sheet.h"
#include "steady_wave.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr WaveSize WAVES[] = {{10, 0}, {10, 200}, {50, 0}, {50, 200}, {100, 0}, {100, 200}};
constexpr int WARM_UP_FRAMES = 5;

std::string waveName(const char* what, WaveSize size)
{
    return std::string(what) + "/" + std::to_string(size.enemies) + "/" + std::to_string(size.bullets);
}

// Makes the world and the sprite sheet draw into a software renderer for its lifetime,
// on a canvas of the logical size as the game's frames are drawn.
class SoftwareTarget {
public:
    SoftwareTarget()
    {
        surface =
            SDL_CreateRGBSurfaceWithFormat(0, LOGICAL_WIDTH, LOGICAL_HEIGHT, 32, SDL_PIXELFORMAT_RGB888);
        renderer = SDL_CreateSoftwareRenderer(surface);
        gameRenderer = platform.renderer;
        platform.renderer = renderer;
        loadSpriteSheet(renderer);
    }
    ~SoftwareTarget()
    {
        platform.renderer = gameRenderer;
        loadSpriteSheet(gameRenderer);
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
    SoftwareTarget(const SoftwareTarget&) = delete;
    SoftwareTarget& operator=(const SoftwareTarget&) = delete;

private:
    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Renderer* gameRenderer = nullptr;
};

void updateWorld(benchmark::State& state, WaveSize size)
{
    SteadyWave wave(*app.world, size);
    for (auto _ : state) {
        app.world->update();
        if (wave.tick()) {
            state.PauseTiming();
            wave.restore();
            state.ResumeTiming();
        }
    }
}

// How a frame begins and ends on the renderer drawn into.
struct FrameEnds {
    void (*begin)();
    void (*end)();
};

void clearSoftwareFrame()
{
    SDL_SetRenderDrawColor(platform.renderer, 0, 0, 0, 0);
    SDL_RenderClear(platform.renderer);
}

void presentSoftwareFrame()
{
    SDL_RenderPresent(platform.renderer);
}

void presentGameFrame()
{
    finishFrameCanvas();
    SDL_RenderPresent(platform.renderer);
}

// World::draw alone; ending the frame and beginning the next fall outside the timing.
void drawWorld(benchmark::State& state, WaveSize size, FrameEnds frame)
{
    SteadyWave wave(*app.world, size);
    frame.begin();
    // The renderer's first frames build its own state (shaders, buffers).
    for (int warmUp = 0; warmUp < WARM_UP_FRAMES; ++warmUp) {
        app.world->draw();
        frame.end();
        frame.begin();
    }
    for (auto _ : state) {
        app.world->draw();
        state.PauseTiming();
        frame.end();
        frame.begin();
        state.ResumeTiming();
    }
    frame.end();
}

void drawWorldInSoftware(benchmark::State& state, WaveSize size)
{
    SoftwareTarget target;
    drawWorld(state, size, {clearSoftwareFrame, presentSoftwareFrame});
}

void drawWorldInGameWindow(benchmark::State& state, WaveSize size)
{
    drawWorld(state, size, {beginFrameCanvas, presentGameFrame});
}

benchmark::internal::Benchmark* configure(benchmark::internal::Benchmark* bench,
                                          const BenchSettings& settings)
{
    return bench->Repetitions(settings.repetitions)
        ->ReportAggregatesOnly(true)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
}

// Keeps the median of each benchmark (or its only run) and says which one is running.
class MedianCollector : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& /*context*/) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || !(median || run.run_type == Run::RT_Iteration)) {
                continue;
            }
            auto found = std::find_if(times.begin(), times.end(),
                                      [&name](const auto& entry) { return entry.first == name; });
            if (found == times.end()) {
                times.emplace_back(name, run.GetAdjustedRealTime());
            } else if (median) {
                found->second = run.GetAdjustedRealTime();
            }
        }
        std::fprintf(stderr, "  measured %s\n",
                     runs.empty() ? "" : runs.front().run_name.function_name.c_str());
    }

    WorldTimes times;
};

} // namespace

void registerWorldBenchmarks(const BenchSettings& settings, bool withOpenGl)
{
    for (const WaveSize& size : WAVES) {
        configure(benchmark::RegisterBenchmark(waveName("update", size).c_str(), updateWorld, size), settings)
            ->MinTime(settings.minSeconds);
        configure(
            benchmark::RegisterBenchmark(waveName("draw/software", size).c_str(), drawWorldInSoftware, size),
            settings)
            ->Iterations(settings.drawIterations);
        if (withOpenGl) {
            configure(benchmark::RegisterBenchmark(waveName("draw/opengl", size).c_str(),
                                                   drawWorldInGameWindow, size),
                      settings)
                ->Iterations(settings.drawIterations);
        }
    }
}

WorldTimes runWorldBenchmarks()
{
    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    return collector.times;
}
