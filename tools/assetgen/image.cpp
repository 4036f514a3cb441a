// SPDX-License-Identifier: Zlib
#include "image.h"

#include <SDL_image.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

std::uint8_t lerp(std::uint8_t from, std::uint8_t to, double t)
{
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

} // namespace

Rgba mix(const Rgba& from, const Rgba& to, double t)
{
    return {lerp(from.r, to.r, t), lerp(from.g, to.g, t), lerp(from.b, to.b, t), lerp(from.a, to.a, t)};
}

Image::Image(int width, int height)
    : surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32))
{
    if (surface == nullptr) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        std::abort();
    }
}

Image::~Image()
{
    SDL_FreeSurface(surface);
}

Image::Image(Image&& other) noexcept : surface(std::exchange(other.surface, nullptr)) {}

Rgba Image::get(int x, int y) const
{
    if (!contains(x, y)) {
        return CLEAR;
    }
    const auto* p = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

void Image::set(int x, int y, const Rgba& colour)
{
    if (!contains(x, y)) {
        return;
    }
    auto* p = static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch + x * 4;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    p[3] = colour.a;
}

void Image::blend(int x, int y, const Rgba& colour)
{
    if (colour.a == 255 || get(x, y).a == 0) {
        set(x, y, colour);
        return;
    }
    const Rgba under = get(x, y);
    const double a = colour.a / 255.0;
    const double outA = a + under.a / 255.0 * (1.0 - a);
    Rgba out = mix(under, colour, a / outA);
    out.a = static_cast<std::uint8_t>(std::lround(outA * 255.0));
    set(x, y, out);
}

void Image::fill(int x, int y, int w, int h, const Rgba& colour)
{
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            set(i, j, colour);
        }
    }
}

void Image::drawRegion(const Image& source, int sx, int sy, int w, int h, int dx, int dy)
{
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const Rgba colour = source.get(sx + i, sy + j);
            if (colour.a != 0) {
                blend(dx + i, dy + j, colour);
            }
        }
    }
}

Image Image::scaled(int factor) const
{
    Image out(width() * factor, height() * factor);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.set(x, y, get(x / factor, y / factor));
        }
    }
    return out;
}

bool Image::savePng(const std::string& path) const
{
    return IMG_SavePNG(surface, path.c_str()) == 0;
}
