// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <random>

// What a virtual controller shows: bit i of `buttons` is SDL game-controller button i.
struct PadState {
    std::uint32_t buttons = 0;
    std::array<Sint16, SDL_CONTROLLER_AXIS_MAX> axes{};

    bool isDown(SDL_GameControllerButton button) const { return (buttons >> button & 1u) != 0; }
    void setDown(SDL_GameControllerButton button, bool down)
    {
        const std::uint32_t bit = std::uint32_t{1} << button;
        buttons = down ? (buttons | bit) : (buttons & ~bit);
    }
};

// Any buttons, any stick and trigger positions, the extremes included.
PadState randomPadState(std::mt19937& random);
// The state with one button flipped or one axis moved.
PadState nudged(PadState state, std::mt19937& random);
