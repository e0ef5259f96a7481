// Turns the window's keyboard and mouse activity into engine events once
// per loop iteration, and translates between the window library's key and
// button codes and the engine's. While started, SIGTERM, SIGINT and SIGHUP
// ask the game to end as closing the window does.
#pragma once

#include <SFML/Window.hpp>

#include <korvane/EventKeyboard.h>
#include <korvane/EventMouse.h>
#include <korvane/Manager.h>
#include <korvane/Vector.h>

namespace ko {

const std::string INPUT_MANAGER = "ko::input_manager";

class InputManager : public Manager {
 public:
  static InputManager& getInstance();
  InputManager(const InputManager&) = delete;
  void operator=(const InputManager&) = delete;

  // -1 unless the graphics manager has started (it owns the window; a
  // headless one has none, and input then comes from queueWindowEvent).
  // Installs the close-signal handlers (a signal ignored at start stays
  // ignored); shutDown puts the previous ones back.
  int startUp() override;
  void shutDown() override;

  // True exactly for the keyboard and mouse event types.
  bool isValid(std::string event_type) const;

  // Delivers the pending window events, then one event per held key and
  // held mouse button while the window has the input focus. A window
  // close, or a close signal, sets game over and ends the call at once.
  void getInput();

  // True from a close signal's arrival until getInput acts on it: for code
  // that waits on the window outside the loop (the pause) and must let go.
  bool isCloseRequested() const;

  // Mouse position relative to the window, in cells.
  Vector getMousePosition() const;

  // Headless (the graphics manager started without a window), events come
  // from here instead of a window: each as the window would report it,
  // delivered by the next getInput in the order queued. The keys and
  // buttons held, and the pointer, are as the queued events left them.
  // Ignored with a window.
  void queueWindowEvent(const sf::Event& event);

 private:
  InputManager();
};

Keyboard::Key sfkeyboardToKoKeyboard(sf::Keyboard::Key sf_key);
sf::Keyboard::Key kokeyboardToSfKeyboard(Keyboard::Key ko_key);
Mouse::EventMouseButton sfmouseToKoMouse(sf::Mouse::Button sf_button);
sf::Mouse::Button komouseToSfMouse(Mouse::EventMouseButton ko_button);

}  // namespace ko
