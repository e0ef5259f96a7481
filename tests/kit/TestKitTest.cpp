// The test kit on its own, headless: starting with no display at all, what
// the frame's cells hold for each drawing call and placement rule, the
// order and actions of the input it delivers, and runs that repeat for a
// seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <korvane/Box.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/TestKit.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "InputRecorder.h"

using ko_test::InputRecorder;
using ko_test::InputSeen;

namespace {

class Kit : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    ASSERT_EQ(kit.startUp(), 0);
  }

  ko::TestKit kit;
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
};

TEST_F(Kit, StartsWithoutADisplayAndEveryDrawingCallSucceeds) {
  EXPECT_EQ(graphics.getWindow(), nullptr);
  EXPECT_TRUE(ko::InputManager::getInstance().isStarted());
  EXPECT_EQ(graphics.getHorizontal(), 80);
  EXPECT_EQ(graphics.getVertical(), 24);
  EXPECT_EQ(graphics.drawCh(ko::Vector(1, 1), 'a', ko::RED), 0);
  EXPECT_EQ(graphics.drawString(ko::Vector(1, 2), "bc", ko::LEFT_JUSTIFIED, ko::RED), 0);
  EXPECT_EQ(graphics.drawFrame(ko::Vector(1, 3), ko::Frame(1, 1, "d"), false, ko::RED), 0);
  EXPECT_EQ(graphics.drawFrame(ko::Vector(1, 3), ko::Frame(), false, ko::RED), -1);
  EXPECT_EQ(graphics.flush(), 0);
  EXPECT_EQ(graphics.swapBuffers(), 0);
  EXPECT_EQ(kit.getRows()[1], " a" + std::string(78, ' '));
  EXPECT_EQ(kit.runSteps(3), 3);
  EXPECT_EQ(ko::GameManager::getInstance().getStepCount(), 3);

  ko::LogManager::getInstance().writeLog("a line of the game's");
  const std::vector<std::string> log = kit.getLogLines();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "a line of the game's");
}

// What a frame drawn by one call shows, from the row's left edge.
struct PlacementCase {
  const char* name;
  void (*draw)();
  int row;
  std::string shows;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class Placement : public Kit, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(Placement, PutsEachCharacterInTheWindowsCell) {
  GetParam().draw();
  graphics.swapBuffers();
  const std::string row = kit.getRow(GetParam().row);
  EXPECT_EQ(row.substr(0, GetParam().shows.size()), GetParam().shows);
  EXPECT_EQ(row.find_first_not_of(' ', GetParam().shows.size()), std::string::npos)
      << "more on the row: '" << row << "'";
}

ko::GraphicsManager& gm() { return ko::GraphicsManager::getInstance(); }

const PlacementCase PLACEMENT_CASES[] = {
    {"LeftJustified", [] { gm().drawString(ko::Vector(2, 4), "abc", ko::LEFT_JUSTIFIED, ko::RED); },
     4, "  abc"},
    // Centred on a column: half the length, rounded down, to its left.
    {"CenterJustifiedOdd",
     [] { gm().drawString(ko::Vector(5, 4), "abc", ko::CENTER_JUSTIFIED, ko::RED); }, 4, "    abc"},
    {"CenterJustifiedEven",
     [] { gm().drawString(ko::Vector(5, 4), "abcd", ko::CENTER_JUSTIFIED, ko::RED); }, 4,
     "   abcd"},
    {"RightJustifiedEndsLeftOfThePosition",
     [] { gm().drawString(ko::Vector(5, 4), "abc", ko::RIGHT_JUSTIFIED, ko::RED); }, 4, "  abc"},
    {"TransparentCharactersLeaveWhatIsUnder",
     [] {
       gm().drawString(ko::Vector(0, 4), "xxxxx", ko::LEFT_JUSTIFIED, ko::RED);
       gm().drawString(ko::Vector(0, 4), "a.b.c", ko::LEFT_JUSTIFIED, ko::RED, '.');
     },
     4, "axbxc"},
    {"LaterCharactersCoverEarlierOnes",
     [] {
       gm().drawString(ko::Vector(0, 4), "abc", ko::LEFT_JUSTIFIED, ko::RED);
       gm().drawCh(ko::Vector(1, 4), ' ', ko::RED);
     },
     4, "a c"},
    {"CutAtTheLeftEdge",
     [] { gm().drawString(ko::Vector(-2, 4), "abcd", ko::LEFT_JUSTIFIED, ko::RED); }, 4, "cd"},
    {"CutAtTheRightEdge",
     [] { gm().drawString(ko::Vector(78, 4), "abcd", ko::LEFT_JUSTIFIED, ko::RED); }, 4,
     std::string(78, ' ') + "ab"},
    {"FrameSecondRow",
     [] { gm().drawFrame(ko::Vector(3, 4), ko::Frame(3, 2, "abcdef"), false, ko::RED); }, 5,
     "   def"},
    // Centred: half the width and height, rounded down, up and left.
    {"FrameCentred",
     [] { gm().drawFrame(ko::Vector(3, 4), ko::Frame(3, 3, "abcdefghi"), true, ko::RED); }, 4,
     "  def"},
    {"FrameTransparent",
     [] {
       gm().drawString(ko::Vector(0, 4), "xxxx", ko::LEFT_JUSTIFIED, ko::RED);
       gm().drawFrame(ko::Vector(0, 4), ko::Frame(4, 1, "a##d"), false, ko::RED, '#');
     },
     4, "axxd"},
    {"FrameShorterThanItsSize",
     [] { gm().drawFrame(ko::Vector(0, 4), ko::Frame(3, 2, "abcd"), false, ko::RED); }, 5, "d"},
    // The nearest cell, as the window draws the box mostly over it.
    {"BetweenCellsToTheNearest",
     [] {
       gm().drawCh(ko::Vector(2.25f, 4.25f), 'a', ko::RED);
       gm().drawCh(ko::Vector(4.75f, 3.75f), 'b', ko::RED);
     },
     4, "  a  b"},
    {"WorldToViewFollowsTheView",
     [] {
       ko::WorldManager::getInstance().setBoundary(ko::Box(ko::Vector(), 200, 100));
       ko::WorldManager::getInstance().setViewPosition(ko::Vector(50, 20));
       // The view's corner is now (10, 8).
       gm().drawString(ko::Vector(12, 12), "ab", ko::LEFT_JUSTIFIED, ko::RED);
     },
     4, "  ab"},
};

INSTANTIATE_TEST_SUITE_P(Calls, Placement, ::testing::ValuesIn(PLACEMENT_CASES),
                         [](const ::testing::TestParamInfo<PlacementCase>& case_info) {
                           return std::string(case_info.param.name);
                         });

TEST_F(Kit, CellsKeepColourAndBoxAndTheFrameIsTheLastShown) {
  graphics.setBackgroundColor(sf::Color(1, 2, 3));
  graphics.swapBuffers();
  graphics.setBackgroundTextColor(sf::Color::Blue);
  graphics.drawCh(ko::Vector(3, 2), 'q', ko::CYAN);
  graphics.setBackgroundTextColor(sf::Color::Red);
  graphics.drawCh(ko::Vector(4, 2), 'r', ko::GREEN);
  EXPECT_EQ(kit.getCell(3, 2).ch, 0u) << "not shown before the swap";
  graphics.swapBuffers();

  const ko::CellFrame::Cell q = kit.getCell(3, 2), r = kit.getCell(4, 2), empty = kit.getCell(5, 2);
  EXPECT_EQ(q.ch, static_cast<sf::Uint32>('q'));
  EXPECT_EQ(q.color, ko::CYAN);
  EXPECT_EQ(q.box, sf::Color::Blue);
  EXPECT_EQ(kit.getColor(4, 2), ko::GREEN);
  EXPECT_EQ(r.box, sf::Color::Red);
  EXPECT_EQ(empty.ch, 0u);
  EXPECT_EQ(empty.color, ko::UNDEFINED_COLOR);
  EXPECT_EQ(empty.box, sf::Color(1, 2, 3));
  EXPECT_EQ(kit.getColor(80, 2), ko::UNDEFINED_COLOR);
  EXPECT_EQ(kit.getRow(24), "");

  // The loop swaps too: the next frame replaces this one.
  kit.runSteps(1);
  EXPECT_EQ(kit.getCell(3, 2).ch, 0u);
}

TEST_F(Kit, ViewObjectsSitWhereTheirLocationSays) {
  auto* p_right = new ko::ViewObject;
  p_right->setViewString("Coins");
  p_right->setValue(7);
  p_right->setLocation(ko::TOP_RIGHT);
  p_right->setColor(ko::YELLOW);
  // The view moving must not move it.
  ko::WorldManager::getInstance().setBoundary(ko::Box(ko::Vector(), 200, 100));
  ko::WorldManager::getInstance().setViewPosition(ko::Vector(90, 40));
  kit.runSteps(1);
  bool found = false;
  for (int row = 0; row < 3; row++) {
    const std::size_t at = kit.getRow(row).find("Coins 7");
    if (at == std::string::npos) continue;
    found = true;
    EXPECT_GT(at, 40u) << "on the right half";
    EXPECT_EQ(kit.getColor(static_cast<int>(at), row), ko::YELLOW);
  }
  EXPECT_TRUE(found) << "no 'Coins 7' in the top rows";
}

std::pair<int, int> key(ko::Keyboard::Key k, ko::EventKeyboardAction action) { return {k, action}; }

class KitInput : public Kit {
 protected:
  void SetUp() override {
    Kit::SetUp();
    p_recorder = new InputRecorder;
  }
  // The keyboard events of one iteration.
  std::vector<std::pair<int, int>> keysOfStep() {
    p_recorder->seen.clear();
    kit.runSteps(1);
    return p_recorder->keys();
  }
  std::vector<InputSeen> mouseOfStep() {
    p_recorder->seen.clear();
    kit.runSteps(1);
    return p_recorder->seen;
  }
  InputRecorder* p_recorder = nullptr;
};

TEST_F(KitInput, KeysComeInOrderThenEveryHeldKeyInKeyOrder) {
  using K = ko::Keyboard::Key;
  EXPECT_TRUE(keysOfStep().empty());
  // Pressed in one iteration: the presses in order, then what is held, in
  // the key table's order, whatever the order of the presses.
  kit.pressKey(K::C);
  kit.pressKey(K::A);
  EXPECT_EQ(keysOfStep(), (std::vector<std::pair<int, int>>{
                              key(K::C, ko::KEY_PRESSED), key(K::A, ko::KEY_PRESSED),
                              key(K::A, ko::KEY_DOWN), key(K::C, ko::KEY_DOWN)}));
  // Held across iterations.
  EXPECT_EQ(keysOfStep(),
            (std::vector<std::pair<int, int>>{key(K::A, ko::KEY_DOWN), key(K::C, ko::KEY_DOWN)}));
  kit.releaseKey(K::A);
  EXPECT_EQ(keysOfStep(), (std::vector<std::pair<int, int>>{key(K::A, ko::KEY_RELEASED),
                                                            key(K::C, ko::KEY_DOWN)}));
  // A tap is over before the held keys are looked at.
  kit.releaseKey(K::C);
  kit.tapKey(K::SPACE);
  EXPECT_EQ(keysOfStep(), (std::vector<std::pair<int, int>>{key(K::C, ko::KEY_RELEASED),
                                                            key(K::SPACE, ko::KEY_PRESSED),
                                                            key(K::SPACE, ko::KEY_RELEASED)}));
  EXPECT_TRUE(keysOfStep().empty());
}

TEST_F(KitInput, MouseMovesClicksAndHeldButtonsCarryTheCell) {
  kit.click(ko::Vector(10, 5));
  std::vector<InputSeen> seen = mouseOfStep();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].mouse_action, ko::MOUSE_MOVED);
  EXPECT_EQ(seen[1].mouse_action, ko::BUTTON_RELEASED);
  EXPECT_EQ(seen[1].button, ko::Mouse::LEFT_BUTTON);
  for (const InputSeen& s : seen) {
    EXPECT_EQ(s.position.x, 10);
    EXPECT_EQ(s.position.y, 5);
  }

  // A cell whose corner falls between pixels: the position lies in it.
  kit.moveMouse(ko::Vector(3, 7));
  kit.pressButton(ko::Mouse::RIGHT_BUTTON);
  seen = mouseOfStep();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].mouse_action, ko::MOUSE_MOVED);
  EXPECT_EQ(seen[1].mouse_action, ko::BUTTON_DOWN);
  EXPECT_EQ(seen[1].button, ko::Mouse::RIGHT_BUTTON);
  EXPECT_GE(seen[1].position.x, 3);
  EXPECT_LT(seen[1].position.x, 3.1);
  EXPECT_EQ(seen[1].position.y, 7);
  EXPECT_EQ(ko::InputManager::getInstance().getMousePosition().x, seen[1].position.x);

  seen = mouseOfStep();
  ASSERT_EQ(seen.size(), 1u) << "held across iterations";
  EXPECT_EQ(seen[0].mouse_action, ko::BUTTON_DOWN);
  kit.releaseButton(ko::Mouse::RIGHT_BUTTON);
  seen = mouseOfStep();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].mouse_action, ko::BUTTON_RELEASED);
  EXPECT_EQ(seen[0].button, ko::Mouse::RIGHT_BUTTON);
  EXPECT_TRUE(mouseOfStep().empty());
}

TEST_F(KitInput, InputComesAfterTheStepEventAndAQuitEndsTheRun) {
  // An object that quits on Q, as games do; the kit then stops stepping.
  class Quitter : public ko::Object {
   public:
    Quitter() { registerInterest(ko::KEYBOARD_EVENT); }
    int eventHandler(const ko::Event* p_e) override {
      if (p_e->getType() != ko::KEYBOARD_EVENT) return 0;
      ko::GameManager::getInstance().setGameOver();
      return 1;
    }
  };
  new Quitter;
  kit.tapKey(ko::Keyboard::Q);
  EXPECT_EQ(kit.runSteps(5), 1);
  EXPECT_TRUE(ko::GameManager::getInstance().getGameOver());
  EXPECT_EQ(kit.runSteps(5), 0);
}

class Star : public ko::Object {
 public:
  Star() { setSolidness(ko::SPECTRAL); }
  void draw() override { ko::GraphicsManager::getInstance().drawCh(getPos(), '*', ko::WHITE); }
};

// Stars placed by rand(): what the frame shows for a seed.
std::vector<std::string> framesForSeed(unsigned seed) {
  ko::TestKit kit(seed);
  if (kit.startUp() != 0) return {};
  for (int i = 0; i < 20; i++) {
    (new Star)->setPos(
        ko::Vector(static_cast<float>(rand() % 80), static_cast<float>(rand() % 24)));
  }
  kit.runSteps(2);
  return kit.getRows();
}

TEST(KitSeed, TheSameSeedGivesTheSameRun) {
  unsetenv("DISPLAY");
  const std::vector<std::string> first = framesForSeed(42);
  ASSERT_EQ(first.size(), 24u);
  EXPECT_EQ(framesForSeed(42), first);
  EXPECT_NE(framesForSeed(43), first);
}

}  // namespace
