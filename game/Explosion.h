// A short animation that plays its sprite once and then removes itself.
// Created with new by blocks and the ship; the world owns it.
#pragma once

#include <korvane/Object.h>

class Explosion : public ko::Object {
 public:
  Explosion();

  int eventHandler(const ko::Event* p_e) override;
  void step();

 private:
  int time_to_live;
};
