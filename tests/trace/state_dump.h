// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>
#include <cstdio>

class World;

// FNV-1a over the bits of every field of every object, player first, then the enemies,
// the player's shots and the enemies' shots, in list order.
std::uint64_t worldHash(const World& world);

// Every object, one line each, floats as exact hexadecimal (%a).
void dumpObjects(std::FILE* out, const World& world);

// The player's fields in %a, for the one-line frame record.
void printPlayer(std::FILE* out, const World& world);
