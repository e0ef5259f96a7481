// Handed by the world manager to an object that has just moved from inside
// the world boundary to outside it.
#pragma once

#include <korvane/Event.h>

namespace ko {

const std::string OUT_EVENT = "ko::out";

class EventOut : public Event {
 public:
  EventOut();
};

}  // namespace ko
