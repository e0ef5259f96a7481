// The test kit's cells against the real window: one scene drawn headless
// and then in the window must show the same characters, in the same
// colours on the same boxes, in the same cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <korvane/Box.h>
#include <korvane/GraphicsManager.h>
#include <korvane/TestKit.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>
#include "WindowTestSupport.h"

namespace {

// Every placement rule once: justification, transparency, frames plain and
// centred, cells cut at the edges, a view object, a moved view, box colours.
// No cell is drawn twice, so that each cell's pixels come from its last
// character alone.
void drawScene() {
  ko::GraphicsManager& g = ko::GraphicsManager::getInstance();
  ko::WorldManager& world = ko::WorldManager::getInstance();
  world.setBoundary(ko::Box(ko::Vector(), 200, 100));
  world.setViewPosition(ko::Vector(60, 30));
  const ko::Vector corner = world.getView().getCorner();
  const auto at = [corner](float col, float row) { return corner + ko::Vector(col, row); };
  g.drawString(at(2, 1), "Left, plain", ko::LEFT_JUSTIFIED, ko::RED);
  g.drawString(at(40, 3), "Centred odd", ko::CENTER_JUSTIFIED, ko::GREEN);
  g.drawString(at(40, 4), "Centred even", ko::CENTER_JUSTIFIED, ko::CYAN);
  g.drawString(at(79, 5), "Right", ko::RIGHT_JUSTIFIED, ko::BLUE);
  g.drawString(at(3, 7), "t.r.a.n.s", ko::LEFT_JUSTIFIED, ko::YELLOW, '.');
  g.drawFrame(at(10, 12), ko::Frame(4, 3, "/--\\|##|\\--/"), true, ko::MAGENTA, '#');
  g.drawFrame(at(20, 10), ko::Frame(3, 2, "abcdef"), false, ko::WHITE);
  g.drawString(at(-2, 15), "cut left", ko::LEFT_JUSTIFIED, ko::RED);
  g.drawString(at(76, 16), "cut right", ko::LEFT_JUSTIFIED, ko::GREEN);
  g.drawString(at(30, 23), "bottom row", ko::LEFT_JUSTIFIED, ko::WHITE);
  g.setBackgroundTextColor(sf::Color::Blue);
  g.drawString(at(50, 19), "on blue", ko::LEFT_JUSTIFIED, ko::YELLOW);
  g.setBackgroundTextColor(ko::WINDOW_BACKGROUND_COLOR_DEFAULT);
  ko::ViewObject label;
  label.setViewString("Coins");
  label.setValue(12);
  // A whole cell: the named locations may fall between cells, which the
  // test below covers.
  label.setPosition(ko::Vector(66, 2));
  label.setColor(ko::YELLOW);
  label.draw();
  g.drawCh(at(60, 21), '@', ko::GREEN);
}

// Pixels that differ inside the cells' box areas, which only the cell's own
// box and glyph reach.
int differingInCells(const sf::Image& a, const sf::Image& b) {
  int differing = 0;
  const sf::Vector2u size = a.getSize();
  for (int row = 0; row < ko::WINDOW_VERTICAL_CHARS_DEFAULT; row++) {
    for (int col = 0; col < ko::WINDOW_HORIZONTAL_CHARS_DEFAULT; col++) {
      const sf::IntRect area = ko_test::cellBoxArea(col, row);
      const int x1 = std::min(area.left + area.width, static_cast<int>(size.x));
      const int y1 = std::min(area.top + area.height, static_cast<int>(size.y));
      int here = 0;
      for (int y = area.top; y < y1; y++) {
        for (int x = area.left; x < x1; x++) {
          here += a.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) !=
                  b.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
        }
      }
      if (here > 0) ADD_FAILURE() << "cell (" << col << ", " << row << ") differs";
      differing += here;
    }
  }
  return differing;
}

TEST(KitFrame, ShowsWhatTheWindowShowsCellForCell) {
  ko::CellFrame cells;
  {
    ko::TestKit kit;
    ASSERT_EQ(kit.startUp(), 0);
    drawScene();
    ko::GraphicsManager::getInstance().swapBuffers();
    cells = kit.getFrame();
  }
  int drawn = 0;
  for (int row = 0; row < cells.getHeight(); row++) {
    for (int col = 0; col < cells.getWidth(); col++) drawn += cells.get(col, row).ch != 0;
  }
  ASSERT_GT(drawn, 80) << "the scene drew next to nothing";

  ASSERT_TRUE(ko_test::startEngine());
  ko::GraphicsManager& g = ko::GraphicsManager::getInstance();
  g.swapBuffers();
  drawScene();
  const sf::Image window = ko_test::grabWindow();
  g.swapBuffers();
  // The kit's cells drawn back one by one, each in its own cell.
  for (int row = 0; row < cells.getHeight(); row++) {
    for (int col = 0; col < cells.getWidth(); col++) {
      const ko::CellFrame::Cell cell = cells.get(col, row);
      if (cell.ch == 0) continue;
      g.setBackgroundTextColor(cell.box);
      g.drawWCh(ko::viewToWorld(ko::Vector(static_cast<float>(col), static_cast<float>(row))),
                static_cast<wchar_t>(cell.ch), cell.color);
    }
  }
  const sf::Image from_cells = ko_test::grabWindow();
  EXPECT_EQ(differingInCells(window, from_cells), 0);
  ko_test::stopEngine();
}

// Between cells the window draws a box over parts of two cells; the kit
// names the one it covers most.
TEST(KitFrame, ACharacterBetweenCellsIsInTheCellItsBoxMostlyCovers) {
  const float offsets[] = {0, 0.25f, 0.4f, 0.6f, 0.75f};
  const auto drawOffsets = [&offsets] {
    ko::GraphicsManager& g = ko::GraphicsManager::getInstance();
    g.setBackgroundTextColor(sf::Color::Blue);
    // Off in one direction at a time: off in both, no cell is mostly
    // covered.
    for (int i = 0; i < 5; i++) {
      const float off = 3.0f * static_cast<float>(i) + offsets[i] + 1;
      g.drawCh(ko::Vector(off, 1), ' ', ko::WHITE);
      g.drawCh(ko::Vector(18, off), ' ', ko::WHITE);
    }
  };
  std::string from_kit;
  {
    ko::TestKit kit;
    ASSERT_EQ(kit.startUp(), 0);
    drawOffsets();
    ko::GraphicsManager::getInstance().swapBuffers();
    for (int row = 0; row < 16; row++) {
      for (int col = 0; col < 21; col++) from_kit += kit.getCell(col, row).ch != 0 ? '#' : '.';
      from_kit += '\n';
    }
  }
  ASSERT_TRUE(ko_test::startEngine());
  ko::GraphicsManager::getInstance().swapBuffers();
  drawOffsets();
  const sf::Image window = ko_test::grabWindow();
  std::string from_window =
      ko_test::cellMap(window, 0, 0, 21, 16, sf::Color::Blue, ko::WINDOW_BACKGROUND_COLOR_DEFAULT);
  // Cells that the box only partly covers are neither; they are not the
  // kit's to name.
  std::replace(from_window.begin(), from_window.end(), '?', '.');
  EXPECT_EQ(from_kit, from_window);
  ko_test::stopEngine();
}

}  // namespace
