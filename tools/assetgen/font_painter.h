// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

// Paints both glyph sets at their cells, the heads-up zero and the two score labels.
void paintGlyphs(Image& sheet);
