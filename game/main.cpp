// The typing game's entry: reads the command line, brings the engine up,
// loads the game's resources, places the title screen and the pause key,
// and runs the loop.
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

#include <korvane/EventKeyboard.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/Pause.h>
#include <korvane/WorldManager.h>
#include "GameSetup.h"

namespace {

const char USAGE[] =
    "Usage: korvane [OPTION]...\n"
    "Type the words on the falling blocks before they reach your ship.\n"
    "\n"
    "  --fullscreen  start in fullscreen (F11 switches while playing)\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

// Status for a command line the game does not understand.
const int USAGE_ERROR = 2;

}  // namespace

int main(int argc, char** argv) {
  bool fullscreen = false;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << USAGE;
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "korvane " << KO_VERSION << "\n";
      return 0;
    }
    if (std::strcmp(argv[i], "--fullscreen") == 0) {
      fullscreen = true;
      continue;
    }
    std::cerr << "korvane: unknown option '" << argv[i] << "'\n" << USAGE;
    return USAGE_ERROR;
  }

  srand(static_cast<unsigned>(time(nullptr)));
  ko::LogManager& log = ko::LogManager::getInstance();
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  // Chosen before start-up, so that the window opens that way.
  graphics.setFullscreen(fullscreen);
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
