// The game loop's sleep arithmetic: how long to sleep after an iteration's
// work, carrying each oversleep into the next request. Kept apart from the
// clock so that it can be driven with made-up times.
#pragma once

namespace ko {

class FramePacer {
 public:
  explicit FramePacer(int frame_time);

  // Milliseconds to sleep after work that took loop_time ms, never more than
  // one frame time; zero or less means no sleep.
  int requestedSleep(int loop_time) const;
  // Records that a sleep of requested_sleep ms (none when zero or less)
  // lasted actual_sleep ms.
  void recordSleep(int requested_sleep, int actual_sleep);
  // The last oversleep, which the next request gives back.
  int getAdjustment() const;

 private:
  int frame_time;
  int adjustment;
};

}  // namespace ko
