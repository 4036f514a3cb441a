// SPDX-License-Identifier: Zlib
#include "started_game.h"
#include "support/temp_work_dir.h"
#include "support/x_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

// The script may have to bring the game up to date first; in a built tree that is quick.
constexpr std::chrono::seconds SCRIPT_WINDOW_TIMEOUT{90};

// tools/play, the README's command to play, run from another directory: it builds the
// game in build/ and starts it from the repository, where assets/ lies.
TEST(PlayCommand, StartsTheGameWithItsDataAndEscapeQuitsWithStatusZero)
{
#ifndef PLORVIK_PLAY_SCRIPT
    GTEST_SKIP() << "tools/play builds and runs build/, and this is another build tree";
#else
    const TempWorkDir dir;
    const XServer x;
    ASSERT_TRUE(x.running()) << "Xvfb did not start";
    StartedGame game(PLORVIK_PLAY_SCRIPT, (dir.root / "play.log").string());
    game.expectWindowThenQuitOnEscape(SCRIPT_WINDOW_TIMEOUT);
#endif
}

} // namespace
