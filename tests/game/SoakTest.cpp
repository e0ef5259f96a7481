// Many games in a row, played in-process by a seeded random player: long
// stretches of typing blocks away, stretches of idling until a block reaches
// the ship, stray keys everywhere, pauses. Most iterations run headless
// (frames kept as cells, no display), so that the run stays short under
// the sanitizers; one case plays with the real
// window, drawing every frame and pausing for real. Leaks are left to the
// leak checker at process exit, after the engine has shut down.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <thread>

#include <korvane/EventView.h>
#include <korvane/GameManager.h>
#include <korvane/Pause.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameOver.h"
#include "GameStart.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "game.h"

using namespace ko_test;

namespace {

// Adds up the points the blocks award, independently of the score display
// that the game-over screen reads and removes.
class PointsTally : public ko::Object {
 public:
  int points = 0;
  PointsTally() {
    setType("PointsTally");
    setSolidness(ko::SPECTRAL);
    registerInterest(ko::VIEW_EVENT);
  }
  int eventHandler(const ko::Event* p_e) override {
    if (p_e->getType() != ko::VIEW_EVENT) return 0;
    const auto* p_view = static_cast<const ko::EventView*>(p_e);
    if (p_view->getTag() == "Points" && p_view->getDelta()) points += p_view->getValue();
    return 1;
  }
};

const char TYPED_CHARS[] = "abcdefghijklmnopqrstuvwxyz '";
// What the player mashes on the game-over screen: anything but R.
const char MASHED_CHARS[] = "abcdefghijklmnopqstuvwxyz '";

// Plays games until at least `iterations` loop iterations have run.
class SoakPlayer {
 public:
  explicit SoakPlayer(unsigned seed) : rng(seed) {}

  // `pause` pauses and resumes the game between iterations, the way this
  // run can, and returns the iterations it ran meanwhile.
  template <typename PauseFn>
  void play(long iterations, PauseFn pause) {
    new ko::Pause(ko::Keyboard::F10);
    tally = new PointsTally;
    step(3);
    title_objects = objectCount();
    while (run < iterations && !::testing::Test::HasFatalFailure()) {
      playOneGame(pause);
      if (::testing::Test::HasFailure()) return;
    }
  }

  long iterationsRun() const { return run; }
  int gamesPlayed() const { return games; }
  int bestScore() const { return best; }
  int pauses() const { return pauses_made; }

 private:
  std::mt19937 rng;
  PointsTally* tally = nullptr;
  long run = 0;
  int games = 0;
  int best = 0;
  int pauses_made = 0;
  int title_objects = 0;

  int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

  void step(int n = 1) {
    runSteps(n);
    run += n;
  }

  static int objectCount() {
    return ko::WorldManager::getInstance().getAllObjects(true).getCount();
  }

  void strayKey() {
    static const ko::Keyboard::Key keys[] = {ko::Keyboard::Num1,   ko::Keyboard::ESCAPE,
                                             ko::Keyboard::RETURN, ko::Keyboard::F1,
                                             ko::Keyboard::R,      ko::Keyboard::P};
    const ko::Keyboard::Key key = keys[roll(6)];
    sendKey(key, static_cast<ko::EventKeyboardAction>(roll(3)));
  }

  template <typename PauseFn>
  void playOneGame(PauseFn pause) {
    SCOPED_TRACE("game " + std::to_string(games + 1) + " at iteration " + std::to_string(run));
    // The title: nothing of the previous game may be left.
    GameStart* p_title = titleScreen();
    ASSERT_NE(p_title, nullptr);
    ASSERT_TRUE(p_title->isActive());
    ASSERT_EQ(objectCount(), title_objects) << "objects left over from the last game";
    ASSERT_EQ(pointsDisplay(), nullptr);

    tally->points = 0;
    sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
    ASSERT_FALSE(p_title->isActive());
    ASSERT_NE(spawner(), nullptr);
    // Some games at the normal cadence, some crowded.
    if (chance(0.5)) spawner()->setHighestGap(20 + roll(200));
    step();
    releaseKey(ko::Keyboard::P);

    // Skill and patience of this game's player.
    const double skill = 0.05 + 0.5 * std::uniform_real_distribution<double>(0, 1)(rng);
    const int give_up_after = 800 + roll(6000);
    int in_game = 0;
    bool typing = chance(0.5);
    int stretch = 0;
    while (gameOverScreen() == nullptr) {
      ASSERT_LT(in_game, 40000) << "the game never ended";
      if (--stretch <= 0) {
        typing = chance(0.5);
        stretch = 50 + roll(500);
      }
      const bool giving_up = in_game > give_up_after;
      if (typing && !giving_up && chance(skill)) {
        // The right letter for the target, or a whole line at once.
        ErrorsObjectList* p_list = spawner();
        ErrorsObject* p_target = p_list == nullptr ? nullptr : p_list->getMaxObject();
        if (p_target != nullptr && !p_target->getCurrentLine().empty()) {
          const std::string line = p_target->getCurrentLine();
          if (chance(0.1)) {
            typeText(line);
          } else {
            releaseKey(keyFor(line[0]));
          }
        }
      }
      if (chance(0.05)) releaseKey(keyFor(TYPED_CHARS[roll(sizeof TYPED_CHARS - 1)]));
      if (chance(0.01)) strayKey();
      if (chance(0.002)) {
        run += pause();
        pauses_made++;
      }
      step();
      in_game++;
    }

    // Game over: the high score file holds the best score of all games.
    games++;
    const int score = tally->points;
    best = std::max(best, score);
    ASSERT_EQ(gameOverScreen()->getHighScore(), best) << "this game scored " << score;
    const std::optional<std::string> stored = readFile(SCORE_FILE);
    if (best == 0) {
      EXPECT_EQ(stored, std::nullopt) << "a score file with no point scored";
    } else {
      ASSERT_TRUE(stored.has_value()) << "no score file";
      EXPECT_TRUE(std::regex_match(*stored, std::regex("[0-9]+")))
          << "score file: '" << *stored << "'";
      EXPECT_EQ(*stored, std::to_string(best));
    }
    EXPECT_TRUE(blocks().empty());
    EXPECT_EQ(pointsDisplay(), nullptr);

    // Some time on the game-over screen, with keys that do not leave it.
    const int wait = KEY_GRACE_STEPS + roll(80);
    for (int i = 0; i < wait; i++) {
      if (chance(0.1)) releaseKey(keyFor(MASHED_CHARS[roll(sizeof MASHED_CHARS - 1)]));
      if (chance(0.05)) sendKey(ko::Keyboard::R, ko::KEY_PRESSED);
      step();
    }
    ASSERT_NE(gameOverScreen(), nullptr) << "left the game-over screen without R";
    releaseKey(ko::Keyboard::R);
    step();
    ASSERT_EQ(gameOverScreen(), nullptr);
    ASSERT_EQ(spawner(), nullptr);
    // Long enough on the title for the explosions to burn out.
    step(30 + roll(30));
  }
};

unsigned seedFor(int i) { return 7919u * static_cast<unsigned>(i + 1); }

class HeadlessSoak : public ::testing::TestWithParam<int> {};

// Four processes of 50,000 iterations: 200,000 iterations in all.
TEST_P(HeadlessSoak, ManyGamesLeaveNothingBehindAndKeepTheBestScore) {
  const unsigned seed = seedFor(GetParam());
  SCOPED_TRACE("seed " + std::to_string(seed));
  ASSERT_TRUE(startGameHeadless(seed));
  const auto started = std::chrono::steady_clock::now();
  SoakPlayer player(seed);
  // Without a window the pause key's release is all there is to a pause:
  // the pause object must let the loop go on.
  player.play(50000, [] {
    releaseKey(ko::Keyboard::F10);
    return 0;
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cout << "soak: " << player.iterationsRun() << " iterations, " << player.gamesPlayed()
            << " games, best score " << player.bestScore() << ", " << player.pauses() << " pauses, "
            << seconds << " s\n";
  EXPECT_GE(player.gamesPlayed(), 5);
  EXPECT_GE(player.bestScore(), 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HeadlessSoak, ::testing::Range(0, 4));

// The same player in the real window, drawing every frame, with real
// pauses: F10 pressed and released on the display from another thread,
// which the pause object waits for on the window.
TEST(WindowSoak, GamesDrawnAndPausedForReal) {
  useNullAudio();
  const unsigned seed = 104729u;
  SCOPED_TRACE("seed " + std::to_string(seed));
  srand(seed);
  ASSERT_TRUE(startGame());
  focusWindow();
  const auto started = std::chrono::steady_clock::now();
  SoakPlayer player(seed);
  double longest_pause = 0;
  player.play(3000, [&longest_pause] {
    std::atomic<bool> pressed(false);
    std::thread driver([&pressed] {
      xdotool("key F10");
      pressed = true;
      sleepMs(150);
      xdotool("key F10");
    });
    // Iterations until the pause has come and gone: one of them holds the
    // loop for as long as the game is paused.
    int i = 0;
    while (i < 200) {
      i++;
      const auto t0 = std::chrono::steady_clock::now();
      runSteps(1);
      const double wall =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      longest_pause = std::max(longest_pause, wall);
      if (pressed && wall > 0.1) break;
    }
    driver.join();
    return i;
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cout << "window soak: " << player.iterationsRun() << " iterations, " << player.gamesPlayed()
            << " games, " << player.pauses() << " pauses, " << seconds << " s\n";
  EXPECT_GE(player.gamesPlayed(), 1);
  if (player.pauses() > 0) {
    EXPECT_GT(longest_pause, 0.1) << "no pause held the loop";
  }
}

}  // namespace
