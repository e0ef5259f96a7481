// The pause object ignores everything but the release of its own key.
#include <gtest/gtest.h>

#include <korvane/EventKeyboard.h>
#include <korvane/EventStep.h>
#include <korvane/Pause.h>
#include <korvane/WorldManager.h>

namespace {

TEST(Pause, IgnoresOtherEventsWithoutBlocking) {
  ASSERT_EQ(ko::WorldManager::getInstance().startUp(), 0);
  auto* p_pause = new ko::Pause(ko::Keyboard::F10);
  EXPECT_EQ(p_pause->getInterestedEvents(), (std::vector<std::string>{"ko::step", "ko::keyboard"}));
  const struct {
    const char* name;
    ko::Keyboard::Key key;
    ko::EventKeyboardAction action;
  } cases[] = {
      {"F10 pressed", ko::Keyboard::F10, ko::KEY_PRESSED},
      {"F10 held", ko::Keyboard::F10, ko::KEY_DOWN},
      {"F9 released", ko::Keyboard::F9, ko::KEY_RELEASED},
      {"undefined key released", ko::Keyboard::UNDEFINED_KEY, ko::KEY_RELEASED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ko::EventKeyboard e;
    e.setKey(c.key);
    e.setKeyboardAction(c.action);
    EXPECT_EQ(p_pause->eventHandler(&e), 0);
  }
  const ko::EventStep step(3);
  EXPECT_EQ(p_pause->eventHandler(&step), 0);
  ko::WorldManager::getInstance().shutDown();
}

}  // namespace
