// SPDX-License-Identifier: Zlib
#include "platform/sprite_sheet.h"
#include "world/map_file.h"
#include "world/object_sprites.h"
#include "world/world.h"

#include <SDL.h>

namespace {

int wrapMapIndex(int i)
{
    return ((i % MAP_SIZE) + MAP_SIZE) % MAP_SIZE;
}

template <typename List> void drawAll(const List& objects, const Camera& camera)
{
    for (const auto& object : objects) {
        object->draw(camera);
    }
}

} // namespace

void World::updateCamera()
{
    if (!player) {
        return;
    }
    const ViewSize view = logicalViewSize();
    camera.x = wrapOnce(static_cast<int>(player->x) - view.w / 2);
    camera.y = wrapOnce(static_cast<int>(player->y) - view.h / 2);
}

void World::drawBackground() const
{
    if (map.size() < MAP_TILES) {
        return;
    }
    const ViewSize view = logicalViewSize();
    const int tileX0 = camera.x / TILE_SIZE;
    const int tileY0 = camera.y / TILE_SIZE;
    const int offX = camera.x - tileX0 * TILE_SIZE;
    const int offY = camera.y - tileY0 * TILE_SIZE;
    // One extra tile each way covers the screen at any offset.
    const int cols = view.w / TILE_SIZE + 2;
    const int rows = view.h / TILE_SIZE + 2;
    for (int i = 0; i < rows; ++i) {
        const int mapRow = wrapMapIndex(tileY0 + i);
        for (int j = 0; j < cols; ++j) {
            const int mapColumn = wrapMapIndex(tileX0 + j);
            const std::uint8_t tile =
                map[static_cast<size_t>(mapRow) * MAP_SIZE + static_cast<size_t>(mapColumn)];
            drawSprite({j * TILE_SIZE - offX, i * TILE_SIZE - offY}, tileCell(tile), SDL_FLIP_NONE);
        }
    }
}

// Each layer covers the ones before: ground, player, enemies, player bullets, enemy
// bullets, then the heads-up display.
void World::draw()
{
    updateCamera();
    drawBackground();
    if (player) {
        player->draw(camera);
    }
    drawAll(enemies, camera);
    drawAll(playerBullets, camera);
    drawAll(enemyBullets, camera);
    drawScores();
    drawLifeBar();
    drawRadar();
}
