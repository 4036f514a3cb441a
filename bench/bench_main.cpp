// SPDX-License-Identifier: Zlib
// Runs every performance measurement of the game in one go, against SDL's own sprite
// benchmark and a bare SDL window on the same machine, and prints one table.
// Options: --quick (tiny repetitions, for a smoke run), --testsprite=PATH,
// --only=census|world|frames|startup|pacing; the rest go to Google Benchmark. The OpenGL
// figures need an X display. Exits with 1 when a figure could not be measured or a
// steady frame allocated; timings never fail the run.
#include "app/app.h"
#include "app/app_context.h"
#include "frame_rates.h"
#include "median.h"
#include "pacing_cost.h"
#include "platform/platform_context.h"
#include "report_table.h"
#include "startup_probe.h"
#include "subprocess.h"
#include "world_benchmarks.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr WaveSize LARGEST_WAVE{100, 200};
constexpr double FRAME_BUDGET_MS = 1000.0 / 60.0;
constexpr double UPDATE_AND_DRAW_SHARE_TARGET = 0.02;
constexpr double FRAME_RATIO_TARGET = 1.0;
constexpr double STARTUP_RATIO_TARGET = 1.15;
constexpr double MEMORY_RATIO_TARGET = 1.10;
constexpr double PACING_RATIO_TARGET = 1.25;
constexpr double PACED_RATE = 60.0;
constexpr double PACED_RATE_TOLERANCE = 0.2;
// testsprite2 copies four sprites of its own every frame besides the ones asked for.
constexpr int TESTSPRITE_FIXED_COPIES = 4;
constexpr const char* DEFAULT_TESTSPRITE = "/usr/libexec/installed-tests/SDL2/testsprite2";
constexpr std::chrono::seconds CENSUS_TIMEOUT{120};
#ifndef PLORVIK_PRESENT_SHIM // built with the tests only
#define PLORVIK_GAME ""
#define PLORVIK_PRESENT_SHIM ""
#endif

struct Options {
    bool quick = false;
    std::string testsprite = DEFAULT_TESTSPRITE;
    std::string only; // "census", "world", "frames", "startup" or "pacing"; empty for all

    bool runs(const char* section) const { return only.empty() || only == section; }
};

// How long and how often each measurement runs.
struct Plan {
    BenchSettings world;
    double frameSeconds = 0.0; // of our frames per round
    int frameRounds = 0;       // ours, then testsprite2's 5-second report, in turn
    int startupRuns = 0;       // of each program
    double pacingSeconds = 0.0;
};

constexpr Plan FULL_PLAN{{3, 0.2, 200}, 5.0, 3, 11, 10.0};
constexpr Plan QUICK_PLAN{{1, 0.01, 3}, 0.5, 1, 1, 1.0};

Options takeOptions(int& argc, char** argv)
{
    Options options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick") {
            options.quick = true;
        } else if (arg.rfind("--testsprite=", 0) == 0) {
            options.testsprite = arg.substr(arg.find('=') + 1);
        } else if (arg.rfind("--only=", 0) == 0) {
            options.only = arg.substr(arg.find('=') + 1);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return options;
}

// The census program's "name value" lines, and whether it found no steady allocation.
struct Census {
    double value(const std::string& name) const
    {
        const auto found = values.find(name);
        return found == values.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> values;
    bool allocationFree = false;
};

std::optional<Census> takeCensus()
{
    Census census;
    Subprocess program({PLORVIK_FRAME_CENSUS});
    while (const std::optional<std::string> line = program.readLine(CENSUS_TIMEOUT)) {
        const std::size_t space = line->find(' ');
        if (space != std::string::npos && line->find(' ', space + 1) == std::string::npos) {
            census.values[line->substr(0, space)] = std::atof(line->c_str() + space + 1);
        }
    }
    const int status = program.wait();
    census.allocationFree = status == 0;
    if ((status != 0 && status != 1) || census.value("copies-per-frame") <= 0.0) {
        return std::nullopt;
    }
    return census;
}

bool usesOpenGl(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    return renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
           std::strcmp(info.name, "opengl") == 0;
}

// Ours against the peer's time per frame, in turn, medians of both.
struct FrameComparison {
    double oursMs = 0.0;
    std::optional<double> peerMs;
    int sprites = 0; // asked of the peer
};

FrameComparison compareFrames(const Plan& plan, const std::string& testsprite, int sprites)
{
    std::vector<double> ours;
    std::vector<double> peer;
    for (int round = 0; round < plan.frameRounds; ++round) {
        ours.push_back(wholeFrameMilliseconds(LARGEST_WAVE, plan.frameSeconds));
        if (const std::optional<double> ms = testspriteMilliseconds(testsprite, sprites)) {
            peer.push_back(*ms);
        }
    }
    return {median(ours), peer.empty() ? std::nullopt : std::optional<double>(median(peer)), sprites};
}

std::optional<double> timeOf(const WorldTimes& times, const std::string& name)
{
    for (const auto& [measured, us] : times) {
        if (measured == name) {
            return us;
        }
    }
    return std::nullopt;
}

// Everything measured; a section left out by --only stays empty.
struct Figures {
    std::optional<Census> census;
    bool openGl = false;
    WorldTimes world;
    std::optional<FrameComparison> frames;
    std::vector<StartupFigures> startup; // the game, the bare window, the bare window with a sprite
    std::optional<PacingCost> pacing;
};

// The game's own process runs the World and the whole frame: startUp, as main does.
bool measureInProcess(const Options& options, const Plan& plan, Figures& figures)
{
    if (!options.runs("world") && !options.runs("frames")) {
        return true;
    }
    if (!startUp()) {
        return false;
    }
    figures.openGl = usesOpenGl(platform.renderer);
    if (options.runs("world")) {
        std::fprintf(stderr, "World::update and World::draw (%s)\n",
                     figures.openGl ? "software and OpenGL" : "software only");
        registerWorldBenchmarks(plan.world, figures.openGl);
        figures.world = runWorldBenchmarks();
    }
    if (options.runs("frames") && figures.openGl && figures.census) {
        const int sprites =
            static_cast<int>(figures.census->value("copies-per-frame") + 0.5) - TESTSPRITE_FIXED_COPIES;
        std::fprintf(stderr, "whole frames against testsprite2 with %d sprites\n", sprites);
        figures.frames = compareFrames(plan, options.testsprite, sprites);
    }
    shutDown();
    return true;
}

std::string verdict(bool met)
{
    return met ? "met" : "MISSED";
}

void addFrameRows(std::vector<ReportRow>& rows, const Figures& figures)
{
    const std::string figure = "whole frame, 100 enemies + 200 shots (OpenGL, no vsync), ms";
    if (!figures.frames || !figures.frames->peerMs) {
        rows.push_back({figure, "n/a", "testsprite2: n/a", "", "<= 1.00", "not measured"});
        return;
    }
    const FrameComparison& frames = *figures.frames;
    const double ratio = frames.oursMs / *frames.peerMs;
    rows.push_back({figure, fixed(frames.oursMs, 2),
                    "testsprite2, " + std::to_string(frames.sprites + TESTSPRITE_FIXED_COPIES) +
                        " copies: " + fixed(*frames.peerMs, 2),
                    fixed(ratio, 2), "<= 1.00", verdict(ratio <= FRAME_RATIO_TARGET)});
}

void addUpdateAndDrawRow(std::vector<ReportRow>& rows, const Figures& figures)
{
    const std::string renderer = figures.openGl ? "opengl" : "software";
    const std::optional<double> updateUs = timeOf(figures.world, "update/100/200");
    const std::optional<double> drawUs = timeOf(figures.world, "draw/" + renderer + "/100/200");
    if (!updateUs || !drawUs) {
        return;
    }
    const double ms = (*updateUs + *drawUs) / 1000.0;
    const double share = ms / FRAME_BUDGET_MS;
    rows.push_back({"World::update + draw before present, 100 + 200 (" + renderer + "), ms", fixed(ms, 3),
                    "frame " + fixed(FRAME_BUDGET_MS, 1) + " ms", fixed(share * 100.0, 2) + "%", "< 2%",
                    verdict(share < UPDATE_AND_DRAW_SHARE_TARGET)});
}

bool startupMeasured(const std::vector<StartupFigures>& startup)
{
    return startup.size() == 3 && startup[0].runs > 0 && startup[1].runs > 0 && startup[2].runs > 0;
}

// The game against the bare window (the target), then against the bare window drawing
// one sprite (a guide: what drawing anything textured at all costs the renderer).
void addStartupRows(std::vector<ReportRow>& rows, const std::vector<StartupFigures>& startup)
{
    if (!startupMeasured(startup)) {
        rows.push_back({"start-up to first presented frame, ms", "n/a", "", "", "<= 1.15", "not measured"});
        return;
    }
    const StartupFigures& game = startup[0];
    const StartupFigures& floor = startup[1];
    const StartupFigures& sprite = startup[2];
    const double timeRatio = game.milliseconds / floor.milliseconds;
    const double memoryRatio = game.peakMiB / floor.peakMiB;
    rows.push_back({"start-up to first presented frame, ms (median of " + std::to_string(game.runs) + ")",
                    fixed(game.milliseconds, 1), "bare window: " + fixed(floor.milliseconds, 1),
                    fixed(timeRatio, 2), "<= 1.15", verdict(timeRatio <= STARTUP_RATIO_TARGET)});
    rows.push_back({"", "", "bare window + 1 sprite: " + fixed(sprite.milliseconds, 1),
                    fixed(game.milliseconds / sprite.milliseconds, 2), "guide", ""});
    rows.push_back({"  processor time to first frame, ms", fixed(game.cpuMilliseconds, 1),
                    "bare window: " + fixed(floor.cpuMilliseconds, 1),
                    fixed(game.cpuMilliseconds / floor.cpuMilliseconds, 2), "guide", ""});
    rows.push_back({"", "", "bare window + 1 sprite: " + fixed(sprite.cpuMilliseconds, 1),
                    fixed(game.cpuMilliseconds / sprite.cpuMilliseconds, 2), "guide", ""});
    rows.push_back({"peak memory (VmHWM), MiB", fixed(game.peakMiB, 1),
                    "bare window: " + fixed(floor.peakMiB, 1), fixed(memoryRatio, 2), "<= 1.10",
                    verdict(memoryRatio <= MEMORY_RATIO_TARGET)});
    rows.push_back({"", "", "bare window + 1 sprite: " + fixed(sprite.peakMiB, 1),
                    fixed(game.peakMiB / sprite.peakMiB, 2), "guide", ""});
}

void addPacingRows(std::vector<ReportRow>& rows, const std::optional<PacingCost>& pacing)
{
    const std::string figure = "processor time per frame, timer pacing (presents at once), ms";
    if (!pacing || pacing->vsync.byTimer) {
        rows.push_back({figure, "n/a", "", "", "<= 1.25", "not measured"});
        return;
    }
    const double ratio = pacing->timer.cpuMilliseconds / pacing->vsync.cpuMilliseconds;
    rows.push_back({figure, fixed(pacing->timer.cpuMilliseconds, 3),
                    "vsync pacing (60 Hz): " + fixed(pacing->vsync.cpuMilliseconds, 3), fixed(ratio, 2),
                    "<= 1.25", verdict(ratio <= PACING_RATIO_TARGET)});
    const double rate = pacing->timer.updatesPerSecond;
    rows.push_back({"  updates a second, timer pacing", fixed(rate, 2),
                    "vsync pacing: " + fixed(pacing->vsync.updatesPerSecond, 2), "", "60.0 +/- 0.2",
                    verdict(std::abs(rate - PACED_RATE) <= PACED_RATE_TOLERANCE)});
}

void addCensusRows(std::vector<ReportRow>& rows, const Census& census)
{
    rows.push_back({"heap allocations (operator new) per steady frame",
                    fixed(census.value("allocations-per-steady-frame"), 2),
                    fixed(census.value("steady-frames"), 0) + " steady frames", "", "0",
                    verdict(census.allocationFree)});
    rows.push_back({"  SDL's own allocations per steady frame",
                    fixed(census.value("sdl-allocations-per-steady-frame"), 2), "", "", "", ""});
    rows.push_back({"  allocations per new enemy shot", fixed(census.value("allocations-per-new-shot"), 2),
                    fixed(census.value("new-shots"), 0) + " shots", "", "", ""});
    rows.push_back(
        {"  copies / filled rectangles per frame",
         fixed(census.value("copies-per-frame"), 1) + " / " + fixed(census.value("fills-per-frame"), 1), "",
         "", "", ""});
}

// "draw/opengl/100/200" reads "World::draw (opengl), 100 enemies + 200 shots, us".
std::string worldFigure(const std::string& name)
{
    const std::size_t shots = name.rfind('/');
    const std::size_t enemies = name.rfind('/', shots - 1);
    const std::size_t renderer = name.find('/');
    std::string figure = "World::" + name.substr(0, renderer);
    if (renderer != enemies) {
        figure += " (" + name.substr(renderer + 1, enemies - renderer - 1) + ")";
    }
    return figure + ", " + name.substr(enemies + 1, shots - enemies - 1) + " enemies + " +
           name.substr(shots + 1) + " shots, us";
}

void addWorldRows(std::vector<ReportRow>& rows, const WorldTimes& world)
{
    for (const auto& [name, us] : world) {
        rows.push_back({worldFigure(name), fixed(us, 1), "frame " + fixed(FRAME_BUDGET_MS, 1) + " ms",
                        fixed(us / 10.0 / FRAME_BUDGET_MS, 2) + "%", "guide", ""});
    }
}

std::vector<ReportRow> tableOf(const Options& options, const Figures& figures)
{
    std::vector<ReportRow> rows;
    if (options.runs("frames")) {
        addFrameRows(rows, figures);
    }
    addUpdateAndDrawRow(rows, figures);
    if (options.runs("startup")) {
        addStartupRows(rows, figures.startup);
    }
    if (options.runs("pacing")) {
        addPacingRows(rows, figures.pacing);
    }
    if (figures.census) {
        addCensusRows(rows, *figures.census);
    } else if (options.runs("census")) {
        rows.push_back(
            {"heap allocations (operator new) per steady frame", "n/a", "", "", "0", "not measured"});
    }
    addWorldRows(rows, figures.world);
    return rows;
}

bool allMeasured(const Options& options, const Figures& figures)
{
    const bool census = !options.runs("census") || (figures.census && figures.census->allocationFree);
    const bool frames = !options.runs("frames") || (figures.frames && figures.frames->peerMs);
    const bool startup = !options.runs("startup") || startupMeasured(figures.startup);
    const bool pacing = !options.runs("pacing") || (figures.pacing && !figures.pacing->vsync.byTimer);
    return census && frames && startup && pacing;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = takeOptions(argc, argv);
    const Plan plan = options.quick ? QUICK_PLAN : FULL_PLAN;
    benchmark::Initialize(&argc, argv);
    // Every figure here is taken without vertical sync: the programs run flat out.
    setenv("SDL_RENDER_VSYNC", "0", 1);

    Figures figures;
    if (options.runs("census") || options.runs("frames")) {
        std::fprintf(stderr, "counting the calls of a steady frame\n");
        figures.census = takeCensus();
    }
    if (!measureInProcess(options, plan, figures)) {
        return 1;
    }
    if (options.runs("startup")) {
        std::fprintf(stderr, "start-up against the bare window\n");
        figures.startup = compareStartup(
            {{PLORVIK_FIRST_FRAME}, {PLORVIK_BARE_WINDOW}, {PLORVIK_BARE_WINDOW, "--one-sprite"}},
            plan.startupRuns);
    }
    if (options.runs("pacing")) {
        std::fprintf(stderr, "the game paced by a timer beside the game paced by vertical sync\n");
        figures.pacing = comparePacing(PLORVIK_GAME, PLORVIK_PRESENT_SHIM, plan.pacingSeconds);
    }
    printTable(tableOf(options, figures));
    return allMeasured(options, figures) ? 0 : 1;
}
