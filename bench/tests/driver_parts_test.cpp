// SPDX-License-Identifier: Zlib
#include "frame_rates.h"
#include "subprocess.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

TEST(TestspriteReport, RateIsReadOnlyFromItsReportLines)
{
    struct Case {
        const char* line;
        std::optional<double> fps;
    };
    const Case cases[] = {
        {"INFO: 277.23 frames per second", 277.23},       {"277.5 frames per second", 277.5},
        {"INFO: 0.00 frames per second", std::nullopt},   {"INFO: frames per second", std::nullopt},
        {"INFO: Built-in render drivers:", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(framesPerSecond(c.line), c.fps) << c.line;
    }
}

TEST(Subprocess, ReadsBothOutputsLineByLineThenTheExitStatus)
{
    Subprocess program({"/bin/sh", "-c", "echo one; echo two >&2; printf three; exit 3"});
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.readLine(10s), "one");
    EXPECT_EQ(program.readLine(10s), "two");
    EXPECT_EQ(program.readLine(10s), std::nullopt); // an unfinished last line is no line
    EXPECT_EQ(program.wait(), 3);
}

TEST(Subprocess, GivesUpOnASilentProgramAndEndsIt)
{
    Subprocess program({"/bin/sleep", "30"});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(program.readLine(100ms), std::nullopt);
    program.terminate();
    EXPECT_EQ(program.wait(), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(Subprocess, RunsInTheDirectoryAskedFor)
{
    Subprocess program({"/bin/pwd"}, "/usr/lib");
    EXPECT_EQ(program.readLine(10s), "/usr/lib");
    EXPECT_EQ(program.wait(), 0);
}

TEST(Subprocess, MissingProgramIsNotStarted)
{
    Subprocess program({"/nonexistent/program"});
    EXPECT_FALSE(program.started());
    EXPECT_EQ(program.readLine(100ms), std::nullopt);
    EXPECT_EQ(program.wait(), -1);
}

} // namespace
