#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <korvane/EventCollision.h>
#include <korvane/EventOut.h>
#include <korvane/GraphicsManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "RecordingObject.h"

using ko_test::makeBoxObject;
using ko_test::RecordingObject;

namespace {

ko::WorldManager& world() { return ko::WorldManager::getInstance(); }

class RecordingView : public ko::ViewObject {
 public:
  int draws = 0;
  void draw() override { ++draws; }
};

}  // namespace

TEST(WorldManager, HardBlocksHardAndEveryCollisionIsReportedToBoth) {
  struct Case {
    ko::Solidness mover, other;
    int expected_result;
  };
  const Case cases[] = {
      {ko::HARD, ko::HARD, -1},
      {ko::HARD, ko::SOFT, 0},
      {ko::SOFT, ko::HARD, 0},
      {ko::SOFT, ko::SOFT, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.mover) + " into " + std::to_string(c.other));
    RecordingObject* p_mover = makeBoxObject(ko::Vector(0, 0), 1, 1, c.mover);
    RecordingObject* p_other = makeBoxObject(ko::Vector(6, 0), 1, 1, c.other);
    const ko::Vector target(5, 0);  // boxes that only touch collide
    EXPECT_EQ(world().moveObject(p_mover, target), c.expected_result);
    EXPECT_EQ(p_mover->getPos(), c.expected_result == 0 ? target : ko::Vector(0, 0));
    for (RecordingObject* p_party : {p_mover, p_other}) {
      ASSERT_EQ(p_party->count(ko::COLLISION_EVENT), 1);
      EXPECT_EQ(p_party->seen.back().p_obj1, p_mover);
      EXPECT_EQ(p_party->seen.back().p_obj2, p_other);
      EXPECT_EQ(p_party->seen.back().position, target);
    }
    world().markForDelete(p_mover);
    world().markForDelete(p_other);
    world().update();
  }
}

TEST(WorldManager, SpectralMoversAndInactiveObjectsNeverCollide) {
  RecordingObject* p_ghost = makeBoxObject(ko::Vector(0, 0), 1, 1, ko::SPECTRAL);
  RecordingObject* p_wall = makeBoxObject(ko::Vector(5, 0), 1, 1, ko::HARD);
  EXPECT_EQ(world().moveObject(p_ghost, ko::Vector(5, 0)), 0);
  EXPECT_EQ(p_wall->count(ko::COLLISION_EVENT), 0);

  RecordingObject* p_mover = makeBoxObject(ko::Vector(0, 3), 1, 1, ko::HARD);
  p_wall->setIsActive(false);
  EXPECT_EQ(world().moveObject(p_mover, ko::Vector(5, 0)), 0);
  EXPECT_EQ(p_mover->count(ko::COLLISION_EVENT), 0);
}

TEST(WorldManager, AllCollisionsAreReportedBeforeTheMoveIsRefused) {
  RecordingObject* p_mover = makeBoxObject(ko::Vector(0, 0), 1, 1, ko::HARD);
  RecordingObject* p_hard = makeBoxObject(ko::Vector(10, 0), 1, 1, ko::HARD);
  RecordingObject* p_soft = makeBoxObject(ko::Vector(10, 0.5f), 1, 1, ko::SOFT);
  EXPECT_EQ(world().moveObject(p_mover, ko::Vector(10, 0)), -1);
  EXPECT_EQ(p_mover->count(ko::COLLISION_EVENT), 2);
  EXPECT_EQ(p_hard->count(ko::COLLISION_EVENT), 1);
  EXPECT_EQ(p_soft->count(ko::COLLISION_EVENT), 1);
  EXPECT_EQ(p_mover->seen[0].p_obj2, p_hard);  // solid-list order
  EXPECT_EQ(p_mover->seen[1].p_obj2, p_soft);
}

TEST(WorldManager, OutEventsOnlyWhenCrossingTheBoundary) {
  RecordingObject* p_o = makeBoxObject(ko::Vector(79, 10), 1, 1, ko::SPECTRAL);
  const std::vector<std::pair<ko::Vector, int>> moves = {
      {{80, 10}, 0}, {{81, 10}, 1}, {{82, 10}, 1}, {{79, 10}, 1}, {{79, -0.5f}, 2}};
  for (const auto& move : moves) {
    world().moveObject(p_o, move.first);
    EXPECT_EQ(p_o->count(ko::OUT_EVENT), move.second) << move.first.x << "," << move.first.y;
  }
  RecordingObject* p_falling = makeBoxObject(ko::Vector(10, -3), 1, 1, ko::SPECTRAL);
  p_falling->setVelocity(ko::Vector(0, 1));
  for (int i = 0; i < 5; ++i) world().update();
  EXPECT_EQ(p_falling->getPos(), ko::Vector(10, 2));
  EXPECT_EQ(p_falling->count(ko::OUT_EVENT), 0);
}

TEST(WorldManager, UpdateMovesOnlyObjectsWithVelocityInactiveOnesToo) {
  RecordingObject* p_still = makeBoxObject(ko::Vector(5, 5), 1, 1);
  RecordingObject* p_runner = makeBoxObject(ko::Vector(3, 5), 1, 1);
  RecordingObject* p_sleeper = makeBoxObject(ko::Vector(20, 5), 1, 1);
  p_runner->setVelocity(ko::Vector(1, 0));
  p_sleeper->setVelocity(ko::Vector(0, 1));
  p_sleeper->setIsActive(false);
  world().update();
  EXPECT_EQ(p_runner->getPos(), ko::Vector(3, 5));  // blocked by the still object
  EXPECT_EQ(p_still->count(ko::COLLISION_EVENT), 1);
  EXPECT_EQ(p_sleeper->getPos(), ko::Vector(20, 6));
}

TEST(WorldManager, DeferredDeletionHandlesRepeatsAndChains) {
  int destroyed = 0;
  auto* p_twice = new RecordingObject;
  p_twice->on_destroy = [&] { ++destroyed; };
  auto* p_second = new RecordingObject;
  p_second->on_destroy = [&] { ++destroyed; };
  auto* p_first = new RecordingObject;
  // A destructor that marks another object, itself again, and creates and
  // marks a new object: all are handled in the same pass.
  p_first->on_destroy = [&] {
    ++destroyed;
    world().markForDelete(p_second);
    world().markForDelete(p_first);
    auto* p_newborn = new RecordingObject;
    p_newborn->on_destroy = [&] { ++destroyed; };
    world().markForDelete(p_newborn);
  };
  EXPECT_EQ(world().markForDelete(p_twice), 0);
  EXPECT_EQ(world().markForDelete(p_twice), 0);
  world().markForDelete(p_first);
  world().update();
  EXPECT_EQ(destroyed, 4);
  EXPECT_TRUE(world().getAllObjects(true).isEmpty());
}

TEST(WorldManager, AnObjectAtAReusedAddressCanStillBeMarked) {
  // The allocator may hand a freed object's address to one created later in
  // the same deletion pass; marking that new object must still delete it.
  int destroyed = 0;
  std::vector<RecordingObject*> doomed;
  for (int i = 0; i < 8; ++i) doomed.push_back(new RecordingObject);
  RecordingObject* p_last = doomed.back();
  p_last->on_destroy = [&] {
    for (int i = 0; i < 8; ++i) {
      auto* p_new = new RecordingObject;
      p_new->on_destroy = [&] { ++destroyed; };
      world().markForDelete(p_new);
    }
  };
  for (RecordingObject* p_o : doomed) world().markForDelete(p_o);
  world().update();
  EXPECT_EQ(destroyed, 8);
  EXPECT_TRUE(world().getAllObjects(true).isEmpty());
}

TEST(WorldManager, MarkedObjectsStillMoveAndCollideUntilTheEndOfTheUpdate) {
  RecordingObject* p_marked = makeBoxObject(ko::Vector(0, 0), 1, 1);
  RecordingObject* p_mover = makeBoxObject(ko::Vector(3, 0), 1, 1);
  p_marked->setVelocity(ko::Vector(1, 0));
  p_mover->setVelocity(ko::Vector(-1, 0));
  world().markForDelete(p_marked);
  world().update();
  EXPECT_EQ(p_mover->count(ko::COLLISION_EVENT), 1);
  EXPECT_EQ(world().getAllObjects(true).getCount(), 1);
}

TEST(WorldManager, ViewFollowingKeepsTheViewInsideTheBoundary) {
  world().setBoundary(ko::Box(ko::Vector(), 200, 50));
  world().setView(ko::Box(ko::Vector(), 80, 24));
  RecordingObject* p_o = makeBoxObject(ko::Vector(100, 30), 1, 1, ko::SPECTRAL);
  ASSERT_EQ(world().setViewFollowing(p_o), 0);
  EXPECT_EQ(world().getView().getCorner(), ko::Vector(60, 18));
  world().moveObject(p_o, ko::Vector(190, 45));
  EXPECT_EQ(world().getView().getCorner(), ko::Vector(120, 26));
  world().moveObject(p_o, ko::Vector(10, 5));
  EXPECT_EQ(world().getView().getCorner(), ko::Vector(0, 0));
  world().moveObject(p_o, ko::Vector(100.7f, 30.2f));
  EXPECT_EQ(world().getView().getCorner(), ko::Vector(60, 18));

  EXPECT_EQ(world().setViewFollowing(nullptr), 0);
  world().moveObject(p_o, ko::Vector(10, 5));
  EXPECT_EQ(world().getView().getCorner(), ko::Vector(60, 18));
  p_o->setIsActive(false);
  EXPECT_EQ(world().setViewFollowing(p_o), -1);
}

TEST(WorldManager, AScreenSizedWorldNeverScrolls) {
  RecordingObject* p_o = makeBoxObject(ko::Vector(40, 12), 1, 1, ko::SPECTRAL);
  world().setViewFollowing(p_o);
  for (ko::Vector where : {ko::Vector(79, 23), ko::Vector(0, 0), ko::Vector(200, -40)}) {
    world().moveObject(p_o, where);
    EXPECT_EQ(world().getView().getCorner(), ko::Vector(0, 0));
  }
}

TEST(WorldManager, DeletingTheFollowedObjectForgetsIt) {
  world().setBoundary(ko::Box(ko::Vector(), 200, 50));
  RecordingObject* p_o = makeBoxObject(ko::Vector(100, 30), 1, 1, ko::SPECTRAL);
  world().setViewFollowing(p_o);
  world().markForDelete(p_o);
  world().update();
  // Whatever object comes next, at whatever address, is not followed.
  for (int i = 0; i < 4; ++i) {
    RecordingObject* p_next = makeBoxObject(ko::Vector(10, 5), 1, 1, ko::SPECTRAL);
    world().moveObject(p_next, ko::Vector(150, 40));
    EXPECT_EQ(world().getView().getCorner(), ko::Vector(60, 18));
  }
}

TEST(WorldManager, DrawsLayersInOrderAndSkipsWhatIsOutOfView) {
  std::string order;
  auto make = [&](const char* name, int altitude, ko::Vector pos) {
    RecordingObject* p_o = makeBoxObject(pos, 1, 1, ko::SPECTRAL);
    p_o->setAltitude(altitude);
    p_o->on_draw = [&order, name] { order += name; };
    return p_o;
  };
  make("c", 3, ko::Vector(1, 1));
  make("a", 0, ko::Vector(2, 2));
  make("b", 0, ko::Vector(80, 24));    // touches the view's corner
  make("x", 1, ko::Vector(200, 200));  // out of view
  world().draw();
  EXPECT_EQ(order, "abc");

  auto* p_hud = new RecordingView;  // drawn wherever its position lies
  p_hud->setPosition(ko::Vector(500, 500));
  world().draw();
  EXPECT_EQ(p_hud->draws, 1);
  EXPECT_EQ(order, "abcabc");
}

TEST(WorldManager, ShutDownDeletesEveryObjectAndResetsTheWorld) {
  std::string destroyed;
  auto* p_active = new RecordingObject;
  auto* p_inactive = new RecordingObject;
  p_inactive->setIsActive(false);
  p_inactive->on_destroy = [&] { destroyed += "i"; };
  // An object created by a destructor during the shutdown goes too.
  p_active->on_destroy = [&] {
    destroyed += "a";
    (new RecordingObject)->on_destroy = [&] { destroyed += "n"; };
  };
  world().setBoundary(ko::Box(ko::Vector(3, 3), 200, 50));
  world().shutDown();
  world().shutDown();
  EXPECT_EQ(destroyed, "ani");
  EXPECT_TRUE(world().getAllObjects(true).isEmpty());
  const ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const ko::Box screen(ko::Vector(), static_cast<float>(graphics.getHorizontal()),
                       static_cast<float>(graphics.getVertical()));
  EXPECT_EQ(world().getBoundary(), screen);
  EXPECT_EQ(world().getView(), screen);
}
