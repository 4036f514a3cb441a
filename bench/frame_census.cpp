// SPDX-License-Identifier: Zlib
// Counts what one frame of steady play costs in calls: heap allocations (through a
// replaced global operator new, and through SDL's allocator), sprite copies and filled
// rectangles. Steady play: the largest wave and 200 player shots in flight, no new
// player shot; enemies fire as they please, and a frame in which a new shot appears
// is counted apart. Exits with 1 when a frame without a new shot allocated.
#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "steady_wave.h"
#include "world/world.h"

#include <SDL.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

constexpr WaveSize LARGEST_WAVE{100, 200};
constexpr int WARM_UP_FRAMES = 10; // the renderer's first frames build its own state
constexpr int COUNTED_FRAMES = 240;
constexpr float FRESH_SHOT_LIFE = 0.6f - 0.016666668f; // a shot after its first update

unsigned long long newCalls = 0;
unsigned long long sdlAllocations = 0;
unsigned long long copies = 0;
unsigned long long fills = 0;

SDL_malloc_func realMalloc = nullptr;
SDL_calloc_func realCalloc = nullptr;
SDL_realloc_func realRealloc = nullptr;
SDL_free_func realFree = nullptr;

void* countedMalloc(size_t size)
{
    ++sdlAllocations;
    return realMalloc(size);
}

void* countedCalloc(size_t count, size_t size)
{
    ++sdlAllocations;
    return realCalloc(count, size);
}

void* countedRealloc(void* memory, size_t size)
{
    ++sdlAllocations;
    return realRealloc(memory, size);
}

void countSdlAllocations()
{
    SDL_GetMemoryFunctions(&realMalloc, &realCalloc, &realRealloc, &realFree);
    SDL_SetMemoryFunctions(countedMalloc, countedCalloc, countedRealloc, realFree);
}

template <typename Function> Function nextDefinition(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

template <typename List> int freshShots(const List& shots)
{
    int fresh = 0;
    for (const auto& shot : shots) {
        fresh += shot->life == FRESH_SHOT_LIFE ? 1 : 0;
    }
    return fresh;
}

struct FrameCounts {
    unsigned long long allocations = 0;
    unsigned long long sdlAllocations = 0;
    unsigned long long copies = 0;
    unsigned long long fills = 0;
    int newShots = 0;
};

FrameCounts countedFrame()
{
    const FrameCounts before{newCalls, sdlAllocations, copies, fills, 0};
    runFrame();
    const World& world = *app.world;
    return {newCalls - before.allocations, sdlAllocations - before.sdlAllocations, copies - before.copies,
            fills - before.fills, freshShots(world.playerBullets) + freshShots(world.enemyBullets)};
}

} // namespace

// Every sprite the game draws goes through SDL_RenderCopyEx and every rectangle through
// SDL_RenderFillRect: these definitions stand in front of SDL's and count the calls.
extern "C" int SDL_RenderCopyEx(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect* source,
                                const SDL_Rect* destination, const double angle, const SDL_Point* centre,
                                const SDL_RendererFlip flip)
{
    using Real = int (*)(SDL_Renderer*, SDL_Texture*, const SDL_Rect*, const SDL_Rect*, double,
                         const SDL_Point*, SDL_RendererFlip);
    static const Real real = nextDefinition<Real>("SDL_RenderCopyEx");
    ++copies;
    return real(renderer, texture, source, destination, angle, centre, flip);
}

extern "C" int SDL_RenderFillRect(SDL_Renderer* renderer, const SDL_Rect* rect)
{
    using Real = int (*)(SDL_Renderer*, const SDL_Rect*);
    static const Real real = nextDefinition<Real>("SDL_RenderFillRect");
    ++fills;
    return real(renderer, rect);
}

void* operator new(std::size_t size)
{
    ++newCalls;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        std::abort(); // out of memory ends the program, as it does in the game
    }
    return memory;
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t /*size*/) noexcept
{
    std::free(memory);
}

int main(int /*argc*/, char* /*argv*/[])
{
    countSdlAllocations();
    if (!startUp()) {
        return 1;
    }
    SteadyWave wave(*app.world, LARGEST_WAVE);
    app.scene = SCENE_PLAYING;
    FrameCounts steady;
    FrameCounts withShots;
    int steadyFrames = 0;
    int shotFrames = 0;
    for (int frame = 0; frame < WARM_UP_FRAMES + COUNTED_FRAMES; ++frame) {
        const FrameCounts counts = countedFrame();
        if (wave.tick()) {
            wave.restore();
        }
        if (frame < WARM_UP_FRAMES) {
            continue;
        }
        FrameCounts& sum = counts.newShots == 0 ? steady : withShots;
        (counts.newShots == 0 ? steadyFrames : shotFrames) += 1;
        sum.allocations += counts.allocations;
        sum.sdlAllocations += counts.sdlAllocations;
        sum.copies += counts.copies;
        sum.fills += counts.fills;
        sum.newShots += counts.newShots;
    }
    shutDown();

    const double frames = steadyFrames + shotFrames;
    std::printf("copies-per-frame %.1f\n", static_cast<double>(steady.copies + withShots.copies) / frames);
    std::printf("fills-per-frame %.1f\n", static_cast<double>(steady.fills + withShots.fills) / frames);
    std::printf("steady-frames %d\n", steadyFrames);
    std::printf("allocations-per-steady-frame %.2f\n",
                steadyFrames > 0 ? static_cast<double>(steady.allocations) / steadyFrames : 0.0);
    std::printf("sdl-allocations-per-steady-frame %.2f\n",
                steadyFrames > 0 ? static_cast<double>(steady.sdlAllocations) / steadyFrames : 0.0);
    std::printf("frames-with-new-shots %d\n", shotFrames);
    std::printf("new-shots %d\n", withShots.newShots);
    std::printf("allocations-per-new-shot %.2f\n",
                withShots.newShots > 0 ? static_cast<double>(withShots.allocations) / withShots.newShots
                                       : 0.0);
    return steady.allocations == 0 ? 0 : 1;
}
