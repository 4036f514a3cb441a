// SPDX-License-Identifier: Zlib
#pragma once

#include "soak/pad_state.h"

#include <cstdint>
#include <random>

struct AppContext;
class World;

// Plays the game through one controller's buttons and stick, from a seeded random source.
// It presses buttons on the title and game-over screens and pauses now and then; in the
// air it mostly turns towards the nearest enemy and fires, so that waves get cleared, with
// spells of aimless flying, so that games also end.
class Autopilot {
public:
    explicit Autopilot(std::mt19937& random) : random(random) {}

    // The controller's state for the coming frame, given the state it shows now.
    PadState next(const PadState& previous, const AppContext& app);

private:
    enum class Spell { AIM, LEFT, RIGHT, STRAIGHT };

    void onTitle(PadState& out, const PadState& previous);
    void onGameOver(PadState& out, const PadState& previous);
    void fly(PadState& out, const PadState& previous, const World& world);
    void steer(PadState& out, int direction);
    void maybePause(PadState& out, const PadState& previous, const World& world);
    void startSpell();
    bool chance(int oneIn);

    std::mt19937& random;
    std::int32_t lastScene = -1;
    double skill = 0.0; // share of the spells spent aiming, drawn for each game
    Spell spell = Spell::STRAIGHT;
    int spellFramesLeft = 0;
    bool steerByStick = false;
    bool wantsPause = false;
    int pauseFramesLeft = 0; // frames to stay paused before resuming
};
