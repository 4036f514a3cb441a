// SPDX-License-Identifier: Zlib
// The browser's entry: the same start-up, frames and shut-down as the desktop's main,
// with the display's animation frames driving the loop instead of a blocking one.
#include "app/animation_frame_gate.h"
#include "app/app.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

namespace {

// Tells the page, which says so in words.
EM_JS(void, tellPageTheGameEnded, (), {
    if (Module.onGameEnded) {
        Module.onGameEnded();
    }
});

AnimationFrameGate gate;
bool running = false;

// Full screen is the page's (it keeps the touch controls on screen): SDL's window stays
// as it is, and the game can shut down at once.
void finishGame()
{
    running = false;
    shutDown();
    tellPageTheGameEnded();
}

EM_BOOL animationFrame(double nowMs, void* /*userData*/)
{
    if (running && gate.due(nowMs) && !runFrame()) {
        finishGame();
    }
    return running ? EM_TRUE : EM_FALSE;
}

// Closing the tab ends the game as Escape does.
const char* pageClosing(int /*eventType*/, const void* /*reserved*/, void* /*userData*/)
{
    if (running) {
        finishGame();
    }
    return nullptr; // no "leave the page?" question
}

} // namespace

int main()
{
    if (!startUp()) {
        tellPageTheGameEnded();
        return 1;
    }
    running = true;
    emscripten_set_beforeunload_callback(nullptr, pageClosing);
    emscripten_request_animation_frame_loop(animationFrame, nullptr);
    // main returns at once; the runtime stays alive for the animation frames.
    emscripten_exit_with_live_runtime();
}
