// A test object that writes down every keyboard and mouse event it gets.
#pragma once

#include <vector>

#include <korvane/EventKeyboard.h>
#include <korvane/EventMouse.h>
#include <korvane/Object.h>

namespace ko_test {

struct InputSeen {
  bool keyboard = false;
  ko::Keyboard::Key key = ko::Keyboard::UNDEFINED_KEY;
  ko::EventKeyboardAction key_action = ko::UNDEFINED_KEYBOARD_ACTION;
  ko::EventMouseAction mouse_action = ko::UNDEFINED_MOUSE_ACTION;
  ko::Mouse::EventMouseButton button = ko::Mouse::UNDEFINED_MOUSE_BUTTON;
  ko::Vector position;
};

class InputRecorder : public ko::Object {
 public:
  std::vector<InputSeen> seen;

  InputRecorder() {
    setSolidness(ko::SPECTRAL);
    registerInterest(ko::KEYBOARD_EVENT);
    registerInterest(ko::MOUSE_EVENT);
  }

  int eventHandler(const ko::Event* p_e) override {
    InputSeen record;
    if (p_e->getType() == ko::KEYBOARD_EVENT) {
      const auto* p_k = static_cast<const ko::EventKeyboard*>(p_e);
      record.keyboard = true;
      record.key = p_k->getKey();
      record.key_action = p_k->getKeyboardAction();
    } else if (p_e->getType() == ko::MOUSE_EVENT) {
      const auto* p_m = static_cast<const ko::EventMouse*>(p_e);
      record.mouse_action = p_m->getMouseAction();
      record.button = p_m->getMouseButton();
      record.position = p_m->getMousePosition();
    } else {
      return 0;
    }
    seen.push_back(record);
    return 1;
  }

  // Key events as (key, action) pairs, ignoring the mouse.
  std::vector<std::pair<int, int>> keys() const {
    std::vector<std::pair<int, int>> out;
    for (const InputSeen& s : seen) {
      if (s.keyboard) out.emplace_back(s.key, s.key_action);
    }
    return out;
  }
};

}  // namespace ko_test
