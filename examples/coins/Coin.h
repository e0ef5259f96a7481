// A spinning coin at a random free place. Created with new; the world owns
// it. When the player touches it, it adds one to the "Coins" display, puts
// a new coin elsewhere and has the world delete it at the end of the step.
#pragma once

#include <korvane/Object.h>

class Coin : public ko::Object {
 public:
  Coin();
  int eventHandler(const ko::Event* p_e) override;

 private:
  void placeSomewhereFree();

  // The player may touch it again before the world deletes it: one coin,
  // one point.
  bool collected;
};
