#include "Player.h"

#include <korvane/GameManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>

namespace {
// A held key starts repeating after this many steps, then moves every
// REPEAT_EVERY steps: a tap is one cell, a hold a steady walk.
const int REPEAT_DELAY = 6;
const int REPEAT_EVERY = 2;
}  // namespace

Player::Player() : pressed_step(0) {
  setType("Player");
  setSprite(ko::ResourceManager::getInstance().getSprite("player"));
  setSpriteSlowdown(8);
  registerInterest(ko::KEYBOARD_EVENT);
}

int Player::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() == ko::KEYBOARD_EVENT) {
    keyboard(static_cast<const ko::EventKeyboard*>(p_e));
    return 1;
  }
  return 0;
}

void Player::keyboard(const ko::EventKeyboard* p_keyboard) {
  ko::Vector direction;
  switch (p_keyboard->getKey()) {
    case ko::Keyboard::Left:
      direction = ko::Vector(-1, 0);
      break;
    case ko::Keyboard::Right:
      direction = ko::Vector(1, 0);
      break;
    case ko::Keyboard::Up:
      direction = ko::Vector(0, -1);
      break;
    case ko::Keyboard::Down:
      direction = ko::Vector(0, 1);
      break;
    case ko::Keyboard::Q:
    case ko::Keyboard::ESCAPE:
      if (p_keyboard->getKeyboardAction() == ko::KEY_PRESSED) {
        ko::GameManager::getInstance().setGameOver();
      }
      return;
    default:
      return;
  }
  const int step = ko::GameManager::getInstance().getStepCount();
  if (p_keyboard->getKeyboardAction() == ko::KEY_PRESSED) {
    pressed_step = step;
    move(direction);
  } else if (p_keyboard->getKeyboardAction() == ko::KEY_DOWN) {
    const int held = step - pressed_step;
    if (held >= REPEAT_DELAY && held % REPEAT_EVERY == 0) move(direction);
  }
}

void Player::move(ko::Vector direction) {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  const ko::Vector where = getPos() + direction;
  // The top row belongs to the displays.
  const ko::Box view = world.getView();
  if (where.x < 0 || where.x >= view.getHorizontal() || where.y < 1 ||
      where.y >= view.getVertical()) {
    return;
  }
  // Collisions on the way are reported to both parties; a coin collects
  // itself, a rock refuses the move.
  world.moveObject(this, where);
}
