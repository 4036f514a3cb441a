// SPDX-License-Identifier: Zlib
#include "app/animation_frame_gate.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Which of a browser's animation frames run a game frame, on simulated displays.

namespace {

struct Display {
    std::string name;
    double refreshHz;
    double jitterMs;     // every other animation frame comes this much late
    double expectedRate; // game frames a second
};

void PrintTo(const Display& d, std::ostream* out)
{
    *out << d.name;
}

class AnimationFrames : public testing::TestWithParam<Display> {};

TEST_P(AnimationFrames, RunTheGameAtMostSixtyTimesASecond)
{
    const Display& d = GetParam();
    constexpr double SECONDS = 10.0;
    AnimationFrameGate gate;
    int frames = 0;
    const double period = 1000.0 / d.refreshHz;
    for (int i = 0; i * period < SECONDS * 1000.0; ++i) {
        frames += gate.due(i * period + (i % 2 == 1 ? d.jitterMs : 0.0)) ? 1 : 0;
    }
    EXPECT_NEAR(frames / SECONDS, d.expectedRate, 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Displays, AnimationFrames,
    testing::Values(Display{"at60Hz", 60.0, 0.0, 60.0}, Display{"at60HzWithJitter", 60.0, 2.0, 60.0},
                    Display{"at59_94Hz", 59.94, 0.0, 59.94}, Display{"at50Hz", 50.0, 0.0, 50.0},
                    Display{"at75Hz", 75.0, 0.0, 60.0}, Display{"at120Hz", 120.0, 1.0, 60.0},
                    Display{"at144Hz", 144.0, 0.0, 60.0}, Display{"at240Hz", 240.0, 0.0, 60.0}),
    [](const testing::TestParamInfo<Display>& info) { return info.param.name; });

TEST(AnimationFrameGate, RestartsTheBeatAfterAStallInsteadOfCatchingUp)
{
    AnimationFrameGate gate;
    ASSERT_TRUE(gate.due(0.0));
    // The tab was hidden for two seconds; then a 144 Hz display resumes.
    int frames = 0;
    for (double t = 2000.0; t < 2100.0; t += 1000.0 / 144.0) {
        frames += gate.due(t) ? 1 : 0;
    }
    EXPECT_LE(frames, 7);
}

} // namespace
