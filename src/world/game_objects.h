#pragma once

#include "platform/sprite_sheet.h"
#include "world/camera.h"

#include <cstdint>

class World;

// World geometry shared by every object: a 640-unit square that wraps on both axes.
constexpr float WORLD_SIZE = 640.0f;
constexpr int WORLD_SIZE_INT = 640;
constexpr float FRAMES_PER_SECOND = 60.0f;

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

// Divides by the length only when the squared length exceeds float epsilon.
Vec2 normalized(Vec2 v);

// The sprite frame for a heading: column 0 (up) to 128 (down) through left,
// mirrored for headings with a component to the right.
struct HeadingFrame {
    int column = 0;
    bool mirror = false;
};
HeadingFrame headingColumn(float dirX, float dirY);

// Top-left screen corner of a sprite of half-size `half` centred on world (x, y),
// seen by `camera` with a view of viewW x viewH, corrected across the world's seam.
ScreenPoint worldToScreen(float x, float y, int half, const Camera& camera, int viewW, int viewH);

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
};

// The collision circle; a plain structure with no behaviour of its own.
struct Collidable {
    float cx = 0.0f;
    float cy = 0.0f;
    float radius = 0.0f;
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
