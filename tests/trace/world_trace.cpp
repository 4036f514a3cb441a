// SPDX-License-Identifier: Zlib
// Runs the game's screens headless from a fixed input script and prints the world's state
// after every frame, so that two builds of the game (desktop and WebAssembly) can be diffed
// frame by frame. Nothing is drawn: there is no renderer.
//
//   plorvik_world_trace [FRAMES [DUMP_PERIOD]]
//
// Each frame gives one line: frame, screen (counted from the mission intro) and its timer,
// the paused/cleared/game-over
// flags, scores, wave size, object counts, the player in %a and a hash of every object.
// Every DUMP_PERIOD frames (default 500) and after the last, every object follows in %a.
#include "app/app_context.h"
#include "app/scenes.h"
#include "platform/platform_context.h"
#include "trace/input_script.h"
#include "trace/state_dump.h"
#include "world/world.h"

#include <SDL.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr long DEFAULT_FRAMES = 10000;
constexpr long DEFAULT_DUMP_PERIOD = 500;

// What the run went through, told on stderr so that the scripted input can be judged.
struct Tally {
    long games = 0;
    long wavesCleared = 0;
    long rams = 0;
    long bursts = 0;
    long playerDeaths = 0;
    long pauses = 0;
};

// SDL logs to stdout on some platforms; the trace owns stdout.
void logToStderr(void* /*userdata*/, int /*category*/, SDL_LogPriority /*priority*/, const char* message)
{
    std::fprintf(stderr, "%s\n", message);
}

bool parseCount(const char* text, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value > 0;
}

void pressButtons(InputState& input, ButtonMask now)
{
    const ButtonMask old = input.held;
    input.held = now;
    input.pressed = now & ~old;
    input.released = old & ~now;
}

// The title does not touch the world, so the trace leaves it at once, as two presses would
// (the first skips the logo's slide), within the frame that brought the game to it.
void leaveTitle(InputState& input, Tally& tally)
{
    const ButtonMask pressed = input.pressed;
    input.pressed = FIRE_BUTTON;
    for (int press = 0; press < 2 && app.scene == SCENE_TITLE; ++press) {
        runScene();
    }
    input.pressed = pressed;
    ++tally.games;
}

void runFrame(InputState& input, Tally& tally)
{
    const std::int32_t scene = app.scene;
    runScene();
    if (scene == SCENE_PLAYING && app.scene == SCENE_MISSION_CLEAR) {
        ++tally.wavesCleared;
    }
    if (app.scene == SCENE_TITLE) {
        leaveTitle(input, tally);
    }
}

void printFrame(long frame, const World& world)
{
    std::printf("%ld st=%d/%d f=%d%d%d score=%d best=%d wave=%d n=%zu/%zu/%zu p=", frame,
                app.scene - SCENE_MISSION_INTRO, app.sceneTimer, world.paused ? 1 : 0, world.cleared ? 1 : 0,
                world.gameOver ? 1 : 0, world.score, world.bestScore, world.enemyCount, world.enemies.size(),
                world.playerBullets.size(), world.enemyBullets.size());
    printPlayer(stdout, world);
    std::printf(" h=%016" PRIx64 "\n", worldHash(world));
}

void count(Tally& tally, const World& world, const Fighter& playerBefore)
{
    if (!world.player || world.paused) {
        return;
    }
    const Player& player = *world.player;
    // A ram is the only hit that starts the player's timer.
    if (player.hit && playerBefore.invulnerableTimer == 0 &&
        player.invulnerableTimer == DAMAGE_INVULNERABILITY) {
        ++tally.rams;
    }
    if (playerBefore.alive && !player.alive) {
        ++tally.playerDeaths;
    }
    for (const auto& enemy : world.enemies) {
        if (enemy->burstTimer == BURST_LENGTH) {
            ++tally.bursts;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    long frames = DEFAULT_FRAMES;
    long dumpPeriod = DEFAULT_DUMP_PERIOD;
    if (argc > 3 || (argc > 1 && !parseCount(argv[1], frames)) ||
        (argc > 2 && !parseCount(argv[2], dumpPeriod))) {
        std::fprintf(stderr, "usage: %s [FRAMES [DUMP_PERIOD]]\n", argv[0]);
        return 2;
    }
    SDL_LogSetOutputFunction(logToStderr, nullptr);

    InputState input;
    platform.input = &input;
    createWorld();
    const World& world = *app.world;
    Tally tally;
    leaveTitle(input, tally);
    for (long frame = 1; frame <= frames; ++frame) {
        pressButtons(input, scriptedButtons(frame));
        const bool wasPaused = world.paused;
        const Player before = *world.player;
        runFrame(input, tally);
        tally.pauses += !wasPaused && world.paused ? 1 : 0;
        count(tally, world, before);
        printFrame(frame, world);
        if (frame % dumpPeriod == 0 || frame == frames) {
            dumpObjects(stdout, world);
        }
    }
    std::fprintf(stderr,
                 "frames %ld, games %ld, waves cleared %ld, best score %d, rams %ld, bursts %ld, deaths %ld, "
                 "pauses %ld\n",
                 frames, tally.games, tally.wavesCleared, world.bestScore, tally.rams, tally.bursts,
                 tally.playerDeaths, tally.pauses);
    destroyWorld();
    platform.input = nullptr;
    return 0;
}
