// SPDX-License-Identifier: Zlib
// The browser's entry: the same start-up, frames and shut-down as the desktop's main,
// with the display's animation frames driving the loop instead of a blocking one.
#include "app/animation_frame_gate.h"
#include "app/app.h"
#include "platform/platform_context.h"

#include <SDL.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

namespace {

// Tells the page, which says so in words.
EM_JS(void, tellPageTheGameEnded, (), {
    if (Module.onGameEnded) {
        Module.onGameEnded();
    }
});

// Animation frames to wait for the browser to leave full screen before shutting down anyway.
constexpr int LEAVE_FULL_SCREEN_FRAMES = 60;

AnimationFrameGate gate;
bool running = false;
int leavingFrames = -1; // counts the frames spent leaving, -1 while playing
bool leftFullScreen = false;

void finishGame()
{
    running = false;
    shutDown();
    tellPageTheGameEnded();
}

EM_BOOL fullScreenChanged(int /*eventType*/, const EmscriptenFullscreenChangeEvent* event, void* /*userData*/)
{
    leftFullScreen = leftFullScreen || event->isFullscreen == EM_FALSE;
    return EM_FALSE;
}

// The browser leaves full screen a moment after it is asked to, and then calls back into
// SDL about the window, so the window must still be there: shutting down waits for the
// change to have been handled.
void leaveGame()
{
    if ((SDL_GetWindowFlags(platform.window) & SDL_WINDOW_FULLSCREEN) == 0) {
        finishGame();
        return;
    }
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             fullScreenChanged);
    SDL_SetWindowFullscreen(platform.window, 0);
    leavingFrames = 0;
}

EM_BOOL animationFrame(double nowMs, void* /*userData*/)
{
    if (running && leavingFrames >= 0) {
        if (leftFullScreen || ++leavingFrames >= LEAVE_FULL_SCREEN_FRAMES) {
            finishGame();
        }
    } else if (running && gate.due(nowMs) && !runFrame()) {
        leaveGame();
    }
    return running ? EM_TRUE : EM_FALSE;
}

// Closing the tab ends the game as Escape does.
const char* pageClosing(int /*eventType*/, const void* /*reserved*/, void* /*userData*/)
{
    if (running && leavingFrames < 0) {
        leaveGame();
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
