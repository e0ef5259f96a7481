#include "GameSetup.h"

#include <korvane/ResourceManager.h>
#include "FullscreenKey.h"
#include "GameStart.h"
#include "ScoreFile.h"
#include "StatsFile.h"
#include "game.h"

void loadResources() {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  resources.loadSprite("../sprites/explosion-spr.txt", "explosion");
  resources.loadSprite("../sprites/ship-spr.txt", "ship");
  resources.loadSound("../sounds/errors-sound.wav", "errors");
  resources.loadSound("../sounds/fire.wav", "fire");
  resources.loadSound("../sounds/blast.wav", "blast");
  resources.loadSound("../sounds/game-over.wav", "game over");
  resources.loadSprite("../sprites/gamestart-spr.txt", "gamestart");
  resources.loadSprite("../sprites/gameover-spr.txt", "gameover");
  resources.loadMusic("../sounds/spectre.ogg", "spectre");
  resources.loadMusic("../sounds/start-music.wav", "start music");
  // Saves killed half-way leave their temporaries; nothing else would ever
  // remove them.
  score_file::removeStaleTemporaries(SCORE_FILE);
  stats_file::removeStaleTemporaries(STATS_FILE);
}

void populateWorld() {
  new GameStart;
  new FullscreenKey;
}
