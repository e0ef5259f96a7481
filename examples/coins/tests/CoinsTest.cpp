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

  // The coin count in the top rows, as the screen shows it ("Coins 3"),
  // and where; empty when it is not there.
  std::string score(int* p_col = nullptr, int* p_row = nullptr) const {
    for (int row = 0; row < 3; row++) {
      const std::string text = kit.getRow(row);
      const std::size_t at = text.find("Coins ");
      if (at == std::string::npos) continue;
      if (p_col != nullptr) *p_col = static_cast<int>(at);
      if (p_row != nullptr) *p_row = row;
      return text.substr(at, text.find_first_not_of("0123456789", at + 6) - at);
    }
    return "";
  }

  // The player's sprite has two frames; its colour tells it on screen.
  bool playerDrawnAt(int col, int row) const { return kit.getColor(col, row) == ko::GREEN; }

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
  int col = 0, row = 0;
  EXPECT_EQ(score(&col, &row), "Coins 0");
  EXPECT_GT(col, 40) << "on the right";
  EXPECT_EQ(kit.getColor(col, row), ko::YELLOW);
  EXPECT_EQ(objectsOfType("Coin").size(), 5u);
}

TEST_F(Coins, ACoinWalkedOntoIsPickedUpAndCounted) {
  for (int picked = 1; picked <= 3; picked++) {
    SCOPED_TRACE("coin " + std::to_string(picked));
    ASSERT_NO_FATAL_FAILURE(coinToTheRight());
    const float x = p_player->getPos().x;
    kit.tapKey(ko::Keyboard::Right);
    kit.runSteps(1);
    EXPECT_EQ(p_player->getPos().x, x + 1);
    EXPECT_EQ(score(), "Coins " + std::to_string(picked));
    // A new coin for the one taken.
    EXPECT_EQ(objectsOfType("Coin").size(), 5u);
  }
  // The player is drawn where it now stands.
  const int col = static_cast<int>(p_player->getPos().x);
  const int row = static_cast<int>(p_player->getPos().y);
  EXPECT_TRUE(playerDrawnAt(col, row));
  EXPECT_FALSE(playerDrawnAt(col - 1, row));
}

TEST_F(Coins, ARockBlocksTheWay) {
  // The rock centred on (38, 10) spans columns 36 to 39 and rows 9 and 10.
  p_player->setPos(ko::Vector(30, 10));
  kit.pressKey(ko::Keyboard::Right);
  kit.runSteps(40);
  kit.releaseKey(ko::Keyboard::Right);
  kit.runSteps(1);
  EXPECT_EQ(p_player->getPos().x, 35);
  EXPECT_EQ(kit.getRow(9).substr(36, 4), " /\\ ");
  EXPECT_EQ(kit.getRow(10).substr(36, 4), "/__\\");
  EXPECT_TRUE(playerDrawnAt(35, 10));
}

}  // namespace
