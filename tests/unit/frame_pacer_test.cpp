// SPDX-License-Identifier: Zlib
#include "app/frame_pacer.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <ostream>
#include <random>
#include <string>
#include <vector>

// The frame loop's pacing against simulated displays and machines, on a simulated
// counter: what the loop would do around each present, frame by frame, for 25 seconds.

namespace {

constexpr Uint64 TICKS_PER_SECOND = 1000000000; // the counter counts nanoseconds
constexpr double RUN_SECONDS = 25.0;
constexpr double FIRST_WINDOW_SECONDS = 1.0;
constexpr double WINDOW_SECONDS = 10.0;
constexpr double MOST_UPDATES_PER_SECOND = 60.5;
constexpr double VSYNC_BACK_WITHIN_SECONDS = 1.0;
const std::string BY_TIMER = "presents come faster than 60 a second: frames are paced by a timer";
const std::string BY_VSYNC = "presents wait for a 60 Hz display: frames are paced by vertical sync";
const std::string NO_VSYNC = "no vertical sync: frames are paced by a timer";

// The machine's work per frame: alternating between the two, or uniform between them.
struct Cost {
    double ms = 0.2;
    double otherMs = 0.2;
    bool uniform = false;
};

struct Rig {
    std::string name;
    double refreshHz = 60.0; // 0: the renderer has no vertical sync
    Cost cost;
    double hiddenFrom = 0.0; // seconds during which presents return at once
    double hiddenUntil = 0.0;
    double stallMs = 0.0; // added to every stallEvery-th frame
    int stallEvery = 0;
    int queueDepth = 1;            // frames the driver takes before a present waits
    double leastUpdateRate = 59.5; // over every 10 s window from the first second on
    bool endsOnVsync = true;       // from a second after the window is shown
    std::vector<std::string> logged;
    double presentMs = 0.0; // the driver's own work in a present, before it waits
    double wakeMs = 0.0;    // this late back from every second present that waited
};

void PrintTo(const Rig& s, std::ostream* out)
{
    *out << s.name;
}

Uint64 ticks(double seconds)
{
    return static_cast<Uint64>(std::llround(seconds * static_cast<double>(TICKS_PER_SECOND)));
}

struct Frame {
    Uint64 start = 0;
    bool byTimer = false;
};

// A display with a swap queue and a machine under the pacer.
class SimulatedLoop {
public:
    explicit SimulatedLoop(const Rig& setup) : s(setup), pacer(TICKS_PER_SECOND)
    {
        pacer.start(s.refreshHz > 0.0, now);
    }

    std::vector<Frame> run()
    {
        std::vector<Frame> frames;
        for (int frame = 1; now < ticks(RUN_SECONDS); ++frame) {
            frames.push_back({now, pacer.byTimer()});
            now += ticks(costMs(frame) / 1000.0);
            pacer.presenting(now);
            now += ticks(s.presentMs / 1000.0);
            present();
            pacer.presented(now);
            now = std::max(now, pacer.nextFrameAt());
            pacer.frameBegins(now);
        }
        return frames;
    }

private:
    double costMs(int frame)
    {
        const Cost& c = s.cost;
        const double work = c.uniform ? std::uniform_real_distribution<double>(c.ms, c.otherMs)(random)
                                      : (frame % 2 == 0 ? c.otherMs : c.ms);
        return work + (s.stallEvery > 0 && frame % s.stallEvery == 0 ? s.stallMs : 0.0);
    }

    // Each refresh shows one queued frame; a present returns once the queue has room.
    void present()
    {
        const double t = static_cast<double>(now) / TICKS_PER_SECOND;
        if (s.refreshHz == 0.0 || (t >= s.hiddenFrom && t < s.hiddenUntil)) {
            return;
        }
        const auto refresh = static_cast<long long>(std::ceil(t * s.refreshHz));
        shownAt.push_back(std::max(refresh, shownAt.empty() ? 0 : shownAt.back() + 1));
        if (static_cast<int>(shownAt.size()) > s.queueDepth) {
            shownAt.pop_front();
        }
        const Uint64 shown = ticks(static_cast<double>(shownAt.front()) / s.refreshHz);
        if (shown > now) {
            now = shown + (++waits % 2 == 0 ? ticks(s.wakeMs / 1000.0) : 0);
        }
    }

    Rig s;
    FramePacer pacer;
    Uint64 now = ticks(0.05);      // the first frame after start-up
    std::deque<long long> shownAt; // refreshes of the frames still queued
    int waits = 0;
    std::mt19937 random{20};
};

// Frames begun in every window of WINDOW_SECONDS that starts at a frame.
std::vector<int> windowCounts(const std::vector<Frame>& frames)
{
    std::vector<int> counts;
    size_t end = 0;
    for (size_t begin = 0; begin < frames.size(); ++begin) {
        const Uint64 from = frames[begin].start;
        if (from < ticks(FIRST_WINDOW_SECONDS) || from + ticks(WINDOW_SECONDS) > frames.back().start) {
            continue;
        }
        while (end < frames.size() && frames[end].start < from + ticks(WINDOW_SECONDS)) {
            ++end;
        }
        counts.push_back(static_cast<int>(end - begin));
    }
    return counts;
}

class Pacing : public ::testing::TestWithParam<Rig> {};

} // namespace

TEST_P(Pacing, HoldsEveryTenSecondsToSixtyUpdatesASecondAndVsyncWhereItHolds)
{
    const Rig& s = GetParam();
    LogCapture log;
    const std::vector<Frame> frames = SimulatedLoop(s).run();
    EXPECT_EQ(log.messages(), s.logged);
    const std::vector<int> counts = windowCounts(frames);
    ASSERT_FALSE(counts.empty());
    EXPECT_LE(*std::max_element(counts.begin(), counts.end()) / WINDOW_SECONDS, MOST_UPDATES_PER_SECOND);
    EXPECT_GE(*std::min_element(counts.begin(), counts.end()) / WINDOW_SECONDS, s.leastUpdateRate);
    // Vertical sync paces from a second after the window is shown. Where the timer takes
    // over, the log says so: a proof of 60 Hz that held frames soon belie is no change.
    for (const Frame& frame : frames) {
        if (s.endsOnVsync && frame.start >= ticks(s.hiddenUntil + VSYNC_BACK_WITHIN_SECONDS)) {
            ASSERT_FALSE(frame.byTimer) << "at " << frame.start;
        }
    }
}

const Cost LIGHT{0.2, 0.2};
const Cost UNIFORM{6.0, 14.0, true};
const Cost TWO_VALUED{0.5, 10.0};
// With the present's own work, most of the frames miss a 120 Hz refresh.
const Cost MOSTLY_MISSING{3.0, 5.0, true};

INSTANTIATE_TEST_SUITE_P(
    Displays, Pacing,
    ::testing::Values(
        // name, refresh Hz, cost, hidden from, until, stall ms, every, queue depth, least rate,
        // ends on vsync, logged, present ms
        Rig{"Display60Hz", 60.0, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, true, {}},
        Rig{"Display59_94Hz", 59.94, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.4, true, {}},
        Rig{"Display50Hz", 50.0, LIGHT, 0.0, 0.0, 0.0, 0, 1, 49.5, true, {}},
        Rig{"BusyMachineAt60Hz", 60.0, {12.0, 12.0}, 0.0, 0.0, 0.0, 0, 1, 59.5, true, {}},
        Rig{"UnthrottledStartAt60Hz", 60.0, LIGHT, 0.0, 0.03, 0.0, 0, 1, 59.5, true, {}},
        Rig{"UnthrottledStartAt60HzQueue3", 60.0, LIGHT, 0.0, 0.03, 0.0, 0, 3, 59.5, true, {}},
        Rig{"HiddenHalfASecondAt60Hz", 60.0, LIGHT, 3.0, 3.5, 0.0, 0, 1, 59.5, true, {}},
        Rig{"HiddenTwoSecondsAt60Hz", 60.0, LIGHT, 3.0, 5.0, 0.0, 0, 1, 59.5, true, {BY_TIMER, BY_VSYNC}},
        Rig{"HiddenAtStartAt60Hz", 60.0, LIGHT, 0.0, 2.0, 0.0, 0, 1, 59.5, true, {BY_TIMER, BY_VSYNC}},
        Rig{"HiddenWakingLate", 60.0, LIGHT, 3.0, 5.0, 0.0, 0, 1, 59.5, true, {BY_TIMER, BY_VSYNC}, 0.0, 1.0},
        Rig{"ImitatedVsyncInWholeMilliseconds", 62.5, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display60_4Hz", 60.4, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display61Hz", 61.0, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display75Hz", 75.0, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display120HzUniform", 120.0, UNIFORM, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display120HzTwoValued", 120.0, TWO_VALUED, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display165HzUniform", 165.0, UNIFORM, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display165HzTwoValued", 165.0, TWO_VALUED, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display240HzUniform", 240.0, UNIFORM, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        Rig{"Display240HzTwoValued", 240.0, TWO_VALUED, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}},
        // A present's own work, as under X11, makes frames miss most refreshes of a faster
        // display: a probe may pass for proof of 60 Hz.
        Rig{"SlowPresents120Hz", 120.0, MOSTLY_MISSING, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {BY_TIMER}, 5.0},
        Rig{"NoVsync", 0.0, LIGHT, 0.0, 0.0, 0.0, 0, 1, 59.5, false, {NO_VSYNC}},
        Rig{"NoVsyncTooSlowFor60", 0.0, {25.0, 25.0}, 0.0, 0.0, 0.0, 0, 1, 39.5, false, {NO_VSYNC}},
        // Stalls cost no update that the swap queue alone would keep (the least rates are
        // the queue's own). The queue takes two presents at once at start-up, and with a
        // stall every third frame no two presents in a row wait for the display to prove
        // it 60 Hz: the beat keeps that lead and holds every third frame back.
        Rig{"Stall35MsEvery3FramesQueue3", 60.0, LIGHT, 0.0, 0.0, 35.0, 3, 3, 59.5, false, {BY_TIMER}},
        Rig{"Stall35MsEvery3FramesQueue2", 60.0, LIGHT, 0.0, 0.0, 35.0, 3, 2, 44.9, true, {}},
        Rig{"Stall50MsEvery3FramesQueue3", 60.0, LIGHT, 0.0, 0.0, 50.0, 3, 3, 44.9, true, {}}),
    [](const ::testing::TestParamInfo<Rig>& info) { return info.param.name; });
