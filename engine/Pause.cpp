#include <korvane/Pause.h>

#include <korvane/EventKeyboard.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>

namespace ko {

namespace {

const sf::Time PAUSED_POLL_INTERVAL = sf::milliseconds(50);

}  // namespace

Pause::Pause(int init_pause_key)
    : pause_key(init_pause_key),
      show_label(false),
      label(PAUSE_LABEL_DEFAULT),
      label_color(COLOR_DEFAULT) {
  registerInterest(KEYBOARD_EVENT);
}

void Pause::setShowLabel(bool on) { show_label = on; }
bool Pause::getShowLabel() const { return show_label; }
void Pause::setLabel(const std::string& new_label) { label = new_label; }
std::string Pause::getLabel() const { return label; }
void Pause::setLabelColor(Color new_color) { label_color = new_color; }
Color Pause::getLabelColor() const { return label_color; }

// The frame on screen is already gone from the buffer being drawn, so the
// world is drawn again under the label. Animated sprites move on by one
// frame for it, which nobody sees behind a pause.
void Pause::showLabel() const {
  WorldManager::getInstance().draw();
  GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  const Vector middle(static_cast<float>(graphics_manager.getHorizontal() / 2),
                      static_cast<float>(graphics_manager.getVertical() / 2));
  graphics_manager.drawString(viewToWorld(middle), label, CENTER_JUSTIFIED, label_color);
  graphics_manager.swapBuffers();
}

int Pause::eventHandler(const Event* p_e) {
  if (p_e->getType() != KEYBOARD_EVENT) {
    return 0;
  }
  const EventKeyboard* p_keyboard_event = static_cast<const EventKeyboard*>(p_e);
  if (p_keyboard_event->getKey() != pause_key ||
      p_keyboard_event->getKeyboardAction() != KEY_RELEASED) {
    return 0;
  }
  sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindowAsIs();
  if (p_window == nullptr || !p_window->isOpen()) {
    return 0;
  }
  if (show_label) showLabel();
  const sf::Keyboard::Key sf_key = kokeyboardToSfKeyboard(static_cast<Keyboard::Key>(pause_key));
  // A paused game sleeps between looks at the window: the window library's
  // own blocking wait wakes every 10 ms to poll devices, five times as often
  // as a pause needs. Everything that arrives meanwhile, a close request
  // included, is consumed and lost. A close signal is not: it ends the
  // pause, and the input poll then ends the game.
  const InputManager& input_manager = InputManager::getInstance();
  sf::Event event;
  for (;;) {
    if (input_manager.isCloseRequested()) return 1;
    while (p_window->pollEvent(event)) {
      if (event.type == sf::Event::KeyReleased && event.key.code == sf_key) return 1;
    }
    sf::sleep(PAUSED_POLL_INTERVAL);
  }
}

}  // namespace ko
