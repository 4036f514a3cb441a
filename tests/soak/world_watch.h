// SPDX-License-Identifier: Zlib
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct AppContext;
class World;

// What the soak saw of the game over the run.
struct PlayTally {
    std::array<long, 5> sceneEntries{}; // by Scene value; the first title counts
    long games = 0;
    long wavesCleared = 0;
    long gamesOver = 0;
    long pauses = 0;
    std::int32_t largestWave = 0;
    std::int32_t bestScore = 0;
};

// Checks, after every frame, the rules that hold whatever the input: positions inside
// the world, no dead object left in a list, sane scores and wave sizes, only the scene
// changes the sequencer makes, and the world's own log lines where they belong.
class WorldWatch {
public:
    // `worldLines` are the frame's log lines after those of the controller hot-plug.
    void afterFrame(const AppContext& app, const std::vector<std::string>& worldLines,
                    std::vector<std::string>& faults);
    const PlayTally& tally() const { return counts; }

private:
    void checkScene(std::int32_t scene, std::vector<std::string>& faults) const;
    void checkScores(const World& world, std::vector<std::string>& faults) const;
    void checkLogLines(const World& world, bool flagsLowered, const std::vector<std::string>& lines,
                       std::vector<std::string>& faults) const;
    void count(const World& world, std::int32_t scene);

    PlayTally counts;
    std::int32_t lastScene = -1;
    std::int32_t lastScore = 0;
    std::int32_t lastBestScore = 0;
    bool wasCleared = false;
    bool wasGameOver = true;
    bool wasPaused = false;
};
