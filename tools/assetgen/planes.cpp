// SPDX-License-Identifier: Zlib
#include "planes.h"

#include "platform/sheet_layout.h"

#include <cmath>
#include <utility>

namespace {

constexpr float HEADING_STEP_DEGREES = 22.5f;
constexpr int SUBSAMPLES = 4;       // per pixel side
constexpr int COVERAGE_TO_FILL = 7; // of SUBSAMPLES * SUBSAMPLES
constexpr int NONE = -1;

// A part on the centre line, given by its starboard outline from nose to tail.
PlanePart body(Rgba colour, std::vector<DesignPoint> starboard)
{
    return {colour, true, std::move(starboard)};
}

// A part on each wing, given by its starboard copy.
PlanePart pair(Rgba colour, std::vector<DesignPoint> starboard)
{
    return {colour, false, std::move(starboard)};
}

// clang-format off
// A slim swept-wing jet in white and sky blue.
const PlaneDesign PLAYER{rgb(14, 22, 60), {
    pair(rgb(150, 176, 232), {{-4.4f, 1.0f}, {-5.6f, 2.9f}, {-6.4f, 2.9f}, {-6.3f, 1.0f}}),  // tailplane
    pair(rgb(196, 214, 250), {{2.6f, 1.0f}, {-2.6f, 6.0f}, {-3.7f, 6.0f}, {-3.6f, 1.0f}}),   // wing
    pair(rgb(64, 128, 255),  {{-1.6f, 5.0f}, {-2.6f, 6.0f}, {-3.7f, 6.0f}, {-3.7f, 5.0f}}),  // wing tip
    body(rgb(246, 250, 255), {{7.0f, 0.0f}, {5.6f, 0.7f}, {3.0f, 1.25f}, {-4.6f, 1.25f},
                              {-6.2f, 0.9f}, {-6.6f, 0.0f}}),                                  // fuselage
    body(rgb(255, 150, 40),  {{-6.0f, 0.0f}, {-6.0f, 0.6f}, {-6.8f, 0.6f}, {-6.8f, 0.0f}}),  // exhaust
    body(rgb(40, 110, 255),  {{4.8f, 0.0f}, {4.2f, 0.8f}, {1.6f, 0.8f}, {1.1f, 0.0f}}),      // canopy
}};

// A propeller fighter in red: straight tapered wings, a small tailplane, a yellow cowling
// and a spinning propeller disc.
const PlaneDesign ENEMY{rgb(48, 6, 6), {
    pair(rgb(186, 30, 26),   {{-4.6f, 0.8f}, {-5.0f, 3.0f}, {-6.2f, 3.0f}, {-6.4f, 0.8f}}),  // tailplane
    pair(rgb(196, 34, 28),   {{2.4f, 1.2f}, {1.3f, 6.5f}, {0.4f, 6.8f}, {-0.6f, 6.4f},
                              {-0.9f, 1.2f}}),                                                 // wing
    body(rgb(236, 62, 40),   {{5.4f, 0.0f}, {5.2f, 1.3f}, {3.0f, 1.6f}, {0.0f, 1.5f},
                              {-3.5f, 1.0f}, {-6.4f, 0.6f}, {-6.6f, 0.0f}}),                   // fuselage
    body(rgb(255, 204, 44),  {{5.6f, 0.0f}, {5.4f, 1.3f}, {4.2f, 1.5f}, {4.2f, 0.0f}}),      // cowling
    body(rgb(208, 208, 220, 200), {{6.6f, 0.0f}, {6.6f, 2.7f}, {5.9f, 2.7f}, {5.9f, 0.0f}}), // propeller
    body(rgb(40, 36, 64),    {{2.4f, 0.0f}, {2.2f, 0.8f}, {0.4f, 0.8f}, {0.1f, 0.0f}}),      // canopy
}};
// clang-format on

// Even-odd test of a point against a closed polygon.
bool inside(const std::vector<DesignPoint>& polygon, float forward, float right)
{
    bool in = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const DesignPoint& a = polygon[i];
        const DesignPoint& b = polygon[j];
        if ((a.right > right) != (b.right > right) &&
            forward < (b.forward - a.forward) * (right - a.right) / (b.right - a.right) + a.forward) {
            in = !in;
        }
    }
    return in;
}

bool partCovers(const PlanePart& part, float forward, float right)
{
    if (part.body) {
        // A body is symmetric: test the starboard outline closed along the centre line.
        return inside(part.points, forward, std::fabs(right));
    }
    return inside(part.points, forward, right) || inside(part.points, forward, -right);
}

int topPartAt(const PlaneDesign& design, float forward, float right)
{
    for (int i = static_cast<int>(design.parts.size()) - 1; i >= 0; --i) {
        if (partCovers(design.parts[static_cast<size_t>(i)], forward, right)) {
            return i;
        }
    }
    return NONE;
}

// Which part wins the pixel, by majority of its subsamples.
int partForPixel(const PlaneDesign& design, float px, float py, float cx, float cy, float angle, float scale)
{
    const float dirX = -std::sin(angle);
    const float dirY = -std::cos(angle);
    std::vector<int> votes(design.parts.size(), 0);
    int covered = 0;
    for (int sy = 0; sy < SUBSAMPLES; ++sy) {
        for (int sx = 0; sx < SUBSAMPLES; ++sx) {
            const float x = px + (sx + 0.5f) / SUBSAMPLES - cx;
            const float y = py + (sy + 0.5f) / SUBSAMPLES - cy;
            // Starboard is the heading turned a quarter clockwise on screen: (-dirY, dirX).
            const int part = topPartAt(design, (x * dirX + y * dirY) / scale, (x * -dirY + y * dirX) / scale);
            if (part != NONE) {
                ++votes[static_cast<size_t>(part)];
                ++covered;
            }
        }
    }
    if (covered < COVERAGE_TO_FILL) {
        return NONE;
    }
    int best = 0;
    for (size_t i = 1; i < votes.size(); ++i) {
        if (votes[i] >= votes[static_cast<size_t>(best)]) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

const PlaneDesign& playerDesign()
{
    return PLAYER;
}

const PlaneDesign& enemyDesign()
{
    return ENEMY;
}

void drawPlane(Image& image, const PlaneDesign& design, float cx, float cy, float degreesLeft, float scale,
               int reach)
{
    const float angle = degreesLeft * 3.14159265f / 180.0f;
    const int left = static_cast<int>(std::floor(cx)) - reach;
    const int top = static_cast<int>(std::floor(cy)) - reach;
    const int size = 2 * reach;
    std::vector<int> parts(static_cast<size_t>(size * size), NONE);
    const auto at = [&](int i, int j) {
        return (i < 0 || j < 0 || i >= size || j >= size) ? NONE : parts[static_cast<size_t>(j * size + i)];
    };
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            parts[static_cast<size_t>(j * size + i)] = partForPixel(
                design, static_cast<float>(left + i), static_cast<float>(top + j), cx, cy, angle, scale);
        }
    }
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            const int part = at(i, j);
            if (part != NONE) {
                image.set(left + i, top + j, design.parts[static_cast<size_t>(part)].colour);
            } else if (at(i - 1, j) != NONE || at(i + 1, j) != NONE || at(i, j - 1) != NONE ||
                       at(i, j + 1) != NONE) {
                image.set(left + i, top + j, design.outline);
            }
        }
    }
}

void paintPlaneFrames(Image& sheet)
{
    const int half = PLANE_SIZE / 2;
    for (int frame = 0; frame < PLANE_FRAMES; ++frame) {
        const float centreX = static_cast<float>(frame * PLANE_SIZE + half);
        const float degrees = HEADING_STEP_DEGREES * static_cast<float>(frame);
        drawPlane(sheet, PLAYER, centreX, static_cast<float>(PLAYER_PLANES_Y + half), degrees, 1.0f, half);
        drawPlane(sheet, ENEMY, centreX, static_cast<float>(ENEMY_PLANES_Y + half), degrees, 1.0f, half);
    }
}
