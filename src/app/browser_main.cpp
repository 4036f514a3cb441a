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

void endGame()
{
    running = false;
    shutDown();
    tellPageTheGameEnded();
}

EM_BOOL animationFrame(double nowMs, void* /*userData*/)
{
    if (!running) {
        return EM_FALSE;
    }
    if (gate.due(nowMs) && !runFrame()) {
        endGame();
        return EM_FALSE;
    }
    return EM_TRUE;
}

// Closing the tab ends the game as Escape does.
const char* pageClosing(int /*eventType*/, const void* /*reserved*/, void* /*userData*/)
{
    if (running) {
        endGame();
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
