// SPDX-License-Identifier: Zlib
#include "support/log_capture.h"
#include "support/temp_work_dir.h"
#include "world/map_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int TILES = MAP_SIZE * MAP_SIZE;

// A map file whose tile i holds (i % 200) + 1, so no tile equals TILE_DEFAULT by chance
// below index 69.
std::string mapFile(int fileSize)
{
    std::string bytes(static_cast<size_t>(fileSize), '\0');
    for (int i = BG_HEADER_SIZE; i < fileSize; ++i) {
        bytes[static_cast<size_t>(i)] = static_cast<char>(((i - BG_HEADER_SIZE) % 200) + 1);
    }
    return bytes;
}

std::vector<std::uint8_t> loadFresh()
{
    std::vector<std::uint8_t> map(TILES, TILE_DEFAULT);
    loadMap(map);
    return map;
}

} // namespace

TEST(MapFile, MissingFileLogsOnceAndKeepsTheDefaultGround)
{
    TempWorkDir dir;
    LogCapture log;
    const auto map = loadFresh();
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].priority, SDL_LOG_PRIORITY_CRITICAL);
    EXPECT_NE(log.lines()[0].message.find("assets/bg.dat"), std::string::npos);
    EXPECT_EQ(map, std::vector<std::uint8_t>(TILES, TILE_DEFAULT));
}

TEST(MapFile, FileLengthDecidesHowManyTilesAreRead)
{
    struct Case {
        int fileSize;
        int tilesFromFile;
    };
    const Case cases[] = {
        {0, 0}, {20, 0}, {21, 1}, {820, 800}, {1620, TILES}, {5000, TILES},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileSize);
        TempWorkDir dir;
        dir.writeAsset("bg.dat", mapFile(c.fileSize));
        LogCapture log;
        const auto map = loadFresh();
        EXPECT_TRUE(log.lines().empty());
        ASSERT_EQ(map.size(), static_cast<size_t>(TILES));
        for (int i = 0; i < TILES; ++i) {
            const int expected = i < c.tilesFromFile ? (i % 200) + 1 : TILE_DEFAULT;
            ASSERT_EQ(map[static_cast<size_t>(i)], expected) << "tile " << i;
        }
    }
}
