#include "Hero.h"

#include <korvane/EventStep.h>
#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>
#include "Audio.h"
#include "Explosion.h"
#include "GameOver.h"
#include "game.h"

Hero::Hero() : direction(true) {
  ko::Sprite* p_ship = ko::ResourceManager::getInstance().getSprite("ship");
  if (p_ship == nullptr) {
    ko::LogManager::getInstance().writeLog("Hero::Hero(): Warning! Sprite '%s' not found", "ship");
  } else {
    setSprite(p_ship, true);
    setSpriteSlowdown(2);
  }
  setType(HERO);
  ko::WorldManager& world = ko::WorldManager::getInstance();
  const ko::Box view = world.getView();
  setPos(ko::Vector(view.getHorizontal() / 2, view.getVertical() - 3));
  if (world.setViewFollowing(this) == -1) ko::LogManager::getInstance().writeLog("cannot");
}

Hero::~Hero() {
  new GameOver;
  for (int dx = -8; dx <= 8; dx += 5) {
    for (int dy = -5; dy <= 5; dy += 3) {
      (new Explosion)
          ->setPos(getPos() + ko::Vector(static_cast<float>(dx), static_cast<float>(dy)));
    }
  }
}

int Hero::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() == ko::STEP_EVENT) {
    step();
    return 1;
  }
  if (p_e->getType() == ko::COLLISION_EVENT) {
    hit(static_cast<const ko::EventCollision*>(p_e));
    return 1;
  }
  return 0;
}

void Hero::step() {
  if (direction) {
    move(1);
    if (getPos().x > 74) direction = false;
  } else {
    move(-1);
    if (getPos().x < 4.1) direction = true;
  }
}

void Hero::move(int dx) {
  const ko::Vector new_pos(getPos().x + static_cast<float>(dx), getPos().y);
  const float view_width = ko::WorldManager::getInstance().getView().getHorizontal();
  if (new_pos.x > 3 && new_pos.x < view_width - 1) {
    ko::WorldManager::getInstance().moveObject(this, new_pos);
  }
}

void Hero::hit(const ko::EventCollision* p_collision_event) {
  ko::Object* p_first = p_collision_event->getObject1();
  ko::Object* p_second = p_collision_event->getObject2();
  if (p_first->getType() != ERRORS_OBJECT && p_second->getType() != ERRORS_OBJECT) return;
  audio::playSound("blast");
  ko::WorldManager::getInstance().markForDelete(p_first);
  ko::WorldManager::getInstance().markForDelete(p_second);
}

void Hero::kbd(const ko::EventKeyboard*) {}
