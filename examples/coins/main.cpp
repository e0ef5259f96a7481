// Coins: a small game on the Korvane engine. Walk the @ with the arrow keys
// and pick up the coins; rocks are in the way. Q or Escape quits.
//
// Run it from its build directory: the engine reads its font ko-font.ttf
// from the working directory and writes korvane.log there, and the sprites
// are read from sprites/ below it.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/WorldManager.h>

#include "Level.h"

int main() {
  srand(static_cast<unsigned>(time(nullptr)));
  // Managers are destroyed in the reverse order of their first use: the log
  // comes first so that it is the last to go.
  ko::LogManager::getInstance();
  ko::GraphicsManager::getInstance();
  ko::WorldManager::getInstance();
  ko::GameManager& game = ko::GameManager::getInstance();
  if (game.startUp() != 0) {
    std::fprintf(stderr, "coins: the engine did not start; see korvane.log\n");
    game.shutDown();
    return 1;
  }
  if (loadSprites() != 0) {
    std::fprintf(stderr, "coins: cannot load the sprites; see korvane.log\n");
    game.shutDown();
    return 1;
  }
  populateWorld();
  game.run();
  game.shutDown();
  return 0;
}
