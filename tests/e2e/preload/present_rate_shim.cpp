// SPDX-License-Identifier: Zlib
// Preloaded into the game, this makes a display of a chosen refresh rate out of SDL's
// dummy driver: while vertical sync is on, SDL_RenderPresent returns at the next tick of
// PLORVIK_SHIM_HZ (after PLORVIK_SHIM_SLOW_MS per present for the first
// PLORVIK_SHIM_SLOW_SECONDS, a busy start); SDL_RenderSetVSync(r, 0) turns the wait off,
// and so does a window hidden from PLORVIK_SHIM_HIDDEN_FROM to PLORVIK_SHIM_HIDDEN_UNTIL
// seconds after the first present, as some drivers do for a minimised window.
// The time of every present, in nanoseconds, goes to PLORVIK_SHIM_LOG as one line.
#include <SDL.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Present = void (*)(SDL_Renderer*);
using SetVSync = int (*)(SDL_Renderer*, int);

constexpr long long NANOSECONDS = 1000000000LL;

bool vsyncOn = true;
long long startTime = -1;
long long nextTick = 0;

long long now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * NANOSECONDS + t.tv_nsec;
}

void sleepUntil(long long when)
{
    timespec t{};
    t.tv_sec = when / NANOSECONDS;
    t.tv_nsec = when % NANOSECONDS;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) != 0) {
    }
}

double setting(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::atof(value) : 0.0;
}

void waitLikeTheDisplay()
{
    const long long t = now();
    if (startTime < 0) {
        startTime = t;
    }
    if (static_cast<double>(t - startTime) < setting("PLORVIK_SHIM_SLOW_SECONDS") * NANOSECONDS) {
        sleepUntil(t + static_cast<long long>(setting("PLORVIK_SHIM_SLOW_MS") * 1e6));
    }
    const double seconds = static_cast<double>(now() - startTime) / NANOSECONDS;
    const bool hidden =
        seconds >= setting("PLORVIK_SHIM_HIDDEN_FROM") && seconds < setting("PLORVIK_SHIM_HIDDEN_UNTIL");
    if (!vsyncOn || hidden) {
        return;
    }
    const auto period = static_cast<long long>(NANOSECONDS / setting("PLORVIK_SHIM_HZ"));
    nextTick = std::max(nextTick + period, (now() / period + 1) * period);
    sleepUntil(nextTick);
}

void logPresent()
{
    static const int log =
        open(std::getenv("PLORVIK_SHIM_LOG"), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const std::string line = std::to_string(now()) + "\n";
    if (write(log, line.data(), line.size()) < 0) {
        std::perror("present log");
    }
}

} // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer)
{
    static const auto real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    real(renderer);
    waitLikeTheDisplay();
    logPresent();
}

extern "C" int SDL_RenderSetVSync(SDL_Renderer* renderer, int vsync)
{
    static const auto real = reinterpret_cast<SetVSync>(dlsym(RTLD_NEXT, "SDL_RenderSetVSync"));
    vsyncOn = vsync != 0;
    return real(renderer, vsync);
}
