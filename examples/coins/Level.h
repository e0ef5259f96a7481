// The level of Coins: its sprites and its starting world, shared by the
// game's main and its tests.
#pragma once

// Loads the three sprites from sprites/; 0, or -1 when one fails (the log
// says which).
int loadSprites();

// Places the rocks, the player, the coins and the score display; the world
// owns them all. Needs the sprites loaded and the engine started.
void populateWorld();
