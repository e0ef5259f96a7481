// The spawner's clock, driven directly with the loop's step numbers: the
// gap between blocks and its shortening, and the game-over switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <korvane/GameManager.h>
#include <korvane/WorldManager.h>
#include "ErrorsObjectList.h"
#include "EventGameOver.h"
#include "GameDriver.h"
#include "TestSupport.h"

using namespace ko_test;

namespace {

class Spawner : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startGameHeadless(5));
    p_list = new ErrorsObjectList;
  }
  void TearDown() override { ko::GameManager::getInstance().shutDown(); }

  // Steps the clock once; whether it made a block.
  bool spawnsAt(int step_number) {
    const std::size_t before = blocks().size();
    p_list->step(step_number);
    const std::size_t after = blocks().size();
    EXPECT_LE(after, before + 1);
    return after > before;
  }

  ErrorsObjectList* p_list = nullptr;
};

TEST_F(Spawner, GapShortensAtEveryMultipleOf600DownTo23) {
  // The gap after 0 to 9 speed-ups; the speed-up falls on the step numbers
  // 600, 1200, ... 5400, after that step's own spawn test.
  const int gaps[] = {240, 216, 191, 167, 143, 119, 95, 71, 47, 23};
  std::vector<int> expected;
  std::vector<int> spawned;
  for (int n = 1; n <= 6600; n++) {
    const int speed_ups = std::min((n - 1) / 600, 9);
    if (n % gaps[speed_ups] == 0) expected.push_back(n);
    if (spawnsAt(n)) spawned.push_back(n);
  }
  EXPECT_EQ(spawned, expected);
  EXPECT_LE(p_list->getAccelerate(), 0.1f);
}

TEST_F(Spawner, GameOverEventsStopAndRestartIt) {
  ASSERT_TRUE(p_list->isSpawning());
  EXPECT_TRUE(spawnsAt(240));

  const EventGameOver game_over;
  ko::WorldManager::getInstance().onEvent(&game_over);
  EXPECT_FALSE(p_list->isSpawning());
  EXPECT_FALSE(spawnsAt(480));
  // A stopped clock does not speed up either.
  EXPECT_FALSE(spawnsAt(600));
  EXPECT_FLOAT_EQ(p_list->getAccelerate(), 1.0f);

  ko::WorldManager::getInstance().onEvent(&game_over);
  EXPECT_TRUE(p_list->isSpawning());
  EXPECT_TRUE(spawnsAt(720));
}

}  // namespace
