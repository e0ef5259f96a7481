#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/Sprite.h>
#include <korvane/WorldManager.h>
#include "RecordingObject.h"
#include "TestSupport.h"

using ko_test::RecordingObject;

namespace {

bool holds(const ko::ObjectList& list, const ko::Object* p_o) {
  for (ko::ObjectListIterator it(&list); !it.isDone(); it.next()) {
    if (it.currentObject() == p_o) return true;
  }
  return false;
}

}  // namespace

TEST(Object, NewObjectsHaveTheDefaultsAndSequentialIds) {
  auto* p_first = new ko::Object;
  auto* p_second = new ko::Object;
  EXPECT_EQ(p_first->getID(), 0);
  EXPECT_EQ(p_second->getID(), 1);
  ko::WorldManager::getInstance().markForDelete(p_first);
  ko::WorldManager::getInstance().update();
  EXPECT_EQ((new ko::Object)->getID(), 2);

  EXPECT_EQ(p_second->getType(), "Object");
  EXPECT_EQ(p_second->getAltitude(), 2);
  EXPECT_EQ(p_second->getSolidness(), ko::HARD);
  EXPECT_TRUE(p_second->isActive());
  EXPECT_TRUE(p_second->isCentered());
  EXPECT_EQ(p_second->getSpriteSlowdown(), 1);
  EXPECT_EQ(p_second->getBox(), ko::Box());
  EXPECT_EQ(p_second->getInterestedEvents(), std::vector<std::string>{"ko::step"});
  const ko::SceneGraph& graph = ko::WorldManager::getInstance().getSceneGraph();
  EXPECT_TRUE(holds(graph.activeObjects(), p_second));
  EXPECT_TRUE(holds(graph.solidObjects(), p_second));
  EXPECT_TRUE(holds(graph.visibleObjects(2), p_second));
}

TEST(Object, AltitudeIsLimitedToTheLayers) {
  ko::Object o;
  for (int bad : {5, -1}) {
    EXPECT_EQ(o.setAltitude(bad), -1);
    EXPECT_EQ(o.getAltitude(), 2);
  }
  EXPECT_EQ(o.setAltitude(0), 0);
  EXPECT_EQ(o.setAltitude(4), 0);
  EXPECT_EQ(o.getAltitude(), 4);
}

TEST(Object, InterestsAreUniqueAndLimitedToThirty) {
  ko::Object o;
  EXPECT_EQ(o.registerInterest("ko::step"), -1);
  for (int i = 1; i < ko::MAX_OBJ_EVENT; ++i) {
    ASSERT_EQ(o.registerInterest("type" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(o.registerInterest("one too many"), -1);
  EXPECT_EQ(o.getInterestedEvents().size(), 30u);
  EXPECT_EQ(o.unregisterInterest("never registered"), -1);
  EXPECT_EQ(o.unregisterInterest("type3"), 0);
  EXPECT_EQ(o.registerInterest("one too many"), 0);
}

TEST(Object, DestroyedObjectsReceiveNoMoreEvents) {
  auto* p_o = new RecordingObject;
  p_o->registerInterest("custom");
  ko::WorldManager& world = ko::WorldManager::getInstance();
  world.markForDelete(p_o);
  world.update();
  ko::Event custom;
  custom.setType("custom");
  EXPECT_EQ(world.onEvent(&custom), 0);
  const ko::EventStep step(0);
  EXPECT_EQ(ko::GameManager::getInstance().onEvent(&step), 0);
}

TEST(Object, SpriteBoxIsCentredInHalfCells) {
  ko::Sprite sprite(1);
  sprite.setWidth(5);
  sprite.setHeight(3);
  ko::Object centred, plain;
  plain.setCentered(false);
  centred.setSprite(&sprite, true);
  plain.setSprite(&sprite, true);
  EXPECT_EQ(centred.getBox(), ko::Box(ko::Vector(-2.5f, -1.5f), 5, 3));
  EXPECT_EQ(plain.getBox(), ko::Box(ko::Vector(0, 0), 5, 3));
  ko::Object untouched;
  untouched.setSprite(&sprite, false);
  EXPECT_EQ(untouched.getBox(), ko::Box());
}

TEST(Object, NullSpriteLeavesTheObjectBareAndIsLogged) {
  ko::Sprite sprite(1);
  sprite.setWidth(5);
  sprite.setHeight(3);
  ASSERT_TRUE(ko_test::logLines().empty());
  ko::Object o;
  o.setType("Coin");
  o.setSprite(&sprite, true);
  o.setSprite(nullptr, true);
  EXPECT_EQ(o.getSprite(), nullptr);
  EXPECT_EQ(o.getBox(), ko::Box(ko::Vector(-2.5f, -1.5f), 5, 3));
  o.draw();
  EXPECT_EQ(ko_test::logLines(),
            std::vector<std::string>{"setSprite: no sprite for object of type Coin"});
}

TEST(Object, AnimationAdvancesEverySlowdownDraws) {
  ko::Sprite sprite(4);
  sprite.setWidth(1);
  sprite.setHeight(1);
  for (char c : std::string("abcd")) sprite.addFrame(ko::Frame(1, 1, std::string(1, c)));
  ko::Object o;
  o.setSprite(&sprite, true);
  o.setSpriteSlowdown(2);
  std::vector<int> shown;
  for (int i = 0; i < 9; ++i) {
    shown.push_back(o.getSpriteIndex());
    o.draw();
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 2, 2, 3, 3, 0}));

  o.setSpriteSlowdown(0);
  o.setSpriteSlowdownCount(1);
  o.draw();
  o.draw();
  EXPECT_EQ(o.getSpriteIndex(), 0);
  EXPECT_EQ(o.getSpriteSlowdownCount(), 1);

  ko::Object bare;
  bare.draw();
  EXPECT_EQ(bare.getSpriteIndex(), 0);
  EXPECT_EQ(bare.getSpriteSlowdownCount(), 0);
}
