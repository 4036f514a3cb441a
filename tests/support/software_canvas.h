// SPDX-License-Identifier: Zlib
#pragma once

#include <SDL.h>

#include <cstdint>

// A 320x240 RGBA surface with SDL's software renderer drawing into it, so that
// tests can read back exactly what the game drew.
class SoftwareCanvas {
public:
    static constexpr int WIDTH = 320;
    static constexpr int HEIGHT = 240;

    SoftwareCanvas()
    {
        surface = SDL_CreateRGBSurfaceWithFormat(0, WIDTH, HEIGHT, 32, SDL_PIXELFORMAT_RGBA32);
        renderer = SDL_CreateSoftwareRenderer(surface);
        SDL_RenderSetLogicalSize(renderer, WIDTH, HEIGHT);
        clear();
    }
    ~SoftwareCanvas()
    {
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
    SoftwareCanvas(const SoftwareCanvas&) = delete;
    SoftwareCanvas& operator=(const SoftwareCanvas&) = delete;

    void clear()
    {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
    }

    // 0xRRGGBBAA of the pixel at (x, y).
    std::uint32_t pixel(int x, int y) const
    {
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        const std::uint8_t* p = row + x * 4;
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    }

    SDL_Surface* surface = nullptr;
    SDL_Renderer* renderer = nullptr;
};
