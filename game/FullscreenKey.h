// Switches the window between fullscreen and the designed window when F11
// is pressed, on every screen of the game: made with the title screen, it
// lives as long as the world, which owns and deletes it.
#pragma once

#include <korvane/Event.h>
#include <korvane/Object.h>

class FullscreenKey : public ko::Object {
 public:
  FullscreenKey();
  int eventHandler(const ko::Event* p_e) override;
};
