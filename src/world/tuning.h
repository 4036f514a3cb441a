// SPDX-License-Identifier: Zlib
#pragma once

#include "platform/frame_rate.h"

#include <cstdint>

// The numbers the game's feel rests on. Speeds are in world units per second, timers in
// frames, life and damage in fractions of a full life bar.

// Player
constexpr float PLAYER_START_X = 160.0f;
constexpr float PLAYER_START_Y = 90.0f;
constexpr float PLAYER_START_DIR = -0.70710677f; // both components: up and to the left
constexpr float PLAYER_SPEED = 120.0f;
constexpr float STICK_THRESHOLD = 0.4f; // a turn needs the stick strictly beyond it
// 70 degrees per second, as one rotation per frame.
constexpr float TURN_COS = 0.99979269f;
constexpr float TURN_SIN = 0.020360768f;
constexpr std::int32_t INTRO_INVULNERABILITY = 65535; // outlasts any intro
constexpr std::int32_t PLAY_INVULNERABILITY = 90;     // grace once play begins

// Enemies
constexpr float ENEMY_SPEED = 96.0f;
constexpr std::int32_t BURST_LENGTH = 40;
constexpr std::int32_t BURST_SHOT_INTERVAL = 10; // four shots per burst
constexpr float SIGHT_RANGE_SQUARED = 40000.0f;  // 200 units
constexpr float SIGHT_CONE_COS = 0.866f;         // about 30 degrees either side of the nose
constexpr double BURST_CHANCE = 0.05;            // per frame with the player in sight

// Every plane and bullet
constexpr float FIGHTER_LIFE = 1.0f;
constexpr float PLANE_RADIUS = 8.0f;
constexpr float BULLET_SPEED = 360.0f;
constexpr float BULLET_RADIUS = 2.0f;
constexpr float BULLET_LIFETIME = 0.6f;                          // seconds
constexpr float BULLET_AGE_PER_FRAME = 1.0f / FRAMES_PER_SECOND; // seconds
constexpr std::int32_t DAMAGE_INVULNERABILITY = 60;

// Hits and scores
constexpr float PLAYER_SHOT_DAMAGE = 0.5f;
constexpr float ENEMY_SHOT_DAMAGE = 0.1f;
constexpr float RAM_DAMAGE_TO_ENEMY = 0.8f;
constexpr float RAM_DAMAGE_TO_PLAYER = 0.2f;
constexpr std::int32_t HIT_SCORE = 10;
constexpr std::int32_t KILL_SCORE = 100;

// Waves: 10 enemies at first, 5 more after each cleared wave, 100 at most.
constexpr std::int32_t FIRST_WAVE_SIZE = 10;
constexpr std::int32_t WAVE_GROWTH = 5;
constexpr std::int32_t MAX_WAVE_SIZE = 100;
