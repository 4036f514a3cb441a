#include "app/app.h"

#include "app/app_context.h"
#include "app/controller_hot_plug.h"
#include "app/controller_mappings.h"
#include "app/frame_pacer.h"
#include "app/full_screen.h"
#include "app/scenes.h"
#include "platform/input_state.h"
#include "platform/sound.h"
#include "platform/sprite_sheet.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <string>

namespace {

constexpr int WINDOW_WIDTH = 640;
constexpr int WINDOW_HEIGHT = 480;
constexpr int LOGICAL_WIDTH = 320;
constexpr int LOGICAL_HEIGHT = 240;
constexpr const char* WINDOW_TITLE = "Plorvik";

std::unique_ptr<InputState> inputState;
bool running = false;
FramePacer pacer;

void logCritical()
{
    SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
}

void setHints(const std::string& controllerMappings)
{
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
    SDL_SetHint(SDL_HINT_GAMECONTROLLERCONFIG, controllerMappings.c_str());
    // Naming a render driver turns SDL's batching of draw calls off, for programs that
    // mix in GL calls of their own; this one makes none, so it takes batching back: the
    // same picture from a fraction of the driver calls.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
}

bool createWindow()
{
    if (SDL_CreateWindowAndRenderer(WINDOW_WIDTH, WINDOW_HEIGHT, SDL_WINDOW_HIDDEN, &app.window,
                                    &app.renderer) < 0) {
        logCritical();
        return false;
    }
    SDL_SetWindowTitle(app.window, WINDOW_TITLE);
    SDL_RenderSetLogicalSize(app.renderer, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    SDL_ShowWindow(app.window);
    return true;
}

// Vertical sync paces the loop only while it holds it to 60 frames a second.
void choosePacing()
{
    SDL_RendererInfo info{};
    const bool vsync =
        SDL_GetRendererInfo(app.renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    SDL_DisplayMode mode{};
    const int displayHz =
        SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(app.window), &mode) == 0 ? mode.refresh_rate : 0;
    pacer = FramePacer(SDL_GetPerformanceFrequency());
    pacer.start(app.renderer, vsync, displayHz, SDL_GetPerformanceCounter());
}

void handleKeyDown(const SDL_Keysym& key)
{
    if (key.sym == SDLK_ESCAPE) {
        running = false;
    } else if (isFullScreenToggle(key)) {
        toggleFullScreen(app.window);
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
        openAddedController(*app.input, event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        dropRemovedController(*app.input, event.cdevice.which);
        break;
    default:
        break;
    }
}

} // namespace

bool startUp()
{
    setHints(readControllerMappings());
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) < 0) {
        logCritical();
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
    app.input = inputState.get();
    initSound();
    loadSpriteSheet(app.renderer);
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
    app.input->update();
    SDL_SetRenderDrawColor(app.renderer, 0, 0, 0, 0);
    SDL_RenderClear(app.renderer);
    runScene();
    SDL_RenderPresent(app.renderer);
    return running;
}

void waitForNextFrame()
{
    pacer.waitForNextFrame();
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
    SDL_DestroyRenderer(app.renderer);
    SDL_DestroyWindow(app.window);
    app.renderer = nullptr;
    app.window = nullptr;
    // Closed before SDL_Quit, which would otherwise free the controller under it.
    app.input = nullptr;
    inputState.reset();
    SDL_Quit();
}
