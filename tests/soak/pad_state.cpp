// SPDX-License-Identifier: Zlib
#include "soak/pad_state.h"

#include <limits>

namespace {

constexpr std::uint32_t ALL_BUTTONS = (std::uint32_t{1} << SDL_CONTROLLER_BUTTON_MAX) - 1;

Sint16 randomAxis(std::mt19937& random)
{
    // A third of the moves go to an end stop or the centre, where the edge cases are.
    constexpr Sint16 SPECIAL[] = {std::numeric_limits<Sint16>::min(), std::numeric_limits<Sint16>::max(), 0};
    std::uniform_int_distribution<int> pick(0, 8);
    const int choice = pick(random);
    if (choice < 3) {
        return SPECIAL[choice];
    }
    std::uniform_int_distribution<int> value(std::numeric_limits<Sint16>::min(),
                                             std::numeric_limits<Sint16>::max());
    return static_cast<Sint16>(value(random));
}

} // namespace

PadState randomPadState(std::mt19937& random)
{
    PadState state;
    state.buttons = static_cast<std::uint32_t>(random()) & ALL_BUTTONS;
    for (Sint16& axis : state.axes) {
        axis = randomAxis(random);
    }
    return state;
}

PadState nudged(PadState state, std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, SDL_CONTROLLER_BUTTON_MAX + SDL_CONTROLLER_AXIS_MAX - 1);
    const int choice = pick(random);
    if (choice < SDL_CONTROLLER_BUTTON_MAX) {
        state.buttons ^= std::uint32_t{1} << choice;
    } else {
        state.axes[static_cast<std::size_t>(choice - SDL_CONTROLLER_BUTTON_MAX)] = randomAxis(random);
    }
    return state;
}
