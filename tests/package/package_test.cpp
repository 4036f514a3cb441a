// SPDX-License-Identifier: Zlib
#include "started_game.h"
#include "support/child_process.h"
#include "support/temp_work_dir.h"
#include "support/x_server.h"
#include "support/x_tools.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int FRAME_SIZE = 16;
constexpr int ICON_SIZES[] = {PLORVIK_ICON_SIZES};
const fs::path BUILD_DIR = PLORVIK_BUILD_DIR;
const fs::path SOURCE_DIR = PLORVIK_SOURCE_DIR;

// The shell command's exit status, -1 if it did not exit by itself.
int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

const std::string DESKTOP_ENTRY = std::string("share/applications/") + PLORVIK_APP_ID + ".desktop";

bool executable(const fs::path& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXOTH) != 0;
}

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface loadRgba(const fs::path& path)
{
    const Surface loaded(IMG_Load(path.c_str()));
    return Surface(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
}

Uint32 pixelAt(const SDL_Surface& surface, int x, int y)
{
    const auto* row =
        static_cast<const Uint8*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
}

// The package unpacked into a fresh root, with the working directory elsewhere: a folder
// whose assets/ is empty, so a game started from there finds none of its files.
class UnpackedPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::is_regular_file(deb)) << "no " << deb << ": run the package.build test first";
        ASSERT_EQ(run("dpkg-deb -x " + quoted(deb) + " " + quoted(root)), 0);
    }

    TempWorkDir dir;
    fs::path root = dir.root / "root";
    fs::path deb = BUILD_DIR / "package" / PLORVIK_PACKAGE_FILE;
};

TEST_F(UnpackedPackage, HoldsTheCommandTheGameItsDocumentsAndTheIcons)
{
    struct Expected {
        std::string path;
        bool isProgram;
    };
    std::vector<Expected> table = {
        {"usr/games/plorvik", true},
        {"usr/lib/games/plorvik/plorvik", true},
        {"usr/" + DESKTOP_ENTRY, false},
        {std::string("usr/share/metainfo/") + PLORVIK_APP_ID + ".metainfo.xml", false},
        {"usr/share/man/man6/plorvik.6.gz", false},
        {"usr/share/doc/plorvik/copyright", false},
        {"usr/share/doc/plorvik/changelog.gz", false},
    };
    for (const int size : ICON_SIZES) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        table.push_back({"usr/share/icons/hicolor/" + name + "/apps/plorvik.png", false});
    }
    for (const Expected& each : table) {
        SCOPED_TRACE(each.path);
        EXPECT_TRUE(fs::is_regular_file(root / each.path));
        EXPECT_EQ(executable(root / each.path), each.isProgram);
    }
}

TEST_F(UnpackedPackage, CarriesEveryAssetUnchanged)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(SOURCE_DIR / "assets")) {
        const fs::path installed = root / "usr/share/games/plorvik/assets" / entry.path().filename();
        SCOPED_TRACE(installed.string());
        ASSERT_TRUE(fs::is_regular_file(installed));
        EXPECT_TRUE(readFile(installed.string()) == readFile(entry.path().string()));
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST_F(UnpackedPackage, DependsOnTheSdl2RuntimePackages)
{
    std::set<std::string> names;
    std::istringstream depends(commandOutput("dpkg-deb -f " + quoted(deb) + " Depends"));
    for (std::string each; std::getline(depends, each, ',');) {
        std::istringstream words(each);
        std::string name;
        words >> name;
        names.insert(name);
    }
    for (const char* runtime : {"libsdl2-2.0-0", "libsdl2-image-2.0-0", "libsdl2-mixer-2.0-0"}) {
        EXPECT_EQ(names.count(runtime), 1u) << runtime;
    }
}

TEST_F(UnpackedPackage, DesktopEntryIsValidAndStartsTheCommandByItsPathWithTheIcon)
{
    const fs::path entry = root / "usr" / DESKTOP_ENTRY;
    const std::string text = readFile(entry.string());
    EXPECT_NE(text.find("\nExec=\"/usr/games/plorvik\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIcon=plorvik\n"), std::string::npos) << text;
    if (run("command -v desktop-file-validate >/dev/null") != 0) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    EXPECT_EQ(run("desktop-file-validate " + quoted(entry)), 0);
}

TEST_F(UnpackedPackage, IconsAreThePlayersPlaneScaledUpPixelForPixel)
{
    const Surface sheet = loadRgba(SOURCE_DIR / "assets/sprites.png");
    ASSERT_TRUE(sheet) << SDL_GetError();
    for (const int size : ICON_SIZES) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        SCOPED_TRACE(name);
        const Surface icon = loadRgba(root / "usr/share/icons/hicolor" / name / "apps/plorvik.png");
        ASSERT_TRUE(icon) << SDL_GetError();
        ASSERT_EQ(icon->w, size);
        ASSERT_EQ(icon->h, size);
        const int factor = size / FRAME_SIZE;
        int mismatches = 0;
        int opaque = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const Uint32 pixel = pixelAt(*icon, x, y);
                mismatches += pixel != pixelAt(*sheet, x / factor, y / factor) ? 1 : 0;
                opaque += (pixel >> 24) == 0xff ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0);
        EXPECT_GT(opaque, size * size / 8) << "the plane should fill a fair part of the icon";
    }
}

TEST_F(UnpackedPackage, AptWouldInstallIt)
{
    if (run("command -v apt-get >/dev/null") != 0) {
        GTEST_SKIP() << "no apt-get here";
    }
    EXPECT_EQ(run("apt-get install --simulate " + quoted(deb) + " >apt.log 2>&1"), 0) << readFile("apt.log");
}

TEST_F(UnpackedPackage, CommandWithoutTheDataSaysWhereItLookedAndFails)
{
    const fs::path lonely = dir.root / "lonely";
    fs::create_directories(lonely / "games");
    fs::copy_file(root / "usr/games/plorvik", lonely / "games/plorvik");
    EXPECT_EQ(run(quoted(lonely / "games/plorvik") + " >command.log 2>&1"), 1);
    EXPECT_EQ(readFile("command.log"),
              "plorvik: no game data in " + (lonely / "share/games/plorvik/assets").string() + "\n");
}

// `text` with each character of `escapes` taken as escaping the one after it. (A string
// value's other escapes, \s, \n, \t and \r, have no place in a path.)
std::string withoutEscapes(const std::string& text, const std::string& escapes)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        i += escapes.find(text[i]) != std::string::npos && i + 1 < text.size() ? 1 : 0;
        plain += text[i];
    }
    return plain;
}

// The program that an installed menu entry starts: its command line, one quoted argument,
// read by the freedesktop.org desktop entry rules (a backslash escapes the next character,
// and %% stands for %).
std::string menuEntryCommand(const fs::path& entry)
{
    std::istringstream lines(readFile(entry.string()));
    std::string value;
    for (std::string line; std::getline(lines, line) && value.empty();) {
        if (line.rfind("Exec=", 0) == 0) {
            value = withoutEscapes(line.substr(5), "\\"); // a string value's own escapes first
        }
    }
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return value;
    }
    return withoutEscapes(value.substr(1, value.size() - 2), "\\%");
}

// How a player reaches the installed command.
enum class Route { AbsolutePath, Symlink, MenuEntry };

struct Installation {
    const char* name;
    bool fromCmakeInstall; // else the unpacked package
    Route route;
};

void PrintTo(const Installation& installation, std::ostream* out)
{
    *out << installation.name;
}

class InstalledGame : public UnpackedPackage, public ::testing::WithParamInterface<Installation> {
protected:
    void SetUp() override
    {
        UnpackedPackage::SetUp();
        if (GetParam().fromCmakeInstall) {
            // All that the menu entry must escape (a backslash CMake itself turns into a slash).
            prefix = dir.root / "pre $`\"%d fix";
            ASSERT_EQ(run(std::string(PLORVIK_CMAKE) + " --install " + quoted(BUILD_DIR) + " --prefix " +
                          quoted(prefix) + " >install.log 2>&1"),
                      0)
                << readFile("install.log");
        }
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
    }

    // The command that starts the game along the case's route.
    std::string playCommand()
    {
        const fs::path launcher = prefix / "games/plorvik";
        switch (GetParam().route) {
        case Route::Symlink: {
            const fs::path link = dir.root / "elsewhere/plorvik";
            fs::create_directories(link.parent_path());
            fs::create_symlink(launcher, link);
            return link.string();
        }
        case Route::MenuEntry:
            // The prefix's games/ is not on the PATH: the entry must name the command in full.
            EXPECT_EQ(run("desktop-file-validate " + quoted(prefix / DESKTOP_ENTRY)), 0);
            return menuEntryCommand(prefix / DESKTOP_ENTRY);
        case Route::AbsolutePath:
            break;
        }
        return launcher.string();
    }

    fs::path prefix = root / "usr";
    XServer x;
};

TEST_P(InstalledGame, CommandStartsTheGameWithItsDataAndEscapeQuitsWithStatusZero)
{
    StartedGame game(playCommand(), (dir.root / "game.log").string());
    game.expectWindowThenQuitOnEscape();
}

INSTANTIATE_TEST_SUITE_P(Routes, InstalledGame,
                         ::testing::Values(Installation{"PackageByPath", false, Route::AbsolutePath},
                                           Installation{"PackageThroughASymlink", false, Route::Symlink},
                                           Installation{"CmakeInstallFromTheMenu", true, Route::MenuEntry}),
                         [](const ::testing::TestParamInfo<Installation>& info) { return info.param.name; });

} // namespace
