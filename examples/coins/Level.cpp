#include "Level.h"

#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>

#include "Coin.h"
#include "Player.h"

namespace {

const int COIN_COUNT = 5;

// Rocks need no behaviour of their own: a plain object with a sprite, hard
// by default, so that the player cannot walk through.
void placeRock(float x, float y) {
  auto* p_rock = new ko::Object;
  p_rock->setType("Rock");
  p_rock->setSprite(ko::ResourceManager::getInstance().getSprite("rock"));
  p_rock->setPos(ko::Vector(x, y));
}

}  // namespace

int loadSprites() {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  if (resources.loadSprite("sprites/player-spr.txt", "player") != 0) return -1;
  if (resources.loadSprite("sprites/coin-spr.txt", "coin") != 0) return -1;
  if (resources.loadSprite("sprites/rock-spr.txt", "rock") != 0) return -1;
  return 0;
}

void populateWorld() {
  const float rocks[][2] = {{10, 5}, {30, 15}, {55, 8}, {68, 18}, {20, 19}, {45, 3}, {38, 10}};
  for (const auto& rock : rocks) placeRock(rock[0], rock[1]);

  auto* p_player = new Player;
  p_player->setPos(ko::Vector(40, 20));

  // After the rocks and the player, so that coins keep clear of them.
  for (int i = 0; i < COIN_COUNT; i++) new Coin;

  // The score: view events tagged "Coins" add to it.
  auto* p_coins = new ko::ViewObject;
  p_coins->setViewString("Coins");
  p_coins->setValue(0);
  p_coins->setLocation(ko::TOP_RIGHT);
  p_coins->setColor(ko::YELLOW);
}
