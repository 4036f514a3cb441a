// SPDX-License-Identifier: Zlib
// Draws the desktop icon: the player's plane from the sprite sheet, scaled up
// nearest-neighbour so its pixels stay crisp, at each size into a hicolor-style tree.
// Usage: plorvik_icon SHEET.png OUT_DIR SIZE...   (writes OUT_DIR/<S>x<S>/apps/plorvik.png)
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// The player's first frame on the sheet: nose straight up.
constexpr int FRAME_X = 0;
constexpr int FRAME_Y = 0;
constexpr int FRAME_SIZE = 16;
constexpr int LARGEST_SIZE = 1024;

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Uint32 pixelAt(const SDL_Surface& surface, int x, int y)
{
    const auto* row =
        static_cast<const Uint8*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
}

Surface scaledFrame(const SDL_Surface& sheet, int size)
{
    Surface icon(SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32));
    if (!icon) {
        return icon;
    }
    const int factor = size / FRAME_SIZE;
    for (int y = 0; y < size; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(icon->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * icon->pitch);
        for (int x = 0; x < size; ++x) {
            row[x] = pixelAt(sheet, FRAME_X + x / factor, FRAME_Y + y / factor);
        }
    }
    return icon;
}

// A size the frame scales to by a whole factor, or 0.
int parseSize(const char* text)
{
    char* end = nullptr;
    const long size = std::strtol(text, &end, 10);
    const bool whole = *end == '\0' && size >= FRAME_SIZE && size <= LARGEST_SIZE && size % FRAME_SIZE == 0;
    return whole ? static_cast<int>(size) : 0;
}

bool writeIcon(const SDL_Surface& sheet, const std::filesystem::path& outDir, int size)
{
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path dir = outDir / name / "apps";
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const Surface icon = scaledFrame(sheet, size);
    const std::string path = (dir / "plorvik.png").string();
    if (!icon || IMG_SavePNG(icon.get(), path.c_str()) != 0) {
        std::fprintf(stderr, "plorvik_icon: cannot write %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    return true;
}

bool writeIcons(int argc, char* argv[])
{
    const Surface loaded(IMG_Load(argv[1]));
    const Surface sheet(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
    if (!sheet || sheet->w < FRAME_X + FRAME_SIZE || sheet->h < FRAME_Y + FRAME_SIZE) {
        std::fprintf(stderr, "plorvik_icon: cannot read the sprite sheet %s: %s\n", argv[1], SDL_GetError());
        return false;
    }
    bool ok = true;
    for (int i = 3; i < argc; ++i) {
        const int size = parseSize(argv[i]);
        if (size == 0) {
            std::fprintf(stderr, "plorvik_icon: %s is not a multiple of %d up to %d\n", argv[i], FRAME_SIZE,
                         LARGEST_SIZE);
            ok = false;
        } else {
            ok = writeIcon(*sheet, argv[2], size) && ok;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SHEET.png OUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    IMG_Init(IMG_INIT_PNG);
    const bool ok = writeIcons(argc, argv);
    IMG_Quit();
    return ok ? 0 : 1;
}
