// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

// The title logo: the game's name in chunky slanted letters over a jet and its trail.
void paintLogo(Image& sheet);
