// SPDX-License-Identifier: Zlib
#include "app/frame_pacer.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

// The frame loop's pacing against simulated displays and machines, on a simulated
// counter: what the loop would do after each present, frame by frame, for 14 seconds.

namespace {

constexpr Uint64 TICKS_PER_SECOND = 1000000000; // the counter counts nanoseconds
constexpr double RUN_SECONDS = 14.0;
constexpr double SETTLE_SECONDS = 2.0;  // from the end of a slow start
constexpr double MEASURE_SECONDS = 2.0; // per measured stretch
constexpr double UPDATES_PER_SECOND = 60.0;
constexpr double UPDATE_RATE_SLACK = 0.5;

struct Rig {
    std::string name;
    std::string logged;       // the one line logged, or none
    double refreshHz = 60.0;  // the presents' pace while vertical sync is on
    int reportedHz = 0;       // the display mode's refresh rate, 0 when unknown
    bool vsyncSticks = false; // the renderer cannot turn vertical sync off
    double frameMs = 0.2;     // the machine's work per frame
    double slowFrameMs = 0.0; // the work per frame while the machine is busy...
    double slowSeconds = 0.0; // ...during the first seconds
    bool stalls = false;      // a 300 ms stall every 60 frames, then three presents at once
};

void PrintTo(const Rig& s, std::ostream* out)
{
    *out << s.name;
}

Uint64 ticks(double seconds)
{
    return static_cast<Uint64>(std::llround(seconds * static_cast<double>(TICKS_PER_SECOND)));
}

double seconds(Uint64 t)
{
    return static_cast<double>(t) / static_cast<double>(TICKS_PER_SECOND);
}

// A display and a machine under the pacer: when each frame began.
class SimulatedLoop {
public:
    explicit SimulatedLoop(const Rig& setup) : s(setup), pacer(TICKS_PER_SECOND)
    {
        pacer.start(nullptr, true, s.reportedHz, now);
    }

    std::vector<Uint64> run()
    {
        std::vector<Uint64> frameStarts;
        while (now < ticks(RUN_SECONDS)) {
            frameStarts.push_back(now);
            work(frameStarts.size());
            present();
            pacer.presented(now);
            if (pacer.byTimer()) {
                now = std::max(now, pacer.nextFrameAt());
                pacer.frameBegins(now);
            }
        }
        return frameStarts;
    }

private:
    void work(size_t frame)
    {
        const bool busy = seconds(now) < s.slowSeconds;
        now += ticks((busy ? s.slowFrameMs : s.frameMs) / 1000.0);
        if (s.stalls && frame % 60 == 0) {
            now += ticks(0.3);
            presentsAtOnce = 3; // frames the driver's queue takes at once after the stall
        }
    }

    // With vertical sync, at the first refresh not yet taken; without, at once.
    void present()
    {
        const bool vsync = !pacer.byTimer() || s.vsyncSticks;
        if (!vsync || presentsAtOnce-- > 0) {
            return;
        }
        const double period = 1.0 / s.refreshHz;
        const auto refresh = static_cast<long long>(std::ceil(seconds(now) / period));
        lastRefresh = std::max(refresh, lastRefresh + 1);
        now = std::max(now, ticks(static_cast<double>(lastRefresh) * period));
    }

    Rig s;
    FramePacer pacer;
    Uint64 now = ticks(0.05); // the first frame after start-up
    long long lastRefresh = 0;
    int presentsAtOnce = 0;
};

// Frames begun in each stretch of MEASURE_SECONDS from `from` to the end of the run.
std::vector<double> updateRates(const std::vector<Uint64>& frameStarts, double from)
{
    std::vector<double> rates;
    for (double t = from; t + MEASURE_SECONDS <= RUN_SECONDS - 0.1; t += MEASURE_SECONDS) {
        const auto count = std::count_if(frameStarts.begin(), frameStarts.end(), [&](Uint64 start) {
            return start >= ticks(t) && start < ticks(t + MEASURE_SECONDS);
        });
        rates.push_back(static_cast<double>(count) / MEASURE_SECONDS);
    }
    return rates;
}

const std::string BY_TIMER = ": frames are paced by a timer";

class Pacing : public ::testing::TestWithParam<Rig> {};

} // namespace

TEST_P(Pacing, SettlesAtSixtyUpdatesASecondWithinTwoSecondsAndStays)
{
    const Rig& s = GetParam();
    LogCapture log;
    const std::vector<Uint64> frameStarts = SimulatedLoop(s).run();
    EXPECT_EQ(log.messages(),
              s.logged.empty() ? std::vector<std::string>{} : std::vector<std::string>{s.logged});
    for (double rate : updateRates(frameStarts, s.slowSeconds + SETTLE_SECONDS)) {
        EXPECT_NEAR(rate, UPDATES_PER_SECOND, UPDATE_RATE_SLACK);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Displays, Pacing,
    ::testing::Values(
        // name, line logged, refresh Hz, reported Hz, vsync sticks, frame ms, slow frame ms, slow s, stalls
        Rig{"Display60Hz", "", 60.0, 0, false, 0.2, 0.0, 0.0, false},
        Rig{"Display60HzReported", "", 60.0, 60, false, 0.2, 0.0, 0.0, false},
        Rig{"Display59_94HzReportedAs59", "", 59.94, 59, false, 0.2, 0.0, 0.0, false},
        Rig{"BusyMachineAt60Hz", "", 60.0, 0, false, 12.0, 0.0, 0.0, false},
        Rig{"ImitatedVsyncInWholeMilliseconds", "presents come at 62.5 Hz" + BY_TIMER, 62.5, 0, false, 0.2,
            0.0, 0.0, false},
        Rig{"Display75Hz", "presents come at 75.0 Hz" + BY_TIMER, 75.0, 0, false, 0.2, 0.0, 0.0, false},
        Rig{"Display144Hz", "presents come at 144.0 Hz" + BY_TIMER, 144.0, 0, false, 0.2, 0.0, 0.0, false},
        Rig{"Display144HzReported", "the display refreshes at 144 Hz" + BY_TIMER, 144.0, 144, false, 0.2, 0.0,
            0.0, false},
        Rig{"Display144HzVsyncSticks", "presents come at 144.0 Hz" + BY_TIMER, 144.0, 0, true, 0.2, 0.0, 0.0,
            false},
        Rig{"Presents1000Hz", "presents come at 1000.0 Hz" + BY_TIMER, 1000.0, 0, false, 0.2, 0.0, 0.0,
            false},
        Rig{"SlowStartThen1000Hz", "presents come at 1000.0 Hz" + BY_TIMER, 1000.0, 0, false, 0.2, 40.0, 2.5,
            false},
        Rig{"SlowStartThen144Hz", "presents come at 144.0 Hz" + BY_TIMER, 144.0, 0, false, 0.2, 40.0, 2.5,
            false}),
    [](const ::testing::TestParamInfo<Rig>& info) { return info.param.name; });

// Stalls, and the presents the driver lets through at once after them, are no reason to
// switch; a machine too slow for 60 frames a second is not made slower still, nor is a
// display slower than 60 Hz whose rate is unknown: vertical sync goes on pacing.
TEST(FramePacer, StallsAndSlowPresentsNeverSwitchToTheTimer)
{
    const Rig slow[] = {
        {"Display60HzWithStalls", "", 60.0, 0, false, 0.2, 0.0, 0.0, true},
        {"TooSlowFor144Hz", "", 144.0, 0, false, 22.0, 0.0, 0.0, false},
        {"TooSlowWithoutVsync", "", 1000.0, 0, false, 25.0, 0.0, 0.0, false},
        {"Display50Hz", "", 50.0, 0, false, 0.2, 0.0, 0.0, false},
    };
    for (const Rig& s : slow) {
        SCOPED_TRACE(s.name);
        LogCapture log;
        SimulatedLoop(s).run();
        EXPECT_TRUE(log.lines().empty());
    }
}
