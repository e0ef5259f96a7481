// The tables between the window library's key and button codes and the
// engine's.
#include <gtest/gtest.h>

#include <set>

#include <korvane/InputManager.h>

namespace {

TEST(KeyTable, EveryEngineKeyHasItsOwnWindowKeyBothWays) {
  std::set<int> used;
  for (int v = 0; v <= ko::Keyboard::BACKSPACE; v++) {
    SCOPED_TRACE(v);
    const sf::Keyboard::Key sf_key = ko::kokeyboardToSfKeyboard(static_cast<ko::Keyboard::Key>(v));
    EXPECT_NE(sf_key, sf::Keyboard::Unknown);
    EXPECT_TRUE(used.insert(sf_key).second) << "window key used twice";
    EXPECT_EQ(ko::sfkeyboardToKoKeyboard(sf_key), v);
  }
  EXPECT_EQ(used.size(), 73u);
  for (int k = sf::Keyboard::Unknown; k < sf::Keyboard::KeyCount; k++) {
    const ko::Keyboard::Key ko_key = ko::sfkeyboardToKoKeyboard(static_cast<sf::Keyboard::Key>(k));
    EXPECT_EQ(ko_key != ko::Keyboard::UNDEFINED_KEY, used.count(k) == 1) << "window key " << k;
  }
}

TEST(KeyTable, NamedPairs) {
  // clang-format off
  const struct {
    ko::Keyboard::Key ko_key;
    sf::Keyboard::Key sf_key;
  } pairs[] = {
      {ko::Keyboard::SPACE, sf::Keyboard::Space},     {ko::Keyboard::RETURN, sf::Keyboard::Enter},
      {ko::Keyboard::PAUSE, sf::Keyboard::Pause},     {ko::Keyboard::DASH, sf::Keyboard::Hyphen},
      {ko::Keyboard::PLUS, sf::Keyboard::Add},        {ko::Keyboard::TILDE, sf::Keyboard::Tilde},
      {ko::Keyboard::MULTIPLY, sf::Keyboard::Multiply}, {ko::Keyboard::QUOTE, sf::Keyboard::Quote},
      {ko::Keyboard::SEMICOLON, sf::Keyboard::Semicolon},
      {ko::Keyboard::RIGHTSHIFT, sf::Keyboard::RShift}, {ko::Keyboard::F1, sf::Keyboard::F1},
      {ko::Keyboard::F10, sf::Keyboard::F10},         {ko::Keyboard::F12, sf::Keyboard::F12},
      {ko::Keyboard::A, sf::Keyboard::A},             {ko::Keyboard::Z, sf::Keyboard::Z},
      {ko::Keyboard::Num1, sf::Keyboard::Num1},       {ko::Keyboard::Num9, sf::Keyboard::Num9},
      {ko::Keyboard::Num0, sf::Keyboard::Num0},       {ko::Keyboard::BACKSPACE, sf::Keyboard::Backspace},
  };
  // clang-format on
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.ko_key);
    EXPECT_EQ(ko::kokeyboardToSfKeyboard(p.ko_key), p.sf_key);
  }
  for (sf::Keyboard::Key unmapped :
       {sf::Keyboard::Subtract, sf::Keyboard::LAlt, sf::Keyboard::Numpad5, sf::Keyboard::F13,
        sf::Keyboard::Delete, sf::Keyboard::Unknown}) {
    EXPECT_EQ(ko::sfkeyboardToKoKeyboard(unmapped), ko::Keyboard::UNDEFINED_KEY) << unmapped;
  }
  for (int outside : {-1, 73, 1000}) {
    EXPECT_EQ(ko::kokeyboardToSfKeyboard(static_cast<ko::Keyboard::Key>(outside)),
              sf::Keyboard::Unknown);
  }
}

TEST(MouseTable, ThreeButtonsAndEverythingElseIsLeft) {
  const struct {
    int in;
    int sf_to_ko;
    int ko_to_sf;
  } cases[] = {
      {0, ko::Mouse::LEFT_BUTTON, sf::Mouse::Left},
      {1, ko::Mouse::RIGHT_BUTTON, sf::Mouse::Right},
      {2, ko::Mouse::MIDDLE_BUTTON, sf::Mouse::Middle},
      {sf::Mouse::XButton1, ko::Mouse::LEFT_BUTTON, sf::Mouse::Left},
      {sf::Mouse::XButton2, ko::Mouse::LEFT_BUTTON, sf::Mouse::Left},
      {-1, ko::Mouse::LEFT_BUTTON, sf::Mouse::Left},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    if (c.in >= 0) {
      EXPECT_EQ(ko::sfmouseToKoMouse(static_cast<sf::Mouse::Button>(c.in)), c.sf_to_ko);
    }
    if (c.in <= 2) {
      EXPECT_EQ(ko::komouseToSfMouse(static_cast<ko::Mouse::EventMouseButton>(c.in)), c.ko_to_sf);
    }
  }
}

}  // namespace
