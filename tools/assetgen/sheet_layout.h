#pragma once

// Where the game looks for each picture on "assets/sprites.png". Ground tiles take the
// 16x16 cells of the top-left 256x256 that none of these rectangles touches.
struct SheetRegion {
    const char* what;
    int x;
    int y;
    int w;
    int h;
};

constexpr int SHEET_SIZE = 256;
constexpr int CELL = 16;        // plane frames and ground tiles
constexpr int PLANE_FRAMES = 9; // headings from straight up, through left, to straight down
constexpr int PLAYER_ROW_Y = 0;
constexpr int ENEMY_ROW_Y = 16;

constexpr SheetRegion BULLET{"bullet", 128, 40, 8, 8};
constexpr SheetRegion SCORE_LABEL{"score label", 216, 0, 40, 8};
constexpr SheetRegion BEST_LABEL{"best-score label", 200, 0, 56, 8};
constexpr SheetRegion HUD_ZERO{"heads-up zero", 248, 8, 8, 8};
constexpr SheetRegion LIFE_LEFT{"life bar left end", 232, 16, 8, 8};
constexpr SheetRegion LIFE_MIDDLE{"life bar middle", 240, 16, 8, 8};
constexpr SheetRegion LIFE_RIGHT{"life bar right end", 248, 16, 8, 8};
constexpr SheetRegion EMBLEM{"emblem", 216, 24, 40, 8};
constexpr SheetRegion RADAR{"radar frame", 208, 32, 48, 48};
constexpr SheetRegion LOGO{"title logo", 0, 176, 240, 72};

struct GlyphCell {
    int x;
    int y;
};

// The top-left corner of a character's glyph: small glyphs are 8x8, large ones 8x16.
// Only capitals, digits, '!', '*' and the space have cells.
constexpr GlyphCell glyphCell(char ch, bool large)
{
    if (ch >= 'A' && ch <= 'Z') {
        const int k = ch - 'A';
        return {192 + 8 * (k % 8), large ? 112 + 16 * (k / 8) : 80 + 8 * (k / 8)};
    }
    if (ch >= '0' && ch <= '9') {
        return {(large ? 112 : 168) + 8 * (ch - '0'), large ? 128 : 8};
    }
    return {ch == '!' ? 208 : ch == '*' ? 224 : 232, large ? 160 : 104};
}

// Everything that is not ground, in blocks.
constexpr SheetRegion TAKEN[] = {
    {"player frames", 0, PLAYER_ROW_Y, CELL* PLANE_FRAMES, CELL},
    {"enemy frames", 0, ENEMY_ROW_Y, CELL* PLANE_FRAMES, CELL},
    BULLET,
    BEST_LABEL,
    {"small digits and heads-up zero", 168, 8, 88, 8},
    {"life bar", 232, 16, 24, 8},
    EMBLEM,
    RADAR,
    {"small letters and signs", 192, 80, 64, 32},
    {"large letters and signs", 192, 112, 64, 64},
    {"large digits", 112, 128, 80, 16},
    LOGO,
};
