// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sprite_sheet.h"
#include "screenshot.h"

#include <cstdint>
#include <string>
#include <vector>

// The sprite sheet as the end-to-end tests read it, to say what a region of the screen
// must show: loaded with SDL_image, never drawn.
class SheetPicture {
public:
    explicit SheetPicture(const std::string& path);

    bool loaded() const { return !texels.empty(); }
    int pixelsWide() const { return width; }
    int pixelsHigh() const { return height; }
    std::uint32_t texel(int x, int y) const; // 0xRRGGBBAA; transparent outside the sheet

private:
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> texels;
};

// One copy of a sheet region onto the 320x240 logical screen, as the game draws it.
struct Placement {
    ScreenPoint at;
    SheetRect region;
    bool mirrored = false;
};

// What lies under a copy: anything (only the region's opaque texels are compared) or
// the cleared black screen (every texel, blended over black).
enum class Backdrop { ANY, BLACK };

// The logical screen fills the window at 2x, and a 1024x768 full screen at 3.2x.
constexpr double WINDOW_SCALE = 2.0;

// Whether the screenshot shows every copy as the sheet says, with at least one opaque
// pixel to go by (a black screen shows nothing but transparent texels).
bool shows(const Screenshot& shot, const SheetPicture& sheet, const std::vector<Placement>& copies,
           Backdrop backdrop, double scale = WINDOW_SCALE);

// The glyph cells of `text`, laid out as the game lays out a line of text.
std::vector<Placement> textCopies(const ScreenPoint& pos, const std::string& text, bool large);
