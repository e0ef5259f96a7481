#include "GameStart.h"

#include <korvane/EventKeyboard.h>
#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include "ErrorsObjectList.h"
#include "Hero.h"
#include "game.h"

GameStart::GameStart() : p_music(nullptr), e_list(nullptr), key_grace(0) {
  setType(GAME_START);
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ko::Sprite* p_title = resources.getSprite("gamestart");
  if (p_title == nullptr) {
    ko::LogManager::getInstance().writeLog(
        "GameStart::GameStart(): Warning! Sprite 'gamestart' not found");
  } else {
    setSprite(p_title, true);
    setSpriteSlowdown(15);
  }
  setLocation(ko::CENTER_CENTER);
  registerInterest(ko::KEYBOARD_EVENT);
  // The key grace is counted in the game's own steps.
  registerInterest(ko::STEP_EVENT);
  p_music = resources.getMusic("start music");
  playMusic();
}

int GameStart::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() == ko::STEP_EVENT) {
    if (key_grace > 0) key_grace--;
    return 1;
  }
  if (p_e->getType() != ko::KEYBOARD_EVENT) return 0;
  if (key_grace > 0) return 1;
  const auto* p_key = static_cast<const ko::EventKeyboard*>(p_e);
  if (p_key->getKey() == ko::Keyboard::P) {
    start();
  } else if (p_key->getKey() == ko::Keyboard::Q) {
    ko::GameManager::getInstance().setGameOver(true);
  }
  return 1;
}

void GameStart::draw() { ko::Object::draw(); }

void GameStart::start() {
  setIsActive(false);
  if (p_music != nullptr) p_music->pause();
  p_music = ko::ResourceManager::getInstance().getMusic("spectre");
  playMusic();
  new Hero;
  e_list = new ErrorsObjectList;
  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  p_points->setValue(0);
  auto* p_speed = new ko::ViewObject;
  p_speed->setViewString(WPM_DISPLAY);
  p_speed->setValue(0);
  p_speed->setLocation(ko::TOP_RIGHT);
}

void GameStart::playMusic() {
  if (p_music != nullptr) p_music->play(true);
}

void GameStart::playOnReturn() {
  p_music = ko::ResourceManager::getInstance().getMusic("start music");
  if (p_music == nullptr) return;
  p_music->pause();
  p_music->play(true);
}

void GameStart::startKeyGrace() { key_grace = KEY_GRACE_STEPS; }
