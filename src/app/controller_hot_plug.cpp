// SPDX-License-Identifier: Zlib
#include "app/controller_hot_plug.h"

#include "platform/input_state.h"

namespace {

const char* nameOf(SDL_GameController* controller)
{
    const char* name = SDL_GameControllerName(controller);
    return name != nullptr ? name : "";
}

bool openController(InputState& input, int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return false;
    }
    input.setController(controller);
    SDL_Log("opened the controller: %s", nameOf(controller));
    return true;
}

} // namespace

void openAddedController(InputState& input, int deviceIndex)
{
    if (input.controller == nullptr) {
        openController(input, deviceIndex);
    }
}

void dropRemovedController(InputState& input, SDL_JoystickID instanceId)
{
    if (input.controller == nullptr ||
        SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(input.controller)) != instanceId) {
        return;
    }
    SDL_Log("removed the controller: %s", nameOf(input.controller));
    input.setController(nullptr);
    // The count is asked again each time: opening may fail and devices may come and go.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i) == SDL_TRUE && openController(input, i)) {
            return;
        }
    }
}
