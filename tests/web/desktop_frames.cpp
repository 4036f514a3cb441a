// SPDX-License-Identifier: Zlib
// The desktop game's pictures for the browser tests to compare against: the real game on
// the dummy video driver's software renderer, played through a virtual controller with
// the scripted input the browser test types, keeping a PNG for each "shot" line.
// Usage: plorvik_desktop_frames SCRIPT OUTDIR  (run where assets/ lies)
#include "app/app.h"
#include "platform/platform_context.h"
#include "support/headless_drivers.h"
#include "support/virtual_pad.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Step {
    int frame = 0;
    std::string action; // down, up or shot
    std::string what;   // a game key, or the shot's name
};

std::vector<Step> readScript(const char* path)
{
    std::vector<Step> steps;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        Step step;
        if (line.empty() || line[0] == '#' || !(words >> step.frame >> step.action >> step.what)) {
            continue;
        }
        steps.push_back(step);
    }
    return steps;
}

const std::map<std::string, SDL_GameControllerButton> BUTTONS = {
    {"fire", SDL_CONTROLLER_BUTTON_A},
    {"pause", SDL_CONTROLLER_BUTTON_START},
    {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

bool savePicture(const std::string& path)
{
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(platform.renderer, &width, &height);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    const bool saved = picture != nullptr &&
                       SDL_RenderReadPixels(platform.renderer, nullptr, SDL_PIXELFORMAT_RGBA32,
                                            picture->pixels, picture->pitch) == 0 &&
                       IMG_SavePNG(picture, path.c_str()) == 0;
    SDL_FreeSurface(picture);
    return saved;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCRIPT OUTDIR\n", argv[0]);
        return 2;
    }
    const std::vector<Step> steps = readScript(argv[1]);
    const std::string outDir = argv[2];
    // The browser tests may ask for another driver.
    useHeadlessDrivers(false);
    // The dummy driver's window never has focus, and SDL would drop the pad's input.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!startUp()) {
        return 1;
    }
    int status = 0;
    {
        VirtualPad pad("scripted pad");
        const int lastFrame = steps.empty() ? 0 : steps.back().frame;
        for (int frame = 1; frame <= lastFrame && status == 0; ++frame) {
            for (const Step& step : steps) {
                if (step.frame == frame && step.action != "shot") {
                    pad.setButton(BUTTONS.at(step.what), step.action == "down");
                }
            }
            runFrame();
            for (const Step& step : steps) {
                if (step.frame == frame && step.action == "shot" &&
                    !savePicture(outDir + "/" + step.what + ".png")) {
                    std::fprintf(stderr, "cannot keep frame %d: %s\n", frame, SDL_GetError());
                    status = 1;
                }
            }
        }
    }
    shutDown();
    return status;
}
