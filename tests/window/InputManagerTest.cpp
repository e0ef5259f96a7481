// Real key and mouse activity injected into the window, read back as engine
// events.
#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
#include <utility>
#include <vector>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include "InputRecorder.h"
#include "WindowTestSupport.h"

// Last: Xlib defines macros (None, Bool, ...) that clash with C++ names.
#include <X11/Xlib.h>

using ko_test::InputRecorder;
using ko_test::InputSeen;
using ko_test::sleepMs;
using ko_test::xdotool;

namespace {

using KeyEvents = std::vector<std::pair<int, int>>;

std::pair<int, int> key(ko::Keyboard::Key k, ko::EventKeyboardAction action) { return {k, action}; }

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ko_test::startEngine());
    ko_test::focusWindow();
    p_recorder = new InputRecorder;
  }
  void TearDown() override { ko_test::stopEngine(); }

  // One getInput call; returns what it delivered.
  std::vector<InputSeen> iteration() {
    p_recorder->seen.clear();
    im.getInput();
    return p_recorder->seen;
  }

  // Iterations with short pauses until one delivers an event that matches;
  // X delivers injected input asynchronously. Returns that iteration's
  // events; every earlier iteration must have delivered nothing.
  std::vector<InputSeen> iterateUntil(const std::function<bool(const InputSeen&)>& wanted) {
    for (int attempt = 0; attempt < 100; attempt++) {
      const std::vector<InputSeen> seen = iteration();
      for (const InputSeen& s : seen) {
        if (wanted(s)) return seen;
      }
      EXPECT_TRUE(seen.empty()) << "unexpected events while waiting";
      sleepMs(10);
    }
    ADD_FAILURE() << "the awaited event never came";
    return {};
  }

  static KeyEvents keysOf(const std::vector<InputSeen>& seen) {
    KeyEvents out;
    for (const InputSeen& s : seen) {
      if (s.keyboard) out.emplace_back(s.key, s.key_action);
    }
    return out;
  }

  ko::InputManager& im = ko::InputManager::getInstance();
  InputRecorder* p_recorder = nullptr;
};

// A plain X window of the test's own at the top left of the screen, where
// the engine's window is not: what another program's window would be.
class OtherWindow {
 public:
  OtherWindow() : p_display(XOpenDisplay(nullptr)) {
    if (p_display == nullptr) return;
    window = XCreateSimpleWindow(p_display, DefaultRootWindow(p_display), 0, 0, 100, 100, 0, 0, 0);
    XSelectInput(p_display, window, KeyPressMask | KeyReleaseMask | ButtonPressMask);
    XMapRaised(p_display, window);
    XSync(p_display, False);
    for (int attempt = 0; attempt < 200; attempt++) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(p_display, window, &attributes) &&
          attributes.map_state == IsViewable) {
        break;
      }
      sleepMs(10);
    }
  }
  ~OtherWindow() {
    if (p_display == nullptr) return;
    XDestroyWindow(p_display, window);
    XCloseDisplay(p_display);
  }
  OtherWindow(const OtherWindow&) = delete;
  void operator=(const OtherWindow&) = delete;

  bool isOpen() const { return p_display != nullptr; }

  // Takes the keyboard focus and puts the pointer over this window.
  void focus() {
    XSetInputFocus(p_display, window, RevertToPointerRoot, CurrentTime);
    XSync(p_display, False);
    xdotool("mousemove --window " + std::to_string(window) + " 50 50");
    sleepMs(50);
  }

 private:
  Display* p_display;
  ::Window window = 0;
};

TEST_F(Input, HeldKeyIsPressedThenDownEachIterationThenReleased) {
  xdotool("keydown a");
  const auto first = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(first),
            (KeyEvents{key(ko::Keyboard::A, ko::KEY_PRESSED), key(ko::Keyboard::A, ko::KEY_DOWN)}));
  for (int i = 0; i < 2; i++) {
    sleepMs(20);
    EXPECT_EQ(keysOf(iteration()), (KeyEvents{key(ko::Keyboard::A, ko::KEY_DOWN)}));
  }
  xdotool("keyup a");
  const auto last = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(last), (KeyEvents{key(ko::Keyboard::A, ko::KEY_RELEASED)}));
  sleepMs(20);
  EXPECT_TRUE(iteration().empty());
}

TEST_F(Input, KeyWithoutEngineCounterpartArrivesUndefinedAndIsNotPolled) {
  xdotool("keydown KP_Subtract");
  const auto pressed = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(pressed), (KeyEvents{key(ko::Keyboard::UNDEFINED_KEY, ko::KEY_PRESSED)}));
  sleepMs(20);
  EXPECT_TRUE(iteration().empty()) << "held, yet no engine key is down";
  xdotool("keyup KP_Subtract");
  const auto released = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(released), (KeyEvents{key(ko::Keyboard::UNDEFINED_KEY, ko::KEY_RELEASED)}));
}

TEST_F(Input, CloseRequestEndsTheGameAndLeavesLaterEventsQueued) {
  ko::GameManager& game = ko::GameManager::getInstance();
  ASSERT_FALSE(game.getGameOver());
  ko_test::requestClose();
  xdotool("key b");
  sleepMs(100);  // both reach the window's queue, close first
  EXPECT_TRUE(iteration().empty());
  EXPECT_TRUE(game.getGameOver());
  // The key events behind the close were left for the next call.
  const auto later = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(later), (KeyEvents{key(ko::Keyboard::B, ko::KEY_PRESSED),
                                      key(ko::Keyboard::B, ko::KEY_RELEASED)}));
}

TEST_F(Input, CloseRequestStopsTheGameLoop) {
  ko::GameManager& game = ko::GameManager::getInstance();
  ko_test::requestClose();
  game.run();  // returns only once game over is set
  EXPECT_TRUE(game.getGameOver());
}

TEST_F(Input, MouseButtonIsDownWhileHeldAndReleasedAtItsCell) {
  const sf::WindowHandle window = ko::GraphicsManager::getInstance().getWindow()->getSystemHandle();
  xdotool("mousemove --window " + std::to_string(window) + " 128 64");
  const auto moved =
      iterateUntil([](const InputSeen& s) { return s.mouse_action == ko::MOUSE_MOVED; });
  // No release came before it in that call, so the button is undefined.
  EXPECT_EQ(moved.back().button, ko::Mouse::UNDEFINED_MOUSE_BUTTON);
  EXPECT_EQ(moved.back().position, ko::Vector(10, 2));

  xdotool("mousedown 3");
  const auto down =
      iterateUntil([](const InputSeen& s) { return s.mouse_action == ko::BUTTON_DOWN; });
  ASSERT_EQ(down.size(), 1u) << "pressing a button is no event of its own";
  EXPECT_EQ(down[0].button, ko::Mouse::RIGHT_BUTTON);
  EXPECT_EQ(down[0].position, ko::Vector(10, 2));
  EXPECT_EQ(im.getMousePosition(), ko::Vector(10, 2));
  sleepMs(20);
  EXPECT_EQ(iteration().size(), 1u) << "held: down again";

  xdotool("mouseup 3");
  const auto up =
      iterateUntil([](const InputSeen& s) { return s.mouse_action == ko::BUTTON_RELEASED; });
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(up[0].button, ko::Mouse::RIGHT_BUTTON);
  EXPECT_EQ(up[0].position, ko::Vector(10, 2));
}

// Keys and buttons held for another program's window are none of the
// game's business: the held state the window library reports is the whole
// display's, not the window's.
TEST_F(Input, KeysAndButtonsHeldForAnotherWindowAreReportedOnlyOnceFocused) {
  OtherWindow other;
  ASSERT_TRUE(other.isOpen());
  other.focus();
  iteration();  // the pointer leaving the engine's window
  xdotool("keydown a");
  xdotool("mousedown 1");
  for (int i = 0; i < 5; i++) {
    sleepMs(20);
    EXPECT_TRUE(iteration().empty()) << "iteration " << i;
  }

  // Still held, the game's window now has the focus: held again, but the
  // presses themselves happened elsewhere.
  ko_test::focusWindow();
  const auto held = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(held), (KeyEvents{key(ko::Keyboard::A, ko::KEY_DOWN)}));
  ASSERT_EQ(held.size(), 2u);
  EXPECT_EQ(held[1].mouse_action, ko::BUTTON_DOWN);
  EXPECT_EQ(held[1].button, ko::Mouse::LEFT_BUTTON);

  // The window's own release events come as ever.
  xdotool("keyup a");
  const auto released = iterateUntil(
      [](const InputSeen& s) { return s.keyboard && s.key_action == ko::KEY_RELEASED; });
  EXPECT_EQ(keysOf(released), (KeyEvents{key(ko::Keyboard::A, ko::KEY_RELEASED)}));
  xdotool("mouseup 1");
}

// Focus lost with a key held: its down events stop at once, and no release
// is made up for it (a release acts, in a typing game or a pause, and this
// one never happened in our window).
TEST_F(Input, FocusLostWhileAKeyIsHeldEndsItsDownEventsWithoutARelease) {
  xdotool("keydown b");
  const auto pressed = iterateUntil([](const InputSeen& s) { return s.keyboard; });
  EXPECT_EQ(keysOf(pressed),
            (KeyEvents{key(ko::Keyboard::B, ko::KEY_PRESSED), key(ko::Keyboard::B, ko::KEY_DOWN)}));
  OtherWindow other;
  ASSERT_TRUE(other.isOpen());
  other.focus();
  for (int i = 0; i < 3; i++) {
    sleepMs(20);
    EXPECT_TRUE(keysOf(iteration()).empty()) << "iteration " << i;
  }
  xdotool("keyup b");
  sleepMs(50);
  EXPECT_TRUE(keysOf(iteration()).empty());
}

TEST(InputManagerLifecycle, NeedsTheWindowAndStopsTwiceHarmlessly) {
  ko::InputManager& im = ko::InputManager::getInstance();
  EXPECT_EQ(im.startUp(), -1);
  EXPECT_FALSE(im.isStarted());
  im.getInput();  // no window: nothing happens

  ASSERT_TRUE(ko_test::startEngine());
  EXPECT_TRUE(im.isStarted());
  im.shutDown();
  im.shutDown();
  EXPECT_FALSE(im.isStarted());
  ko::GraphicsManager::getInstance().shutDown();
  im.shutDown();
}

sighandler_t dispositionOf(int sig) {
  struct sigaction current {};
  sigaction(sig, nullptr, &current);
  return current.sa_handler;
}

// While the engine runs, the signals that ask a program to end are a close
// request (one ignored from the start, as under nohup, stays ignored), and a
// file size limit makes writes fail instead of killing the process. Shut
// down, the process gets its own dispositions back.
TEST(InputManagerLifecycle, SignalsWhileStartedAndTheirDispositionsAfter) {
  signal(SIGHUP, SIG_IGN);
  ASSERT_TRUE(ko_test::startEngine());
  ko::GameManager& game = ko::GameManager::getInstance();
  ko::InputManager& im = ko::InputManager::getInstance();
  EXPECT_EQ(dispositionOf(SIGHUP), SIG_IGN);
  EXPECT_EQ(dispositionOf(SIGXFSZ), SIG_IGN);
  for (int sig : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(sig);
    game.setGameOver(false);
    ASSERT_EQ(raise(sig), 0);
    EXPECT_TRUE(im.isCloseRequested());
    im.getInput();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_FALSE(im.isCloseRequested()) << "taken once";
  }
  ko_test::stopEngine();
  EXPECT_EQ(dispositionOf(SIGTERM), SIG_DFL);
  EXPECT_EQ(dispositionOf(SIGINT), SIG_DFL);
  EXPECT_EQ(dispositionOf(SIGHUP), SIG_IGN);
  EXPECT_EQ(dispositionOf(SIGXFSZ), SIG_DFL);
  signal(SIGHUP, SIG_DFL);
}

TEST(InputManagerLifecycle, OnlyKeyboardAndMouseEventsBelongToIt) {
  const ko::InputManager& im = ko::InputManager::getInstance();
  EXPECT_TRUE(im.isValid(ko::KEYBOARD_EVENT));
  EXPECT_TRUE(im.isValid(ko::MOUSE_EVENT));
  for (const char* other : {"ko::step", "ko::view", "ko::keyboard ", "", "ko::Mouse"}) {
    EXPECT_FALSE(im.isValid(other)) << other;
  }
}

}  // namespace
