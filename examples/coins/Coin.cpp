#include "Coin.h"

#include <cstdlib>

#include <korvane/EventCollision.h>
#include <korvane/EventView.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>

Coin::Coin() : collected(false) {
  setType("Coin");
  setSprite(ko::ResourceManager::getInstance().getSprite("coin"));
  setSpriteSlowdown(5);
  // Soft: the player walks onto it and both hear of it, but nothing stops.
  setSolidness(ko::SOFT);
  placeSomewhereFree();
}

void Coin::placeSomewhereFree() {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  const ko::Box view = world.getView();
  const int columns = static_cast<int>(view.getHorizontal()) - 2;
  // Below the score display, which takes the top three rows.
  const int rows = static_cast<int>(view.getVertical()) - 4;
  // A crowded screen still gets its coin: the last try is kept.
  for (int attempt = 0; attempt < 100; attempt++) {
    const ko::Vector where(static_cast<float>(1 + rand() % columns),
                           static_cast<float>(3 + rand() % rows));
    setPos(where);
    if (world.isCollision(this, where).isEmpty()) return;
  }
}

int Coin::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() != ko::COLLISION_EVENT) return 0;
  const auto* p_collision = static_cast<const ko::EventCollision*>(p_e);
  if (collected || (p_collision->getObject1()->getType() != "Player" &&
                    p_collision->getObject2()->getType() != "Player")) {
    return 1;
  }
  collected = true;
  const ko::EventView point("Coins", 1, true);
  ko::WorldManager::getInstance().onEvent(&point);
  new Coin;
  // Not delete this: the world is in the middle of moving objects.
  ko::WorldManager::getInstance().markForDelete(this);
  return 1;
}
