// SPDX-License-Identifier: Zlib
#include "platform/input_state.h"

namespace {

// 2^-15: scales a stick reading into [-1, 32767/32768] exactly.
constexpr float AXIS_SCALE = 1.0f / 32768.0f;
constexpr int CONTROLLER_BUTTONS = 15; // A to DPAD_RIGHT

struct KeyBinding {
    SDL_Scancode key;
    SDL_GameControllerButton button;
};

// By scancode, so the keys sit in the same place on every layout.
constexpr KeyBinding KEY_BINDINGS[] = {
    {SDL_SCANCODE_Z, SDL_CONTROLLER_BUTTON_A},
    {SDL_SCANCODE_X, SDL_CONTROLLER_BUTTON_B},
    {SDL_SCANCODE_P, SDL_CONTROLLER_BUTTON_START},
    {SDL_SCANCODE_UP, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {SDL_SCANCODE_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {SDL_SCANCODE_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {SDL_SCANCODE_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

float scaledAxis(SDL_GameController* controller, SDL_GameControllerAxis axis)
{
    return static_cast<float>(SDL_GameControllerGetAxis(controller, axis)) * AXIS_SCALE;
}

ButtonMask controllerButtons(SDL_GameController* controller)
{
    ButtonMask mask = 0;
    for (int i = 0; i < CONTROLLER_BUTTONS; ++i) {
        const auto button = static_cast<SDL_GameControllerButton>(i);
        if (SDL_GameControllerGetButton(controller, button) != 0) {
            mask |= buttonBit(button);
        }
    }
    return mask;
}

ButtonMask keyboardButtons()
{
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    ButtonMask mask = 0;
    for (const KeyBinding& binding : KEY_BINDINGS) {
        if (keys[binding.key] != 0) {
            mask |= buttonBit(binding.button);
        }
    }
    return mask;
}

} // namespace

InputState::~InputState()
{
    setController(nullptr);
}

void InputState::setController(SDL_GameController* c)
{
    if (controller != nullptr) {
        SDL_GameControllerClose(controller);
    }
    controller = c;
    // A stick deflected at the moment of unplugging must not keep steering.
    if (controller == nullptr) {
        axisX = 0.0f;
        axisY = 0.0f;
    }
}

void InputState::update()
{
    const ButtonMask old = held;
    ButtonMask now = 0;
    if (controller != nullptr) {
        axisX = scaledAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
        axisY = scaledAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
        now |= controllerButtons(controller);
    }
    now |= keyboardButtons();
    held = now;
    pressed = now & ~old;
    released = old & ~now;
}
