// Millisecond timing for the game loop, read from the real-time clock.
#pragma once

#include <cstdint>

// Milliseconds of the system's real-time clock.
int64_t getMilitime();

namespace ko {

class Clock {
 public:
  Clock();
  // Milliseconds since the previous delta() (or construction); restarts.
  int64_t delta();
  // Milliseconds since the previous delta() without restarting.
  int64_t split() const;

 private:
  int64_t previous_time;
};

}  // namespace ko
