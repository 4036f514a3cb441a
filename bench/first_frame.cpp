// SPDX-License-Identifier: Zlib
// The game's own start-up and first frame, timed by the start-up probe; then a second of
// play with the largest wave and 200 shots in flight, so that the peak memory the probe
// reads covers play too.
#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "frame_rates.h"
#include "probe_signals.h"

namespace {

constexpr WaveSize LARGEST_WAVE{100, 200};
constexpr int PLAY_FRAMES = 60;

} // namespace

int main(int /*argc*/, char* /*argv*/[])
{
    if (!startUp()) {
        return 1;
    }
    runFrame();
    signalFirstFrame();
    SteadyWave wave(*app.world, LARGEST_WAVE);
    app.scene = SCENE_PLAYING;
    playFrames(wave, PLAY_FRAMES);
    shutDown();
    reportPeakMemory();
    return 0;
}
