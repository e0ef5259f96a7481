// Sent through the world manager when a game ends and again when the
// game-over screen closes: blocks remove themselves, the spawner toggles.
#pragma once

#include <korvane/Event.h>

class EventGameOver : public ko::Event {
 public:
  EventGameOver();
};
