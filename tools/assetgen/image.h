// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

constexpr Rgba rgb(int r, int g, int b, int a = 255)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b),
            static_cast<std::uint8_t>(a)};
}
constexpr Rgba CLEAR{};

inline bool operator==(const Rgba& p, const Rgba& q)
{
    return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a;
}
inline bool operator!=(const Rgba& p, const Rgba& q)
{
    return !(p == q);
}

// Linear blend from `from` (t = 0) to `to` (t = 1), alpha included.
Rgba mix(const Rgba& from, const Rgba& to, double t);

// An RGBA picture held in an SDL surface. Writes outside it are dropped and reads outside
// it give a transparent pixel, so art can be painted without bounds checks.
class Image {
public:
    Image(int width, int height);
    ~Image();
    Image(Image&& other) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    Image& operator=(Image&&) = delete;

    int width() const { return surface->w; }
    int height() const { return surface->h; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }

    Rgba get(int x, int y) const;
    void set(int x, int y, const Rgba& colour);
    // Paints `colour` over the pixel by its alpha.
    void blend(int x, int y, const Rgba& colour);
    void fill(int x, int y, int w, int h, const Rgba& colour);
    // Paints the region (sx, sy, w, h) of `source` over this image at (dx, dy), blending by alpha.
    void drawRegion(const Image& source, int sx, int sy, int w, int h, int dx, int dy);
    Image scaled(int factor) const;

    // Writes a PNG through SDL_image; false (with SDL's error set) when it cannot.
    bool savePng(const std::string& path) const;

private:
    SDL_Surface* surface = nullptr;
};
