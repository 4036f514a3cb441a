// SPDX-License-Identifier: Zlib
#include "logo.h"

#include "planes.h"
#include "platform/sheet_layout.h"

#include <array>
#include <string_view>
#include <vector>

namespace {

// Letters on a grid of blocks. '#' fills a block; the corner pieces fill half a block
// along its diagonal, shaped like the corner they make: 'r' top-left, '7' top-right,
// 'L' bottom-left, 'J' bottom-right.
constexpr int GRID_W = 6;
constexpr int GRID_H = 7;
constexpr int BLOCK_W = 4;
constexpr int BLOCK_H = 5;
constexpr int LETTER_GAP = 5;
constexpr int SLANT = 4; // rows per pixel of italic lean

struct LogoLetter {
    std::array<std::string_view, GRID_H> rows;
};

// clang-format off
constexpr LogoLetter NAME[] = {
    {{"#####7", "##..##", "##..##", "#####J", "##....", "##....", "##...."}}, // P
    {{"##....", "##....", "##....", "##....", "##....", "##....", "######"}}, // L
    {{"r####7", "##..##", "##..##", "##..##", "##..##", "##..##", "L####J"}}, // O
    {{"#####7", "##..##", "##..##", "#####J", "##.#7.", "##..#7", "##..##"}}, // R
    {{"##..##", "##..##", "##..##", "##..##", "L#..#J", ".L##J.", "..LJ.."}}, // V
    {{"######", "..##..", "..##..", "..##..", "..##..", "..##..", "######"}}, // I
    {{"##..r#", "##.r#J", "##r#J.", "###J..", "##L#7.", "##.L#7", "##..L#"}}, // K
};
// clang-format on

constexpr int LETTER_PIXELS_W = GRID_W * BLOCK_W;
constexpr int LETTER_PIXELS_H = GRID_H * BLOCK_H;
constexpr int LETTER_COUNT = static_cast<int>(sizeof(NAME) / sizeof(NAME[0]));
constexpr int NAME_W = LETTER_COUNT * LETTER_PIXELS_W + (LETTER_COUNT - 1) * LETTER_GAP;
constexpr int NAME_TOP = 3;
constexpr int EXTRUDE = 3;

constexpr Rgba FACE_EDGE = rgb(255, 255, 255);
constexpr Rgba FACE_TOP = rgb(255, 255, 210);
constexpr Rgba FACE_MIDDLE = rgb(255, 200, 40);
constexpr Rgba FACE_BOTTOM = rgb(230, 60, 20);
constexpr Rgba SIDE = rgb(120, 24, 16);
constexpr Rgba SIDE_DARK = rgb(70, 10, 10);
constexpr Rgba OUTLINE = rgb(24, 4, 8);

bool blockCovers(char piece, double u, double v)
{
    switch (piece) {
    case '#':
        return true;
    case 'r':
        return u + v >= 1.0;
    case '7':
        return v >= u;
    case 'L':
        return u >= v;
    case 'J':
        return u + v <= 1.0;
    default:
        return false;
    }
}

bool letterCovers(const LogoLetter& letter, int x, int y)
{
    if (x < 0 || y < 0 || x >= LETTER_PIXELS_W || y >= LETTER_PIXELS_H) {
        return false;
    }
    const char piece = letter.rows[static_cast<size_t>(y / BLOCK_H)][static_cast<size_t>(x / BLOCK_W)];
    return blockCovers(piece, (x % BLOCK_W + 0.5) / BLOCK_W, (y % BLOCK_H + 0.5) / BLOCK_H);
}

// The name's face as a mask over the logo, slanted.
std::vector<bool> nameMask()
{
    std::vector<bool> mask(static_cast<size_t>(TITLE_LOGO.w * TITLE_LOGO.h), false);
    const int left = (TITLE_LOGO.w - NAME_W - LETTER_PIXELS_H / SLANT - EXTRUDE) / 2;
    for (int n = 0; n < LETTER_COUNT; ++n) {
        const int letterX = left + n * (LETTER_PIXELS_W + LETTER_GAP);
        for (int y = 0; y < LETTER_PIXELS_H; ++y) {
            const int lean = (LETTER_PIXELS_H - 1 - y) / SLANT;
            for (int x = 0; x < LETTER_PIXELS_W; ++x) {
                if (letterCovers(NAME[n], x, y)) {
                    mask[static_cast<size_t>((NAME_TOP + y) * TITLE_LOGO.w + letterX + lean + x)] = true;
                }
            }
        }
    }
    return mask;
}

bool maskAt(const std::vector<bool>& mask, int x, int y)
{
    return x >= 0 && y >= 0 && x < TITLE_LOGO.w && y < TITLE_LOGO.h &&
           mask[static_cast<size_t>(y * TITLE_LOGO.w + x)];
}

Rgba faceColour(int y)
{
    const double t = static_cast<double>(y - NAME_TOP) / (LETTER_PIXELS_H - 1);
    return t < 0.45 ? mix(FACE_TOP, FACE_MIDDLE, t / 0.45) : mix(FACE_MIDDLE, FACE_BOTTOM, (t - 0.45) / 0.55);
}

void paintName(Image& logo)
{
    const std::vector<bool> mask = nameMask();
    // Extrusion first, down and to the right, then the outline around all of it, then the face.
    std::vector<bool> solid(mask.size(), false);
    for (int y = 0; y < TITLE_LOGO.h; ++y) {
        for (int x = 0; x < TITLE_LOGO.w; ++x) {
            for (int d = 0; d <= EXTRUDE; ++d) {
                if (maskAt(mask, x - d, y - d)) {
                    solid[static_cast<size_t>(y * TITLE_LOGO.w + x)] = true;
                    if (d > 0 && !maskAt(mask, x, y)) {
                        logo.set(x, y, d == EXTRUDE ? SIDE_DARK : SIDE);
                    }
                }
            }
        }
    }
    for (int y = 0; y < TITLE_LOGO.h; ++y) {
        for (int x = 0; x < TITLE_LOGO.w; ++x) {
            if (maskAt(mask, x, y)) {
                // A lit top edge, as if the letters were bevelled.
                logo.set(x, y, maskAt(mask, x, y - 1) ? faceColour(y) : FACE_EDGE);
            } else if (!maskAt(solid, x, y) && (maskAt(solid, x - 1, y) || maskAt(solid, x + 1, y) ||
                                                maskAt(solid, x, y - 1) || maskAt(solid, x, y + 1))) {
                logo.set(x, y, OUTLINE);
            }
        }
    }
}

// Three speed lines that fade out to the left, and the player's jet at their head.
void paintTrail(Image& logo)
{
    struct Line {
        int y;
        int thickness;
        int left;
        Rgba colour;
    };
    const Line lines[] = {
        {50, 3, 24, rgb(80, 150, 255)},
        {56, 2, 52, rgb(60, 110, 230)},
        {61, 1, 84, rgb(44, 80, 200)},
    };
    const int right = 196;
    for (const Line& line : lines) {
        for (int x = line.left; x < right; ++x) {
            Rgba colour = line.colour;
            colour.a = static_cast<std::uint8_t>(255 * (x - line.left) / (right - line.left));
            for (int t = 0; t < line.thickness; ++t) {
                logo.blend(x, line.y + t, colour);
            }
        }
    }
    drawPlane(logo, playerDesign(), 208.0f, 54.0f, -75.0f, 2.3f, 17);
}

} // namespace

void paintLogo(Image& sheet)
{
    Image logo(TITLE_LOGO.w, TITLE_LOGO.h);
    paintTrail(logo);
    paintName(logo);
    sheet.drawRegion(logo, 0, 0, TITLE_LOGO.w, TITLE_LOGO.h, TITLE_LOGO.x, TITLE_LOGO.y);
}
