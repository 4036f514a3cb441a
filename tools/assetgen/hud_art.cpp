// SPDX-License-Identifier: Zlib
#include "hud_art.h"

#include "pixel_art.h"
#include "platform/sheet_layout.h"

#include <cmath>

namespace {

// A tracer round, head to the right, with a dark rim so it shows on sand as well as sea.
void paintBullet(Image& sheet)
{
    paintArt(sheet, BULLET_SPRITE.x, BULLET_SPRITE.y,
             {
                 "........",
                 "....kkk.",
                 ".kkooyyk",
                 "kroyyWWk",
                 "kroyyWWk",
                 ".kkooyyk",
                 "....kkk.",
                 "........",
             },
             {{'k', rgb(60, 16, 8, 200)},
              {'r', rgb(200, 40, 20)},
              {'o', rgb(255, 140, 30)},
              {'y', rgb(255, 230, 90)},
              {'W', rgb(255, 255, 240)}});
}

// The bar is a metal frame around a dark trough; the game fills rows 1-6 of the middle
// cells with its life colour, so the trough shows only where life is missing.
void paintLifeBar(Image& sheet)
{
    const std::vector<Ink> inks = {
        {'k', rgb(12, 12, 30)},   {'L', rgb(210, 218, 240)}, {'M', rgb(140, 150, 182)},
        {'D', rgb(72, 78, 108)},  {'t', rgb(40, 14, 36)},    {'u', rgb(62, 28, 58)},
        {'R', rgb(255, 40, 110)}, {'p', rgb(255, 180, 210)}, {'r', rgb(160, 0, 60)}};
    paintArt(sheet, LIFE_BAR_LEFT_END.x, LIFE_BAR_LEFT_END.y,
             {
                 ".LLLLLLL",
                 "LMkkMkkM",
                 "LkRpkRRk",
                 "LkRRRRrk",
                 "LMkRRrkM",
                 "LMMkrkMM",
                 "LMMMkMMM",
                 ".DDDDDDD",
             },
             inks);
    paintArt(sheet, LIFE_BAR_MIDDLE.x, LIFE_BAR_MIDDLE.y,
             {
                 "LLLLLLLL",
                 "tttttttu",
                 "tttttttu",
                 "tttttttu",
                 "tttttttu",
                 "tttttttu",
                 "tttttttu",
                 "DDDDDDDD",
             },
             inks);
    paintArt(sheet, LIFE_BAR_RIGHT_END.x, LIFE_BAR_RIGHT_END.y,
             {
                 "LLL.....",
                 "MMML....",
                 "MMMMD...",
                 "MMMMD...",
                 "MMMMD...",
                 "MMMMD...",
                 "MMMD....",
                 "DDD.....",
             },
             inks);
}

// A round green scope rim with ticks at the compass points; everything inside the rim
// stays transparent so the blips drawn under it show through.
void paintRadar(Image& sheet)
{
    const Rgba edge = rgb(8, 34, 20);
    const Rgba rimLight = rgb(150, 240, 170);
    const Rgba rimDark = rgb(40, 120, 70);
    const double centre = RADAR_FRAME.w / 2.0;
    for (int y = 0; y < RADAR_FRAME.h; ++y) {
        for (int x = 0; x < RADAR_FRAME.w; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            const double d = std::sqrt(dx * dx + dy * dy);
            // Blips reach 22.5 pixels out at the edge of the range, so the rim stays outside them.
            Rgba colour = CLEAR;
            if (d >= 23.0 && d < 24.0) {
                // Lit from the top left.
                colour = mix(rimLight, rimDark, 0.5 + (dx + dy) / (4.0 * d));
            } else if (d >= 22.5 && d < 23.0) {
                colour = edge;
            }
            sheet.set(RADAR_FRAME.x + x, RADAR_FRAME.y + y, colour);
        }
    }
}

// Pilot's wings in gold around a red, white and blue roundel.
void paintEmblem(Image& sheet)
{
    paintArt(sheet, EMBLEM.x, EMBLEM.y,
             {
                 mirrored("......kkkkkkkkk...kk"),
                 mirrored("...kkkWWWWWWWWWk.kBB"),
                 mirrored(".kkWWYYYYYYYYYYkkBBW"),
                 mirrored("kYYYYyYYYyYYYYYkkBWR"),
                 mirrored(".kYYyYYYyYYYYYykkBWR"),
                 mirrored("..kkyYYyYYYyyyykkBBW"),
                 mirrored("....kkkyyyyyykk..kBB"),
                 mirrored(".......kkkkkk.....kk"),
             },
             {{'k', rgb(40, 20, 10)},
              {'W', rgb(255, 246, 190)},
              {'Y', rgb(255, 206, 60)},
              {'y', rgb(200, 132, 30)},
              {'B', rgb(50, 100, 230)},
              {'R', rgb(230, 40, 50)}});
}

} // namespace

void paintHudArt(Image& sheet)
{
    paintBullet(sheet);
    paintLifeBar(sheet);
    paintRadar(sheet);
    paintEmblem(sheet);
}
