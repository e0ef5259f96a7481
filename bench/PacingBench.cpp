// The real loop's rhythm: 300 iterations of run() with a light world,
// timed from inside the step event.
#include "PacingBench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/Object.h>
#include "Table.h"

namespace {

class Metronome : public ko::Object {
 public:
  explicit Metronome(int iterations) : remaining(iterations) {}
  std::vector<std::chrono::steady_clock::time_point> ticks;

  int eventHandler(const ko::Event* p_e) override {
    if (p_e->getType() != ko::STEP_EVENT) return 0;
    ticks.push_back(std::chrono::steady_clock::now());
    if (--remaining == 0) ko::GameManager::getInstance().setGameOver(true);
    return 1;
  }

 private:
  int remaining;
};

}  // namespace

void benchPacing() {
  const int iterations = 300;
  auto* p_metronome = new Metronome(iterations + 1);
  ko::GameManager::getInstance().run();
  ko::GameManager::getInstance().setGameOver(false);
  std::vector<double> periods, deviations;
  for (size_t i = 1; i < p_metronome->ticks.size(); ++i) {
    const double period =
        std::chrono::duration<double, std::milli>(p_metronome->ticks[i] - p_metronome->ticks[i - 1])
            .count();
    periods.push_back(period);
    deviations.push_back(std::fabs(period - ko::FRAME_TIME_DEFAULT));
  }
  double mean = 0;
  for (double p : periods) mean += p / static_cast<double>(periods.size());
  std::sort(deviations.begin(), deviations.end());
  const double p99 =
      deviations[static_cast<size_t>(0.99 * static_cast<double>(deviations.size() - 1))];
  printSection("Loop pacing over 300 iterations (target 33 ms)");
  printRow("mean period, ms", format("%.3f", mean));
  printRow("mean period off target", format("%.2f %%", 100.0 * (mean - 33.0) / 33.0));
  printRow("p99 deviation from 33 ms, ms", format("%.2f", p99));
}
