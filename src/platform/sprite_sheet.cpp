// SPDX-License-Identifier: Zlib
#include "platform/sprite_sheet.h"

#include "platform/asset_file.h"
#include "platform/png_size.h"

#include <SDL_image.h>

#include <optional>
#include <string>

namespace {

constexpr const char* SHEET_PATH = "assets/sprites.png";
// A sheet is decoded whole into memory, four bytes a pixel: 64 MB at most.
constexpr Sint64 MAX_SHEET_BYTES = Sint64{16} << 20U;
constexpr Uint64 MAX_SHEET_PIXELS = Uint64{4096} * 4096;

// The process-wide sheet: the renderer is borrowed, the texture owned.
struct SpriteSheet {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
};

SpriteSheet sheet;

// Null, with SDL's error set, for a file that is not acceptable or is a PNG of too many
// pixels; those are refused before anything is decoded.
SDL_Texture* loadSheetTexture(SDL_Renderer* renderer)
{
    SDL_RWops* file = openAssetFile(SHEET_PATH, MAX_SHEET_BYTES);
    if (file == nullptr) {
        return nullptr;
    }
    const std::optional<PngSize> size = readPngSize(file);
    if (size && Uint64{size->width} * size->height > MAX_SHEET_PIXELS) {
        SDL_SetError("%s is too large: %ux%u pixels, at most %llu", SHEET_PATH, size->width, size->height,
                     static_cast<unsigned long long>(MAX_SHEET_PIXELS));
        SDL_RWclose(file);
        return nullptr;
    }
    return IMG_LoadTexture_RW(renderer, file, 1);
}

bool sheetReady()
{
    return sheet.renderer != nullptr && sheet.texture != nullptr;
}

void copyRegion(const ScreenPoint& dst, const SheetRect& src, double degrees, SDL_RendererFlip flip)
{
    const SDL_Rect source{src.x, src.y, src.w, src.h};
    const SDL_Rect destination{dst.x, dst.y, src.w, src.h};
    SDL_RenderCopyEx(sheet.renderer, sheet.texture, &source, &destination, degrees, nullptr, flip);
}

} // namespace

bool loadSpriteSheet(SDL_Renderer* renderer)
{
    unloadSpriteSheet(); // a second load must not leak the first texture
    sheet.renderer = renderer;
    sheet.texture = loadSheetTexture(renderer);
    if (sheet.texture == nullptr) {
        SDL_LogCritical(SDL_LOG_CATEGORY_APPLICATION, "%s", SDL_GetError());
        return false;
    }
    return true;
}

void unloadSpriteSheet()
{
    if (sheet.texture != nullptr) {
        SDL_DestroyTexture(sheet.texture);
    }
    sheet = SpriteSheet{};
}

void drawSprite(const ScreenPoint& dst, const SheetRect& src, SDL_RendererFlip flip)
{
    if (!sheetReady()) {
        return;
    }
    copyRegion(dst, src, 0.0, flip);
}

void drawSpriteRotated(const ScreenPoint& dst, const SheetRect& src, float degrees)
{
    if (!sheetReady()) {
        return;
    }
    copyRegion(dst, src, static_cast<double>(degrees), SDL_FLIP_NONE);
}

void drawText(const ScreenPoint& pos, const char* text, bool large)
{
    if (!sheetReady() || text == nullptr) {
        return;
    }
    ScreenPoint pen = pos;
    for (const char* c = text; *c != '\0'; ++c) {
        copyRegion(pen, glyphCell(*c, large), 0.0, SDL_FLIP_NONE);
        pen.x += GLYPH_WIDTH;
    }
}

int drawNumber(const ScreenPoint& pos, int value, bool large)
{
    const std::string text = value > 0 ? std::to_string(value) : "0";
    drawText(pos, text.c_str(), large);
    return static_cast<int>(text.size());
}
