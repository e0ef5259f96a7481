// An invisible object that freezes the game when its key is released and
// resumes it when the key is released again. Create it with new; the world
// owns it.
#pragma once

#include <korvane/Object.h>

namespace ko {

class Pause : public Object {
 public:
  explicit Pause(int init_pause_key);
  int eventHandler(const Event* p_e) override;

 private:
  int pause_key;
};

}  // namespace ko
