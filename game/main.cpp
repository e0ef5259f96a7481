// The typing game's entry: brings the engine up, loads the game's
// resources, places the title screen and the pause key, and runs the loop.
#include <cstdlib>
#include <ctime>

#include <korvane/EventKeyboard.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/Pause.h>
#include <korvane/WorldManager.h>
#include "GameSetup.h"

int main(int, char**) {
  srand(static_cast<unsigned>(time(nullptr)));
  ko::LogManager& log = ko::LogManager::getInstance();
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  ko::WorldManager::getInstance();
  ko::GameManager& game = ko::GameManager::getInstance();
  if (game.startUp() != 0) {
    log.writeLog("Error starting game manager!");
    game.shutDown();
    return 0;
  }
  const sf::Color dark_blue(7, 61, 147, 255);
  graphics.setBackgroundColor(dark_blue);
  graphics.setBackgroundTextColor(dark_blue);
  log.setFlush(false);
  loadResources();
  populateWorld();
  ko::Pause* p_pause = new ko::Pause(ko::Keyboard::F10);
  // A frozen screen alone looks like a hang; say why and how to go on.
  p_pause->setShowLabel(true);
  p_pause->setLabel(" paused - F10 resumes ");
  game.run();
  game.shutDown();
  return 0;
}
