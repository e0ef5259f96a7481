// Sent by the game loop once per iteration to every active object
// registered for it; carries the loop's step count.
#pragma once

#include <korvane/Event.h>

namespace ko {

const std::string STEP_EVENT = "ko::step";

class EventStep : public Event {
 public:
  EventStep();
  explicit EventStep(int init_step_count);

  void setStepCount(int new_step_count);
  int getStepCount() const;

 private:
  int step_count;
};

}  // namespace ko
