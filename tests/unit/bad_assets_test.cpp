// SPDX-License-Identifier: Zlib
#include "app/app.h"
#include "app/app_context.h"
#include "app/scenes.h"
#include "platform/sound.h"
#include "support/log_capture.h"
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
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// Every file of assets/ missing, empty, cut short, full of noise, a directory, a FIFO,
// a link to /dev/zero, far too large or a link that loops: the game starts, says what went wrong in the words
// it always uses, plays a short game and quits on Escape. The sanitizer build runs the same cases under ASan
// and UBSan.

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
    HUGE_PICTURE
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

constexpr const char* SOUND_FILES[] = {
    "player_shot.wav", "player_hit.wav", "player_exp.wav", "enemy_shot.wav", "enemy_hit.wav", "enemy_exp.wav",
};
const std::string PAD_NAME = "Plorvik Test Pad";
constexpr std::uintmax_t OVERSIZE_BYTES = std::uintmax_t{64} << 20U;
constexpr Uint32 HUGE_SIDE = 16384; // pixels: 1 GB decoded

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
        return path + " is too large: *";
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
        {"sprites.png", Fault::EMPTY, {"CRITICAL: Unsupported image format"}},
        {"sprites.png", Fault::TRUNCATED, {"CRITICAL: Error reading the PNG file."}},
        {"sprites.png", Fault::GARBAGE, {"CRITICAL: Unsupported image format"}},
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
    };
    for (const char* file : SOUND_FILES) {
        cases.push_back({file, Fault::MISSING, {soundFailure(file, "Mix_LoadWAV_RW with NULL src")}});
        cases.push_back(
            {file, Fault::EMPTY, {soundFailure(file, "Couldn't read first 4 bytes of audio data")}});
        cases.push_back({file, Fault::TRUNCATED, {}});
        cases.push_back({file, Fault::GARBAGE, {soundFailure(file, "Unrecognized audio format")}});
    }
    // A link that loops cannot be opened, like a missing file; the others are refused.
    const size_t listed = cases.size();
    for (size_t i = 0; i < listed; ++i) {
        if (cases[i].fault == Fault::MISSING) {
            const std::string file = cases[i].file;
            cases.push_back({file, Fault::LINK_LOOP, cases[i].logged});
            for (Fault fault : {Fault::DIRECTORY, Fault::FIFO, Fault::DEVICE_LINK, Fault::OVERSIZE}) {
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

// A PNG header that promises a picture of `side` x `side` pixels, and nothing after it.
std::string pngHeaderOnly(Uint32 side)
{
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::string header = "IHDR";
    for (int i = 0; i < 2; ++i) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header += static_cast<char>((side >> static_cast<unsigned>(shift)) & 0xFFu);
        }
    }
    header += std::string{8, 6, 0, 0, 0}; // 8 bits a channel, RGBA, no interlace
    const Uint32 crc = SDL_crc32(0, header.data(), header.size());
    std::string bytes(std::begin(signature), std::end(signature));
    bytes += std::string{0, 0, 0, 13} + header;
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((crc >> static_cast<unsigned>(shift)) & 0xFFu);
    }
    return bytes;
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
    case Fault::HUGE_PICTURE:
        dir.writeAsset(c.file, pngHeaderOnly(HUGE_SIDE));
        break;
    }
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
// pause in play.
constexpr int GAME_FRAMES = 320;
const Hold SCRIPT[] = {
    {SDL_CONTROLLER_BUTTON_A, 2, 4},           {SDL_CONTROLLER_BUTTON_A, 6, 8},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 20, 90}, {SDL_CONTROLLER_BUTTON_A, 200, 202},
    {SDL_CONTROLLER_BUTTON_A, 210, 212},       {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 215, 260},
    {SDL_CONTROLLER_BUTTON_START, 270, 272},   {SDL_CONTROLLER_BUTTON_START, 290, 292},
    {SDL_CONTROLLER_BUTTON_A, 300, 302},
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
        ASSERT_TRUE(startUp());
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
};

class BadAsset : public ShortGame, public ::testing::WithParamInterface<Case> {};

} // namespace

TEST_P(BadAsset, GameStartsSaysWhatIsWrongPlaysAndQuits)
{
    const Case& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(damage(dir, c));
    StderrCapture err;
    LogCapture log;
    playShortGame();

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

TEST_F(ShortGame, ADisplayThatCannotBeOpenedStopsStartUpWithStatusOne)
{
    const ScopedEnv x11("SDL_VIDEODRIVER", "x11");
    const ScopedEnv noDisplay("DISPLAY", std::nullopt);
    LogCapture log;
    EXPECT_FALSE(startUp()); // main returns 1
    EXPECT_EQ(loggedLines(log), Lines{"CRITICAL: x11 not available"});
    EXPECT_EQ(SDL_WasInit(0), 0u) << "SDL left running";
}
