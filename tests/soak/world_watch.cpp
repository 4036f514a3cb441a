// SPDX-License-Identifier: Zlib
#include "soak/world_watch.h"

#include "app/app_context.h"
#include "app/scenes.h"
#include "world/world.h"

#include <algorithm>

namespace {

constexpr std::int32_t FIRST_WAVE = 10;
constexpr std::int32_t WAVE_STEP = 5;
constexpr std::int32_t LARGEST_WAVE = 100;
constexpr std::int32_t SCORE_STEP = 10;
constexpr const char* CLEAR_LINE = "S T A G E   C L E A R !";
constexpr const char* GAME_OVER_LINE = "G A M E   O V E R";

bool insideWorld(float value)
{
    return value >= 0.0f && value < WORLD_SIZE;
}

void checkObject(const char* what, const GameObject& object, const Collidable& circle, bool mustBeAlive,
                 std::vector<std::string>& faults)
{
    if (!insideWorld(object.x) || !insideWorld(object.y)) {
        faults.emplace_back(std::string(what) + " outside the world at (" + std::to_string(object.x) + ", " +
                            std::to_string(object.y) + ")");
    }
    if (circle.cx != object.x || circle.cy != object.y) {
        faults.emplace_back(std::string(what) + "'s collision circle is not on it");
    }
    if (mustBeAlive && !object.alive) {
        faults.emplace_back(std::string("a dead ") + what + " is still in its list");
    }
}

template <typename List>
void checkList(const char* what, const List& objects, std::vector<std::string>& faults)
{
    for (const auto& object : objects) {
        checkObject(what, *object, *object, true, faults);
    }
}

void checkObjects(const World& world, std::vector<std::string>& faults)
{
    if (world.player) {
        checkObject("the player", *world.player, *world.player, false, faults);
    }
    checkList("enemy", world.enemies, faults);
    checkList("player bullet", world.playerBullets, faults);
    checkList("enemy bullet", world.enemyBullets, faults);
}

// The moves of the sequencer; staying on a screen is always allowed.
bool isSequencerMove(std::int32_t from, std::int32_t to)
{
    switch (from) {
    case SCENE_TITLE:
        return to == SCENE_MISSION_INTRO;
    case SCENE_MISSION_INTRO:
        return to == SCENE_PLAYING;
    case SCENE_PLAYING:
        return to == SCENE_MISSION_CLEAR || to == SCENE_GAME_OVER;
    case SCENE_MISSION_CLEAR:
        return to == SCENE_MISSION_INTRO;
    case SCENE_GAME_OVER:
        return to == SCENE_TITLE;
    default:
        return false;
    }
}

} // namespace

void WorldWatch::afterFrame(const AppContext& app, const std::vector<std::string>& worldLines,
                            std::vector<std::string>& faults)
{
    const World& world = *app.world;
    // Starting a mission or resetting the world lowers the flags.
    const bool flagsLowered =
        app.scene != lastScene && (lastScene == SCENE_MISSION_CLEAR || lastScene == SCENE_GAME_OVER);
    checkScene(app.scene, faults);
    checkObjects(world, faults);
    checkScores(world, faults);
    checkLogLines(world, flagsLowered, worldLines, faults);
    count(world, app.scene);
    lastScene = app.scene;
    lastScore = world.score;
    lastBestScore = world.bestScore;
    wasCleared = world.cleared;
    wasGameOver = world.gameOver;
    wasPaused = world.paused;
}

void WorldWatch::checkScene(std::int32_t scene, std::vector<std::string>& faults) const
{
    if (scene < SCENE_TITLE || scene > SCENE_GAME_OVER) {
        faults.emplace_back("unknown scene " + std::to_string(scene));
    } else if (lastScene >= 0 && scene != lastScene && !isSequencerMove(lastScene, scene)) {
        faults.emplace_back("scene " + std::to_string(lastScene) + " went to scene " + std::to_string(scene));
    }
}

void WorldWatch::checkScores(const World& world, std::vector<std::string>& faults) const
{
    if (world.bestScore < world.score) {
        faults.emplace_back("bestScore " + std::to_string(world.bestScore) + " is below score " +
                            std::to_string(world.score));
    }
    if (world.score % SCORE_STEP != 0 || world.bestScore < lastBestScore) {
        faults.emplace_back("score " + std::to_string(world.score) + ", bestScore " +
                            std::to_string(world.bestScore) + " after bestScore " +
                            std::to_string(lastBestScore));
    }
    // Only a new game takes the score back, to 0.
    if (world.score < lastScore && world.score != 0) {
        faults.emplace_back("score fell from " + std::to_string(lastScore) + " to " +
                            std::to_string(world.score));
    }
    if (world.enemyCount < FIRST_WAVE || world.enemyCount > LARGEST_WAVE ||
        world.enemyCount % WAVE_STEP != 0) {
        faults.emplace_back("enemyCount is " + std::to_string(world.enemyCount));
    }
    if (world.enemies.size() > static_cast<std::size_t>(world.enemyCount)) {
        faults.emplace_back(std::to_string(world.enemies.size()) + " enemies in a wave of " +
                            std::to_string(world.enemyCount));
    }
}

// Each line once, when its flag goes up; but a frame that lowers the flags may have
// raised one first, so there a line may stand without a raised flag.
void WorldWatch::checkLogLines(const World& world, bool flagsLowered, const std::vector<std::string>& lines,
                               std::vector<std::string>& faults) const
{
    const auto countOf = [&lines](const char* text) {
        return std::count(lines.begin(), lines.end(), text);
    };
    const auto clears = countOf(CLEAR_LINE);
    const auto gameOvers = countOf(GAME_OVER_LINE);
    const bool clearRaised = world.cleared && !wasCleared;
    const bool gameOverRaised = world.gameOver && !wasGameOver;
    if (clears + gameOvers != static_cast<long>(lines.size())) {
        for (const std::string& line : lines) {
            if (line != CLEAR_LINE && line != GAME_OVER_LINE) {
                faults.emplace_back("unexpected log line: " + line);
            }
        }
    }
    if (clears != (clearRaised ? 1 : 0) && !(flagsLowered && clears == 1)) {
        faults.emplace_back("cleared " + std::string(world.cleared ? "true" : "false") + " with " +
                            std::to_string(clears) + " clear lines");
    }
    if (gameOvers != (gameOverRaised ? 1 : 0) && !(flagsLowered && gameOvers == 1)) {
        faults.emplace_back("gameOver " + std::string(world.gameOver ? "true" : "false") + " with " +
                            std::to_string(gameOvers) + " game-over lines");
    }
}

void WorldWatch::count(const World& world, std::int32_t scene)
{
    if (scene != lastScene && scene >= SCENE_TITLE && scene <= SCENE_GAME_OVER) {
        ++counts.sceneEntries[static_cast<std::size_t>(scene)];
        counts.games += (lastScene == SCENE_TITLE) ? 1 : 0;
        counts.wavesCleared += (scene == SCENE_MISSION_CLEAR) ? 1 : 0;
        counts.gamesOver += (scene == SCENE_GAME_OVER) ? 1 : 0;
    }
    counts.pauses += (world.paused && !wasPaused) ? 1 : 0;
    counts.largestWave = std::max(counts.largestWave, static_cast<std::int32_t>(world.enemies.size()));
    counts.bestScore = world.bestScore;
}
