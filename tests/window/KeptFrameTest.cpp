// A frame drawn over the kept last one, redrawing only what changed and
// leaving out boxes that would change no pixel, must give exactly the
// pixels of the same frame drawn per character into a cleared window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include <korvane/GraphicsManager.h>
#include "WindowTestSupport.h"

namespace {

ko::GraphicsManager& graphics() { return ko::GraphicsManager::getInstance(); }

using Scene = std::function<void()>;

const sf::Color BOX_BLUE(7, 61, 147);

// A full screen of text in every colour, with the cells for which
// changed(col, row) holds drawn differently.
void screen(const std::function<bool(int, int)>& changed) {
  const std::string glyphs = "Korvane W@M typing 0123456789 %&#{}|_ wide WWMM@@ thin il.";
  for (int row = 0; row < 24; ++row) {
    for (int col = 0; col < 80; ++col) {
      const bool other = changed(col, row);
      const char ch = glyphs[static_cast<size_t>(row * 80 + col + (other ? 7 : 0)) % glyphs.size()];
      const auto color = static_cast<ko::Color>((row + col + (other ? 3 : 0)) % 8);
      graphics().drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), ch, color);
    }
  }
}

// A few falling blocks: about one cell in twenty differs between frames.
void blocks(int step) {
  screen([step](int col, int row) { return (col / 4 + row + step) % 20 == 0 && col % 4 != 3; });
}

// A sparse game-like screen: a few words on an empty field.
void words(int step) {
  for (int i = 0; i < 6; ++i) {
    const float x = 5.0f + 12.0f * static_cast<float>(i);
    const float y = 2.0f + static_cast<float>((i * 5 + step) % 20);
    graphics().drawString(ko::Vector(x, y), "segfault", ko::LEFT_JUSTIFIED,
                          static_cast<ko::Color>(i % 8));
  }
  graphics().drawString(ko::Vector(40, 23), "Score: 120", ko::CENTER_JUSTIFIED, ko::WHITE);
}

// Draws `before` batched and shows it, so that it is the kept frame, then
// `after` over it; the result must equal `after` drawn per character. Each
// is cleared to its own colour (a colour set takes effect at the swap).
void expectOverKeptFrameEqual(const Scene& before, const Scene& after,
                              sf::Color before_clear = sf::Color::Black,
                              sf::Color after_clear = sf::Color::Black) {
  // The reference starts from a window cleared whole: a frame that handed
  // out the window leaves nothing kept.
  graphics().setBackgroundColor(after_clear);
  graphics().getWindow();
  graphics().swapBuffers();
  graphics().setBatching(false);
  after();
  const sf::Image reference = ko_test::grabWindow();
  graphics().setBackgroundColor(before_clear);
  graphics().swapBuffers();
  graphics().setBatching(true);
  before();
  graphics().swapBuffers();
  before();  // kept without any drawing through the window
  graphics().setBackgroundColor(after_clear);
  graphics().swapBuffers();
  after();
  const sf::Image kept = ko_test::grabWindow();
  graphics().swapBuffers();
  EXPECT_EQ(ko_test::differingPixels(reference, kept), 0);
}

struct Case {
  const char* name;
  sf::Color box;
  Scene before, after;
};

// Glyphs overhanging their neighbours, clipped by boxes drawn later, near
// the grid's right edge (past the designed window's width in a wider one).
void overlapping(float col, float row) {
  graphics().drawString(ko::Vector(col, row), "WWMM@@WW", ko::LEFT_JUSTIFIED, ko::RED);
  graphics().drawCh(ko::Vector(col + 3.5f, row + 0.3f), 'W', ko::YELLOW);
  graphics().drawString(ko::Vector(col + 1.25f, row + 0.6f), " i ", ko::LEFT_JUSTIFIED, ko::GREEN);
}

void expectEveryCaseMatches() {
  const sf::Color black = sf::Color::Black;
  const Case cases[] = {
      {"unchanged full screen, boxes of the clear colour", black, [] { blocks(0); },
       [] { blocks(0); }},
      {"falling blocks, boxes of the clear colour", black, [] { blocks(0); }, [] { blocks(1); }},
      {"falling blocks, boxes of another colour", BOX_BLUE, [] { blocks(3); }, [] { blocks(4); }},
      {"boxes of the clear colour but see-through", sf::Color(0, 0, 0, 128), [] { blocks(0); },
       [] { blocks(1); }},
      {"a few cells changing after a frame too changed to be kept", black,
       [step = 0]() mutable { screen([&step](int, int) { return step % 2 == 1; }), ++step; },
       [] { screen([](int col, int row) { return row != 5 || col > 8; }); }},
      {"sparse words moving", black, [] { words(0); }, [] { words(1); }},
      {"everything gone", BOX_BLUE, [] { blocks(0); }, [] {}},
      {"a cell over its neighbours' overhanging glyphs, then cut by later boxes", black,
       [] { words(0); },
       [] {
         words(0);
         overlapping(30, 10);
         overlapping(70, 20);
       }},
      {"the box colour changed in the middle of the frame", black, [] { blocks(0); },
       [] {
         graphics().setBackgroundTextColor(sf::Color::Black);
         words(2);
         graphics().setBackgroundTextColor(BOX_BLUE);
         graphics().drawString(ko::Vector(20.5f, 5.5f), "in blue", ko::LEFT_JUSTIFIED, ko::WHITE);
         graphics().setBackgroundTextColor(sf::Color::Black);
         graphics().drawString(ko::Vector(21, 5.75f), "over it", ko::LEFT_JUSTIFIED, ko::RED);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    graphics().setBackgroundTextColor(c.box);
    expectOverKeptFrameEqual(c.before, c.after);
  }
}

const sf::Vector2u SCREEN(1920, 1080);

}  // namespace

TEST(KeptFrame, FramesOverTheLastOneMatchPerCharacterDrawing) {
  ASSERT_TRUE(ko_test::startEngine());
  expectEveryCaseMatches();
}

// Where frames are swapped, the kept frame is a texture copied into the
// window at the start of the next one.
TEST(KeptFrame, FramesOverACopiedInKeptFrameMatchPerCharacterDrawing) {
  ASSERT_EQ(setenv("KO_SWAP_BUFFERS", "1", 1), 0);
  ASSERT_TRUE(ko_test::startEngine());
  expectEveryCaseMatches();
}

// What reaches the screen, shown by copying the back buffer (which keeps
// it) or by swapping: frames redrawn over the kept one, changed and
// unchanged, match the same frame drawn per character.
TEST(KeptFrame, ShownFramesMatchPerCharacterDrawing) {
  for (const char* swap : {"0", "1"}) {
    SCOPED_TRACE(std::string("KO_SWAP_BUFFERS=") + swap);
    ASSERT_EQ(setenv("KO_SWAP_BUFFERS", swap, 1), 0);
    ASSERT_TRUE(ko_test::startEngine());
    const sf::WindowHandle window = graphics().getWindow()->getSystemHandle();
    graphics().swapBuffers();
    graphics().setBatching(false);
    blocks(1);
    graphics().swapBuffers();
    const sf::Image reference = ko_test::grabShownWindow(window);
    // Something else on the screen in between, shown by a swap.
    graphics().setBatching(true);
    words(0);
    graphics().getWindow();
    graphics().swapBuffers();
    for (int step : {0, 0, 1, 1}) {
      blocks(step);
      graphics().swapBuffers();
      if (step == 1) {
        EXPECT_EQ(ko_test::differingPixels(reference, ko_test::grabShownWindow(window)), 0);
      }
    }
    ko_test::stopEngine();
  }
}

// The grid scaled and letterboxed: the tiles and the coverage of boxes are
// in window pixels, the batch's coordinates span the grid's area only.
TEST(KeptFrame, FullscreenFramesOverTheLastOneMatchPerCharacterDrawing) {
  ASSERT_TRUE(ko_test::startEngine());
  ASSERT_EQ(sf::VideoMode::getDesktopMode().width, SCREEN.x) << "needs a 1920 x 1080 display";
  ASSERT_EQ(graphics().setFullscreen(true), 0);
  ASSERT_EQ(graphics().getWindow()->getSize(), SCREEN);
  expectEveryCaseMatches();
  graphics().setFullscreen(false);
}

// The window made anew at another size, between frames or in the middle of
// one already partly drawn: the next frame is drawn whole, at the new size.
TEST(KeptFrame, SwitchingFullscreenBetweenKeptFramesLeadsToAWholeRedraw) {
  ASSERT_TRUE(ko_test::startEngine());
  ASSERT_EQ(sf::VideoMode::getDesktopMode().width, SCREEN.x) << "needs a 1920 x 1080 display";
  graphics().setBackgroundTextColor(sf::Color::Black);
  const Scene after = [] {
    words(0);
    overlapping(70, 20);
  };
  const struct {
    const char* name;
    bool fullscreen, mid_frame;
  } cases[] = {
      {"to fullscreen between frames", true, false},
      {"to the window between frames", false, false},
      {"to fullscreen in the middle of a frame", true, true},
      {"to the window in the middle of a frame", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(graphics().setFullscreen(c.fullscreen), 0);
    graphics().getWindow();
    const sf::Image reference = ko_test::perCharacterFrame(after);

    ASSERT_EQ(graphics().setFullscreen(!c.fullscreen), 0);
    for (int i = 0; i < 2; ++i) {
      words(0);
      graphics().swapBuffers();
    }
    words(0);
    if (c.mid_frame) graphics().flush();
    ASSERT_EQ(graphics().setFullscreen(c.fullscreen), 0);
    after();
    const sf::Image redrawn = ko_test::grabWindow();
    graphics().swapBuffers();
    EXPECT_EQ(ko_test::differingPixels(reference, redrawn), 0);
  }
  graphics().setFullscreen(false);
}

// Each frame marks its changed tiles in the stencil with a value of its
// own, and the values start over after 255 frames: a mark left from that
// long ago must not let an unchanged glyph, redrawn because it reaches
// into a changed tile, through again in the tile it started in.
TEST(KeptFrame, MarksFromFramesLongAgoLetNothingThrough) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(sf::Color::Black);
  // Cells 11 and 12 of row 10 lie in one 32-pixel tile, the wide glyph of
  // cell 12 reaches into the next, where cell 13 is; cell (40, 20) is far.
  const auto scene = [](char left, char far, char right) {
    graphics().drawString(ko::Vector(11, 10), std::string{left, 'W', right}, ko::LEFT_JUSTIFIED,
                          ko::WHITE);
    graphics().drawCh(ko::Vector(40, 20), far, ko::YELLOW);
  };
  const char last_far = '1';
  graphics().getWindow();
  const sf::Image reference = ko_test::perCharacterFrame([&] { scene('x', last_far, 'o'); });
  for (int i = 0; i < 2; ++i) {  // drawn whole, then kept
    scene('a', '2', 'n');
    graphics().swapBuffers();
  }
  scene('x', '2', 'n');  // marks the tile of cells 11 and 12
  graphics().swapBuffers();
  for (int i = 0; i < 254; ++i) {  // every other mark, far away
    scene('x', i % 2 == 0 ? '1' : '2', 'n');
    graphics().swapBuffers();
  }
  scene('x', last_far, 'o');  // the marks start over here
  const sf::Image kept = ko_test::grabWindow();
  graphics().swapBuffers();
  EXPECT_EQ(ko_test::differingPixels(reference, kept), 0);
}

TEST(KeptFrame, WhatMakesTheKeptFrameUnknownLeadsToAWholeRedraw) {
  ASSERT_TRUE(ko_test::startEngine());
  const Scene shape_over_text = [] {
    words(0);
    sf::RectangleShape shape(sf::Vector2f(200, 90));
    shape.setPosition(100, 100);
    shape.setFillColor(sf::Color(250, 130, 20));
    graphics().getWindow()->draw(shape);
    graphics().drawString(ko::Vector(12, 4), "after the shape", ko::LEFT_JUSTIFIED, ko::CYAN);
  };
  const sf::Color black = sf::Color::Black, green(30, 90, 40);
  const struct {
    const char* name;
    Scene before, after;
    sf::Color box, before_clear, after_clear;
  } cases[] = {
      {"drawing through the window in the kept frame", shape_over_text, [] { words(0); }, black,
       black, black},
      {"drawing through the window in the new frame", [] { words(0); }, shape_over_text, black,
       black, black},
      {"a new clear colour", [] { words(0); }, [] { words(0); }, black, black, green},
      {"a new clear colour, boxes of the old one", [] { words(0); }, [] { words(1); }, green, green,
       black},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    graphics().setBackgroundTextColor(c.box);
    expectOverKeptFrameEqual(c.before, c.after, c.before_clear, c.after_clear);
  }
}

TEST(KeptFrame, BoxesOfTheClearColourAreDrawnOnlyOverEarlierDrawing) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().swapBuffers();
  const struct {
    const char* name;
    sf::Color box;
    int expected_vertices;
  } cases[] = {
      {"box of the clear colour, nothing beneath", sf::Color::Black, 6 + 6},
      {"box of another colour", BOX_BLUE, 12 + 12},
      {"box of the clear colour, see-through", sf::Color(0, 0, 0, 200), 12 + 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    graphics().setBackgroundTextColor(c.box);
    // Two cells far apart: only glyphs are needed when the boxes vanish.
    graphics().drawCh(ko::Vector(3, 3), 'x', ko::WHITE);
    graphics().drawCh(ko::Vector(50, 20), 'x', ko::WHITE);
    EXPECT_EQ(graphics().getPendingVertexCount(), c.expected_vertices);
    graphics().swapBuffers();
  }
  // A cell over another's glyph needs its box there, whatever the colour.
  graphics().setBackgroundTextColor(sf::Color::Black);
  graphics().drawCh(ko::Vector(3, 3), 'W', ko::WHITE);
  graphics().drawCh(ko::Vector(3.5f, 3), 'i', ko::WHITE);
  EXPECT_EQ(graphics().getPendingVertexCount(), 6 + 12);
  graphics().swapBuffers();
}
