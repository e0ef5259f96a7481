// The window closed on the game-over screen, in-process with the real
// window: reaching the end of a game with the real program would mean
// waiting for a block to fall the whole screen. The loop must end at the
// close request and the high score of the game just lost must stay saved.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <korvane/GameManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameOver.h"
#include "Hero.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "game.h"

using namespace ko_test;

namespace {

TEST(CloseOnGameOver, EndsTheLoopAndKeepsTheNewHighScore) {
  useNullAudio();
  std::ofstream(SCORE_FILE) << "1";
  ASSERT_TRUE(startGame());
  focusWindow();
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(spawner(), nullptr);
  spawner()->setHighestGap(10);
  // Three points, then the next block is put on the ship.
  int points = 0;
  for (int i = 0; i < 2000 && points < 3; i++) {
    ErrorsObject* p_target = spawner()->getMaxObject();
    if (p_target != nullptr) typeText(p_target->getCurrentLine());
    runSteps(1);
    if (pointsDisplay() != nullptr) points = pointsDisplay()->getValue();
  }
  ASSERT_EQ(points, 3);
  for (int i = 0; i < 200 && blocks().empty(); i++) runSteps(1);
  ASSERT_FALSE(blocks().empty());
  ASSERT_NE(ship(), nullptr);
  ko::WorldManager::getInstance().moveObject(blocks().front(), ship()->getPos());
  runSteps(2);
  ASSERT_NE(gameOverScreen(), nullptr);
  EXPECT_EQ(readFile(SCORE_FILE), "3");

  // The close request ends run() at its next input poll.
  requestClose();
  ko::GameManager& game = ko::GameManager::getInstance();
  game.run();
  EXPECT_TRUE(game.getGameOver());
  game.shutDown();
  EXPECT_EQ(readFile(SCORE_FILE), "3");
}

}  // namespace
