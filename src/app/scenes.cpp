#include "app/scenes.h"

#include "app/app_context.h"

// Placeholder screens until the scene sequencer lands.
void createWorld()
{
    app.scene = SCENE_TITLE;
    app.sceneTimer = 0;
    app.titleReady = 0;
}

void destroyWorld() { app.world = nullptr; }

void runScene() {}
void runTitle() {}
void runMissionIntro() {}
void runPlaying() {}
void runMissionClear() {}
void runGameOver() {}
