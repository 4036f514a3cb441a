// SPDX-License-Identifier: Zlib
#include "app/app.h"

#include "app/app_context.h"
#include "app/controller_hot_plug.h"
#include "app/controller_mappings.h"
#include "app/frame_canvas.h"
#include "app/frame_pacer.h"
#include "app/full_screen.h"
#include "app/scenes.h"
#include "app/window_settings.h"
#include "platform/input_state.h"
#include "platform/platform_context.h"
#include "platform/sound.h"
#include "platform/sprite_sheet.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<InputState> inputState;
bool running = false;
FramePacer pacer;

void logCritical()
{
    SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
}

void setHints(const std::string& controllerMappings)
{
    setRenderHints();
    SDL_SetHint(SDL_HINT_GAMECONTROLLERCONFIG, controllerMappings.c_str());
}

// With no display to reach, SDL falls back on a video driver that shows nothing, and the
// game would run unseen until killed. Those drivers are for whoever asks for them by name.
bool displayOpened()
{
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    const char* driver = SDL_GetCurrentVideoDriver();
    if ((asked != nullptr && *asked != '\0') || driver == nullptr) {
        return true;
    }
    if (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "no display could be opened");
        return false;
    }
    return true;
}

bool createWindow()
{
    if (SDL_CreateWindowAndRenderer(WINDOW_WIDTH, WINDOW_HEIGHT, SDL_WINDOW_HIDDEN, &platform.window,
                                    &platform.renderer) < 0) {
        logCritical();
        return false;
    }
    SDL_SetWindowTitle(platform.window, WINDOW_TITLE);
    SDL_RenderSetLogicalSize(platform.renderer, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    createFrameCanvas();
    SDL_ShowWindow(platform.window);
    return true;
}

void handleKeyDown(const SDL_Keysym& key)
{
    if (key.sym == SDLK_ESCAPE) {
        running = false;
    } else if (isFullScreenToggle(key)) {
        toggleFullScreen(platform.window);
    }
}

void handleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        running = false;
        break;
    case SDL_KEYDOWN:
        handleKeyDown(event.key.keysym);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        openAddedController(*platform.input, event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        dropRemovedController(*platform.input, event.cdevice.which);
        break;
    default:
        break;
    }
}

} // namespace

void choosePacing()
{
    SDL_RendererInfo info{};
    const bool vsync =
        SDL_GetRendererInfo(platform.renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    pacer = FramePacer(PACING_CLOCK_TICKS_PER_SECOND);
    pacer.start(vsync, pacingClock());
}

bool startUp()
{
    setHints(readControllerMappings());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) < 0) {
        logCritical();
        return false;
    }
    if (!displayOpened()) {
        SDL_Quit();
        return false;
    }
    if (IMG_Init(IMG_INIT_PNG) < 0) {
        logCritical();
        SDL_Quit();
        return false;
    }
    if (!createWindow()) {
        IMG_Quit();
        SDL_Quit();
        return false;
    }
    choosePacing();
    // No controller is opened here: SDL queues an added event for each one already
    // attached, and the first frame opens it.
    inputState = std::make_unique<InputState>();
    platform.input = inputState.get();
    initSound();
    loadSpriteSheet(platform.renderer);
    createWorld();
    running = true;
    return true;
}

bool runFrame()
{
    // A quit never cuts a frame short: the rest of the queue is handled and the frame drawn.
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        handleEvent(event);
    }
    platform.input->update();
    beginFrameCanvas();
    runScene();
    finishFrameCanvas();
    pacer.presenting(pacingClock());
    SDL_RenderPresent(platform.renderer);
    return running;
}

void waitForNextFrame()
{
    pacer.presented(pacingClock());
    sleepUntil(pacer.nextFrameAt());
    pacer.frameBegins(pacingClock());
}

bool framesPacedByTimer()
{
    return pacer.byTimer();
}

void shutDown()
{
    destroyWorld();
    unloadSpriteSheet();
    quitSound();
    IMG_Quit();
    destroyFrameCanvas();
    SDL_DestroyRenderer(platform.renderer);
    SDL_DestroyWindow(platform.window);
    platform.renderer = nullptr;
    platform.window = nullptr;
    // Closed before SDL_Quit, which would otherwise free the controller under it.
    platform.input = nullptr;
    inputState.reset();
    SDL_Quit();
}
