// How a game is typed, counted in-process with known keys: typed keys,
// hits, misses, characters removed, time in play across a real pause, the
// live speed display and the lines of the game-over screen.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <korvane/GameManager.h>
#include <korvane/Pause.h>
#include <korvane/ViewObject.h>
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

class TypingStats : public ::testing::Test {
 protected:
  void SetUp() override {
    useNullAudio();
    srand(3);
    std::remove(STATS_FILE.c_str());
    writeContents({"banana"});
    ASSERT_TRUE(startGame());
    runSteps(1);
  }
  void TearDown() override { ko::GameManager::getInstance().shutDown(); }

  // Runs n steps of the game, keeping count of them.
  void play(int n) {
    runSteps(n);
    played += n;
  }

  int played = 0;
};

TEST_F(TypingStats, KnownKeysAreCountedExactlyAndAPauseCostsNoTime) {
  new ko::Pause(ko::Keyboard::F10);
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ko::ViewObject* p_speed = display(WPM_DISPLAY);
  ASSERT_NE(p_speed, nullptr);
  EXPECT_EQ(p_speed->getLocation(), ko::TOP_RIGHT);
  EXPECT_EQ(p_speed->getValue(), 0);
  // The release of the starting P, a key that types nothing and a press
  // are no typing; an x with no target is a miss.
  releaseKey(ko::Keyboard::P);
  releaseKey(ko::Keyboard::Num1);
  sendKey(ko::Keyboard::A, ko::KEY_PRESSED);
  typeText("x");

  while (blocks().empty() && played < 300) play(1);
  play(1);
  ErrorsObject* p_target = spawner()->getMaxObject();
  ASSERT_NE(p_target, nullptr);
  p_target->setHardness(1);
  ASSERT_EQ(p_target->getCurrentLine(), "banana");
  // a takes three, n two, b the last one; the second b finds the block
  // cleared and misses.
  typeText("azqnzbb");
  const TypingTally& tally = spawner()->getTally();
  EXPECT_EQ(tally.getTypedKeys(), 8);
  EXPECT_EQ(tally.getHits(), 3);
  EXPECT_EQ(tally.getMisses(), 5);
  EXPECT_EQ(tally.getCharsRemoved(), 6);

  // A real pause of half a second: no step runs, so no time is counted.
  focusWindow();
  const int steps_before = tally.getSteps();
  std::thread resume([] {
    sleepMs(500);
    xdotool("keydown F10");
    xdotool("keyup F10");
  });
  const auto paused_at = std::chrono::steady_clock::now();
  releaseKey(ko::Keyboard::F10);
  resume.join();
  EXPECT_GE(std::chrono::steady_clock::now() - paused_at, std::chrono::milliseconds(400));
  EXPECT_EQ(tally.getSteps(), steps_before);
  EXPECT_EQ(tally.getSteps(), played);

  // The display shows the speed as of each whole second: at the ninth
  // (273 steps, 9.009 s) 6 characters make 7.99 wpm, shown as 8 until the
  // tenth (304 steps, 10.032 s) brings 7.18.
  while (played < 303) play(1);
  EXPECT_EQ(p_speed->getValue(), 8);
  play(1);
  EXPECT_EQ(p_speed->getValue(), 7);

  // The game ends in step 330 (10.89 s): 6.6 wpm rounds to 7.
  while (played < 329) play(1);
  ASSERT_NE(ship(), nullptr);
  (new ErrorsObject(spawner(), spawner()->getContentsCount()))->setPos(ship()->getPos());
  play(1);
  GameOver* p_over = gameOverScreen();
  ASSERT_NE(p_over, nullptr);
  EXPECT_EQ(display(WPM_DISPLAY), nullptr) << "the speed display goes with the game";
  EXPECT_EQ(tally.getSteps(), 330);
  EXPECT_EQ(tally.getWpm(), 7);
  EXPECT_EQ(tally.getAccuracy(), 37);

  // Keys on the game-over screen are no longer this game's.
  typeText("zzz");
  runSteps(5);
  EXPECT_EQ(tally.getTypedKeys(), 8);
  EXPECT_EQ(tally.getSteps(), 330);

  EXPECT_EQ(p_over->getPointsLine(), "Your points: 1   new best!");
  EXPECT_EQ(p_over->getTypingLine(), "Your typing: 7 wpm   37% accuracy   missed most: z b q");
  // Eight keys are too few for a best accuracy.
  EXPECT_EQ(p_over->getBestsLine(), "Your bests: 7 wpm (new best!)   - accuracy");
  EXPECT_EQ(readFile(STATS_FILE),
            "games_played 1\ntyped_keys 8\nhits 3\nchars_removed 6\nsteps_in_play 330\n"
            "best_wpm 7\naccuracy_games 0\nbest_accuracy 0\n");
}

TEST_F(TypingStats, AGameWithoutKeysShowsNoAccuracyAndNoMisses) {
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  releaseKey(ko::Keyboard::P);
  play(40);
  ASSERT_NE(display(WPM_DISPLAY), nullptr);
  EXPECT_EQ(display(WPM_DISPLAY)->getValue(), 0);
  (new ErrorsObject(spawner(), spawner()->getContentsCount()))->setPos(ship()->getPos());
  play(1);
  ASSERT_NE(gameOverScreen(), nullptr);
  EXPECT_EQ(gameOverScreen()->getTypingLine(), "Your typing: 0 wpm   - accuracy");
  EXPECT_EQ(gameOverScreen()->getBestsLine(), "Your bests: 0 wpm   - accuracy");
}

}  // namespace
