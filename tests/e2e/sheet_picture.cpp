// SPDX-License-Identifier: Zlib
#include "sheet_picture.h"

#include <SDL_image.h>

#include <cmath>
#include <cstdlib>

namespace {

// The expected screen colour of a texel, or nullopt-like -1 when any colour will do.
long expectedColour(std::uint32_t texel, Backdrop backdrop)
{
    const std::uint32_t alpha = texel & 0xFFu;
    if (alpha == 0xFFu) {
        return static_cast<long>(texel >> 8);
    }
    if (backdrop == Backdrop::ANY) {
        return -1;
    }
    std::uint32_t blended = 0;
    for (int shift = 24; shift >= 8; shift -= 8) {
        blended = blended << 8 | (((texel >> shift) & 0xFFu) * alpha + 127) / 255;
    }
    return static_cast<long>(blended);
}

// Blending may round either way.
bool closeEnough(std::uint32_t actual, long expected, bool exact)
{
    if (exact) {
        return actual == static_cast<std::uint32_t>(expected);
    }
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFFu);
        const int e = static_cast<int>((static_cast<std::uint32_t>(expected) >> shift) & 0xFFu);
        if (std::abs(a - e) > 2) {
            return false;
        }
    }
    return true;
}

// Nearest-neighbour scaling samples the texel under each pixel's centre; at a scale
// that is not whole, pixels whose centre lies on a texel border could go either way.
bool nearTexelBorder(double u)
{
    const double fraction = u - std::floor(u);
    return fraction < 0.02 || fraction > 0.98;
}

// False at the first pixel that differs; counts the opaque pixels compared.
bool copyShown(const Screenshot& shot, const SheetPicture& sheet, const Placement& copy, Backdrop backdrop,
               double scale, int& opaqueCompared)
{
    const SheetRect& r = copy.region;
    const int left = static_cast<int>(std::floor(copy.at.x * scale));
    const int top = static_cast<int>(std::floor(copy.at.y * scale));
    const int right = static_cast<int>(std::ceil((copy.at.x + r.w) * scale));
    const int bottom = static_cast<int>(std::ceil((copy.at.y + r.h) * scale));
    for (int y = std::max(top, 0); y < std::min(bottom, shot.height); ++y) {
        const double v = (y + 0.5) / scale - copy.at.y;
        if (v < 0 || v >= r.h || nearTexelBorder(v)) {
            continue;
        }
        for (int x = std::max(left, 0); x < std::min(right, shot.width); ++x) {
            const double u = (x + 0.5) / scale - copy.at.x;
            if (u < 0 || u >= r.w || nearTexelBorder(u)) {
                continue;
            }
            const int column = static_cast<int>(u);
            const std::uint32_t texel =
                sheet.texel(r.x + (copy.mirrored ? r.w - 1 - column : column), r.y + static_cast<int>(v));
            const long expected = expectedColour(texel, backdrop);
            if (expected < 0) {
                continue;
            }
            opaqueCompared += (texel & 0xFFu) == 0xFFu ? 1 : 0;
            if (!closeEnough(shot.at(x, y), expected, (texel & 0xFFu) == 0xFFu || (texel & 0xFFu) == 0)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

SheetPicture::SheetPicture(const std::string& path)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA8888, 0);
    SDL_FreeSurface(loaded);
    if (rgba == nullptr) {
        return;
    }
    width = rgba->w;
    height = rgba->h;
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch);
        texels.insert(texels.end(), row, row + width);
    }
    SDL_FreeSurface(rgba);
}

std::uint32_t SheetPicture::texel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return texels[static_cast<size_t>(y) * width + x];
}

bool shows(const Screenshot& shot, const SheetPicture& sheet, const std::vector<Placement>& copies,
           Backdrop backdrop, double scale)
{
    int opaqueCompared = 0;
    for (const Placement& copy : copies) {
        if (!copyShown(shot, sheet, copy, backdrop, scale, opaqueCompared)) {
            return false;
        }
    }
    return opaqueCompared > 0;
}

std::vector<Placement> textCopies(const ScreenPoint& pos, const std::string& text, bool large)
{
    std::vector<Placement> copies;
    ScreenPoint pen = pos;
    for (char c : text) {
        copies.push_back({pen, glyphCell(c, large), false});
        pen.x += GLYPH_WIDTH;
    }
    return copies;
}
