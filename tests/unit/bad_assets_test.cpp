// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "hostile_files.h"
#include "platform/sound.h"
#include "support/log_capture.h"
#include "support/memory_usage.h"
#include "support/scoped_env.h"
#include "support/temp_work_dir.h"
#include "support/virtual_pad.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// Every file of assets/ missing, empty, cut short, full of noise, a directory, a FIFO,
// a link to /dev/zero or to /proc/self/pagemap, far too large or a link that loops; the sheet
// in another picture format, a sound in another sound format or far too long: the game
// starts soon, in bounded memory, says what went wrong in the words it always uses, plays a
// short game and quits on Escape. The sanitizer build runs the same cases under ASan and UBSan.

namespace {

enum class Fault {
    MISSING,
    EMPTY,
    TRUNCATED,
    GARBAGE,
    DIRECTORY,
    FIFO,
    DEVICE_LINK,
    OVERSIZE,
    LINK_LOOP,
    HUGE_PICTURE,
    PAGEMAP_LINK,
    SVG_PICTURE,
    JPEG_PICTURE,
    QOI_PICTURE,
    PPM_PICTURE,
    VOC_SOUND,
    FLAC_SOUND,
    MODULE_SOUND,
    LONG_WAV,
    SLOW_WAV,
    MANY_MAPPINGS
};

using Lines = std::vector<std::string>;

struct Case {
    std::string file;
    Fault fault = Fault::MISSING;
    Lines logged; // as "PRIORITY: message", before the test pad's own line; '*' stands for any text
};

// libpng prints its own reason for giving up on a broken image to standard error, and
// ALSA its own on failing to find a sound card: the start of each of their lines.
const std::string LIBPNG_LINES = "libpng ";
const std::string ALSA_LINES = "ALSA lib ";

const std::string PAD_NAME = "Plorvik Test Pad";
constexpr std::uintmax_t OVERSIZE_BYTES = std::uintmax_t{64} << 20U;
constexpr Uint32 HUGE_SIDE = 16384; // pixels: 1 GB decoded
constexpr std::uintmax_t LONG_WAV_BYTES = std::uintmax_t{16} << 20U;
// What every case may cost the game's start-up, far above what it needs: processor time, so
// that a busy machine does not count, and memory above what the process held before.
constexpr double START_UP_CPU_SECONDS = 5.0;
constexpr long PEAK_GROWTH_KIB = 64L << 10U;
// AddressSanitizer keeps freed memory aside for a while, so there the peak counts all that
// was allocated rather than what was held at once.
#ifdef __SANITIZE_ADDRESS__
constexpr bool PEAK_IS_WHAT_WAS_HELD = false;
#else
constexpr bool PEAK_IS_WHAT_WAS_HELD = true;
#endif

std::string faultName(Fault fault)
{
    switch (fault) {
    case Fault::MISSING:
        return "Missing";
    case Fault::EMPTY:
        return "Empty";
    case Fault::TRUNCATED:
        return "Truncated";
    case Fault::GARBAGE:
        return "Garbage";
    case Fault::DIRECTORY:
        return "Directory";
    case Fault::FIFO:
        return "Fifo";
    case Fault::DEVICE_LINK:
        return "DevZeroLink";
    case Fault::OVERSIZE:
        return "Oversize";
    case Fault::LINK_LOOP:
        return "LinkLoop";
    case Fault::HUGE_PICTURE:
        return "HugePicture";
    case Fault::PAGEMAP_LINK:
        return "PagemapLink";
    case Fault::SVG_PICTURE:
        return "Svg";
    case Fault::JPEG_PICTURE:
        return "Jpeg";
    case Fault::QOI_PICTURE:
        return "Qoi";
    case Fault::PPM_PICTURE:
        return "Ppm";
    case Fault::VOC_SOUND:
        return "Voc";
    case Fault::FLAC_SOUND:
        return "Flac";
    case Fault::MODULE_SOUND:
        return "Module";
    case Fault::LONG_WAV:
        return "Long8kHzWav";
    case Fault::SLOW_WAV:
        return "OneHertzWav";
    case Fault::MANY_MAPPINGS:
        return "ManyMappings";
    }
    return "";
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.file << " " << faultName(c.fault);
}

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name;
    for (char c : info.param.file) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        }
    }
    return name + faultName(info.param.fault);
}

const std::string NOT_A_PNG = "CRITICAL: assets/sprites.png is not a PNG file";
const std::string NOT_A_WAV = "assets/player_shot.wav is not a WAV file";

std::string soundFailure(const std::string& file, const std::string& reason)
{
    return "WARN: failed to load sound 'assets/" + file + "': " + reason;
}

// Refused before it is opened: what SDL's error says stands there.
std::string refusal(const std::string& file, Fault fault)
{
    const std::string path = "assets/" + file;
    switch (fault) {
    case Fault::DIRECTORY:
        return path + " is a directory, not a regular file";
    case Fault::FIFO:
        return path + " is a FIFO, not a regular file";
    case Fault::DEVICE_LINK:
        return path + " is a character device, not a regular file";
    default:
        return path + " holds more than * bytes";
    }
}

// Each file's loader reports a refused file as one it cannot read.
Lines unreadable(const std::string& file, const std::string& reason)
{
    if (file == "gamecontrollerdb.txt") {
        return {"INFO: doesn't load assets/gamecontrollerdb.txt"};
    }
    if (file == "sprites.png" || file == "bg.dat") {
        return {"CRITICAL: " + reason};
    }
    return {soundFailure(file, reason)};
}

// The sheet and the map are critical; a sound is a warning; a mapping file is optional.
// A short map keeps its default tiles, and a short sound plays what it has, in silence.
std::vector<Case> everyFileAndFault()
{
    std::vector<Case> cases = {
        {"sprites.png", Fault::MISSING, {"CRITICAL: Couldn't open assets/sprites.png"}},
        {"sprites.png", Fault::EMPTY, {NOT_A_PNG}},
        {"sprites.png", Fault::TRUNCATED, {"CRITICAL: Error reading the PNG file."}},
        {"sprites.png", Fault::GARBAGE, {NOT_A_PNG}},
        {"sprites.png", Fault::SVG_PICTURE, {NOT_A_PNG}},
        {"sprites.png", Fault::JPEG_PICTURE, {NOT_A_PNG}},
        {"sprites.png", Fault::QOI_PICTURE, {NOT_A_PNG}},
        {"sprites.png", Fault::PPM_PICTURE, {NOT_A_PNG}},
        {"sprites.png",
         Fault::HUGE_PICTURE,
         {"CRITICAL: assets/sprites.png is too large: 16384x16384 pixels, at most *"}},
        {"bg.dat", Fault::MISSING, {"CRITICAL: Couldn't open assets/bg.dat"}},
        {"bg.dat", Fault::EMPTY, {}},
        {"bg.dat", Fault::TRUNCATED, {}},
        {"bg.dat", Fault::GARBAGE, {}},
        {"gamecontrollerdb.txt", Fault::MISSING, {"INFO: doesn't load assets/gamecontrollerdb.txt"}},
        {"gamecontrollerdb.txt", Fault::EMPTY, {}},
        {"gamecontrollerdb.txt", Fault::TRUNCATED, {}},
        {"gamecontrollerdb.txt", Fault::GARBAGE, {}},
        {"gamecontrollerdb.txt", Fault::MANY_MAPPINGS, {"INFO: doesn't load assets/gamecontrollerdb.txt"}},
        {"player_shot.wav", Fault::VOC_SOUND, {soundFailure("player_shot.wav", NOT_A_WAV)}},
        {"player_shot.wav", Fault::FLAC_SOUND, {soundFailure("player_shot.wav", NOT_A_WAV)}},
        {"player_shot.wav", Fault::MODULE_SOUND, {soundFailure("player_shot.wav", NOT_A_WAV)}},
        {"player_shot.wav",
         Fault::LONG_WAV,
         {soundFailure("player_shot.wav", "assets/player_shot.wav holds more than 1048576 bytes")}},
        {"player_shot.wav",
         Fault::SLOW_WAV,
         {soundFailure("player_shot.wav", "assets/player_shot.wav holds more than 10 seconds of sound")}},
    };
    for (const char* file : SOUND_FILES) {
        cases.push_back({file, Fault::MISSING, {soundFailure(file, "Mix_LoadWAV_RW with NULL src")}});
        const std::string notAWav = "assets/" + std::string(file) + " is not a WAV file";
        cases.push_back({file, Fault::EMPTY, {soundFailure(file, notAWav)}});
        cases.push_back({file, Fault::TRUNCATED, {}});
        cases.push_back({file, Fault::GARBAGE, {soundFailure(file, notAWav)}});
    }
    // A link that loops cannot be opened, like a missing file; the others are refused.
    const size_t listed = cases.size();
    for (size_t i = 0; i < listed; ++i) {
        if (cases[i].fault == Fault::MISSING) {
            const std::string file = cases[i].file;
            cases.push_back({file, Fault::LINK_LOOP, cases[i].logged});
            for (Fault fault :
                 {Fault::DIRECTORY, Fault::FIFO, Fault::DEVICE_LINK, Fault::OVERSIZE, Fault::PAGEMAP_LINK}) {
                cases.push_back({file, fault, unreadable(file, refusal(file, fault))});
            }
        }
    }
    return cases;
}

bool lineMatches(const std::string& expected, const std::string& actual)
{
    const size_t star = expected.find('*');
    if (star == std::string::npos) {
        return expected == actual;
    }
    const std::string head = expected.substr(0, star);
    const std::string tail = expected.substr(star + 1);
    return actual.size() >= head.size() + tail.size() && actual.compare(0, head.size(), head) == 0 &&
           actual.compare(actual.size() - tail.size(), tail.size(), tail) == 0;
}

::testing::AssertionResult linesMatch(const Lines& expected, const Lines& actual)
{
    bool same = expected.size() == actual.size();
    for (size_t i = 0; same && i < expected.size(); ++i) {
        same = lineMatches(expected[i], actual[i]);
    }
    if (same) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << ::testing::PrintToString(expected) << "\n  logged "
                                         << ::testing::PrintToString(actual);
}

std::string priorityName(SDL_LogPriority priority)
{
    switch (priority) {
    case SDL_LOG_PRIORITY_INFO:
        return "INFO";
    case SDL_LOG_PRIORITY_WARN:
        return "WARN";
    case SDL_LOG_PRIORITY_ERROR:
        return "ERROR";
    case SDL_LOG_PRIORITY_CRITICAL:
        return "CRITICAL";
    default:
        return std::to_string(priority);
    }
}

Lines loggedLines(const LogCapture& log)
{
    Lines lines;
    for (const LoggedLine& line : log.lines()) {
        lines.push_back(priorityName(line.priority) + ": " + line.message);
    }
    return lines;
}

// Nothing, or only a library's own lines where it may speak.
bool quietEnough(const std::string& text, const std::string& libraryLines)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (libraryLines.empty() || line.rfind(libraryLines, 0) != 0) {
            return false;
        }
    }
    return true;
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// The same noise in every run, as long as the original file.
std::string noise(size_t length)
{
    std::mt19937 engine(20260101u);
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(engine() & 0xFFu);
    }
    return bytes;
}

// `count` mappings of one short line each, every one for a controller of its own.
std::string manyMappings(int count)
{
    std::string text;
    char line[64] = {};
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "03000000%024x,p,a:b0,\n", static_cast<unsigned>(i));
        text += line;
    }
    return text;
}

// In place of the file, one that would cost some decoder (or SDL) far more than its size.
void writeHostileFile(const TempWorkDir& dir, const Case& c)
{
    static const std::map<Fault, std::string> bytes = {
        {Fault::HUGE_PICTURE, pngHeaderOnly(HUGE_SIDE)},
        {Fault::SVG_PICTURE, svgPicture(30000)},
        {Fault::JPEG_PICTURE, jpegPicture(20000)},
        {Fault::QOI_PICTURE, qoiPicture(HUGE_SIDE)},
        {Fault::PPM_PICTURE, ppmPicture(20000)},
        {Fault::VOC_SOUND, vocSilence(65540)}, // more samples than 32 bits count
        {Fault::FLAC_SOUND, flacSilence(20000)},
        {Fault::MODULE_SOUND, slowModule(4)},
        {Fault::SLOW_WAV, wavHeader(1, 4096) + std::string(4096, '\x80')},
        {Fault::MANY_MAPPINGS, manyMappings(25575)}, // a megabyte
    };
    const std::filesystem::path path = dir.root / "assets" / c.file;
    if (c.fault == Fault::PAGEMAP_LINK) {
        std::filesystem::create_symlink("/proc/self/pagemap", path);
    } else if (c.fault == Fault::LONG_WAV) {
        // 35 minutes at 8 kHz, in a hole that takes no room on the disk.
        dir.writeAsset(c.file, wavHeader(8000, LONG_WAV_BYTES - 44));
        std::filesystem::resize_file(path, LONG_WAV_BYTES);
    } else {
        dir.writeAsset(c.file, bytes.at(c.fault));
    }
}

void damage(const TempWorkDir& dir, const Case& c)
{
    const std::filesystem::path path = dir.root / "assets" / c.file;
    const std::string original = readBytes(path);
    if (c.fault != Fault::EMPTY && c.fault != Fault::TRUNCATED && c.fault != Fault::GARBAGE) {
        std::filesystem::remove(path);
    }
    switch (c.fault) {
    case Fault::MISSING:
        break;
    case Fault::EMPTY:
        dir.writeAsset(c.file, "");
        break;
    case Fault::TRUNCATED:
        dir.writeAsset(c.file, original.substr(0, original.size() / 2));
        break;
    case Fault::GARBAGE:
        dir.writeAsset(c.file, noise(original.size()));
        break;
    case Fault::DIRECTORY:
        std::filesystem::create_directory(path);
        break;
    case Fault::FIFO:
        ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        break;
    case Fault::DEVICE_LINK:
        std::filesystem::create_symlink("/dev/zero", path);
        break;
    case Fault::OVERSIZE:
        // The file's own bytes, then a hole: 64 MB that take no room on the disk.
        dir.writeAsset(c.file, original);
        std::filesystem::resize_file(path, OVERSIZE_BYTES);
        break;
    case Fault::LINK_LOOP:
        std::filesystem::create_symlink(c.file, path);
        break;
    default:
        writeHostileFile(dir, c);
        break;
    }
}

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Starts the high-water mark of resident memory afresh from what the process holds now,
// and returns that.
long restartPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return currentMemoryUsage().residentKiB;
}

// Whatever the process writes to its standard error while the object lives. A report
// that ends the process (a sanitizer's) stays behind in the file named on standard output.
class StderrCapture {
public:
    StderrCapture() : path((std::filesystem::temp_directory_path() / "plorvik-stderr-XXXXXX").string())
    {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int file = mkstemp(path.data());
        std::printf("standard error goes to %s\n", path.c_str());
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrCapture()
    {
        restore();
        std::filesystem::remove(path);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text()
    {
        restore();
        return readBytes(path);
    }

private:
    void restore()
    {
        if (saved >= 0) {
            std::fflush(stderr);
            dup2(saved, STDERR_FILENO);
            close(saved);
            saved = -1;
        }
    }

    std::string path;
    int saved = -1;
};

// One button held on the virtual pad for the frames [from, to).
struct Hold {
    SDL_GameControllerButton button;
    int from;
    int to;
};

// A short game: skip the slide, start, steer through the intro, then fire, turn and
// pause in play, which begins at frame 187. Every frame costs the software renderer a
// few milliseconds, and a hundred files and faults play it.
constexpr int GAME_FRAMES = 230;
const Hold SCRIPT[] = {
    {SDL_CONTROLLER_BUTTON_A, 2, 4},           {SDL_CONTROLLER_BUTTON_A, 6, 8},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 20, 90}, {SDL_CONTROLLER_BUTTON_A, 192, 194},
    {SDL_CONTROLLER_BUTTON_A, 197, 199},       {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 200, 212},
    {SDL_CONTROLLER_BUTTON_START, 214, 216},   {SDL_CONTROLLER_BUTTON_START, 220, 222},
    {SDL_CONTROLLER_BUTTON_A, 224, 226},
};

void pressScriptedButtons(VirtualPad& pad, int frame)
{
    bool down[SDL_CONTROLLER_BUTTON_MAX] = {};
    for (const Hold& hold : SCRIPT) {
        down[hold.button] = down[hold.button] || (frame >= hold.from && frame < hold.to);
    }
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        pad.setButton(static_cast<SDL_GameControllerButton>(button), down[button]);
    }
}

// The game's working directory with the repository's assets, ready for a short game.
class ShortGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::error_code none;
        std::filesystem::copy(dir.previous / "assets", dir.root / "assets", none);
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    }

    // Starts the game, plays the script and quits with Escape, as main would.
    void playShortGame()
    {
        const double processorBefore = processorSeconds();
        ASSERT_TRUE(startUp());
        startUpSeconds = processorSeconds() - processorBefore;
        VirtualPad pad(PAD_NAME);
        ASSERT_TRUE(pad.attached()) << SDL_GetError();
        bool reachedPlay = false;
        for (int frame = 0; frame < GAME_FRAMES; ++frame) {
            pressScriptedButtons(pad, frame);
            ASSERT_TRUE(runFrame()) << "frame " << frame;
            reachedPlay = reachedPlay || app.scene == SCENE_PLAYING;
        }
        EXPECT_TRUE(reachedPlay);
        SDL_Event escape{};
        escape.type = SDL_KEYDOWN;
        escape.key.keysym.sym = SDLK_ESCAPE;
        SDL_PushEvent(&escape);
        EXPECT_FALSE(runFrame());
        pad.unplug();
        shutDown();
    }

    TempWorkDir dir;
    double startUpSeconds = 0.0; // processor time
};

class BadAsset : public ShortGame, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(BadAsset, GameStartsSaysWhatIsWrongPlaysAndQuits)
{
    const Case& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(damage(dir, c));
    StderrCapture err;
    LogCapture log;
    const long residentBefore = restartPeakMemory();
    playShortGame();

    EXPECT_LT(startUpSeconds, START_UP_CPU_SECONDS);
    if (PEAK_IS_WHAT_WAS_HELD) {
        EXPECT_LT(currentMemoryUsage().peakKiB - residentBefore, PEAK_GROWTH_KIB);
    }
    Lines expected = c.logged;
    expected.push_back("INFO: opened the controller: " + PAD_NAME);
    EXPECT_TRUE(linesMatch(expected, loggedLines(log)));
    const std::string errText = err.text();
    EXPECT_TRUE(quietEnough(errText, c.file == "sprites.png" ? LIBPNG_LINES : "")) << errText;
}

INSTANTIATE_TEST_SUITE_P(EveryFile, BadAsset, ::testing::ValuesIn(everyFileAndFault()), caseName);

TEST_F(ShortGame, WithoutAnAudioDeviceWarnsOnceAndPlaysSilently)
{
    // This machine has no sound card: ALSA finds no device to open.
    const ScopedEnv alsa("SDL_AUDIODRIVER", "alsa");
    StderrCapture err;
    LogCapture log;
    ASSERT_NO_FATAL_FAILURE(playShortGame());
    EXPECT_EQ(
        loggedLines(log),
        (Lines{"WARN: failed to open audio: ALSA: Couldn't open audio device: No such file or directory",
               "INFO: opened the controller: " + PAD_NAME}));
    EXPECT_TRUE(soundChunks.empty());
    const std::string errText = err.text();
    EXPECT_TRUE(quietEnough(errText, ALSA_LINES)) << errText;
}
