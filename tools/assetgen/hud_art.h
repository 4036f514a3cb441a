// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

// The bullet, the life bar's three cells, the radar frame and the small emblem.
void paintHudArt(Image& sheet);
