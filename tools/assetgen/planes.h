// SPDX-License-Identifier: Zlib
#pragma once

#include "image.h"

#include <vector>

// A plane seen from above, as flat-coloured polygons in pixels: `forward` runs from the
// centre to the nose, `right` to the starboard wing tip.
struct DesignPoint {
    float forward = 0.0f;
    float right = 0.0f;
};

struct PlanePart {
    Rgba colour;
    // Points on the starboard side; the part is completed on the port side by mirroring:
    // a `body` part runs nose to tail and closes across the centre line, any other part
    // is copied whole to the other wing.
    bool body = false;
    std::vector<DesignPoint> points;
};

struct PlaneDesign {
    Rgba outline;
    std::vector<PlanePart> parts; // later parts lie on top
};

const PlaneDesign& playerDesign();
const PlaneDesign& enemyDesign();

// Draws `design` centred on (cx, cy), its nose turned `degreesLeft` counter-clockwise from
// straight up, `scale` pixels per design unit, inside the square of half-size `reach`.
void drawPlane(Image& image, const PlaneDesign& design, float cx, float cy, float degreesLeft, float scale,
               int reach);

// The player's row and the enemy's row of nine headings.
void paintPlaneFrames(Image& sheet);
