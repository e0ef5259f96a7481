// The two halves of the game's start that follow the engine's start-up:
// registering every resource under its label, and placing the title screen.
#pragma once

// Loads the ten sprites, sounds and music; a file that fails is logged by
// the loader and shows up later as a missing label. Also clears away the
// temporaries that killed saves of the score file left.
void loadResources();
// The title screen, and the F11 key that switches fullscreen on every screen.
void populateWorld();
