#include <gtest/gtest.h>

#include <vector>

#include <korvane/FramePacer.h>

namespace {

// One iteration as the loop sees it: the work time, and by how much the
// sleep overran its request (a request of zero or less does not sleep).
struct Iteration {
  int loop_time;
  int overshoot;
  int expected_request;
  int expected_adjustment;
};

struct PacingCase {
  const char* name;
  std::vector<Iteration> iterations;
};

const PacingCase PACING_CASES[] = {
    {"exact sleeps keep every frame at 33 ms", {{10, 0, 23, 0}, {10, 0, 23, 0}, {5, 0, 28, 0}}},
    {"a steady overshoot is given back, keeping the period at 33 ms",
     {{10, 2, 23, 2}, {10, 2, 21, 2}, {10, 2, 21, 2}}},
    {"a late iteration sleeps not at all and is not caught up later",
     {{50, 0, -17, 0}, {10, 0, 23, 0}, {10, 0, 23, 0}}},
    {"a request of exactly zero does not sleep", {{33, 0, 0, 0}, {10, 0, 23, 0}}},
    {"a clock step backward during the work never sleeps past one frame",
     {{-100000, 0, 33, 0}, {10, 0, 23, 0}}},
};

}  // namespace

TEST(FramePacer, RequestsAndAdjustmentsFollowTheMeasuredTimes) {
  for (const PacingCase& c : PACING_CASES) {
    SCOPED_TRACE(c.name);
    ko::FramePacer pacer(33);
    for (const Iteration& it : c.iterations) {
      const int request = pacer.requestedSleep(it.loop_time);
      EXPECT_EQ(request, it.expected_request);
      pacer.recordSleep(request, (request > 0 ? request : 0) + it.overshoot);
      EXPECT_EQ(pacer.getAdjustment(), it.expected_adjustment);
    }
  }
}

TEST(FramePacer, AClockStepDuringTheSleepCostsAtMostOneFrame) {
  ko::FramePacer pacer(33);
  // The wall clock jumps back an hour while sleeping.
  pacer.recordSleep(23, -3600 * 1000);
  EXPECT_EQ(pacer.requestedSleep(10), 33);
  pacer.recordSleep(33, 33);
  EXPECT_EQ(pacer.requestedSleep(10), 23);
  // A jump forward: one iteration goes without sleep, the next is normal.
  pacer.recordSleep(23, 3600 * 1000);
  EXPECT_LE(pacer.requestedSleep(10), 0);
  pacer.recordSleep(pacer.requestedSleep(10), 0);
  EXPECT_EQ(pacer.requestedSleep(10), 23);
}
