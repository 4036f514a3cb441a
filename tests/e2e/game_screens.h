// SPDX-License-Identifier: Zlib
#pragma once

#include "game_window.h"
#include "screenshot.h"
#include "sheet_picture.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The game played through its real window: screenshots are read back and compared with
// what the sprite sheet says each screen must show at its logical position.
class GameScreens : public GameWindow {
protected:
    using Condition = std::function<bool(const Screenshot&)>;

    void SetUp() override;

    // Launches the game and gives its window the keyboard.
    void start(const ChildProcess::EnvChanges& extraEnv = {});
    // From the title, once it waits for a button: Z, and the first mission's intro shows.
    void startAGame();

    Screenshot shot() const { return Screenshot::ofWindow(window); }
    // Polls screenshots until one meets `condition`. On a timeout the last screenshot
    // is kept in a file named by failureNote() for a person to look at.
    std::optional<Screenshot> waitForScreen(const Condition& condition,
                                            std::chrono::milliseconds timeout = PATIENCE);
    // Holds `key` down until the window meets `condition`, then lets it go. The game reads
    // the keyboard once a frame, and on a busy machine a frame can come late: a key let go
    // too soon would go unseen.
    std::optional<Screenshot> holdKeyUntil(const std::string& key, const Condition& condition);
    // Taps Z until a shot is seen ahead of the plane, and returns that screenshot; each tap
    // fires one, and a screenshot taken slowly can miss a shot's short flight.
    std::optional<Screenshot> fireUntilAShotIsSeen();
    std::string failureNote() const;
    // Whether the window shows something else `span` after `s` was taken.
    bool pictureMoves(const Screenshot& s, std::chrono::milliseconds span) const;

    // The title logo's top row on the logical screen, or -1 where it is not seen.
    int logoY(const Screenshot& s) const;
    bool titleWaiting(const Screenshot& s) const;
    bool missionIntroShown(const Screenshot& s) const;
    bool scoreLabelShown(const Screenshot& s, double scale) const;
    // The player's frame as an index of turn: 0 pointing up, +1 per 22.5 degrees to the
    // left (counter-clockwise), -1 per 22.5 degrees to the right, 8 pointing down;
    // nullopt if not seen.
    std::optional<int> playerTurn(const Screenshot& s) const;
    // The player's frames, one entry per change, from the one it is in when `key` goes
    // down until `last` shows (or the test's patience runs out).
    std::vector<int> framesWhileHolding(const std::string& key, int last);
    // Pixels of a bullet's own colours up to 64 logical pixels up and to the left of the
    // player's plane, where its shots fly while it heads that way.
    int bulletPixelsAheadOfPlayer(const Screenshot& s) const;
    // The first window pixel that differs from the others of its 2x2 block, if any: the
    // window shows the logical screen doubled, turned sprites too.
    static std::optional<std::pair<int, int>> pixelOffItsBlock(const Screenshot& s);

    SheetPicture sheet{(dir.previous / "assets" / "sprites.png").string()};
    unsigned long window = 0;

private:
    std::set<std::uint32_t> bulletColours; // the bullet's, and no other sprite's
    std::string lastShotPath;
};
