// Sent through the world manager when a game ends and again when the
// game-over screen closes: blocks remove themselves, the spawner toggles.
#pragma once

#include "Event.h"

class EventGameOver : public ko::Event {
 public:
  EventGameOver();
};
