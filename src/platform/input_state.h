// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <cstdint>

// Bit i stands for SDL game-controller button i; the keyboard sets the same bits.
using ButtonMask = std::uint32_t;

constexpr ButtonMask buttonBit(SDL_GameControllerButton button)
{
    return ButtonMask{1} << static_cast<unsigned>(button);
}

// What the buttons do; the keyboard's Z, P and arrows set the same bits.
constexpr ButtonMask FIRE_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_A);
constexpr ButtonMask PAUSE_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_START);
constexpr ButtonMask TURN_LEFT_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
constexpr ButtonMask TURN_RIGHT_BUTTON = buttonBit(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

// The per-frame input record: the keyboard and at most one game controller folded
// into one set of button bits. The frame loop updates it; the scenes and the world read it.
class InputState {
public:
    InputState() = default;
    ~InputState();
    InputState(const InputState&) = delete;
    InputState& operator=(const InputState&) = delete;

    // Takes ownership of `c` (may be null) and closes the controller held before.
    void setController(SDL_GameController* c);
    // Once per frame, after the event queue has been drained.
    void update();

    SDL_GameController* controller = nullptr;
    ButtonMask pressed = 0;  // went down this frame
    ButtonMask held = 0;     // down now
    ButtonMask released = 0; // went up this frame
    float axisX = 0.0f;      // left stick, [-1, 32767/32768], negative is left
    float axisY = 0.0f;      // left stick, negative is up
};
