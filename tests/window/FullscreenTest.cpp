// Fullscreen on a 1920 x 1080 display: the window takes the screen, the
// grid is scaled by 1080 / 768 and centred between bars 240 pixels wide,
// characters land at the scaled cells in both drawing ways, the pointer
// maps back to the cell under it, and switching back and forth leaves a
// window that draws and reads input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include "InputRecorder.h"
#include "WindowTestSupport.h"

namespace {

ko::GraphicsManager& graphics() { return ko::GraphicsManager::getInstance(); }

const sf::Vector2u SCREEN(1920, 1080);
// The grid's geometry on that screen, worked out by hand: 768 rows of
// pixels become 1080, so a cell is 18 x 45 and the grid 1440 pixels wide.
const float SCALE = 1080.f / 768.f;
const int BAR = (1920 - 1440) / 2;
const float CELL_W = 18, CELL_H = 45;

const sf::Color BOX(0, 160, 80);
const sf::Color BACKGROUND(20, 20, 60);

class Fullscreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ko_test::startEngine());
    ASSERT_EQ(sf::VideoMode::getDesktopMode().width, SCREEN.x) << "needs a 1920 x 1080 display";
    ASSERT_EQ(sf::VideoMode::getDesktopMode().height, SCREEN.y) << "needs a 1920 x 1080 display";
    graphics().setBackgroundColor(BACKGROUND);
    graphics().setBackgroundTextColor(BOX);
  }
  void TearDown() override { ko_test::stopEngine(); }

  // Window pixel of a point given in cells, in the current mode.
  static sf::Vector2i windowPixel(float col, float row) {
    if (!graphics().isFullscreen()) {
      return sf::Vector2i(static_cast<int>(col * 12.8f), static_cast<int>(row * 32));
    }
    return sf::Vector2i(BAR + static_cast<int>(col * CELL_W), static_cast<int>(row * CELL_H));
  }
};

// Bounding box of the pixels of exactly this colour within the area.
sf::IntRect inkBounds(const sf::Image& image, sf::IntRect area, sf::Color ink) {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  for (int y = area.top; y < area.top + area.height; y++) {
    for (int x = area.left; x < area.left + area.width; x++) {
      if (image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) != ink) continue;
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x);
      y1 = std::max(y1, y);
    }
  }
  return x1 < 0 ? sf::IntRect() : sf::IntRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

TEST_F(Fullscreen, WindowTakesTheScreenAndGivesItBackOnEachSwitch) {
  sf::RenderWindow* p_window = graphics().getWindow();
  const ko::Letterbox designed = graphics().getLetterbox();
  EXPECT_EQ(designed.getScale(), 1.f);
  EXPECT_EQ(designed.getArea(), sf::IntRect(0, 0, 1024, 768));
  for (int round = 0; round < 2; round++) {
    SCOPED_TRACE(round);
    ASSERT_EQ(graphics().setFullscreen(true), 0);
    EXPECT_TRUE(graphics().isFullscreen());
    EXPECT_EQ(graphics().getWindow(), p_window);
    EXPECT_EQ(p_window->getSize(), SCREEN);
    EXPECT_EQ(graphics().getLetterbox().getArea(), sf::IntRect(BAR, 0, 1440, 1080));
    // The world still sees the designed grid.
    EXPECT_EQ(graphics().getHorizontalPixels(), 1024);
    EXPECT_FLOAT_EQ(ko::charWidth(), 12.8f);
    EXPECT_FLOAT_EQ(ko::charHeight(), 32);
    ASSERT_EQ(graphics().setFullscreen(false), 0);
    EXPECT_FALSE(graphics().isFullscreen());
    EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
  }
}

TEST_F(Fullscreen, CellBoxAndGlyphLandOnTheScaledCellAndNotInTheBars) {
  ASSERT_EQ(graphics().setFullscreen(true), 0);
  graphics().swapBuffers();
  graphics().drawCh(ko::Vector(10, 5), ' ', ko::WHITE);
  graphics().drawCh(ko::Vector(30, 12), 'M', ko::RED);
  // Cells past the grid's edges would fall into the bars.
  graphics().drawCh(ko::Vector(-1, 12), 'M', ko::RED);
  graphics().drawCh(ko::Vector(80, 12), 'M', ko::RED);
  const sf::Image image = ko_test::grabWindow();

  // The box: 18 x 45 pixels, from 1.4 x 4 grid pixels past the cell's corner.
  const float left = BAR + (10 * 12.8f + 1.4f) * SCALE, top = (5 * 32 + 4) * SCALE;
  const sf::IntRect inside(static_cast<int>(left) + 2, static_cast<int>(top) + 2,
                           static_cast<int>(CELL_W) - 4, static_cast<int>(CELL_H) - 4);
  EXPECT_EQ(ko_test::countColor(image, inside, BOX), inside.width * inside.height);
  EXPECT_EQ(ko_test::countColor(image, sf::IntRect(inside.left - 4, inside.top, 1, inside.height),
                                BACKGROUND),
            inside.height);
  EXPECT_EQ(ko_test::countColor(
                image, sf::IntRect(inside.left + inside.width + 3, inside.top, 1, inside.height),
                BACKGROUND),
            inside.height);

  // The glyph: rasterised at the scaled character size (twice the cell's
  // width: 36), inside its cell.
  const sf::Vector2i cell = windowPixel(30, 12);
  const sf::IntRect ink =
      inkBounds(image, sf::IntRect(cell.x - 40, cell.y - 60, 120, 160), sf::Color::Red);
  sf::Font font;
  ASSERT_TRUE(font.loadFromFile(ko::FONT_FILE_DEFAULT));
  const sf::FloatRect glyph = font.getGlyph(U'M', 36, true).bounds;
  EXPECT_NEAR(ink.height, glyph.height, 1.5);
  EXPECT_NEAR(ink.width, glyph.width, 1.5);
  EXPECT_GE(ink.left, cell.x);
  EXPECT_LE(ink.left + ink.width, cell.x + 2 * static_cast<int>(CELL_W));
  EXPECT_GE(ink.top, cell.y);
  EXPECT_LE(ink.top + ink.height, cell.y + static_cast<int>(CELL_H) + 4);

  // SFML drawing through the window stays in grid pixels, as in the
  // designed window, and covers the scaled cell.
  sf::RectangleShape mark(sf::Vector2f(ko::charWidth(), ko::charHeight()));
  mark.setFillColor(sf::Color::Yellow);
  const ko::Vector mark_at = ko::spacesToPixels(ko::Vector(50, 3));
  mark.setPosition(mark_at.x, mark_at.y);
  graphics().getWindow()->draw(mark);
  const sf::Image marked = ko_test::grabWindow();
  const sf::Vector2i mark_cell = windowPixel(50, 3);
  EXPECT_EQ(
      inkBounds(marked, sf::IntRect(BAR, 0, 1440, 1080), sf::Color::Yellow),
      sf::IntRect(mark_cell.x, mark_cell.y, static_cast<int>(CELL_W), static_cast<int>(CELL_H)));

  // Nothing but background in either bar.
  EXPECT_EQ(ko_test::countColor(image, sf::IntRect(0, 0, BAR, 1080), BACKGROUND), BAR * 1080);
  EXPECT_EQ(ko_test::countColor(image, sf::IntRect(1920 - BAR, 0, BAR, 1080), BACKGROUND),
            BAR * 1080);
}

TEST_F(Fullscreen, BatchedFrameEqualsPerCharacterAtTheScaledSize) {
  ASSERT_EQ(graphics().setFullscreen(true), 0);
  const ko::Color colors[] = {ko::BLACK, ko::RED,     ko::GREEN, ko::YELLOW,
                              ko::BLUE,  ko::MAGENTA, ko::CYAN,  ko::WHITE};
  auto draw_frame = [&] {
    for (int row = 0; row < 24; row++) {
      std::string line;
      for (int col = 0; col < 80; col++) line += static_cast<char>('!' + (row * 80 + col) % 94);
      graphics().drawString(ko::Vector(0, static_cast<float>(row)), line, ko::LEFT_JUSTIFIED,
                            colors[row % 8]);
    }
  };
  const sf::Image per_character = ko_test::perCharacterFrame(draw_frame);
  draw_frame();
  const sf::Image batched = ko_test::grabWindow();
  ASSERT_EQ(batched.getSize(), SCREEN);
  EXPECT_GT(ko_test::countColor(batched, sf::IntRect(BAR, 0, 1440, 1080), sf::Color::Magenta),
            1000);
  EXPECT_EQ(ko_test::differingPixels(per_character, batched), 0);
}

TEST_F(Fullscreen, PointerAtACellCentreIsThatCellInBothModes) {
  ko::InputManager& input = ko::InputManager::getInstance();
  auto* p_recorder = new ko_test::InputRecorder;
  const sf::Vector2i cells[] = {{0, 0}, {79, 23}, {41, 11}, {7, 20}};
  for (bool fullscreen : {false, true, false}) {
    ASSERT_EQ(graphics().setFullscreen(fullscreen), 0);
    ko_test::focusWindow();
    const std::string window = std::to_string(graphics().getWindow()->getSystemHandle());
    for (const sf::Vector2i& cell : cells) {
      SCOPED_TRACE(std::string(fullscreen ? "fullscreen" : "windowed") + " cell " +
                   std::to_string(cell.x) + "," + std::to_string(cell.y));
      const sf::Vector2i at = windowPixel(cell.x + 0.5f, cell.y + 0.5f);
      ko_test::xdotool("mousemove --window " + window + " " + std::to_string(at.x) + " " +
                       std::to_string(at.y));
      ko::Vector moved(-1, -1);
      for (int attempt = 0; attempt < 100 && moved.x < 0; attempt++) {
        p_recorder->seen.clear();
        input.getInput();
        for (const ko_test::InputSeen& s : p_recorder->seen) {
          if (s.mouse_action == ko::MOUSE_MOVED) moved = s.position;
        }
        if (moved.x < 0) ko_test::sleepMs(10);
      }
      EXPECT_EQ(std::floor(moved.x), cell.x);
      EXPECT_EQ(std::floor(moved.y), cell.y);
      const ko::Vector polled = input.getMousePosition();
      EXPECT_EQ(std::floor(polled.x), cell.x);
      EXPECT_EQ(std::floor(polled.y), cell.y);
    }
  }
}

TEST_F(Fullscreen, HeldKeysAndNoRepeatsSurviveTheSwitch) {
  ko::InputManager& input = ko::InputManager::getInstance();
  auto* p_recorder = new ko_test::InputRecorder;
  ASSERT_EQ(graphics().setFullscreen(true), 0);
  ko_test::focusWindow();
  ko_test::xdotool("keydown a");
  // Long past the display's own repeat delay.
  ko_test::sleepMs(900);
  int presses = 0, downs = 0;
  for (int i = 0; i < 5; i++) {
    input.getInput();
    ko_test::sleepMs(20);
  }
  for (const ko_test::InputSeen& s : p_recorder->seen) {
    if (!s.keyboard || s.key != ko::Keyboard::A) continue;
    presses += s.key_action == ko::KEY_PRESSED;
    downs += s.key_action == ko::KEY_DOWN;
  }
  ko_test::xdotool("keyup a");
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(downs, 5);
}

// Run in the sanitized build too, where a window or glyph page left behind
// by a switch shows as a leak.
TEST_F(Fullscreen, HundredSwitchesLeaveTheWindowDrawing) {
  for (int i = 0; i < 100; i++) {
    ASSERT_EQ(graphics().setFullscreen(i % 2 == 0), 0) << "switch " << i;
    graphics().drawCh(ko::Vector(3, 3), 'x', ko::YELLOW);
    graphics().swapBuffers();
  }
  EXPECT_FALSE(graphics().isFullscreen());
  EXPECT_EQ(graphics().getPendingVertexCount(), 0);
  graphics().drawCh(ko::Vector(10, 5), ' ', ko::WHITE);
  const sf::Image image = ko_test::grabWindow();
  const sf::IntRect box = ko_test::cellBoxArea(10, 5);
  EXPECT_EQ(ko_test::countColor(image, box, BOX), box.width * box.height);
}

}  // namespace
