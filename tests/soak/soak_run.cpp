// SPDX-License-Identifier: Zlib
#include "soak/soak_run.h"

#include "app/app.h"
#include "app/app_context.h"
#include "platform/input_state.h"
#include "platform/platform_context.h"

#include <cstdio>

namespace {

constexpr int BURST_ONE_IN = 10; // hot-plug events that bring a second one into the same frame

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed blocks in quarantine, so resident memory says nothing
// about leaks there; LeakSanitizer checks them at exit instead.
constexpr bool MEMORY_MEANINGFUL = false;
#else
constexpr bool MEMORY_MEANINGFUL = true;
#endif

const char* const SCENE_NAMES[] = {"title", "mission intro", "playing", "mission clear", "game over"};

} // namespace

SoakRun::SoakRun(const SoakOptions& options, LogCapture& log)
    : options(options), log(log), random(options.seed), pads(random), pilot(random),
      eventsLeft(options.hotPlugEvents)
{
}

bool SoakRun::run()
{
    atStart = currentMemoryUsage();
    pads.plug();
    for (long frame = 0; frame < options.frames; ++frame) {
        plugOrUnplugForFrame(frame);
        if (!runOneFrame(frame)) {
            return false;
        }
        if (framesRun == warmUpFrames(options)) {
            afterWarmUp = currentMemoryUsage();
        }
    }
    return finish();
}

// Spreads the events over the run at random, now and then two in one frame.
void SoakRun::plugOrUnplugForFrame(long frame)
{
    const long framesLeft = options.frames - frame;
    std::uniform_int_distribution<long> roll(1, framesLeft);
    if (eventsLeft == 0 || roll(random) > eventsLeft) {
        return;
    }
    pads.plugOrUnplugAtRandom();
    --eventsLeft;
    std::uniform_int_distribution<int> burst(1, BURST_ONE_IN);
    if (eventsLeft > 0 && burst(random) == 1) {
        pads.plugOrUnplugAtRandom();
        --eventsLeft;
    }
}

bool SoakRun::runOneFrame(long frame)
{
    const std::vector<std::string> hotPlugLines = pads.expectFrame();
    if (SoakPad* open = pads.openPad()) {
        open->show(pilot.next(open->state, app));
    }
    pads.jiggleOthers();
    log.clear();
    std::vector<std::string> faults;
    if (!runFrame()) {
        faults.emplace_back("the game asked to quit");
    }
    ++framesRun;
    std::vector<std::string> worldLines;
    checkLogLines(hotPlugLines, worldLines, faults);
    pads.checkInput(*platform.input, faults);
    watch.afterFrame(app, worldLines, faults);
    return reportFaults(frame, faults);
}

// The hot-plug lines come first, exactly, from the events drained before the scene runs;
// the rest belong to the world.
void SoakRun::checkLogLines(const std::vector<std::string>& hotPlugLines,
                            std::vector<std::string>& worldLines, std::vector<std::string>& faults) const
{
    const std::vector<LoggedLine>& lines = log.lines();
    bool asExpected = lines.size() >= hotPlugLines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i < hotPlugLines.size()) {
            asExpected = asExpected && lines[i].message == hotPlugLines[i] &&
                         lines[i].priority == SDL_LOG_PRIORITY_INFO;
        } else {
            worldLines.emplace_back(lines[i].message);
        }
    }
    if (asExpected) {
        return;
    }
    faults.emplace_back("the controller log lines differ; expected:");
    for (const std::string& line : hotPlugLines) {
        faults.emplace_back("  " + line);
    }
    faults.emplace_back("logged:");
    for (const LoggedLine& line : lines) {
        faults.emplace_back("  " + line.message);
    }
    worldLines.clear();
}

// The last controllers go while the game runs; their removal is checked like any other.
bool SoakRun::finish()
{
    pads.unplugAll();
    if (!runOneFrame(options.frames)) {
        return false;
    }
    atEnd = currentMemoryUsage();
    std::vector<std::string> faults;
    const PlayTally& tally = watch.tally();
    if (options.everyScreen) {
        for (std::size_t scene = 0; scene < tally.sceneEntries.size(); ++scene) {
            if (tally.sceneEntries[scene] < 2) {
                faults.emplace_back(std::string("the ") + SCENE_NAMES[scene] + " screen was reached " +
                                    std::to_string(tally.sceneEntries[scene]) + " times, not twice");
            }
        }
    }
    const bool judgeMemory = MEMORY_MEANINGFUL && options.checkMemory && afterWarmUp.peakKiB >= 0;
    if (judgeMemory && atEnd.peakKiB - afterWarmUp.peakKiB > options.rssToleranceKiB) {
        faults.emplace_back(
            "peak resident memory grew by " + std::to_string(atEnd.peakKiB - afterWarmUp.peakKiB) +
            " KiB after warm-up (tolerance " + std::to_string(options.rssToleranceKiB) + " KiB)");
    }
    return reportFaults(options.frames, faults);
}

bool SoakRun::reportFaults(long frame, const std::vector<std::string>& faults) const
{
    if (faults.empty()) {
        return true;
    }
    std::fprintf(stderr, "soak: frame %ld (scene %d) broke the rules; rerun with FRAMES %ld SEED %u:\n",
                 frame, static_cast<int>(app.scene), options.frames, options.seed);
    for (const std::string& fault : faults) {
        std::fprintf(stderr, "  %s\n", fault.c_str());
    }
    return false;
}

void SoakRun::printSummary(double seconds) const
{
    const PlayTally& tally = watch.tally();
    std::printf("soak: %ld frames (seed %u) in %.1f s, %.0f frames/s\n", framesRun, options.seed, seconds,
                seconds > 0.0 ? static_cast<double>(framesRun) / seconds : 0.0);
    std::printf(
        "  games %ld, waves cleared %ld, games over %ld, pauses %ld, largest wave %d, best score %d\n",
        tally.games, tally.wavesCleared, tally.gamesOver, tally.pauses, tally.largestWave, tally.bestScore);
    std::printf("  screens reached:");
    for (std::size_t scene = 0; scene < tally.sceneEntries.size(); ++scene) {
        std::printf("%s %s %ld", scene == 0 ? "" : ",", SCENE_NAMES[scene], tally.sceneEntries[scene]);
    }
    std::printf("\n  controllers: %d plugged in, %d unplugged, %d opened by the game\n", pads.plugs,
                pads.unplugs, pads.opens);
    std::printf("  memory after start-up: %s\n", describe(atStart).c_str());
    std::printf("  memory after warm-up (%ld frames): %s\n", warmUpFrames(options),
                describe(afterWarmUp).c_str());
    std::printf("  memory at the end: %s%s\n", describe(atEnd).c_str(),
                MEMORY_MEANINGFUL ? "" : " (AddressSanitizer: not judged)");
}
