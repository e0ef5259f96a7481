// Mouse events from the input manager; positions are in character cells
// relative to the window (view coordinates).
#pragma once

#include <korvane/Event.h>
#include <korvane/Vector.h>

namespace ko {

const std::string MOUSE_EVENT = "ko::mouse";

enum EventMouseAction : int {
  UNDEFINED_MOUSE_ACTION = -1,
  BUTTON_RELEASED,
  BUTTON_DOWN,
  MOUSE_MOVED,
};

namespace Mouse {
enum EventMouseButton : int {
  UNDEFINED_MOUSE_BUTTON = -1,
  LEFT_BUTTON,
  RIGHT_BUTTON,
  MIDDLE_BUTTON,
};
}  // namespace Mouse

class EventMouse : public Event {
 public:
  EventMouse();

  void setMouseAction(EventMouseAction new_mouse_action);
  EventMouseAction getMouseAction() const;
  void setMouseButton(Mouse::EventMouseButton new_mouse_button);
  Mouse::EventMouseButton getMouseButton() const;
  void setMousePosition(Vector new_mouse_xy);
  Vector getMousePosition() const;

 private:
  EventMouseAction mouse_action;
  Mouse::EventMouseButton mouse_button;
  Vector mouse_xy;
};

}  // namespace ko
