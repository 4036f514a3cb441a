#pragma once

#include "platform/sprite_sheet.h"
#include "world/game_objects.h"

// Tuning and helpers shared by the game objects and the drawing of the world.

constexpr float PLAYER_START_X = 160.0f;
constexpr float PLAYER_START_Y = 90.0f;
constexpr float PLAYER_START_DIR = -0.70710677f; // both components: up and to the left
constexpr float PLAYER_SPEED = 120.0f;           // units per second
constexpr float ENEMY_SPEED = 96.0f;             // units per second
constexpr float BULLET_SPEED = 360.0f;           // units per second
constexpr float FIGHTER_LIFE = 1.0f;
constexpr float BULLET_LIFETIME = 0.6f;              // seconds
constexpr float BULLET_AGE_PER_FRAME = 0.016666668f; // seconds, 1/60 as a float
constexpr float PLANE_RADIUS = 8.0f;
constexpr float BULLET_RADIUS = 2.0f;
constexpr std::int32_t DAMAGE_INVULNERABILITY = 60; // frames

constexpr int PLANE_HALF_SIZE = 8;
constexpr int BULLET_HALF_SIZE = 4;
constexpr int PLAYER_SHEET_ROW = 0;
constexpr int ENEMY_SHEET_ROW = 16;
constexpr SheetRect BULLET_SHEET_RECT{128, 40, 8, 8};

constexpr float PI_FLOAT = 3.1415927f;
constexpr float TWO_PI_FLOAT = 6.2831855f;

// Moves one frame along the heading, wraps each axis once into [0, 640) and puts the
// collision circle on the new position.
void stepAlongHeading(GameObject& object, Collidable& circle);

// The renderer's logical size, the view every object is drawn into.
struct ViewSize {
    int w = 0;
    int h = 0;
};
ViewSize logicalViewSize();

// One 16x16 plane frame from the sheet row at `sheetRow`, mirrored as the heading says.
void drawPlaneFrame(const ScreenPoint& dst, int sheetRow, const HeadingFrame& frame);
