#include <korvane/InputManager.h>

#include <signal.h>

#include <deque>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>

namespace ko {

namespace {

// Indexed by engine key value 0..72; each names exactly one window-library
// key, so the table serves both directions.
// clang-format off
const sf::Keyboard::Key KEY_TABLE[] = {
    sf::Keyboard::Space,     sf::Keyboard::Enter,     sf::Keyboard::Escape,
    sf::Keyboard::Tab,       sf::Keyboard::Left,      sf::Keyboard::Right,
    sf::Keyboard::Up,        sf::Keyboard::Down,      sf::Keyboard::Pause,
    sf::Keyboard::Hyphen,    sf::Keyboard::Add,       sf::Keyboard::Tilde,
    sf::Keyboard::Period,    sf::Keyboard::Comma,     sf::Keyboard::Slash,
    sf::Keyboard::Equal,     sf::Keyboard::Backslash, sf::Keyboard::Multiply,
    sf::Keyboard::Quote,     sf::Keyboard::Semicolon, sf::Keyboard::LControl,
    sf::Keyboard::RControl,  sf::Keyboard::LShift,    sf::Keyboard::RShift,
    sf::Keyboard::F1,        sf::Keyboard::F2,        sf::Keyboard::F3,
    sf::Keyboard::F4,        sf::Keyboard::F5,        sf::Keyboard::F6,
    sf::Keyboard::F7,        sf::Keyboard::F8,        sf::Keyboard::F9,
    sf::Keyboard::F10,       sf::Keyboard::F11,       sf::Keyboard::F12,
    sf::Keyboard::A,         sf::Keyboard::B,         sf::Keyboard::C,
    sf::Keyboard::D,         sf::Keyboard::E,         sf::Keyboard::F,
    sf::Keyboard::G,         sf::Keyboard::H,         sf::Keyboard::I,
    sf::Keyboard::J,         sf::Keyboard::K,         sf::Keyboard::L,
    sf::Keyboard::M,         sf::Keyboard::N,         sf::Keyboard::O,
    sf::Keyboard::P,         sf::Keyboard::Q,         sf::Keyboard::R,
    sf::Keyboard::S,         sf::Keyboard::T,         sf::Keyboard::U,
    sf::Keyboard::V,         sf::Keyboard::W,         sf::Keyboard::X,
    sf::Keyboard::Y,         sf::Keyboard::Z,         sf::Keyboard::Num1,
    sf::Keyboard::Num2,      sf::Keyboard::Num3,      sf::Keyboard::Num4,
    sf::Keyboard::Num5,      sf::Keyboard::Num6,      sf::Keyboard::Num7,
    sf::Keyboard::Num8,      sf::Keyboard::Num9,      sf::Keyboard::Num0,
    sf::Keyboard::Backspace,
};
// clang-format on
const int KEY_COUNT = static_cast<int>(sizeof(KEY_TABLE) / sizeof(KEY_TABLE[0]));
static_assert(sizeof(KEY_TABLE) / sizeof(KEY_TABLE[0]) == Keyboard::BACKSPACE + 1,
              "one window-library key per engine key");

// Window pixels to cells, through where the grid lies in the window.
Vector eventPixelsToSpaces(int x, int y) {
  const Letterbox letterbox = GraphicsManager::getInstance().getLetterbox();
  return pixelsToSpaces(letterbox.toGrid(Vector(static_cast<float>(x), static_cast<float>(y))));
}

// The ways a desktop or a terminal asks a program to end: logout or a
// closed terminal, Ctrl+C, kill.
struct CloseSignal {
  int number;
  const char* name;
};
const CloseSignal CLOSE_SIGNALS[] = {{SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
const int CLOSE_SIGNAL_COUNT = static_cast<int>(sizeof(CLOSE_SIGNALS) / sizeof(CLOSE_SIGNALS[0]));

// The number of the close signal not yet acted on, 0 for none. The handler
// only records it; the game loop acts on it in its input poll.
volatile sig_atomic_t pending_close_signal = 0;
struct sigaction previous_actions[CLOSE_SIGNAL_COUNT];
bool close_handlers_installed = false;

void recordCloseSignal(int number) { pending_close_signal = number; }

const char* closeSignalName(int number) {
  for (const CloseSignal& close_signal : CLOSE_SIGNALS) {
    if (close_signal.number == number) return close_signal.name;
  }
  return "a signal";
}

void installCloseHandlers() {
  pending_close_signal = 0;
  // Started twice: the saved actions are already the ones to put back.
  if (close_handlers_installed) return;
  struct sigaction action {};
  action.sa_handler = recordCloseSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < CLOSE_SIGNAL_COUNT; i++) {
    sigaction(CLOSE_SIGNALS[i].number, nullptr, &previous_actions[i]);
    // Started with the signal ignored (nohup, a background job): keep it so.
    if (previous_actions[i].sa_handler == SIG_IGN) continue;
    sigaction(CLOSE_SIGNALS[i].number, &action, nullptr);
  }
  close_handlers_installed = true;
}

void restoreCloseHandlers() {
  if (!close_handlers_installed) return;
  for (int i = 0; i < CLOSE_SIGNAL_COUNT; i++) {
    sigaction(CLOSE_SIGNALS[i].number, &previous_actions[i], nullptr);
  }
  close_handlers_installed = false;
}

// Headless, the keyboard and mouse are what the queued window events made
// of them.
struct HeadlessDevices {
  std::deque<sf::Event> queue;
  bool keys[sf::Keyboard::KeyCount];
  bool buttons[sf::Mouse::ButtonCount];
  sf::Vector2i pointer;
};
HeadlessDevices headless_devices{};

void resetHeadlessDevices() { headless_devices = HeadlessDevices{}; }

// Started without a window (p_window, the graphics manager's), which only
// a headless graphics manager does.
bool runsHeadless(const sf::RenderWindow* p_window) {
  const GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  return graphics_manager.isStarted() && p_window == nullptr && graphics_manager.isHeadless();
}

bool isHeld(sf::Keyboard::Key key, bool headless) {
  if (!headless) return sf::Keyboard::isKeyPressed(key);
  return key >= 0 && key < sf::Keyboard::KeyCount && headless_devices.keys[key];
}

bool isHeld(sf::Mouse::Button button, bool headless) {
  if (!headless) return sf::Mouse::isButtonPressed(button);
  return button >= 0 && button < sf::Mouse::ButtonCount && headless_devices.buttons[button];
}

sf::Vector2i pointerPixel(const sf::RenderWindow* p_window) {
  if (p_window == nullptr) return headless_devices.pointer;
  return sf::Mouse::getPosition(*p_window);
}

}  // namespace

InputManager::InputManager() { setType(INPUT_MANAGER); }

InputManager& InputManager::getInstance() {
  static InputManager input_manager;
  return input_manager;
}

int InputManager::startUp() {
  GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  resetHeadlessDevices();
  if (runsHeadless(graphics_manager.getWindowAsIs())) {
    installCloseHandlers();
    return Manager::startUp();
  }
  if (!graphics_manager.isStarted() || graphics_manager.getWindowAsIs() == nullptr) {
    return -1;
  }
  // Holding is reported by polling each iteration instead of by repeats.
  graphics_manager.setKeyRepeat(false);
  installCloseHandlers();
  return Manager::startUp();
}

void InputManager::shutDown() {
  Manager::shutDown();
  restoreCloseHandlers();
  resetHeadlessDevices();
  GraphicsManager::getInstance().setKeyRepeat(true);
}

bool InputManager::isValid(std::string event_type) const {
  return event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT;
}

void InputManager::getInput() {
  GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  sf::RenderWindow* p_window = graphics_manager.getWindowAsIs();
  const bool headless = runsHeadless(p_window);
  if (!graphics_manager.isStarted() || (p_window == nullptr && !headless)) {
    return;
  }
  // Reused for every event of this call: each branch sets only its fields.
  EventKeyboard keyboard_event;
  EventMouse mouse_event;

  sf::Event event;
  for (;;) {
    // A close signal counts as a close event at this point of the queue.
    // Looked at before each event, since a handler may have waited for one
    // (the pause does).
    if (pending_close_signal != 0) {
      LogManager::getInstance().writeLog("InputManager::getInput(): received %s, closing",
                                         closeSignalName(pending_close_signal));
      pending_close_signal = 0;
      GameManager::getInstance().setGameOver(true);
      return;
    }
    if (headless) {
      if (headless_devices.queue.empty()) break;
      event = headless_devices.queue.front();
      headless_devices.queue.pop_front();
    } else if (!p_window->pollEvent(event)) {
      break;
    }
    switch (event.type) {
      case sf::Event::Closed:
        GameManager::getInstance().setGameOver(true);
        return;
      case sf::Event::KeyPressed:
        keyboard_event.setKey(sfkeyboardToKoKeyboard(event.key.code));
        keyboard_event.setKeyboardAction(KEY_PRESSED);
        onEvent(&keyboard_event);
        break;
      case sf::Event::KeyReleased:
        keyboard_event.setKeyboardAction(KEY_RELEASED);
        keyboard_event.setKey(sfkeyboardToKoKeyboard(event.key.code));
        onEvent(&keyboard_event);
        break;
      case sf::Event::MouseButtonReleased:
        mouse_event.setMouseAction(BUTTON_RELEASED);
        mouse_event.setMouseButton(sfmouseToKoMouse(event.mouseButton.button));
        mouse_event.setMousePosition(eventPixelsToSpaces(event.mouseButton.x, event.mouseButton.y));
        onEvent(&mouse_event);
        break;
      case sf::Event::MouseMoved:
        mouse_event.setMouseAction(MOUSE_MOVED);
        mouse_event.setMousePosition(eventPixelsToSpaces(event.mouseMove.x, event.mouseMove.y));
        onEvent(&mouse_event);
        break;
      default:
        break;
    }
  }

  // The window library reports what is held on the whole display, meant
  // for whichever window has the focus. Keys released while another window
  // had the focus never reach ours: they simply stop being held.
  if (!headless && !p_window->hasFocus()) return;

  for (int key = 0; key < KEY_COUNT; key++) {
    if (isHeld(KEY_TABLE[key], headless)) {
      keyboard_event.setKey(static_cast<Keyboard::Key>(key));
      keyboard_event.setKeyboardAction(KEY_DOWN);
      onEvent(&keyboard_event);
    }
  }

  const Mouse::EventMouseButton buttons[] = {Mouse::LEFT_BUTTON, Mouse::RIGHT_BUTTON,
                                             Mouse::MIDDLE_BUTTON};
  for (Mouse::EventMouseButton button : buttons) {
    if (isHeld(komouseToSfMouse(button), headless)) {
      const sf::Vector2i pixel_pos = pointerPixel(p_window);
      mouse_event.setMouseButton(button);
      mouse_event.setMouseAction(BUTTON_DOWN);
      mouse_event.setMousePosition(eventPixelsToSpaces(pixel_pos.x, pixel_pos.y));
      onEvent(&mouse_event);
    }
  }
}

bool InputManager::isCloseRequested() const { return pending_close_signal != 0; }

void InputManager::queueWindowEvent(const sf::Event& event) {
  if (!runsHeadless(GraphicsManager::getInstance().getWindowAsIs())) return;
  headless_devices.queue.push_back(event);
  switch (event.type) {
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased:
      if (event.key.code >= 0 && event.key.code < sf::Keyboard::KeyCount) {
        headless_devices.keys[event.key.code] = event.type == sf::Event::KeyPressed;
      }
      break;
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
      if (event.mouseButton.button >= 0 && event.mouseButton.button < sf::Mouse::ButtonCount) {
        headless_devices.buttons[event.mouseButton.button] =
            event.type == sf::Event::MouseButtonPressed;
      }
      headless_devices.pointer = sf::Vector2i(event.mouseButton.x, event.mouseButton.y);
      break;
    case sf::Event::MouseMoved:
      headless_devices.pointer = sf::Vector2i(event.mouseMove.x, event.mouseMove.y);
      break;
    default:
      break;
  }
}

Vector InputManager::getMousePosition() const {
  sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindowAsIs();
  if (p_window == nullptr && !runsHeadless(p_window)) {
    return Vector();
  }
  const sf::Vector2i pixel_pos = pointerPixel(p_window);
  return eventPixelsToSpaces(pixel_pos.x, pixel_pos.y);
}

Keyboard::Key sfkeyboardToKoKeyboard(sf::Keyboard::Key sf_key) {
  for (int key = 0; key < KEY_COUNT; key++) {
    if (KEY_TABLE[key] == sf_key) {
      return static_cast<Keyboard::Key>(key);
    }
  }
  return Keyboard::UNDEFINED_KEY;
}

sf::Keyboard::Key kokeyboardToSfKeyboard(Keyboard::Key ko_key) {
  if (ko_key < 0 || ko_key >= KEY_COUNT) {
    return sf::Keyboard::Unknown;
  }
  return KEY_TABLE[ko_key];
}

Mouse::EventMouseButton sfmouseToKoMouse(sf::Mouse::Button sf_button) {
  switch (sf_button) {
    case sf::Mouse::Right:
      return Mouse::RIGHT_BUTTON;
    case sf::Mouse::Middle:
      return Mouse::MIDDLE_BUTTON;
    default:
      // Left, and the extra buttons the engine does not know.
      return Mouse::LEFT_BUTTON;
  }
}

sf::Mouse::Button komouseToSfMouse(Mouse::EventMouseButton ko_button) {
  switch (ko_button) {
    case Mouse::RIGHT_BUTTON:
      return sf::Mouse::Right;
    case Mouse::MIDDLE_BUTTON:
      return sf::Mouse::Middle;
    default:
      return sf::Mouse::Left;
  }
}

}  // namespace ko
