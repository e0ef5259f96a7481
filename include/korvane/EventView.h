// Changes the value of every view object whose label equals the tag:
// added when delta is true, replaced otherwise. Sent through the world
// manager's onEvent.
#pragma once

#include <korvane/Event.h>

namespace ko {

const std::string VIEW_EVENT = "ko::view";

class EventView : public Event {
 public:
  EventView();
  EventView(std::string new_tag, int new_value, bool new_delta);

  void setTag(std::string new_tag);
  std::string getTag() const;
  void setValue(int new_value);
  int getValue() const;
  void setDelta(bool new_delta);
  bool getDelta() const;

 private:
  std::string tag;
  int value;
  bool delta;
};

}  // namespace ko
