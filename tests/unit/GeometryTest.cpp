#include <gtest/gtest.h>

#include <korvane/Box.h>
#include <korvane/Vector.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>
#include "RecordingObject.h"

TEST(Vector, LengthNormalisationAndZeroTest) {
  ko::Vector v(3, 4);
  EXPECT_FLOAT_EQ(v.getMagnitude(), 5);
  v.normalize();
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.y, 0.8f);
  ko::Vector zero;
  zero.normalize();
  EXPECT_EQ(zero, ko::Vector(0, 0));
  EXPECT_TRUE(!zero);
  EXPECT_TRUE(!ko::Vector(-0.0f, 0));
  EXPECT_FALSE(!ko::Vector(0, 0.001f));
  EXPECT_NE(ko::Vector(1, 1), ko::Vector(1.0001f, 1));
  EXPECT_FALSE(ko::positionsIntersect(ko::Vector(1, 1), ko::Vector(1.0001f, 1)));
  ko::Vector sum = ko::Vector(1, 2) + ko::Vector(3, 4);
  sum += ko::Vector(1, 1);
  EXPECT_EQ(sum, ko::Vector(5, 7));
  EXPECT_EQ(ko::Vector(1, 2) - ko::Vector(3, 5), ko::Vector(-2, -3));
}

TEST(Box, IntersectionIncludesEdgesAndNesting) {
  struct Case {
    ko::Box a, b;
    bool intersects;
  };
  const ko::Box a(ko::Vector(0, 0), 2, 1);
  const Case cases[] = {
      {a, ko::Box(ko::Vector(2, 1), 1, 1), true},      // corners touch
      {a, ko::Box(ko::Vector(2.5f, 1), 1, 1), false},  // a gap
      {ko::Box(ko::Vector(0, 0), 10, 10), ko::Box(ko::Vector(3, 3), 1, 1), true},
      {a, ko::Box(ko::Vector(1, 1), 0, 0), true},  // a point on the edge
      {ko::Box(ko::Vector(5, 0), 1, 1), ko::Box(ko::Vector(6, 0), 1, 1), true},
      {ko::Box(ko::Vector(5, 0), 1, 1), ko::Box(ko::Vector(5, 1.01f), 1, 1), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ko::boxIntersectsBox(c.a, c.b), c.intersects);
    EXPECT_EQ(ko::boxIntersectsBox(c.b, c.a), c.intersects);
  }
  EXPECT_EQ(ko::Box(), ko::Box(ko::Vector(), 0, 0));
  EXPECT_NE(a, ko::Box(ko::Vector(0, 0), 2, 2));
}

TEST(Utility, WorldBoxesViewConversionAndText) {
  auto* p_o = new ko_test::RecordingObject;
  p_o->setPos(ko::Vector(10, 4));
  p_o->setBox(ko::Box(ko::Vector(-2, -1), 5, 3));
  EXPECT_EQ(ko::getWorldBox(p_o), ko::Box(ko::Vector(8, 3), 5, 3));
  EXPECT_EQ(ko::getWorldBox(p_o, ko::Vector(0, 0)), ko::Box(ko::Vector(-2, -1), 5, 3));

  ko::WorldManager::getInstance().setView(ko::Box(ko::Vector(10, 5), 80, 24));
  EXPECT_EQ(ko::worldToView(ko::Vector(12, 7)), ko::Vector(2, 2));
  EXPECT_EQ(ko::viewToWorld(ko::Vector(2, 2)), ko::Vector(12, 7));

  EXPECT_EQ(ko::intToString(0), "0");
  EXPECT_EQ(ko::intToString(-42), "-42");
  EXPECT_EQ(ko::intToString(2147483647), "2147483647");
}
