// SPDX-License-Identifier: Zlib
#include "trace/input_script.h"

#include <iterator>

namespace {

constexpr ButtonMask NONE = 0;
constexpr ButtonMask LEFT = TURN_LEFT_BUTTON;
constexpr ButtonMask RIGHT = TURN_RIGHT_BUTTON;
constexpr ButtonMask FIRE = FIRE_BUTTON;
constexpr ButtonMask PAUSE = PAUSE_BUTTON;

// A stretch of frames with the same buttons held. Fire is a press only on the frame it goes
// down, so a shooting stretch taps it: held on the first frame of every `firePeriod`.
struct Phase {
    long frames = 0;
    ButtonMask held = NONE;
    long firePeriod = 0; // frames; 0 taps nothing
};

// Played in a loop. Tight circles with the fastest fire clear waves; the slow weaving
// after them, without a shot, lets enemies ram the player and shoot it down.
constexpr Phase SCRIPT[] = {
    {200, NONE, 0},        // the first intro
    {300, LEFT, 2},        // circle left, firing as fast as the button allows
    {60, NONE, 0},         // hold fire
    {250, RIGHT, 2},       // circle right
    {1, PAUSE, 0},         // pause...
    {45, NONE, 0},         // ...stay paused...
    {1, PAUSE, 0},         // ...and resume
    {120, NONE, 3},        // straight through the wave, firing
    {40, LEFT | RIGHT, 2}, // both turns at once
    {400, LEFT, 2},        // a long left circle
    {30, FIRE, 0},         // fire held down: one shot only
    // weaving, holding fire
    {60, LEFT, 0},
    {60, RIGHT, 0},
    {60, LEFT, 0},
    {60, RIGHT, 0},
    {60, LEFT, 0},
    {60, RIGHT, 0},
    {60, LEFT, 0},
    {60, RIGHT, 0},
    {60, LEFT, 0},
    {60, RIGHT, 0},
    {300, RIGHT, 2},             // circle right again
    {1, PAUSE | LEFT, 0},        // a pause with a turn held
    {20, LEFT, 0},               // the turn is ignored while paused
    {1, PAUSE | FIRE | LEFT, 0}, // resume and fire in the same frame
    {400, LEFT, 2},              // circle left again
    // drifting
    {60, NONE, 0},
    {60, RIGHT, 0},
    {60, NONE, 0},
    {60, LEFT, 0},
    {60, NONE, 0},
    {60, RIGHT, 0},
    {60, NONE, 0},
    {60, LEFT, 0},
    {60, NONE, 0},
    {60, RIGHT, 0},
};

long scriptLength()
{
    long total = 0;
    for (const Phase& phase : SCRIPT) {
        total += phase.frames;
    }
    return total;
}

} // namespace

ButtonMask scriptedButtons(long frame)
{
    static const long length = scriptLength();
    long offset = (frame - 1) % length;
    for (const Phase& phase : SCRIPT) {
        if (offset < phase.frames) {
            const bool tap = phase.firePeriod > 0 && offset % phase.firePeriod == 0;
            return phase.held | (tap ? FIRE : NONE);
        }
        offset -= phase.frames;
    }
    return NONE; // not reached: offset < length
}
