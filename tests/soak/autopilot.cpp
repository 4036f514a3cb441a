// SPDX-License-Identifier: Zlib
#include "soak/autopilot.h"

#include "app/app_context.h"
#include "app/scenes.h"
#include "world/world.h"

#include <cmath>

namespace {

constexpr int TITLE_PRESS_ONE_IN = 40;      // frames
constexpr int GAME_OVER_PRESS_ONE_IN = 150; // frames; the screen leaves by itself after 331
constexpr int PAUSE_ONE_IN = 3000;          // frames
constexpr int LONGEST_PAUSE = 120;          // frames
constexpr int NOISE_ONE_IN = 30;            // frames between touches of buttons the game ignores
constexpr int WILD_FIRE_ONE_IN = 20;        // frames
constexpr int SHORTEST_SPELL = 20;          // frames
constexpr int LONGEST_SPELL = 120;          // frames
constexpr double LOWEST_SKILL = 0.4;
constexpr double HIGHEST_SKILL = 1.0;
constexpr float AIMED = 0.09f;           // sine of the angle within which the nose counts as on target
constexpr float FIRING_ARC = 0.26f;      // sine of the angle within which it is worth firing
constexpr float FIRING_RANGE = 220.0f;   // world units; a shot flies 210
constexpr Sint16 STICK_TURN_MIN = 13200; // beyond the game's 0.4 threshold
constexpr Sint16 STICK_IDLE_MAX = 13000; // within it

// One press needs the button up in the frame before: a button held down is let go
// first and pressed again in the frame after. Returns true on the frame of the press.
bool tap(PadState& out, const PadState& previous, SDL_GameControllerButton button)
{
    const bool press = !previous.isDown(button);
    out.setDown(button, press);
    return press;
}

// The displacement from `from` to `to` the short way round the wrapping world.
float wrappedDelta(float from, float to)
{
    float delta = to - from;
    if (delta >= WORLD_SIZE / 2) {
        delta -= WORLD_SIZE;
    } else if (delta < -WORLD_SIZE / 2) {
        delta += WORLD_SIZE;
    }
    return delta;
}

} // namespace

PadState Autopilot::next(const PadState& previous, const AppContext& app)
{
    PadState out = chance(NOISE_ONE_IN) ? nudged(previous, random) : previous;
    for (auto button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                        SDL_CONTROLLER_BUTTON_DPAD_RIGHT}) {
        out.setDown(button, false);
    }
    out.axes[SDL_CONTROLLER_AXIS_LEFTX] = 0;
    if (app.scene == SCENE_MISSION_INTRO && lastScene == SCENE_TITLE) {
        std::uniform_real_distribution<double> skillOfThisGame(LOWEST_SKILL, HIGHEST_SKILL);
        skill = skillOfThisGame(random);
    }
    lastScene = app.scene;

    if (app.scene == SCENE_TITLE) {
        onTitle(out, previous);
        return out;
    }
    maybePause(out, previous, *app.world);
    if (app.scene == SCENE_GAME_OVER) {
        onGameOver(out, previous);
    } else {
        fly(out, previous, *app.world);
    }
    return out;
}

void Autopilot::onTitle(PadState& out, const PadState& previous)
{
    // Any button will do, also one the game has no use for, which must not count.
    if (chance(TITLE_PRESS_ONE_IN)) {
        std::uniform_int_distribution<int> anyButton(0, SDL_CONTROLLER_BUTTON_MAX - 1);
        tap(out, previous, static_cast<SDL_GameControllerButton>(anyButton(random)));
    }
}

void Autopilot::onGameOver(PadState& out, const PadState& previous)
{
    if (chance(GAME_OVER_PRESS_ONE_IN)) {
        tap(out, previous, SDL_CONTROLLER_BUTTON_A);
    }
}

void Autopilot::maybePause(PadState& out, const PadState& previous, const World& world)
{
    if (world.paused && !wantsPause && --pauseFramesLeft <= 0) {
        wantsPause = true;
    } else if (!world.paused && !wantsPause && chance(PAUSE_ONE_IN)) {
        wantsPause = true;
        std::uniform_int_distribution<int> length(1, LONGEST_PAUSE);
        pauseFramesLeft = length(random);
    }
    if (wantsPause && tap(out, previous, SDL_CONTROLLER_BUTTON_START)) {
        wantsPause = false;
    }
}

void Autopilot::fly(PadState& out, const PadState& previous, const World& world)
{
    if (--spellFramesLeft <= 0) {
        startSpell();
    }
    const Player* player = world.player.get();
    const Enemy* target = nullptr;
    float bestDistance = 0.0f;
    float tx = 0.0f;
    float ty = 0.0f;
    for (const auto& enemy : world.enemies) {
        const float dx = wrappedDelta(player->x, enemy->x);
        const float dy = wrappedDelta(player->y, enemy->y);
        const float distance = std::sqrt(dx * dx + dy * dy);
        if (target == nullptr || distance < bestDistance) {
            target = enemy.get();
            bestDistance = distance;
            tx = dx;
            ty = dy;
        }
    }
    bool fire = chance(WILD_FIRE_ONE_IN);
    if (spell == Spell::AIM && target != nullptr && bestDistance > 0.0f) {
        // Positive cross: the target lies clockwise on screen (y grows downwards).
        const float cross = (player->dirX * ty - player->dirY * tx) / bestDistance;
        const float dot = player->dirX * tx + player->dirY * ty;
        const bool ahead = dot > 0.0f && std::fabs(cross) < AIMED;
        steer(out, ahead ? 0 : (cross > 0.0f ? 1 : -1));
        fire = fire || (dot > 0.0f && std::fabs(cross) < FIRING_ARC && bestDistance < FIRING_RANGE);
    } else {
        steer(out, spell == Spell::LEFT ? -1 : spell == Spell::RIGHT ? 1 : 0);
    }
    if (fire) {
        tap(out, previous, SDL_CONTROLLER_BUTTON_A);
    }
}

void Autopilot::steer(PadState& out, int direction)
{
    Sint16& stick = out.axes[SDL_CONTROLLER_AXIS_LEFTX];
    if (!steerByStick) {
        out.setDown(SDL_CONTROLLER_BUTTON_DPAD_LEFT, direction < 0);
        out.setDown(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, direction > 0);
        return;
    }
    if (direction == 0) {
        std::uniform_int_distribution<int> idle(-STICK_IDLE_MAX, STICK_IDLE_MAX);
        stick = static_cast<Sint16>(idle(random));
    } else {
        std::uniform_int_distribution<int> deflection(STICK_TURN_MIN, 32767);
        stick = static_cast<Sint16>(direction * deflection(random));
    }
}

void Autopilot::startSpell()
{
    std::uniform_int_distribution<int> length(SHORTEST_SPELL, LONGEST_SPELL);
    spellFramesLeft = length(random);
    steerByStick = (random() & 1u) != 0;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    if (unit(random) < skill) {
        spell = Spell::AIM;
        return;
    }
    std::uniform_int_distribution<int> aimless(0, 2);
    constexpr Spell AIMLESS[] = {Spell::LEFT, Spell::RIGHT, Spell::STRAIGHT};
    spell = AIMLESS[aimless(random)];
}

bool Autopilot::chance(int oneIn)
{
    std::uniform_int_distribution<int> roll(1, oneIn);
    return roll(random) == 1;
}
