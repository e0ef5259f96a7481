// Whole games played in-process: the title screen's keys, a game from its
// first block to the game-over screen and back, with and without the
// game's sounds and sprites, and the engine shutting down mid-game.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <korvane/GameManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameOver.h"
#include "GameStart.h"
#include "Hero.h"
#include "TestSupport.h"
#include "game.h"

using namespace ko_test;

namespace {

bool logHas(const std::string& line) {
  for (const std::string& l : logLines()) {
    if (l == line) return true;
  }
  return false;
}

// Types the target's lines until it is cleared (it goes at the next step).
void clearTarget() {
  ErrorsObjectList* p_list = spawner();
  ASSERT_NE(p_list, nullptr);
  ErrorsObject* p_target = p_list->getMaxObject();
  ASSERT_NE(p_target, nullptr);
  for (int line = 0; line < 3 && !p_target->getCurrentLine().empty(); line++) {
    typeText(p_target->getCurrentLine());
  }
  ASSERT_TRUE(p_target->getCurrentLine().empty());
}

// Runs until a block exists; returns the steps run, or -1.
int waitForBlock(int limit) {
  for (int steps = 1; steps <= limit; steps++) {
    runSteps(1);
    if (!blocks().empty()) return steps;
  }
  return -1;
}

class GameFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(startGameHeadless(3, loadsResources()));
    runSteps(1);
  }
  void TearDown() override { ko::GameManager::getInstance().shutDown(); }
  virtual bool loadsResources() const { return true; }
};

TEST_F(GameFlow, TitleScreenStartsAGameOnPOnly) {
  GameStart* p_title = titleScreen();
  ASSERT_NE(p_title, nullptr);
  EXPECT_EQ(musicState("start music"), "playing");
  for (ko::Keyboard::Key key : {ko::Keyboard::A, ko::Keyboard::R, ko::Keyboard::SPACE,
                                ko::Keyboard::F10, ko::Keyboard::Num1}) {
    SCOPED_TRACE(key);
    sendKey(key, ko::KEY_PRESSED);
    releaseKey(key);
    runSteps(1);
    EXPECT_TRUE(p_title->isActive());
    EXPECT_EQ(ship(), nullptr);
    EXPECT_FALSE(ko::GameManager::getInstance().getGameOver());
  }

  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  EXPECT_FALSE(p_title->isActive());
  ASSERT_NE(ship(), nullptr);
  ASSERT_NE(spawner(), nullptr);
  EXPECT_TRUE(spawner()->isSpawning());
  const ko::ViewObject* p_points = pointsDisplay();
  ASSERT_NE(p_points, nullptr);
  EXPECT_EQ(p_points->getValue(), 0);
  EXPECT_EQ(musicState("start music"), "paused");
  EXPECT_EQ(musicState("spectre"), "playing");

  // The release of that P, and its repeats, reach only the new game.
  sendKey(ko::Keyboard::P, ko::KEY_DOWN);
  releaseKey(ko::Keyboard::P);
  runSteps(1);
  EXPECT_EQ(countOfType(HERO), 1);
  EXPECT_EQ(countOfType(ELIST), 1);
  EXPECT_EQ(countOfType(ko::VIEW_OBJECT), 2) << "the points and the speed";
  EXPECT_NE(display(WPM_DISPLAY), nullptr);
}

TEST_F(GameFlow, QOnTheTitleEndsTheLoop) {
  sendKey(ko::Keyboard::Q, ko::KEY_PRESSED);
  ko::GameManager& game = ko::GameManager::getInstance();
  EXPECT_TRUE(game.getGameOver());
  const int steps = game.getStepCount();
  game.run();
  EXPECT_EQ(game.getStepCount(), steps);
}

// Played once with the game's files and once with no sprite, sound or
// music loaded at all: the game must run the same, only quieter and bare.
class WholeGame : public GameFlow, public ::testing::WithParamInterface<bool> {
 protected:
  bool loadsResources() const override { return GetParam(); }
};

TEST_P(WholeGame, BlockAtTheShipEndsTheGameAndRReturnsToTheTitle) {
  writeContents({"seg fault", "no such file"});
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_EQ(ko::GameManager::getInstance().getStepCount(), 1);

  // The spawner keeps the loop's count: the first block comes in the step
  // numbered 240, the next at 480.
  ko::GameManager& game = ko::GameManager::getInstance();
  ASSERT_NE(waitForBlock(300), -1);
  EXPECT_EQ(game.getStepCount() - 1, 240);
  runSteps(1);
  clearTarget();
  ASSERT_NE(pointsDisplay(), nullptr);
  EXPECT_EQ(pointsDisplay()->getValue(), 1);
  runSteps(1);
  ASSERT_NE(waitForBlock(300), -1);
  EXPECT_EQ(game.getStepCount() - 1, 480);
  runSteps(1);
  clearTarget();
  runSteps(10);  // past the explosions of the cleared blocks
  ASSERT_NE(pointsDisplay(), nullptr);
  EXPECT_EQ(pointsDisplay()->getValue(), 2);
  ASSERT_TRUE(blocks().empty());
  ASSERT_EQ(countOfType(EXPLOSION), 0);

  // One block where the ship is about to move, one far above it.
  Hero* p_ship = ship();
  ASSERT_NE(p_ship, nullptr);
  auto* p_falling = new ErrorsObject(spawner(), spawner()->getContentsCount());
  p_falling->setPos(p_ship->getPos());
  (new ErrorsObject(spawner(), spawner()->getContentsCount()))->setPos(ko::Vector(30, -20));
  runSteps(1);

  EXPECT_EQ(ship(), nullptr);
  GameOver* p_over = gameOverScreen();
  ASSERT_NE(p_over, nullptr);
  EXPECT_EQ(p_over->getHighScore(), 2);
  EXPECT_EQ(readFile(SCORE_FILE), "2");
  EXPECT_EQ(pointsDisplay(), nullptr);
  EXPECT_EQ(countOfType(ko::VIEW_OBJECT), 0);
  EXPECT_TRUE(blocks().empty()) << "the game-over event removes every block";
  ASSERT_NE(spawner(), nullptr);
  EXPECT_FALSE(spawner()->isSpawning());
  // Sixteen around the ship and one for each of the two blocks.
  EXPECT_EQ(countOfType(EXPLOSION), 18);
  EXPECT_FALSE(titleScreen()->isActive());

  // Only a released R leaves the screen.
  sendKey(ko::Keyboard::R, ko::KEY_PRESSED);
  sendKey(ko::Keyboard::R, ko::KEY_DOWN);
  releaseKey(ko::Keyboard::A);
  releaseKey(ko::Keyboard::P);
  runSteps(300);
  EXPECT_EQ(gameOverScreen(), p_over);
  EXPECT_TRUE(blocks().empty()) << "the stopped spawner makes no blocks";

  releaseKey(ko::Keyboard::R);
  runSteps(1);
  EXPECT_EQ(gameOverScreen(), nullptr);
  EXPECT_EQ(spawner(), nullptr);
  ASSERT_NE(titleScreen(), nullptr);
  EXPECT_TRUE(titleScreen()->isActive());
  if (GetParam()) {
    EXPECT_EQ(musicState("start music"), "playing");
    EXPECT_EQ(musicState("spectre"), "stopped");
  }
  runSteps(250);
  EXPECT_TRUE(blocks().empty());

  // The next game starts from nothing but the high score.
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(pointsDisplay(), nullptr);
  EXPECT_EQ(pointsDisplay()->getValue(), 0);
  ASSERT_NE(display(WPM_DISPLAY), nullptr);
  EXPECT_EQ(display(WPM_DISPLAY)->getValue(), 0);
  EXPECT_EQ(countOfType(ko::VIEW_OBJECT), 2);
  EXPECT_EQ(countOfType(HERO), 1);
  ASSERT_NE(spawner(), nullptr);
  EXPECT_TRUE(spawner()->isSpawning());
  if (GetParam()) {
    EXPECT_EQ(musicState("spectre"), "playing");
  }

  // Q belongs to the title screen, which is asleep during a game.
  sendKey(ko::Keyboard::Q, ko::KEY_PRESSED);
  releaseKey(ko::Keyboard::Q);
  runSteps(1);
  EXPECT_FALSE(game.getGameOver());
  EXPECT_EQ(readFile(SCORE_FILE), "2");

  if (!GetParam()) {
    for (const char* warning : {"GameStart::GameStart(): Warning! Sprite 'gamestart' not found",
                                "Hero::Hero(): Warning! Sprite 'ship' not found",
                                "Explosion::Explosion(): Warning! Sprite 'explosion' not found",
                                "GameOver::GameOver(): Warning! Sprite 'gameover' not found"}) {
      EXPECT_TRUE(logHas(warning)) << warning;
    }
    EXPECT_EQ(musicState("start music"), "missing");
  }
}

INSTANTIATE_TEST_SUITE_P(Resources, WholeGame, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& case_info) {
                           return case_info.param ? "AllLoaded" : "NoneLoaded";
                         });

// Starts a game, gives it the score, and puts a block on the ship: the
// game-over screen is up when this returns.
void loseGameWith(int score) {
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(pointsDisplay(), nullptr);
  pointsDisplay()->setValue(score);
  ASSERT_NE(ship(), nullptr);
  (new ErrorsObject(spawner(), spawner()->getContentsCount()))->setPos(ship()->getPos());
  runSteps(1);
  ASSERT_NE(gameOverScreen(), nullptr);
}

// Presses and releases the keys once in each step of the grace second but
// its last, and once more at its end, when they are still to be ignored.
void typeThroughGrace(std::initializer_list<ko::Keyboard::Key> keys) {
  for (int i = 0; i < KEY_GRACE_STEPS; i++) {
    if (i > 0) runSteps(1);
    for (ko::Keyboard::Key key : keys) {
      sendKey(key, ko::KEY_PRESSED);
      releaseKey(key);
    }
  }
  runSteps(1);
}

// A player who dies mid-word keeps typing: for one second neither the
// game-over screen nor the title that follows it acts on a key.
class KeyGrace : public GameFlow, public ::testing::WithParamInterface<ko::Keyboard::Key> {};

TEST_P(KeyGrace, KeysOfTheFirstSecondAreIgnoredOnGameOverAndTitle) {
  ASSERT_NO_FATAL_FAILURE(loseGameWith(1));
  GameOver* p_over = gameOverScreen();
  typeThroughGrace({ko::Keyboard::R, ko::Keyboard::P, ko::Keyboard::Q});
  EXPECT_EQ(gameOverScreen(), p_over) << "an R typed in the grace second left the screen";

  releaseKey(ko::Keyboard::R);
  runSteps(1);
  ASSERT_EQ(gameOverScreen(), nullptr) << "R after the grace second did not act";
  GameStart* p_title = titleScreen();
  ASSERT_TRUE(p_title->isActive());

  ko::GameManager& game = ko::GameManager::getInstance();
  typeThroughGrace({ko::Keyboard::P, ko::Keyboard::Q});
  EXPECT_TRUE(p_title->isActive()) << "a P typed in the grace second started a game";
  EXPECT_EQ(ship(), nullptr);
  EXPECT_FALSE(game.getGameOver()) << "a Q typed in the grace second quit";

  // After it the title's keys work as ever; a held key counts too.
  sendKey(GetParam(), ko::KEY_DOWN);
  if (GetParam() == ko::Keyboard::P) {
    EXPECT_FALSE(p_title->isActive());
    EXPECT_NE(ship(), nullptr);
  } else {
    EXPECT_TRUE(game.getGameOver());
  }
}

INSTANTIATE_TEST_SUITE_P(TitleKeys, KeyGrace, ::testing::Values(ko::Keyboard::P, ko::Keyboard::Q),
                         [](const ::testing::TestParamInfo<ko::Keyboard::Key>& case_info) {
                           return case_info.param == ko::Keyboard::P ? "P" : "Q";
                         });

// The game-over screen shows the game's own points beside the high score,
// marked when they beat the score stored before the game.
struct PointsCase {
  const char* name;
  const char* stored;  // null: no score file
  int score;
  const char* points_line;
  int highscore;
};

void PrintTo(const PointsCase& c, std::ostream* os) { *os << c.name; }

class PointsLine : public GameFlow, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(PointsLine, ShowsThePointsAndMarksOnlyANewBest) {
  const PointsCase& c = GetParam();
  if (c.stored != nullptr) {
    std::ofstream(SCORE_FILE) << c.stored;
  } else {
    std::remove(SCORE_FILE.c_str());
  }
  ASSERT_NO_FATAL_FAILURE(loseGameWith(c.score));
  EXPECT_EQ(gameOverScreen()->getPointsLine(), c.points_line);
  EXPECT_EQ(gameOverScreen()->getHighScore(), c.highscore);
}

const PointsCase POINTS_CASES[] = {
    {"Better", "5", 7, "Your points: 7   new best!", 7},
    {"Equal", "7", 7, "Your points: 7", 7},
    {"Worse", "9", 7, "Your points: 7", 9},
    {"FirstGameScoring", nullptr, 3, "Your points: 3   new best!", 3},
    {"FirstGameNoPoints", nullptr, 0, "Your points: 0", 0},
};

INSTANTIATE_TEST_SUITE_P(Scores, PointsLine, ::testing::ValuesIn(POINTS_CASES),
                         [](const ::testing::TestParamInfo<PointsCase>& case_info) {
                           return std::string(case_info.param.name);
                         });

// The engine shutting down while a game's objects are alive (the window
// closed mid-game): every object goes, and no block reaches back into its
// spawner once that is gone. Memory faults show under the sanitizers.
class ShutdownDuring : public GameFlow, public ::testing::WithParamInterface<bool> {};

TEST_P(ShutdownDuring, DeletesEveryObjectCleanly) {
  const bool on_game_over_screen = GetParam();
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ErrorsObjectList* p_list = spawner();
  ASSERT_NE(p_list, nullptr);
  for (int i = 0; i < 3; i++) {
    (new ErrorsObject(p_list, p_list->getContentsCount()))
        ->setPos(ko::Vector(10.0f + 20.0f * static_cast<float>(i), 2.0f + static_cast<float>(i)));
  }
  runSteps(1);
  ASSERT_NE(p_list->getMaxObject(), nullptr);
  if (on_game_over_screen) {
    (new ErrorsObject(p_list, p_list->getContentsCount()))->setPos(ship()->getPos());
    runSteps(1);
    ASSERT_NE(gameOverScreen(), nullptr);
  }

  ko::GameManager::getInstance().shutDown();
  EXPECT_TRUE(ko::WorldManager::getInstance().getAllObjects(true).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Stages, ShutdownDuring, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& case_info) {
                           return case_info.param ? "GameOverScreen" : "Game";
                         });

}  // namespace
