// SPDX-License-Identifier: Zlib
#include "support/read_file.h"
#include "support/temp_work_dir.h"
#include "world/map_file.h"

#include "platform/sheet_layout.h"
#include "platform/sound_files.h"
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Rect = SheetRect;

[[maybe_unused]] std::map<std::string, std::string> filesIn(const fs::path& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        files[entry.path().filename().string()] = readFile(entry.path());
    }
    return files;
}

// The sprite sheet as loaded by SDL_image, converted to RGBA bytes.
class Sheet {
public:
    Sheet()
    {
        SDL_Surface* loaded = IMG_Load("assets/sprites.png");
        if (loaded != nullptr) {
            surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~Sheet() { SDL_FreeSurface(surface); }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    bool loaded() const { return surface != nullptr; }
    int width() const { return surface->w; }
    int height() const { return surface->h; }

    std::uint8_t alpha(int x, int y) const { return byte(x, y, 3); }
    std::uint8_t byte(int x, int y, int channel) const
    {
        return static_cast<const std::uint8_t*>(surface->pixels)[y * surface->pitch + x * 4 + channel];
    }
    std::vector<std::uint8_t> region(const Rect& r) const
    {
        std::vector<std::uint8_t> out;
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                for (int c = 0; c < 4; ++c) {
                    out.push_back(byte(x, y, c));
                }
            }
        }
        return out;
    }
    int opaqueCount(const Rect& r) const
    {
        int count = 0;
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                count += alpha(x, y) == 255 ? 1 : 0;
            }
        }
        return count;
    }
    int visibleCount(const Rect& r) const
    {
        int count = 0;
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                count += alpha(x, y) != 0 ? 1 : 0;
            }
        }
        return count;
    }

    // Mean colour step, red + green + blue, between pixel column or row `a` and `b`
    // (16 pixels each, the second tile's counted from its own corner).
    double step(const Rect& a, const Rect& b, bool across) const
    {
        double total = 0.0;
        for (int i = 0; i < 16; ++i) {
            for (int c = 0; c < 3; ++c) {
                const int p = across ? byte(a.x, a.y + i, c) : byte(a.x + i, a.y, c);
                const int q = across ? byte(b.x, b.y + i, c) : byte(b.x + i, b.y, c);
                total += std::abs(p - q);
            }
        }
        return total / 16.0;
    }

private:
    SDL_Surface* surface = nullptr;
};

const std::string PRINTED = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!*";

struct Region {
    const char* what;
    Rect rect;
};

// Every picture the game cuts from the sheet besides the glyphs.
std::vector<Region> pictureRegions()
{
    std::vector<Region> regions = {
        {"bullet", BULLET_SPRITE},
        {"score label", SCORE_LABEL},
        {"best-score label", BEST_LABEL},
        {"life bar left end", LIFE_BAR_LEFT_END},
        {"life bar middle", LIFE_BAR_MIDDLE},
        {"life bar right end", LIFE_BAR_RIGHT_END},
        {"emblem", EMBLEM},
        {"radar frame", RADAR_FRAME},
        {"title logo", TITLE_LOGO},
    };
    for (int frame = 0; frame < PLANE_FRAMES; ++frame) {
        regions.push_back({"player frame", planeFrame(PLAYER_PLANES_Y, frame)});
        regions.push_back({"enemy frame", planeFrame(ENEMY_PLANES_Y, frame)});
    }
    return regions;
}

// The map's tile bytes, row-major, or none if the file is too short to hold them all.
std::vector<std::uint8_t> mapTiles()
{
    const std::string file = readFile("assets/bg.dat");
    if (file.size() < static_cast<size_t>(BG_HEADER_SIZE + MAP_SIZE * MAP_SIZE)) {
        return {};
    }
    return {file.begin() + BG_HEADER_SIZE, file.begin() + BG_HEADER_SIZE + MAP_SIZE * MAP_SIZE};
}

bool overlaps(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

class SdlSession {
public:
    explicit SdlSession(Uint32 flags) { ok = SDL_Init(flags) == 0; }
    ~SdlSession() { SDL_Quit(); }
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
    bool ok = false;
};

std::uint32_t littleEndian(const std::string& bytes, size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + static_cast<size_t>(i)]);
    }
    return value;
}

} // namespace

TEST(Assets, RegeneratingReproducesEveryFileByteForByte)
{
#ifndef PLORVIK_ASSETGEN
    GTEST_SKIP() << "built without the asset generator";
#else
    TempWorkDir dir;
    const std::string command =
        std::string("\"") + PLORVIK_ASSETGEN + "\" \"" + (dir.root / "assets").string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto fresh = filesIn(dir.root / "assets");
    const auto committed = filesIn(dir.previous / "assets");
    ASSERT_EQ(fresh.size(), committed.size());
    for (const auto& [name, bytes] : fresh) {
        ASSERT_EQ(committed.count(name), 1u) << name << " is generated but not in assets/";
        EXPECT_TRUE(committed.at(name) == bytes) << name << " differs from what the generator writes";
    }
#endif
}

TEST(Assets, EveryGlyphIsDrawnAndUnlikeTheOthersOfItsSet)
{
    const Sheet sheet;
    ASSERT_TRUE(sheet.loaded()) << IMG_GetError();
    ASSERT_GE(sheet.width(), 256);
    ASSERT_GE(sheet.height(), 256);
    for (bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        EXPECT_EQ(sheet.visibleCount(glyphCell(' ', large)), 0) << "the space must print nothing";
        for (size_t i = 0; i < PRINTED.size(); ++i) {
            const Rect cell = glyphCell(PRINTED[i], large);
            EXPECT_GT(sheet.opaqueCount(cell), 6) << PRINTED[i];
            for (size_t j = 0; j < i; ++j) {
                EXPECT_NE(sheet.region(cell), sheet.region(glyphCell(PRINTED[j], large)))
                    << PRINTED[i] << " looks like " << PRINTED[j];
            }
        }
    }
    EXPECT_GT(sheet.opaqueCount(HUD_ZERO), 6);
    EXPECT_NE(sheet.region(HUD_ZERO), sheet.region(glyphCell('0', false)));
}

TEST(Assets, EveryPictureRegionIsDrawnAndTheRadarIsOpenInside)
{
    const Sheet sheet;
    ASSERT_TRUE(sheet.loaded()) << IMG_GetError();
    for (const Region& region : pictureRegions()) {
        EXPECT_GT(sheet.opaqueCount(region.rect), 6) << region.what << " at x " << region.rect.x;
    }
    // Blips reach 22 pixels from the radar's centre; the inside must let them show.
    EXPECT_EQ(sheet.visibleCount({RADAR_FRAME.x + 10, RADAR_FRAME.y + 10, 28, 28}), 0);
}

TEST(Assets, MapNamesOnlyOpaqueGroundCellsClearOfOtherPictures)
{
    const Sheet sheet;
    ASSERT_TRUE(sheet.loaded()) << IMG_GetError();
    std::vector<std::uint8_t> tiles = mapTiles();
    ASSERT_EQ(tiles.size(), static_cast<size_t>(MAP_SIZE * MAP_SIZE)) << "bg.dat is shorter than 1620 bytes";
    tiles.push_back(TILE_DEFAULT);
    std::vector<Region> taken = pictureRegions();
    for (char ch : PRINTED + " ") {
        taken.push_back({"small glyph", glyphCell(ch, false)});
        taken.push_back({"large glyph", glyphCell(ch, true)});
    }
    taken.push_back({"heads-up zero", HUD_ZERO});
    for (int tile : std::set<int>(tiles.begin(), tiles.end())) {
        const Rect cell = tileCell(static_cast<std::uint8_t>(tile));
        EXPECT_EQ(sheet.opaqueCount(cell), 256) << "tile " << tile;
        for (const Region& region : taken) {
            EXPECT_FALSE(overlaps(cell, region.rect)) << "tile " << tile << " overlaps the " << region.what;
        }
    }
}

TEST(Assets, NeighbouringTilesJoinWithoutSeamsAcrossTheMapAndItsWrap)
{
    const Sheet sheet;
    ASSERT_TRUE(sheet.loaded()) << IMG_GetError();
    const std::vector<std::uint8_t> tiles = mapTiles();
    ASSERT_EQ(tiles.size(), static_cast<size_t>(MAP_SIZE * MAP_SIZE));
    const auto cellAt = [&tiles](int row, int col) {
        return tileCell(tiles[static_cast<size_t>((row % MAP_SIZE) * MAP_SIZE + col % MAP_SIZE)]);
    };
    struct Neighbour {
        const char* where;
        int down, right;
    };
    const Neighbour neighbours[] = {{"to the right", 0, 1}, {"below", 1, 0}};
    for (const Neighbour& n : neighbours) {
        SCOPED_TRACE(n.where);
        const bool across = n.right == 1;
        // No seam may be harsher than the harshest step inside a tile.
        double inside = 0.0;
        double seam = 0.0;
        for (int row = 0; row < MAP_SIZE; ++row) {
            for (int col = 0; col < MAP_SIZE; ++col) {
                const Rect a = cellAt(row, col);
                const Rect b = cellAt(row + n.down, col + n.right);
                inside = std::max(inside, sheet.step({a.x + 7 * n.right, a.y + 7 * n.down, 0, 0},
                                                     {a.x + 8 * n.right, a.y + 8 * n.down, 0, 0}, across));
                seam = std::max(seam, sheet.step({a.x + 15 * n.right, a.y + 15 * n.down, 0, 0}, b, across));
            }
        }
        EXPECT_LE(seam, inside);
    }
}

TEST(Assets, EverySoundLoadsInTheMixersFormatAndKeepsItsLength)
{
    struct Sound {
        SoundId id;
        double maxSeconds;
    };
    const Sound sounds[] = {
        {SOUND_PLAYER_SHOT, 0.2}, {SOUND_ENEMY_SHOT, 0.2}, {SOUND_PLAYER_HIT, 1.0},
        {SOUND_ENEMY_HIT, 1.0},   {SOUND_PLAYER_EXP, 1.5}, {SOUND_ENEMY_EXP, 1.5},
    };
    const SdlSession sdl(SDL_INIT_AUDIO);
    ASSERT_TRUE(sdl.ok) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 1, 1024), 0) << Mix_GetError();
    for (const Sound& sound : sounds) {
        SCOPED_TRACE(SOUND_FILES[sound.id]);
        const std::string path = std::string("assets/") + SOUND_FILES[sound.id];
        const std::string bytes = readFile(path);
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(littleEndian(bytes, 22, 2), 1u) << "channels";
        EXPECT_EQ(littleEndian(bytes, 24, 4), 44100u) << "sample rate";
        EXPECT_EQ(littleEndian(bytes, 34, 2), 16u) << "bits per sample";
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        const auto* samples = reinterpret_cast<const Sint16*>(chunk->abuf);
        const size_t count = chunk->alen / sizeof(Sint16);
        int peak = 0;
        for (size_t i = 0; i < count; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        }
        EXPECT_LT(count / 44100.0, sound.maxSeconds);
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 16000) << "too quiet";
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
}

TEST(Assets, EveryControllerMappingIsAcceptedBySdl)
{
    const SdlSession sdl(SDL_INIT_GAMECONTROLLER);
    ASSERT_TRUE(sdl.ok) << SDL_GetError();
    std::istringstream text(readFile("assets/gamecontrollerdb.txt"));
    int mappings = 0;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#') {
            // SDL tries every line of the hint text as a mapping, comments included.
            EXPECT_EQ(line.find(','), std::string::npos) << line;
            continue;
        }
        ++mappings;
        EXPECT_GE(SDL_GameControllerAddMapping(line.c_str()), 0) << line << ": " << SDL_GetError();
        EXPECT_EQ(line.substr(line.size() - 15), "platform:Linux,") << line;
    }
    EXPECT_GE(mappings, 5);
    EXPECT_GE(SDL_GameControllerAddMappingsFromFile("assets/gamecontrollerdb.txt"), 0) << SDL_GetError();
}
