// The player's ship: it sweeps left and right along the bottom on its own,
// and a block touching it ends the game. Created by the title screen with
// new; the world owns it. Its destruction brings up the game-over screen.
#pragma once

#include <korvane/EventCollision.h>
#include <korvane/EventKeyboard.h>
#include <korvane/Object.h>

class Hero : public ko::Object {
 public:
  Hero();
  ~Hero() override;

  int eventHandler(const ko::Event* p_e) override;
  void step();
  // Moves by dx columns when the new column stays on screen.
  void move(int dx);
  void hit(const ko::EventCollision* p_collision_event);
  // The ship is not steered.
  void kbd(const ko::EventKeyboard* p_keyboard_event);

 private:
  bool direction;
};
