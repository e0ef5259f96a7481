// The player's character. Created once by main; the world owns it. The
// arrow keys move it a cell at a time, and on and on while held; rocks are
// hard like the player, so they stop it. Q or Escape ends the game.
#pragma once

#include <korvane/EventKeyboard.h>
#include <korvane/Object.h>

class Player : public ko::Object {
 public:
  Player();
  int eventHandler(const ko::Event* p_e) override;

 private:
  void keyboard(const ko::EventKeyboard* p_keyboard);
  void move(ko::Vector direction);

  // Step count when an arrow key last went down, to hold off the repeat.
  int pressed_step;
};
