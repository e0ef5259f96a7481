// Processor use of the whole process on the title screen, in a game and
// while paused, as a share of one processor over the measured wall time.
#include "CpuBench.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <korvane/EventKeyboard.h>
#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/InputManager.h>
#include <korvane/Object.h>
#include <korvane/Pause.h>
#include "GameSetup.h"
#include "Table.h"

namespace {

double processSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Ends the loop after a number of steps.
class StepLimit : public ko::Object {
 public:
  explicit StepLimit(int steps) : remaining(steps) { setSolidness(ko::SPECTRAL); }
  int eventHandler(const ko::Event* p_e) override {
    if (p_e->getType() == ko::STEP_EVENT && --remaining == 0) {
      ko::GameManager::getInstance().setGameOver(true);
    }
    return 0;
  }

 private:
  int remaining;
};

// Percent of one processor used while running the loop for a number of steps.
double percentWhileRunning(int steps) {
  new StepLimit(steps);
  const double cpu = processSeconds(), wall = wallSeconds();
  ko::GameManager::getInstance().run();
  ko::GameManager::getInstance().setGameOver(false);
  return 100.0 * (processSeconds() - cpu) / (wallSeconds() - wall);
}

void sendKey(ko::Keyboard::Key key, ko::EventKeyboardAction action) {
  ko::EventKeyboard event;
  event.setKey(key);
  event.setKeyboardAction(action);
  ko::InputManager::getInstance().onEvent(&event);
}

// Percent of one processor used while the game sits paused for a while:
// the pause key's release pauses it, and a real F10 from the display, sent
// by another thread, resumes it.
double percentWhilePaused(int milliseconds) {
  std::thread resumer([milliseconds] {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    if (std::system("env -u LD_PRELOAD xdotool search --name '^Korvane$' windowfocus --sync "
                    "key F10 >/dev/null 2>&1") != 0) {
      std::fprintf(stderr, "bench: xdotool could not resume the pause\n");
    }
  });
  const double cpu = processSeconds(), wall = wallSeconds();
  sendKey(ko::Keyboard::F10, ko::KEY_RELEASED);
  const double used = processSeconds() - cpu, elapsed = wallSeconds() - wall;
  resumer.join();
  return 100.0 * used / elapsed;
}

}  // namespace

void benchProcessorUse() {
  loadResources();
  populateWorld();
  new ko::Pause(ko::Keyboard::F10);
  const double title = percentWhileRunning(150);
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  const double game = percentWhileRunning(150);
  const double paused = percentWhilePaused(3000);
  printSection("Processor use of the whole process (% of one processor)");
  printRow("title screen", format("%.1f %%", title));
  printRow("in a game", format("%.1f %%", game));
  printRow("paused", format("%.1f %%", paused));
}
