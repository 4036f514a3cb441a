// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/sprite_sheet.h"
#include "support/software_canvas.h"
#include "support/temp_work_dir.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <vector>

// A stand-in for assets/sprites.png whose every pixel names its own place on the sheet:
// red = sheet x, green = sheet y, blue = SYNTHETIC_SHEET_BLUE, fully opaque. So every
// 8x8 (or 16x16) cell has colours of its own, and one pixel read back from the screen
// tells which sheet pixel was copied there. None of the game's fill colours has this blue.
constexpr int SYNTHETIC_SHEET_SIZE = 256;
constexpr std::uint8_t SYNTHETIC_SHEET_BLUE = 0x5A;

// 0xRRGGBBAA of the synthetic sheet's pixel (x, y).
inline std::uint32_t sheetColour(int x, int y)
{
    return (static_cast<std::uint32_t>(x) << 24) | (static_cast<std::uint32_t>(y) << 16) |
           (std::uint32_t{SYNTHETIC_SHEET_BLUE} << 8) | 0xFFu;
}

// The sheet pixel a screen colour came from; valid() is false for anything else
// (the cleared background, a filled rectangle, a blend).
struct SheetPixel {
    int x = -1;
    int y = -1;
    bool valid() const { return x >= 0; }
    bool operator==(const SheetPixel& other) const { return x == other.x && y == other.y; }
};

inline SheetPixel decodeSheetPixel(std::uint32_t rgba)
{
    if (((rgba >> 8) & 0xFFu) != SYNTHETIC_SHEET_BLUE || (rgba & 0xFFu) != 0xFFu) {
        return {};
    }
    return {static_cast<int>(rgba >> 24), static_cast<int>((rgba >> 16) & 0xFFu)};
}

inline SheetPixel sheetPixelAt(const SoftwareCanvas& canvas, int x, int y)
{
    return decodeSheetPixel(canvas.pixel(x, y));
}

inline std::ostream& operator<<(std::ostream& out, const SheetPixel& p)
{
    return p.valid() ? out << "sheet(" << p.x << ", " << p.y << ")" : out << "not from the sheet";
}

// The synthetic sheet as a surface (free it with SDL_FreeSurface). Pixels inside the
// `transparent` regions get alpha 0, for pictures that must let what lies under them show
// (the radar frame over its blips).
inline SDL_Surface* createSyntheticSheetSurface(const std::vector<SheetRect>& transparent = {})
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, SYNTHETIC_SHEET_SIZE, SYNTHETIC_SHEET_SIZE, 32,
                                                          SDL_PIXELFORMAT_RGBA32);
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    for (int y = 0; y < SYNTHETIC_SHEET_SIZE; ++y) {
        for (int x = 0; x < SYNTHETIC_SHEET_SIZE; ++x) {
            std::uint8_t* p = pixels + y * surface->pitch + x * 4;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = SYNTHETIC_SHEET_BLUE;
            p[3] = 0xFF;
        }
    }
    for (const SheetRect& r : transparent) {
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                pixels[y * surface->pitch + x * 4 + 3] = 0;
            }
        }
    }
    return surface;
}

// Loads the synthetic sheet as the game's sprite sheet for `renderer` (through a real PNG
// file and loadSpriteSheet) and unloads it again when it goes.
class SyntheticSheet {
public:
    explicit SyntheticSheet(SDL_Renderer* renderer, const std::vector<SheetRect>& transparent = {})
    {
        TempWorkDir dir;
        SDL_Surface* surface = createSyntheticSheetSurface(transparent);
        const bool saved = IMG_SavePNG(surface, "assets/sprites.png") == 0;
        SDL_FreeSurface(surface);
        loaded = saved && loadSpriteSheet(renderer);
    }
    ~SyntheticSheet() { unloadSpriteSheet(); }
    SyntheticSheet(const SyntheticSheet&) = delete;
    SyntheticSheet& operator=(const SyntheticSheet&) = delete;

    bool loaded = false;
};

// Whether the screen rectangle at `dst` with the size of `src` shows exactly the sheet
// region `src` (mirrored left to right with SDL_FLIP_HORIZONTAL). Parts off the canvas
// are not looked at.
inline ::testing::AssertionResult showsRegion(const SoftwareCanvas& canvas, const ScreenPoint& dst,
                                              const SheetRect& src, SDL_RendererFlip flip = SDL_FLIP_NONE)
{
    for (int dy = 0; dy < src.h; ++dy) {
        for (int dx = 0; dx < src.w; ++dx) {
            const int x = dst.x + dx;
            const int y = dst.y + dy;
            if (x < 0 || y < 0 || x >= SoftwareCanvas::WIDTH || y >= SoftwareCanvas::HEIGHT) {
                continue;
            }
            const int sourceX = (flip & SDL_FLIP_HORIZONTAL) != 0 ? src.x + src.w - 1 - dx : src.x + dx;
            const SheetPixel expected{sourceX, src.y + dy};
            const SheetPixel seen = sheetPixelAt(canvas, x, y);
            if (!(seen == expected)) {
                std::ostringstream why;
                why << "screen (" << x << ", " << y << ") shows " << seen << ", expected " << expected;
                return ::testing::AssertionFailure() << why.str();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// How many canvas pixels satisfy `matches`.
template <typename Predicate> int countPixels(const SoftwareCanvas& canvas, Predicate matches)
{
    int count = 0;
    for (int y = 0; y < SoftwareCanvas::HEIGHT; ++y) {
        for (int x = 0; x < SoftwareCanvas::WIDTH; ++x) {
            count += matches(canvas.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}
