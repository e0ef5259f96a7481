#include "Explosion.h"

#include <korvane/EventStep.h>
#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>
#include "game.h"

Explosion::Explosion() : time_to_live(0) {
  registerInterest(ko::STEP_EVENT);
  setType(EXPLOSION);
  setSolidness(ko::SPECTRAL);
  // Above the blocks, which keep the middle altitude, and below the
  // displays at the top.
  setAltitude(ko::MAX_ALTITUDE - 1);
  ko::Sprite* p_explosion = ko::ResourceManager::getInstance().getSprite("explosion");
  if (p_explosion == nullptr) {
    // Without its sprite there is nothing to show: it goes on its first step.
    ko::LogManager::getInstance().writeLog("Explosion::Explosion(): Warning! Sprite '%s' not found",
                                           "explosion");
    return;
  }
  setSprite(p_explosion, true);
  time_to_live = p_explosion->getFrameCount();
}

int Explosion::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() != ko::STEP_EVENT) return 0;
  step();
  return 1;
}

void Explosion::step() {
  --time_to_live;
  if (time_to_live <= 0) ko::WorldManager::getInstance().markForDelete(this);
}
