#include <gtest/gtest.h>

#include <vector>

#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/SceneGraph.h>
#include <korvane/WorldManager.h>

namespace {

std::vector<ko::Object*> entries(const ko::ObjectList& list) {
  std::vector<ko::Object*> out;
  for (ko::ObjectListIterator it(&list); !it.isDone(); it.next()) out.push_back(it.currentObject());
  return out;
}

const ko::SceneGraph& graph() { return ko::WorldManager::getInstance().getSceneGraph(); }

using Objects = std::vector<ko::Object*>;

}  // namespace

TEST(SceneGraph, SolidnessAndAltitudeChangesMoveTheObject) {
  ko::Object a, b;
  a.setSolidness(ko::SPECTRAL);
  EXPECT_EQ(entries(graph().solidObjects()), Objects{&b});
  a.setAltitude(4);
  EXPECT_EQ(entries(graph().visibleObjects(4)), Objects{&a});
  EXPECT_EQ(entries(graph().visibleObjects(2)), Objects{&b});
  b.setSolidness(ko::SOFT);  // hard to soft re-files it at the end
  a.setSolidness(ko::HARD);
  EXPECT_EQ(entries(graph().solidObjects()), (Objects{&b, &a}));
  EXPECT_TRUE(graph().visibleObjects(7).isEmpty());
  EXPECT_TRUE(graph().visibleObjects(-1).isEmpty());
  EXPECT_EQ(ko::WorldManager::getInstance().getSceneGraph().updateAltitude(&a, 5), -1);
}

TEST(SceneGraph, DeactivationMovesBetweenSidesAndReactivationGoesLast) {
  ko::Object a, b, c;
  EXPECT_EQ(entries(graph().visibleObjects(2)), (Objects{&a, &b, &c}));
  a.setIsActive(false);
  EXPECT_EQ(entries(graph().activeObjects()), (Objects{&b, &c}));
  EXPECT_EQ(entries(graph().solidObjects()), (Objects{&b, &c}));
  EXPECT_EQ(entries(graph().inactiveObjects()), Objects{&a});
  EXPECT_EQ(ko::WorldManager::getInstance().getSceneGraph().updateActive(&a, false), 0);

  // Changes made while inactive touch no list and apply on reactivation.
  a.setAltitude(0);
  a.setSolidness(ko::SPECTRAL);
  a.setSolidness(ko::HARD);
  EXPECT_TRUE(graph().visibleObjects(0).isEmpty());
  a.setIsActive(true);
  EXPECT_EQ(entries(graph().activeObjects()), (Objects{&b, &c, &a}));
  EXPECT_EQ(entries(graph().solidObjects()), (Objects{&b, &c, &a}));
  EXPECT_EQ(entries(graph().visibleObjects(0)), Objects{&a});
  EXPECT_TRUE(graph().inactiveObjects().isEmpty());
}

TEST(SceneGraph, RemovalClearsEveryListInEitherState) {
  auto* p_active = new ko::Object;
  auto* p_inactive = new ko::Object;
  p_inactive->setIsActive(false);
  delete p_active;
  delete p_inactive;
  for (int alt = 0; alt <= ko::MAX_ALTITUDE; ++alt)
    EXPECT_TRUE(graph().visibleObjects(alt).isEmpty());
  EXPECT_TRUE(graph().activeObjects().isEmpty());
  EXPECT_TRUE(graph().inactiveObjects().isEmpty());
  EXPECT_TRUE(graph().solidObjects().isEmpty());
}
