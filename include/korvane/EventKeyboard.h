// Keyboard events from the input manager, and the engine's own key codes.
#pragma once

#include <korvane/Event.h>

namespace ko {

const std::string KEYBOARD_EVENT = "ko::keyboard";

enum EventKeyboardAction : int {
  UNDEFINED_KEYBOARD_ACTION = -1,
  KEY_PRESSED,
  KEY_RELEASED,
  KEY_DOWN,
};

namespace Keyboard {
// Values are fixed: each names exactly one window-library key (see the
// input manager's tables).
// Of a fixed type, so that a value outside the table is one the key
// conversions can refuse rather than undefined.
enum Key : int {
  UNDEFINED_KEY = -1,
  SPACE,
  RETURN,
  ESCAPE,
  TAB,
  Left,
  Right,
  Up,
  Down,
  PAUSE,
  DASH,
  PLUS,
  TILDE,
  PERIOD,
  COMMA,
  SLASH,
  EQUAL,
  BACKSLASH,
  MULTIPLY,
  QUOTE,
  SEMICOLON,
  LEFTCONTROL,
  RIGHTCONTROL,
  LEFTSHIFT,
  RIGHTSHIFT,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  A,
  B,
  C,
  D,
  E,
  F,
  G,
  H,
  I,
  J,
  K,
  L,
  M,
  N,
  O,
  P,
  Q,
  R,
  S,
  T,
  U,
  V,
  W,
  X,
  Y,
  Z,
  Num1,
  Num2,
  Num3,
  Num4,
  Num5,
  Num6,
  Num7,
  Num8,
  Num9,
  Num0,
  BACKSPACE,
};
}  // namespace Keyboard

class EventKeyboard : public Event {
 public:
  EventKeyboard();

  void setKey(Keyboard::Key new_key);
  Keyboard::Key getKey() const;
  void setKeyboardAction(EventKeyboardAction new_action);
  EventKeyboardAction getKeyboardAction() const;

 private:
  Keyboard::Key key_val;
  EventKeyboardAction keyboard_action;
};

}  // namespace ko
