#include "app/app.h"

// Placeholder until the shell lands.
bool startUp() { return false; }
bool runFrame() { return false; }
void shutDown() {}
void waitForNextFrame() {}
