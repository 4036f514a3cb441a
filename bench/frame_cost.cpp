// SPDX-License-Identifier: Zlib
// The game's whole frame in play (events, update, draw, present) with 100 enemies and 200
// shots in flight, through the shell's own runFrame: one program for the desktop and the
// browser, so that the two are measured the same way on one machine. Prints the median of
// batches of frames, in milliseconds per frame, the drawing's own time included.
#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "median.h"
#include "platform/platform_context.h"
#include "steady_wave.h"

#include <SDL.h>

#include <cstdio>
#include <vector>

namespace {

constexpr WaveSize LARGEST_WAVE{100, 200};
constexpr int BATCHES = 40;

} // namespace

int main(int /*argc*/, char* /*argv*/[])
{
    if (!startUp()) {
        return 1;
    }
    SteadyWave wave(*app.world, LARGEST_WAVE);
    app.scene = SCENE_PLAYING;
    std::vector<double> batchMs;
    // The first batch warms up and is not counted.
    for (int batch = 0; batch <= BATCHES; ++batch) {
        wave.restore();
        const Uint64 start = SDL_GetPerformanceCounter();
        int frames = 0;
        do {
            runFrame();
            ++frames;
        } while (!wave.tick());
        // Waits for the drawing to be done, wherever it happens: a browser draws WebGL
        // in another process, a desktop driver may queue it.
        Uint32 pixel = 0;
        const SDL_Rect onePixel{0, 0, 1, 1};
        SDL_RenderReadPixels(platform.renderer, &onePixel, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        const Uint64 ticks = SDL_GetPerformanceCounter() - start;
        if (batch > 0) {
            batchMs.push_back(1000.0 * static_cast<double>(ticks) /
                              static_cast<double>(SDL_GetPerformanceFrequency()) / frames);
        }
    }
    shutDown();
    std::printf("whole frame, 100 enemies + 200 shots: %.3f ms\n", median(batchMs));
    return 0;
}
