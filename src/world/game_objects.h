// SPDX-License-Identifier: Zlib
#pragma once

#include "world/camera.h"
#include "world/world_geometry.h"

#include <cstdint>

class World;

// The collision circle; a plain structure with no behaviour of its own.
struct Collidable {
    float cx = 0.0f;
    float cy = 0.0f;
    float radius = 0.0f;
};

// Every moving thing on the playfield. Owned by the World through shared pointers.
class GameObject {
public:
    virtual ~GameObject() = default;
    virtual void update(World& world) = 0;
    virtual void draw(const Camera& camera) const = 0;

    float x = 0.0f; // world units, [0, 640) after every update
    float y = 0.0f;
    float dirX = 0.0f;  // heading, a unit vector
    float dirY = 0.0f;  // positive is down the screen
    float speed = 0.0f; // world units per second
    bool alive = true;
    float life = 1.0f; // fighters: health; bullets: seconds left

protected:
    GameObject(float x, float y, Vec2 heading, float speed, float life);
    GameObject(const GameObject&) = default;
    GameObject& operator=(const GameObject&) = default;
    GameObject(GameObject&&) = default;
    GameObject& operator=(GameObject&&) = default;

    // Moves one frame along the heading, wraps each axis once into [0, 640) and puts the
    // collision circle on the new position.
    void stepAlongHeading(Collidable& circle);
};

// A plane: the player's or an enemy's.
class Fighter : public GameObject, public Collidable {
public:
    // Movement, then one frame off a running invulnerability timer.
    void update(World& world) override;
    // The life lost; makeInvulnerable starts 60 frames only when no timer runs.
    void damage(float amount, bool makeInvulnerable);

    bool fireDisabled = false;
    std::int32_t invulnerableTimer = 0; // frames
    bool hit = false;                   // struck in this frame's collision pass

protected:
    Fighter(float x, float y, Vec2 heading, float speed);
};

class Player : public Fighter {
public:
    Player();
    void draw(const Camera& camera) const override;
};

class Enemy : public Fighter {
public:
    Enemy(float x, float y, float angle);
    // Movement, then the gun: idle with a sighting test, or firing a burst.
    void update(World& world) override;
    void draw(const Camera& camera) const override;

    std::int32_t burstTimer = 0; // frames left in the current burst; <= 0 is idle
};

class Bullet : public GameObject, public Collidable {
public:
    Bullet(float x, float y, float dirX, float dirY);
    void update(World& world) override;
    void draw(const Camera& camera) const override;
};
