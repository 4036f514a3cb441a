// SPDX-License-Identifier: Zlib
#include "trace/state_dump.h"

#include "world/world.h"

#include <cstring>

namespace {

constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ULL;
constexpr std::uint64_t FNV_PRIME = 1099511628211ULL;

class Hasher {
public:
    void add(std::uint32_t word)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            value = (value ^ ((word >> shift) & 0xffU)) * FNV_PRIME;
        }
    }
    void add(float f)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        add(bits);
    }
    void add(std::int32_t i) { add(static_cast<std::uint32_t>(i)); }
    void add(bool b) { add(static_cast<std::uint32_t>(b ? 1 : 0)); }

    std::uint64_t value = FNV_OFFSET;
};

void addObject(Hasher& hash, const GameObject& object, const Collidable& circle)
{
    for (const float f : {object.x, object.y, object.dirX, object.dirY, object.speed, object.life, circle.cx,
                          circle.cy, circle.radius}) {
        hash.add(f);
    }
    hash.add(object.alive);
}

void addFighter(Hasher& hash, const Fighter& fighter)
{
    addObject(hash, fighter, fighter);
    hash.add(fighter.fireDisabled);
    hash.add(fighter.invulnerableTimer);
    hash.add(fighter.hit);
}

template <typename List> void addShots(Hasher& hash, const List& shots)
{
    hash.add(static_cast<std::uint32_t>(shots.size()));
    for (const auto& shot : shots) {
        addObject(hash, *shot, *shot);
    }
}

void printMotion(std::FILE* out, const GameObject& object)
{
    std::fprintf(out, "%a %a %a %a %a", static_cast<double>(object.x), static_cast<double>(object.y),
                 static_cast<double>(object.dirX), static_cast<double>(object.dirY),
                 static_cast<double>(object.life));
}

template <typename List> void dumpShots(std::FILE* out, const char* name, const List& shots)
{
    int i = 0;
    for (const auto& shot : shots) {
        std::fprintf(out, "  %s %d ", name, i++);
        printMotion(out, *shot);
        std::fprintf(out, " %d\n", shot->alive ? 1 : 0);
    }
}

} // namespace

std::uint64_t worldHash(const World& world)
{
    Hasher hash;
    if (world.player) {
        addFighter(hash, *world.player);
    }
    hash.add(static_cast<std::uint32_t>(world.enemies.size()));
    for (const auto& enemy : world.enemies) {
        addFighter(hash, *enemy);
        hash.add(enemy->burstTimer);
    }
    addShots(hash, world.playerBullets);
    addShots(hash, world.enemyBullets);
    return hash.value;
}

void printPlayer(std::FILE* out, const World& world)
{
    if (!world.player) {
        std::fprintf(out, "none");
        return;
    }
    const Player& player = *world.player;
    printMotion(out, player);
    std::fprintf(out, " %d %d %d", player.invulnerableTimer, player.alive ? 1 : 0, player.hit ? 1 : 0);
}

void dumpObjects(std::FILE* out, const World& world)
{
    int i = 0;
    for (const auto& enemy : world.enemies) {
        std::fprintf(out, "  enemy %d ", i++);
        printMotion(out, *enemy);
        std::fprintf(out, " %d %d %d %d\n", enemy->invulnerableTimer, enemy->burstTimer, enemy->alive ? 1 : 0,
                     enemy->hit ? 1 : 0);
    }
    dumpShots(out, "shot", world.playerBullets);
    dumpShots(out, "enemy-shot", world.enemyBullets);
}
