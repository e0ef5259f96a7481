// Pausing a running game with real key presses from another thread, and the
// label a paused game may show.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/Pause.h>
#include "InputRecorder.h"
#include "WindowTestSupport.h"

using ko_test::sleepMs;
using ko_test::xdotool;

namespace {

// Remembers the step numbers it was sent.
class StepCounter : public ko::Object {
 public:
  std::vector<int> steps;
  int eventHandler(const ko::Event* p_e) override {
    if (p_e->getType() != ko::STEP_EVENT) return 0;
    steps.push_back(static_cast<const ko::EventStep*>(p_e)->getStepCount());
    return 1;
  }
};

TEST(PauseKey, FreezesTheLoopUntilReleasedAgainWithoutSpinning) {
  ASSERT_TRUE(ko_test::startEngine());
  ko_test::focusWindow();
  ko::GameManager& game = ko::GameManager::getInstance();
  new ko::Pause(ko::Keyboard::F10);
  auto* p_keys = new ko_test::InputRecorder;
  auto* p_steps = new StepCounter;

  for (int i = 0; i < 3; i++) game.runIteration();

  std::atomic<bool> driver_done(false);
  std::thread driver([&driver_done] {
    xdotool("keydown F10");
    sleepMs(100);
    xdotool("keyup F10");  // pauses
    sleepMs(400);
    // All of this is swallowed by the pause.
    xdotool("key a");
    ko_test::requestClose();
    xdotool("keydown F10");  // pressing again does not resume
    sleepMs(300);
    xdotool("keyup F10");  // resumes
    driver_done = true;
  });

  double longest_wall = 0;
  double cpu_in_longest = 0;
  int steps_before_longest = -1;
  for (int i = 0; i < 300 && !(driver_done && i > 0 && longest_wall > 0.5); i++) {
    const int steps_before = game.getStepCount();
    const auto wall_start = std::chrono::steady_clock::now();
    const double cpu_start = ko_test::cpuSeconds();
    game.runIteration();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    if (wall > longest_wall) {
      longest_wall = wall;
      cpu_in_longest = ko_test::cpuSeconds() - cpu_start;
      steps_before_longest = steps_before;
    }
    sleepMs(10);
  }
  driver.join();
  for (int i = 0; i < 3; i++) game.runIteration();

  // One iteration held the loop for the whole pause, and slept through it.
  EXPECT_GT(longest_wall, 0.6);
  EXPECT_LT(cpu_in_longest, 0.3 * longest_wall);
  EXPECT_GE(steps_before_longest, 3);

  // The loop's steps continue where they stopped: no gap, no repeat.
  ASSERT_FALSE(p_steps->steps.empty());
  for (std::size_t i = 1; i < p_steps->steps.size(); i++) {
    EXPECT_EQ(p_steps->steps[i], p_steps->steps[i - 1] + 1);
  }
  EXPECT_EQ(p_steps->steps.back() + 1, game.getStepCount());

  // The first F10 went through; the A, the close and the second F10 were
  // consumed by the pause.
  int f10_released = 0;
  for (const auto& k : p_keys->keys()) {
    EXPECT_NE(k.first, ko::Keyboard::A);
    if (k ==
        std::make_pair(static_cast<int>(ko::Keyboard::F10), static_cast<int>(ko::KEY_RELEASED))) {
      f10_released++;
    }
  }
  EXPECT_EQ(f10_released, 1);
  EXPECT_FALSE(game.getGameOver()) << "a close request during the pause is lost";
  ko_test::stopEngine();
}

// Draws one character at a fixed cell: the frame the pause should keep.
class Marker : public ko::Object {
 public:
  static constexpr int COL = 5;
  static constexpr int ROW = 2;
  void draw() override {
    ko::GraphicsManager::getInstance().drawCh(ko::Vector(COL, ROW), 'x', ko::WHITE);
  }
};

// Runs the loop through one pause made with real key releases; returns
// what the window showed while paused and a few frames after it.
std::pair<sf::Image, sf::Image> shownDuringAndAfterPause() {
  ko::GameManager& game = ko::GameManager::getInstance();
  for (int i = 0; i < 3; i++) game.runIteration();
  const sf::WindowHandle handle = ko::GraphicsManager::getInstance().getWindow()->getSystemHandle();
  sf::Image during;
  std::atomic<bool> driver_done(false);
  std::thread driver([&] {
    xdotool("keydown F10");
    sleepMs(100);
    xdotool("keyup F10");
    sleepMs(400);
    during = ko_test::grabShownWindow(handle);
    xdotool("key F10");
    driver_done = true;
  });
  for (int i = 0; i < 300 && !driver_done; i++) {
    game.runIteration();
    sleepMs(10);
  }
  driver.join();
  for (int i = 0; i < 3; i++) game.runIteration();
  return {during, ko_test::grabShownWindow(handle)};
}

TEST(PauseLabel, ShownOverTheKeptFrameOnlyWhileOnAndPaused) {
  const sf::Color box(0, 0, 200);
  const sf::Color black = sf::Color::Black;
  // '#' for every cell that shows something: a glyph covers much of its box.
  const auto drawnCells = [&](const sf::Image& image, int col, int row, int cols) {
    std::string map = ko_test::cellMap(image, col, row, cols, 1, box, black);
    std::replace(map.begin(), map.end(), '?', '#');
    return map;
  };
  const std::string label = "paused - F10 resumes";
  // The label is centred on the middle row: cells 30 to 49 of 80.
  const std::string no_label_row = std::string(80, '.') + "\n";
  const std::string label_row =
      std::string(30, '.') + std::string(20, '#') + std::string(30, '.') + "\n";
  const struct {
    const char* name;
    bool show_label;
    std::string middle_row_while_paused;
  } cases[] = {
      {"default: off", false, no_label_row},
      {"on", true, label_row},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(ko_test::startEngine());
    ko_test::focusWindow();
    ko::GraphicsManager::getInstance().setBackgroundTextColor(box);
    new Marker;
    auto* p_pause = new ko::Pause(ko::Keyboard::F10);
    EXPECT_FALSE(p_pause->getShowLabel());
    if (c.show_label) {
      p_pause->setShowLabel(true);
      p_pause->setLabel(label);
    }
    const auto shots = shownDuringAndAfterPause();
    const sf::Image& during = shots.first;
    const sf::Image& after = shots.second;
    EXPECT_EQ(drawnCells(during, 0, 12, 80), c.middle_row_while_paused);
    EXPECT_EQ(drawnCells(after, 0, 12, 80), no_label_row);
    for (const sf::Image* p_shot : {&during, &after}) {
      EXPECT_EQ(drawnCells(*p_shot, Marker::COL, Marker::ROW, 1), "#\n");
    }
    ko_test::stopEngine();
  }
}

}  // namespace
