#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include <korvane/GameManager.h>
#include <korvane/LogManager.h>
#include <korvane/WorldManager.h>
#include "RecordingObject.h"

using ko_test::RecordingObject;

TEST(GameManager, StepEventsCarryTheStepCountOfTheirIteration) {
  ko::GameManager& game = ko::GameManager::getInstance();
  auto* p_o = new RecordingObject;
  // A derived registration for the step event is refused: still one per step.
  EXPECT_EQ(p_o->registerInterest(ko::STEP_EVENT), -1);
  for (int i = 0; i < 3; ++i) game.runIteration();
  ASSERT_EQ(p_o->count(ko::STEP_EVENT), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(p_o->seen[i].step_count, i);
  EXPECT_EQ(game.getStepCount(), 3);
}

TEST(GameManager, GameOverFromAHandlerFinishesTheIteration) {
  ko::GameManager& game = ko::GameManager::getInstance();
  auto* p_o = new RecordingObject;
  p_o->setVelocity(ko::Vector(1, 0));
  p_o->on_event = [&game](const ko::Event*) { game.setGameOver(true); };
  ko::Vector last_pos;
  p_o->on_destroy = [&] { last_pos = p_o->getPos(); };
  game.run();  // with no window left open, run() also shuts the engine down
  EXPECT_EQ(game.getStepCount(), 1);
  EXPECT_EQ(last_pos, ko::Vector(1, 0));  // the update still ran
}

TEST(GameManager, ManagerTypesAndValidity) {
  ko::GameManager& game = ko::GameManager::getInstance();
  EXPECT_EQ(game.getType(), "ko::game_manager");
  EXPECT_EQ(game.getFrameTime(), 33);
  EXPECT_TRUE(game.isValid("ko::step"));
  EXPECT_FALSE(game.isValid("ko::keyboard"));
  EXPECT_EQ(ko::WorldManager::getInstance().getType(), "ko::world_manager");
  EXPECT_EQ(ko::LogManager::getInstance().getType(), "ko::log_manager");
}

TEST(GameManager, AFailingLogStopsTheStartBeforeTheWorld) {
  // A working directory that no longer exists: the log cannot be created.
  char dir_template[] = "/tmp/ko-gone-XXXXXX";
  ASSERT_NE(mkdtemp(dir_template), nullptr);
  ASSERT_EQ(chdir(dir_template), 0);
  ASSERT_EQ(rmdir(dir_template), 0);
  ko::GameManager& game = ko::GameManager::getInstance();
  EXPECT_EQ(game.startUp(), -1);
  EXPECT_FALSE(game.isStarted());
  EXPECT_FALSE(ko::WorldManager::getInstance().isStarted());
  EXPECT_EQ(ko::LogManager::getInstance().writeLog("lost"), -1);
  // Shutting down twice after a failed start is harmless.
  game.shutDown();
  game.shutDown();
  EXPECT_TRUE(game.getGameOver());
}
