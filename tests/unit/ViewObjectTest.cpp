// View objects: placement on the screen and view events.
#include <gtest/gtest.h>

#include <korvane/EventStep.h>
#include <korvane/EventView.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>

namespace {

class ViewObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    ko::WorldManager& world = ko::WorldManager::getInstance();
    ASSERT_EQ(world.startUp(), 0);
    world.setView(ko::Box(ko::Vector(), 80, 24));
  }
  void TearDown() override { ko::WorldManager::getInstance().shutDown(); }
};

TEST_F(ViewObjects, StartAsBorderedWhiteTopLeftHudElements) {
  auto* p_v = new ko::ViewObject;
  EXPECT_EQ(p_v->getType(), ko::VIEW_OBJECT);
  EXPECT_EQ(p_v->getAltitude(), ko::MAX_ALTITUDE);
  EXPECT_EQ(p_v->getSolidness(), ko::SPECTRAL);
  EXPECT_EQ(p_v->getColor(), ko::WHITE);
  EXPECT_TRUE(p_v->getBorder());
  EXPECT_TRUE(p_v->getDrawValue());
  EXPECT_EQ(p_v->getValue(), 0);
  EXPECT_EQ(p_v->getViewString(), "");
  EXPECT_EQ(p_v->getLocation(), ko::TOP_LEFT);
  EXPECT_EQ(p_v->getInterestedEvents(), (std::vector<std::string>{"ko::step", "ko::view"}));
}

TEST_F(ViewObjects, NineLocationsWithAndWithoutBorder) {
  const float h = 80, v = 24;
  const struct {
    ko::ViewObjectLocation location;
    float x, y, adjust_without_border;
  } cases[] = {
      {ko::TOP_LEFT, h / 6, 2, -1},
      {ko::TOP_CENTER, 3 * h / 6, 2, -1},
      {ko::TOP_RIGHT, 5 * h / 6, 2, 0},
      {ko::CENTER_LEFT, h / 6, 12, 0},
      {ko::CENTER_CENTER, 3 * h / 6, 12, 0},
      {ko::CENTER_RIGHT, 5 * h / 6, 12, 1},
      {ko::BOTTOM_LEFT, h / 6, v - 3, -1},
      {ko::BOTTOM_CENTER, 3 * h / 6, v - 3, -1},
      {ko::BOTTOM_RIGHT, 5 * h / 6, v - 3, -1},
  };
  auto* p_v = new ko::ViewObject;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    p_v->setBorder(true);
    p_v->setLocation(c.location);
    EXPECT_EQ(p_v->getLocation(), c.location);
    EXPECT_FLOAT_EQ(p_v->getPos().x, c.x);
    EXPECT_FLOAT_EQ(p_v->getPos().y, c.y);
    p_v->setBorder(false);  // re-places
    EXPECT_FLOAT_EQ(p_v->getPos().x, c.x);
    EXPECT_FLOAT_EQ(p_v->getPos().y, c.y + c.adjust_without_border);
    p_v->setLocation(c.location);
    EXPECT_FLOAT_EQ(p_v->getPos().y, c.y + c.adjust_without_border);
  }
}

TEST_F(ViewObjects, UndefinedLocationAndDirectPositionKeepThePosition) {
  auto* p_v = new ko::ViewObject;
  p_v->setLocation(ko::CENTER_RIGHT);
  const ko::Vector placed = p_v->getPos();
  p_v->setLocation(ko::UNDEFINED);
  EXPECT_EQ(p_v->getLocation(), ko::UNDEFINED);
  EXPECT_EQ(p_v->getPos(), placed);

  p_v->setPosition(ko::Vector(7, 9));
  EXPECT_EQ(p_v->getLocation(), ko::UNDEFINED);
  p_v->setBorder(true);   // unchanged value: nothing happens
  p_v->setBorder(false);  // changed, but no location to re-apply
  EXPECT_EQ(p_v->getPos(), ko::Vector(7, 9));
}

TEST_F(ViewObjects, UnchangedBorderDoesNotReplace) {
  auto* p_v = new ko::ViewObject;
  p_v->setPos(ko::Vector(3, 3));  // location still TOP_LEFT
  p_v->setBorder(true);
  EXPECT_EQ(p_v->getPos(), ko::Vector(3, 3));
}

TEST_F(ViewObjects, PlacementUsesTheViewSizeAtThatMoment) {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  world.setView(ko::Box(ko::Vector(5, 5), 120, 30));
  auto* p_v = new ko::ViewObject;
  p_v->setLocation(ko::BOTTOM_RIGHT);
  EXPECT_EQ(p_v->getPos(), ko::Vector(100, 27));
  world.setView(ko::Box(ko::Vector(), 80, 24));
  EXPECT_EQ(p_v->getPos(), ko::Vector(100, 27));
}

TEST_F(ViewObjects, ViewEventsReachOnlyTheirLabel) {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  auto* p_points_too = new ko::ViewObject;
  p_points_too->setViewString("Points");
  auto* p_lives = new ko::ViewObject;
  p_lives->setViewString("Lives");
  p_lives->setValue(3);
  auto* p_default_tag = new ko::ViewObject;
  p_default_tag->setViewString("ko::view");

  const struct {
    const char* name;
    ko::EventView event;
    int points, lives, default_tag;
  } steps[] = {
      {"add 1", ko::EventView("Points", 1, true), 1, 3, 0},
      {"add 1 again", ko::EventView("Points", 1, true), 2, 3, 0},
      {"add -5", ko::EventView("Points", -5, true), -3, 3, 0},
      {"set 1", ko::EventView("Points", 1, false), 1, 3, 0},
      {"other label", ko::EventView("Lives", 9, false), 1, 9, 0},
      {"default event", ko::EventView(), 1, 9, 0},
      {"no such label", ko::EventView("points", 4, false), 1, 9, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(world.onEvent(&s.event), 4);
    EXPECT_EQ(p_points->getValue(), s.points);
    EXPECT_EQ(p_points_too->getValue(), s.points);
    EXPECT_EQ(p_lives->getValue(), s.lives);
  }
  ko::EventView set_default;
  set_default.setValue(6);
  EXPECT_EQ(p_default_tag->eventHandler(&set_default), 1);
  EXPECT_EQ(p_default_tag->getValue(), 6);
  EXPECT_EQ(p_points->eventHandler(&set_default), 0);
  const ko::EventStep step(0);
  EXPECT_EQ(p_points->eventHandler(&step), 0);
}

TEST(EventView, DefaultsAndAccessors) {
  ko::EventView e;
  EXPECT_EQ(e.getType(), ko::VIEW_EVENT);
  EXPECT_EQ(e.getTag(), "ko::view");
  EXPECT_EQ(e.getValue(), 0);
  EXPECT_FALSE(e.getDelta());
  const ko::EventView set("Points", 5, true);
  EXPECT_EQ(set.getType(), ko::VIEW_EVENT);
  EXPECT_EQ(set.getTag(), "Points");
  EXPECT_EQ(set.getValue(), 5);
  EXPECT_TRUE(set.getDelta());
}

}  // namespace
