// An invisible object that freezes the game when its key is released and
// resumes it when the key is released again. Create it with new; the world
// owns it.
#pragma once

#include <string>

#include <korvane/Color.h>
#include <korvane/Object.h>

namespace ko {

const std::string PAUSE_LABEL_DEFAULT = "paused";

class Pause : public Object {
 public:
  explicit Pause(int init_pause_key);
  int eventHandler(const Event* p_e) override;

  // Off by default: a paused game then keeps showing its last frame as it
  // was. On, the frame is drawn once more with the label across the middle
  // of the view when the pause starts, and stays so until it ends.
  void setShowLabel(bool on);
  bool getShowLabel() const;
  void setLabel(const std::string& new_label);
  std::string getLabel() const;
  void setLabelColor(Color new_color);
  Color getLabelColor() const;

 private:
  void showLabel() const;

  int pause_key;
  bool show_label;
  std::string label;
  Color label_color;
};

}  // namespace ko
