// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

class InputState;

// Game-controller hot-plug: the shell keeps at most one controller open in the input state.
// `deviceIndex` is an SDL_CONTROLLERDEVICEADDED event's `which`.
void openAddedController(InputState& input, int deviceIndex);
// `instanceId` is an SDL_CONTROLLERDEVICEREMOVED event's `which`. When it is the open
// controller, drops it and opens the first other game controller still attached.
void dropRemovedController(InputState& input, SDL_JoystickID instanceId);
