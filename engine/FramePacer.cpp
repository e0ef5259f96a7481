#include <korvane/FramePacer.h>

#include <algorithm>

namespace ko {

FramePacer::FramePacer(int init_frame_time) : frame_time(init_frame_time), adjustment(0) {}

int FramePacer::requestedSleep(int loop_time) const {
  // A step of the wall clock can make loop_time absurd; never sleep longer
  // than one frame because of it.
  const long long request = static_cast<long long>(frame_time) - loop_time - adjustment;
  return static_cast<int>(std::min<long long>(request, frame_time));
}

void FramePacer::recordSleep(int requested_sleep, int actual_sleep) {
  // Only the oversleep is carried over: a late iteration is not caught up
  // later, and a clock step during the sleep moves at most one frame.
  const int oversleep = actual_sleep - std::max(requested_sleep, 0);
  adjustment = std::clamp(oversleep, -frame_time, frame_time);
}

int FramePacer::getAdjustment() const { return adjustment; }

}  // namespace ko
