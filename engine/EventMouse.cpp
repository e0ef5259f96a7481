#include <korvane/EventMouse.h>

namespace ko {

EventMouse::EventMouse()
    : mouse_action(UNDEFINED_MOUSE_ACTION), mouse_button(Mouse::UNDEFINED_MOUSE_BUTTON) {
  setType(MOUSE_EVENT);
}

void EventMouse::setMouseAction(EventMouseAction new_mouse_action) {
  mouse_action = new_mouse_action;
}
EventMouseAction EventMouse::getMouseAction() const { return mouse_action; }

void EventMouse::setMouseButton(Mouse::EventMouseButton new_mouse_button) {
  mouse_button = new_mouse_button;
}
Mouse::EventMouseButton EventMouse::getMouseButton() const { return mouse_button; }

void EventMouse::setMousePosition(Vector new_mouse_xy) { mouse_xy = new_mouse_xy; }
Vector EventMouse::getMousePosition() const { return mouse_xy; }

}  // namespace ko
