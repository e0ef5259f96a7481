// What a view object draws, compared cell for cell with the text it should
// amount to, drawn directly at another place on the screen.
#include <gtest/gtest.h>

#include <string>

#include <korvane/GraphicsManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "WindowTestSupport.h"

using ko_test::grabWindow;

namespace {

const sf::Color BOX(7, 61, 147);

// The pixels of rows [row, row + rows) plus the four-pixel overhang of the
// last row's boxes.
sf::Image rowsOf(const sf::Image& image, int row, int rows) {
  sf::Image part;
  part.create(1024, static_cast<unsigned>(rows * 32 + 4));
  part.copy(image, 0, 0, sf::IntRect(0, row * 32, 1024, rows * 32 + 4));
  return part;
}

bool samePixels(const sf::Image& a, const sf::Image& b) {
  if (a.getSize() != b.getSize()) return false;
  for (unsigned y = 0; y < a.getSize().y; y++) {
    for (unsigned x = 0; x < a.getSize().x; x++) {
      if (a.getPixel(x, y) != b.getPixel(x, y)) return false;
    }
  }
  return true;
}

class ViewObjectDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ko_test::startEngine());
    gm.setBackgroundTextColor(BOX);
    gm.swapBuffers();
  }
  void TearDown() override { ko_test::stopEngine(); }
  ko::GraphicsManager& gm = ko::GraphicsManager::getInstance();
};

TEST_F(ViewObjectDrawing, TextMatchesLabelValueAndBorder) {
  const struct {
    const char* name;
    std::string label;
    int value;
    bool border;
    std::string expected;  // the middle line; dashes above and below when bordered
  } cases[] = {
      {"Points 0", "Points", 0, true, "|  Points 0   |"},
      {"n = 12", "Points1234", 7, true, "|Points1234 7 |"},
      {"n = 13", "Points12345", 7, true, "| Points12345 7 |"},
      {"negative", "Lives", -12, true, "|  Lives -12  |"},
      {"no border", "Points", 42, false, "Points 42"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name == std::string("Points 0")) {
      ASSERT_EQ(c.expected.size(), 15u);
    }
    auto* p_v = new ko::ViewObject;
    p_v->setViewString(c.label);
    p_v->setValue(c.value);
    p_v->setBorder(c.border);
    p_v->setColor(ko::GREEN);
    p_v->setPosition(ko::Vector(40, 5));
    ko::WorldManager::getInstance().draw();

    const std::string dashes(c.expected.size(), '-');
    if (c.border) {
      gm.drawString(ko::Vector(40, 14), dashes, ko::CENTER_JUSTIFIED, ko::GREEN, 0);
      gm.drawString(ko::Vector(40, 16), dashes, ko::CENTER_JUSTIFIED, ko::GREEN, 0);
    }
    gm.drawString(ko::Vector(40, 15), c.expected, ko::CENTER_JUSTIFIED, ko::GREEN, 0);
    const sf::Image image = grabWindow();
    EXPECT_TRUE(samePixels(rowsOf(image, 4, 3), rowsOf(image, 14, 3)));
    EXPECT_GT(ko_test::countColor(image, sf::IntRect(0, 160, 1024, 32), sf::Color::Green), 50);
    ko::WorldManager::getInstance().markForDelete(p_v);
    ko::WorldManager::getInstance().update();
    gm.swapBuffers();
  }
}

TEST_F(ViewObjectDrawing, StaysAtItsScreenPlaceWhateverTheView) {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  world.setBoundary(ko::Box(ko::Vector(), 200, 100));
  auto* p_v = new ko::ViewObject;
  p_v->setViewString("Points");
  p_v->setPosition(ko::Vector(40, 5));
  world.draw();
  const sf::Image before = grabWindow();
  gm.swapBuffers();
  world.setView(ko::Box(ko::Vector(60, 30), 80, 24));
  world.draw();
  EXPECT_TRUE(samePixels(before, grabWindow()));
}

}  // namespace
