// Drawing in a real window, checked by reading the pixels back.
#include <gtest/gtest.h>

#include <string>

#include <korvane/GraphicsManager.h>
#include "WindowTestSupport.h"

using ko_test::cellBoxArea;
using ko_test::cellMap;
using ko_test::countColor;
using ko_test::grabWindow;

namespace {

// Distinct from every palette colour, so boxes and glyphs never mix up.
const sf::Color BOX(7, 61, 147);
const sf::Color BACK(40, 40, 40);

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ko_test::startEngine());
    gm.setBackgroundColor(BACK);
    gm.setBackgroundTextColor(BOX);
    gm.swapBuffers();  // clear to the new background
  }
  void TearDown() override { ko_test::stopEngine(); }
  ko::GraphicsManager& gm = ko::GraphicsManager::getInstance();
};

TEST(GraphicsManagerLifecycle, NothingIsDrawnWithoutAWindow) {
  ko::GraphicsManager& gm = ko::GraphicsManager::getInstance();
  EXPECT_EQ(gm.getWindow(), nullptr);
  EXPECT_EQ(gm.drawCh(ko::Vector(1, 1), 'a', ko::RED), -1);
  EXPECT_EQ(gm.drawWCh(ko::Vector(1, 1), L'a', ko::RED), -1);
  EXPECT_EQ(gm.drawString(ko::Vector(1, 1), "ab", ko::LEFT_JUSTIFIED, ko::RED), -1);
  EXPECT_EQ(gm.drawFrame(ko::Vector(1, 1), ko::Frame(1, 1, "a"), true, ko::RED), -1);
  EXPECT_EQ(gm.swapBuffers(), -1);
  gm.shutDown();
  EXPECT_FALSE(gm.isStarted());
}

TEST(GraphicsManagerLifecycle, StartsOneWindowAndStopsTwiceHarmlessly) {
  ASSERT_TRUE(ko_test::startEngine());
  ko::GraphicsManager& gm = ko::GraphicsManager::getInstance();
  sf::RenderWindow* p_window = gm.getWindow();
  ASSERT_NE(p_window, nullptr);
  EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
  EXPECT_EQ(gm.getHorizontal(), 80);
  EXPECT_EQ(gm.getVertical(), 24);
  EXPECT_FLOAT_EQ(ko::charWidth(), 12.8f);
  EXPECT_FLOAT_EQ(ko::charHeight(), 32.0f);
  EXPECT_EQ(ko::pixelsToSpaces(ko::Vector(100, 64)), ko::Vector(7.8125f, 2));
  EXPECT_EQ(ko::spacesToPixels(ko::Vector(2.5f, 1)), ko::Vector(32, 32));

  EXPECT_EQ(gm.startUp(), 0);
  EXPECT_EQ(gm.getWindow(), p_window);

  gm.shutDown();
  EXPECT_EQ(gm.getWindow(), nullptr);
  EXPECT_FALSE(gm.isStarted());
  gm.shutDown();
  EXPECT_EQ(gm.swapBuffers(), -1);
}

TEST_F(Drawing, BoxSitsBelowAndRightOfTheCellCorner) {
  gm.drawCh(ko::Vector(10, 5), ' ', ko::WHITE);
  const sf::Image image = grabWindow();
  // Bounding rectangle of the box colour.
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  for (unsigned y = 0; y < image.getSize().y; y++) {
    for (unsigned x = 0; x < image.getSize().x; x++) {
      if (image.getPixel(x, y) == BOX) {
        left = std::min(left, static_cast<int>(x));
        top = std::min(top, static_cast<int>(y));
        right = std::max(right, static_cast<int>(x));
        bottom = std::max(bottom, static_cast<int>(y));
      }
    }
  }
  // Cell (10, 5) has its corner at (128, 160); the box is 12.8 x 32 from
  // (129.4, 164).
  EXPECT_NEAR(left, 129.4, 1.0);
  EXPECT_NEAR(right + 1, 142.2, 1.0);
  EXPECT_EQ(top, 164);
  EXPECT_EQ(bottom + 1, 196);
  const int filled =
      countColor(image, sf::IntRect(left, top, right - left + 1, bottom - top + 1), BOX);
  EXPECT_EQ(filled, (right - left + 1) * (bottom - top + 1));
}

TEST_F(Drawing, StringsArePlacedByJustification) {
  const struct {
    const char* name;
    std::string text;
    ko::Justification just;
    const char* row;  // cells 33 to 46 of the row
  } cases[] = {
      {"left", "     ", ko::LEFT_JUSTIFIED, ".......#####..\n"},
      {"centred odd", "     ", ko::CENTER_JUSTIFIED, ".....#####....\n"},
      {"centred even", "    ", ko::CENTER_JUSTIFIED, ".....####.....\n"},
      {"right", "     ", ko::RIGHT_JUSTIFIED, "..#####.......\n"},
      {"empty", "", ko::CENTER_JUSTIFIED, "..............\n"},
  };
  int row = 1;
  for (const auto& c : cases) {
    EXPECT_EQ(gm.drawString(ko::Vector(40, static_cast<float>(row)), c.text, c.just, ko::WHITE, 0),
              0);
    row += 2;
  }
  const sf::Image image = grabWindow();
  row = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(cellMap(image, 33, row, 14, 1, BOX, BACK), c.row);
    row += 2;
  }
}

TEST_F(Drawing, CentredFramesCoverTheirCells) {
  // 3 x 3 at (10, 10) covers 9..11 both ways; 4 x 2 at (30, 10) covers
  // columns 28..31 and rows 9..10; uncentred, the position is the corner.
  gm.drawFrame(ko::Vector(10, 10), ko::Frame(3, 3, std::string(9, ' ')), true, ko::WHITE, 0);
  gm.drawFrame(ko::Vector(30, 10), ko::Frame(4, 2, std::string(8, ' ')), true, ko::WHITE, 0);
  gm.drawFrame(ko::Vector(50, 10), ko::Frame(2, 2, std::string(4, ' ')), false, ko::WHITE, 0);
  const sf::Image image = grabWindow();
  EXPECT_EQ(cellMap(image, 7, 8, 6, 5, BOX, BACK),
            "......\n"
            "..###.\n"
            "..###.\n"
            "..###.\n"
            "......\n");
  EXPECT_EQ(cellMap(image, 26, 8, 7, 4, BOX, BACK),
            ".......\n"
            "..####.\n"
            "..####.\n"
            ".......\n");
  EXPECT_EQ(cellMap(image, 49, 9, 4, 4, BOX, BACK),
            "....\n"
            ".##.\n"
            ".##.\n"
            "....\n");
}

TEST_F(Drawing, TransparentCharactersLeaveTheirCellsUntouched) {
  // Row 2: frame with transparency; row 5: the same without; row 8: a
  // string with transparency.
  const ko::Frame frame(5, 1, "x x:x");
  gm.drawFrame(ko::Vector(10, 2), frame, false, ko::RED, ' ');
  gm.drawFrame(ko::Vector(10, 5), frame, false, ko::RED, 0);
  gm.drawString(ko::Vector(10, 8), "x x:x", ko::LEFT_JUSTIFIED, ko::RED, ':');
  const sf::Image image = grabWindow();
  EXPECT_EQ(cellMap(image, 9, 2, 7, 1, BOX, BACK), ".#.###.\n");
  EXPECT_EQ(cellMap(image, 9, 5, 7, 1, BOX, BACK), ".#####.\n");
  EXPECT_EQ(cellMap(image, 9, 8, 7, 1, BOX, BACK), ".###.#.\n");
  // The skipped cell has no glyph either, and the drawn ones do.
  EXPECT_EQ(countColor(image, cellBoxArea(11, 2), sf::Color::Red), 0);
  EXPECT_GT(countColor(image, cellBoxArea(10, 2), sf::Color::Red), 10);
  EXPECT_EQ(countColor(image, cellBoxArea(13, 8), sf::Color::Red), 0);
}

TEST_F(Drawing, FrameShorterThanItsSizeDrawsOnlyWhatItHas) {
  gm.drawFrame(ko::Vector(10, 2), ko::Frame(3, 2, "    "), false, ko::WHITE, 0);
  EXPECT_EQ(gm.drawFrame(ko::Vector(10, 2), ko::Frame(3, 2, ""), false, ko::WHITE, 0), -1);
  EXPECT_EQ(cellMap(grabWindow(), 10, 2, 3, 2, BOX, BACK), "###\n#..\n");
}

TEST_F(Drawing, ColoursFollowThePaletteAndOthersAreWhite) {
  const struct {
    ko::Color color;
    sf::Color expected;
  } cases[] = {
      {ko::BLACK, sf::Color::Black},
      {ko::RED, sf::Color::Red},
      {ko::GREEN, sf::Color::Green},
      {ko::YELLOW, sf::Color::Yellow},
      {ko::BLUE, sf::Color::Blue},
      {ko::MAGENTA, sf::Color::Magenta},
      {ko::CYAN, sf::Color::Cyan},
      {ko::WHITE, sf::Color::White},
      {ko::UNDEFINED_COLOR, sf::Color::White},
      // Outside the palette but inside what the type can hold.
      {static_cast<ko::Color>(-2), sf::Color::White},
      {static_cast<ko::Color>(-8), sf::Color::White},
  };
  const sf::Color palette[] = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                               sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                               sf::Color::Cyan,   sf::Color::White};
  int col = 2;
  for (const auto& c : cases) {
    gm.drawCh(ko::Vector(static_cast<float>(col), 3), '#', c.color);
    gm.drawWCh(ko::Vector(static_cast<float>(col), 6), L'\u2588', c.color);
    col += 3;
  }
  const sf::Image image = grabWindow();
  col = 2;
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "colour " << static_cast<int>(c.color));
    for (int row : {3, 6}) {
      for (const sf::Color& other : palette) {
        const int pixels = countColor(image, cellBoxArea(col, row), other);
        if (other == c.expected) {
          EXPECT_GT(pixels, 20) << "row " << row;
        } else {
          EXPECT_EQ(pixels, 0) << "row " << row;
        }
      }
    }
    col += 3;
  }
}

TEST_F(Drawing, SwapShowsTheFrameAndClearsToTheBackground) {
  gm.drawString(ko::Vector(5, 5), "hello", ko::LEFT_JUSTIFIED, ko::YELLOW, 0);
  EXPECT_GT(countColor(grabWindow(), sf::IntRect(0, 0, 1024, 768), BOX), 0);
  const sf::Color new_background(90, 10, 60);
  gm.setBackgroundColor(new_background);
  EXPECT_EQ(gm.swapBuffers(), 0);
  EXPECT_EQ(countColor(grabWindow(), sf::IntRect(0, 0, 1024, 768), new_background), 1024 * 768);
}

}  // namespace
