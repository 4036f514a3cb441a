// SPDX-License-Identifier: Zlib
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pixels of a window on the display in DISPLAY, as 0xRRGGBB, read straight from
// the X server. Empty when the window cannot be read (gone, unmapped).
class Screenshot {
public:
    static Screenshot ofWindow(unsigned long window);

    bool empty() const { return pixels.empty(); }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Screenshot& other) const;
    bool operator!=(const Screenshot& other) const { return !(*this == other); }
    // For a person to look at when a check fails.
    bool savePng(const std::string& path) const;

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};
