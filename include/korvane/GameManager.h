// Starts and stops every other manager and runs the fixed-rate game loop:
// each iteration sends the step event, polls input, updates and draws the
// world and shows the frame, then sleeps for the rest of the frame time.
#pragma once

#include <korvane/Manager.h>

namespace ko {

const std::string GAME_MANAGER = "ko::game_manager";
const std::string CONFIG_FILENAME = "ko-config.txt";
const int FRAME_TIME_DEFAULT = 33;

class GameManager : public Manager {
 public:
  static GameManager& getInstance();
  GameManager(const GameManager&) = delete;
  void operator=(const GameManager&) = delete;

  // Starts the log, world, graphics, input and resource managers in that
  // order; -1 at the first that fails (those started stay started).
  int startUp() override;
  // Sets game over and stops every manager; harmless when repeated.
  void shutDown() override;

  // True exactly for the step event type.
  bool isValid(std::string event_type) const;

  // Loops until game over is set, one iteration per frame time.
  void run();
  // One iteration's work without the sleep: step event, input, update,
  // draw, swap, then the step count advances. Lets tests and tools run the
  // game back to back.
  void runIteration();

  void setGameOver(bool new_game_over = true);
  bool getGameOver() const;
  int getFrameTime() const;
  int getStepCount() const;

 private:
  GameManager();

  bool game_over;
  int frame_time;
  int step_count;
};

}  // namespace ko
