// Coins played headless through the engine's test kit: the loop stepped,
// arrow keys pressed and held, the screen read back as text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <korvane/ObjectListIterator.h>
#include <korvane/TestKit.h>
#include <korvane/WorldManager.h>

#include "Level.h"

namespace {

std::vector<ko::Object*> objectsOfType(const std::string& type) {
  std::vector<ko::Object*> found;
  const ko::ObjectList all = ko::WorldManager::getInstance().getAllObjects();
  for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    if (it.currentObject()->getType() == type) found.push_back(it.currentObject());
  }
  return found;
}

class Coins : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(kit.startUp(), 0);
    ASSERT_EQ(loadSprites(), 0);
    populateWorld();
    const std::vector<ko::Object*> players = objectsOfType("Player");
    ASSERT_EQ(players.size(), 1u);
    p_player = players[0];
    kit.runSteps(1);
  }

  // The coin count at the top right, as the screen shows it.
  std::string score() const {
    const std::string top = kit.getRow(0);
    const std::size_t at = top.find("Coins ");
    if (at == std::string::npos) return "";
    return top.substr(at, top.find_last_not_of(' ') + 1 - at);
  }

  // Puts a coin in the player's way, on the cell to its right.
  void coinToTheRight() {
    const std::vector<ko::Object*> coins = objectsOfType("Coin");
    ASSERT_FALSE(coins.empty());
    coins[0]->setPos(p_player->getPos() + ko::Vector(1, 0));
  }

  ko::TestKit kit{7};
  ko::Object* p_player = nullptr;
};

TEST_F(Coins, TheScoreShowsNoCoinsAtTheStart) {
  EXPECT_EQ(score(), "Coins 0");
  EXPECT_EQ(kit.getRow(0).find_last_not_of(' '), 79u) << "at the right edge";
  EXPECT_EQ(kit.getColor(79, 0), ko::YELLOW);
  EXPECT_EQ(objectsOfType("Coin").size(), 5u);
}

TEST_F(Coins, ACoinWalkedOntoIsPickedUpAndCounted) {
  for (int picked = 1; picked <= 3; picked++) {
    SCOPED_TRACE("coin " + std::to_string(picked));
    ASSERT_NO_FATAL_FAILURE(coinToTheRight());
    const float x = p_player->getPos().x;
    kit.tapKey(ko::Keyboard::RIGHT);
    kit.runSteps(1);
    EXPECT_EQ(p_player->getPos().x, x + 1);
    EXPECT_EQ(score(), "Coins " + std::to_string(picked));
    // A new coin for the one taken.
    EXPECT_EQ(objectsOfType("Coin").size(), 5u);
  }
  // The player is drawn where it now stands.
  const int col = static_cast<int>(p_player->getPos().x);
  const int row = static_cast<int>(p_player->getPos().y);
  EXPECT_EQ(kit.getRow(row)[static_cast<std::size_t>(col)], '@');
  EXPECT_EQ(kit.getColor(col, row), ko::GREEN);
}

TEST_F(Coins, ARockBlocksTheWay) {
  // The rock centred on (38, 10) spans columns 36 to 39 and rows 9 and 10.
  p_player->setPos(ko::Vector(30, 10));
  kit.pressKey(ko::Keyboard::RIGHT);
  kit.runSteps(40);
  kit.releaseKey(ko::Keyboard::RIGHT);
  kit.runSteps(1);
  EXPECT_EQ(p_player->getPos().x, 35);
  EXPECT_EQ(kit.getRow(9).substr(35, 5), "  /\\ ");
  EXPECT_EQ(kit.getRow(10).substr(35, 5), "@/__\\");
}

}  // namespace
