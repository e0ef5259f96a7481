#include <korvane/Clock.h>

#include <ctime>

int64_t getMilitime() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

namespace ko {

Clock::Clock() : previous_time(getMilitime()) {}

int64_t Clock::delta() {
  const int64_t now = getMilitime();
  const int64_t elapsed = now - previous_time;
  previous_time = now;
  return elapsed;
}

int64_t Clock::split() const { return getMilitime() - previous_time; }

}  // namespace ko
