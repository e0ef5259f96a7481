// Turns the window's keyboard and mouse activity into engine events once
// per loop iteration, and translates between the window library's key and
// button codes and the engine's.
#pragma once

#include <SFML/Window.hpp>

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "Manager.h"
#include "Vector.h"

namespace ko {

const std::string INPUT_MANAGER = "ko::input_manager";

class InputManager : public Manager {
 public:
  static InputManager& getInstance();
  InputManager(const InputManager&) = delete;
  void operator=(const InputManager&) = delete;

  // -1 unless the graphics manager has started (it owns the window).
  int startUp() override;
  void shutDown() override;

  // True exactly for the keyboard and mouse event types.
  bool isValid(std::string event_type) const;

  // Delivers the pending window events, then one event per held key and
  // held mouse button while the window has the input focus.
  void getInput();

  // Mouse position relative to the window, in cells.
  Vector getMousePosition() const;

 private:
  InputManager();
};

Keyboard::Key sfkeyboardToKoKeyboard(sf::Keyboard::Key sf_key);
sf::Keyboard::Key kokeyboardToSfKeyboard(Keyboard::Key ko_key);
Mouse::EventMouseButton sfmouseToKoMouse(sf::Mouse::Button sf_button);
sf::Mouse::Button komouseToSfMouse(Mouse::EventMouseButton ko_button);

}  // namespace ko
