#include <korvane/GameManager.h>

#include <signal.h>

#include <ctime>

#include <korvane/Clock.h>
#include <korvane/EventStep.h>
#include <korvane/FramePacer.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>

namespace ko {

namespace {

struct sigaction previous_file_size_action;
bool file_size_action_saved = false;

void sleepMilliseconds(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec request{};
  request.tv_sec = 0;
  request.tv_nsec = static_cast<long>(milliseconds) * 1000000L;
  nanosleep(&request, nullptr);
}

}  // namespace

GameManager::GameManager() : game_over(false), frame_time(FRAME_TIME_DEFAULT), step_count(0) {
  setType(GAME_MANAGER);
}

GameManager& GameManager::getInstance() {
  static GameManager game_manager;
  return game_manager;
}

int GameManager::startUp() {
  step_count = 0;
  game_over = false;
  // Past a file size limit a write should fail with an error that the log
  // and the game's saves handle, not kill the process.
  if (!file_size_action_saved) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    file_size_action_saved = sigaction(SIGXFSZ, &ignore, &previous_file_size_action) == 0;
  }
  // Input needs the graphics manager's window, so the order matters.
  Manager* const managers[] = {&LogManager::getInstance(), &WorldManager::getInstance(),
                               &GraphicsManager::getInstance(), &InputManager::getInstance(),
                               &ResourceManager::getInstance()};
  for (Manager* p_manager : managers) {
    if (p_manager->startUp() < 0) return -1;
  }
  return Manager::startUp();
}

void GameManager::shutDown() {
  setGameOver(true);
  Manager::shutDown();
  LogManager::getInstance().shutDown();
  WorldManager::getInstance().shutDown();
  InputManager::getInstance().shutDown();
  GraphicsManager::getInstance().shutDown();
  ResourceManager::getInstance().shutDown();
  if (file_size_action_saved) {
    sigaction(SIGXFSZ, &previous_file_size_action, nullptr);
    file_size_action_saved = false;
  }
}

bool GameManager::isValid(std::string event_type) const { return event_type == STEP_EVENT; }

void GameManager::run() {
  Clock clock;
  FramePacer pacer(frame_time);
  while (!game_over) {
    clock.delta();
    runIteration();
    const int loop_time = static_cast<int>(clock.split());
    const int sleep_request = pacer.requestedSleep(loop_time);
    clock.delta();
    sleepMilliseconds(sleep_request);
    pacer.recordSleep(sleep_request, static_cast<int>(clock.split()));
  }
  const sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindowAsIs();
  if (p_window == nullptr || !p_window->isOpen()) shutDown();
}

void GameManager::runIteration() {
  const EventStep step(step_count);
  onEvent(&step);
  InputManager::getInstance().getInput();
  WorldManager::getInstance().update();
  WorldManager::getInstance().draw();
  GraphicsManager::getInstance().swapBuffers();
  ++step_count;
}

void GameManager::setGameOver(bool new_game_over) { game_over = new_game_over; }
bool GameManager::getGameOver() const { return game_over; }
int GameManager::getFrameTime() const { return frame_time; }
int GameManager::getStepCount() const { return step_count; }

}  // namespace ko
