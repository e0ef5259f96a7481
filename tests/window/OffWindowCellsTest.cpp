// Cells whose box and glyph fall wholly outside the window are left out of
// the frame, and a frame's batch is drawn in parts before it outgrows what
// a driver takes: neither may change a pixel, and neither may let a huge
// text or sprite cost more than the cells that show.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <korvane/Frame.h>
#include <korvane/GraphicsManager.h>
#include "WindowTestSupport.h"

namespace {

ko::GraphicsManager& graphics() { return ko::GraphicsManager::getInstance(); }

const sf::Color BOX_BLUE(7, 61, 147);

struct Cell {
  float x, y;
  char ch;
};

// What drawing a character means, straight through SFML with nothing left
// out: a box of the cell's size and a bold one-character text, both placed
// from the cell's corner.
class UnculledDrawing {
 public:
  explicit UnculledDrawing(const std::string& font_file) {
    loaded = font.loadFromFile(font_file);
    // Fetched first, as by the engine's start-up, so that the glyph pages
    // of both fonts are laid out alike.
    font.getGlyph(U'x', glyphSize(), true);
    font.getGlyph(U' ', glyphSize(), true);
  }
  bool loaded = false;

  void draw(const Cell& cell) {
    const float w = ko::charWidth(), h = ko::charHeight();
    sf::RectangleShape box(sf::Vector2f(w, h));
    box.setFillColor(BOX_BLUE);
    box.setPosition(cell.x * w + w / 2 - 5, cell.y * h + h / 2 - 12);
    graphics().getWindow()->draw(box);
    sf::Text text(sf::String(cell.ch), font, glyphSize());
    text.setStyle(sf::Text::Bold);
    text.setFillColor(sf::Color::Yellow);
    text.setPosition(cell.x * w, cell.y * h);
    graphics().getWindow()->draw(text);
  }

 private:
  static unsigned glyphSize() {
    return static_cast<unsigned>(2 * std::min(ko::charWidth(), ko::charHeight()));
  }
  sf::Font font;
};

// Cells reaching over each edge and corner by various amounts, alone and
// as strings and frames that run off the window; glyphs as wide as 'W'
// reach into the window from a cell whose box is outside it. A run of
// width cells per row; more than one row makes it a frame.
struct CellRun {
  float x, y;
  int width;
  std::string text;
};

std::vector<CellRun> edgeRuns() {
  std::vector<CellRun> runs;
  const std::string glyphs = "WM@g|";
  int i = 0;
  auto add = [&](float x, float y) { runs.push_back({x, y, 1, glyphs.substr(i++ % 5, 1)}); };
  for (float x : {-2.1f, -1.7f, -1.2f, -1.0f, -0.5f, -0.05f, 79.5f, 79.9f, 80.0f, 80.3f, 81.2f}) {
    for (float y : {3.0f, 11.6f}) add(x, y);
  }
  for (float y : {-1.4f, -1.2f, -0.9f, -0.5f, 23.6f, 23.9f, 24.0f, 24.2f, 25.1f}) {
    for (float x : {5.0f, 40.3f}) add(x, y);
  }
  for (float x : {-1.1f, -0.6f, 79.7f, 80.2f}) {
    for (float y : {-1.0f, -0.6f, 23.8f, 24.1f}) add(x, y);
  }
  std::string long_text;
  for (int n = 0; n < 12; ++n) long_text += glyphs;
  runs.push_back({-14.3f, 5, 20, long_text.substr(0, 20)});
  runs.push_back({70.7f, 9, 20, long_text.substr(0, 20)});
  runs.push_back({10, -3.5f, 2, long_text.substr(0, 60)});
  runs.push_back({-20.2f, 22.9f, 30, long_text.substr(0, 60)});
  return runs;
}

void drawWithEngine(const CellRun& run) {
  const ko::Vector at(run.x, run.y);
  if (static_cast<int>(run.text.size()) == run.width) {
    graphics().drawString(at, run.text, ko::LEFT_JUSTIFIED, ko::YELLOW);
  } else {
    const int height = static_cast<int>(run.text.size()) / run.width;
    graphics().drawFrame(at, ko::Frame(run.width, height, run.text), false, ko::YELLOW);
  }
}

void drawUnculled(UnculledDrawing& unculled, const CellRun& run) {
  for (std::size_t i = 0; i < run.text.size(); ++i) {
    const int col = static_cast<int>(i) % run.width, row = static_cast<int>(i) / run.width;
    unculled.draw({run.x + static_cast<float>(col), run.y + static_cast<float>(row), run.text[i]});
  }
}

}  // namespace

TEST(OffWindowCells, EdgeCellsDrawExactlyWhatUnculledDrawingDoes) {
  ASSERT_TRUE(ko_test::startEngine());
  graphics().setBackgroundTextColor(BOX_BLUE);
  UnculledDrawing unculled(ko::FONT_FILE_DEFAULT);
  ASSERT_TRUE(unculled.loaded);
  // Fetches every glyph of the scene, in one order for both fonts, before
  // any cell could be left out.
  const CellRun warm_up{20, 12, 5, "WM@g|"};
  const std::vector<CellRun> runs = edgeRuns();

  // The default view, and one zoomed out so that cells beyond the grid
  // show: whether a cell shows depends on the view, not on its index.
  const sf::View default_view = graphics().getWindow()->getDefaultView();
  sf::View zoomed_out = default_view;
  zoomed_out.zoom(1.25f);
  const sf::View* views[] = {&default_view, &zoomed_out};
  for (const sf::View* p_view : views) {
    SCOPED_TRACE(p_view == &default_view ? "default view" : "zoomed-out view");
    auto engineFrame = [&](bool batched) {
      graphics().setBatching(batched);
      graphics().swapBuffers();
      graphics().getWindow()->setView(*p_view);
      drawWithEngine(warm_up);
      for (const CellRun& run : runs) drawWithEngine(run);
      return ko_test::grabWindow();
    };
    const sf::Image batched = engineFrame(true);
    const sf::Image per_character = engineFrame(false);
    graphics().swapBuffers();
    graphics().getWindow()->setView(*p_view);
    drawUnculled(unculled, warm_up);
    for (const CellRun& run : runs) drawUnculled(unculled, run);
    const sf::Image reference = ko_test::grabWindow();
    graphics().getWindow()->setView(default_view);

    EXPECT_EQ(ko_test::differingPixels(reference, batched), 0);
    EXPECT_EQ(ko_test::differingPixels(reference, per_character), 0);
  }
}

TEST(OffWindowCells, HugeTextsAndFramesCostOnlyTheCellsThatShow) {
  ASSERT_TRUE(ko_test::startEngine());
  const std::string huge(2'000'000, 'a');
  const ko::Frame huge_frame(1500, 1500, std::string(1500 * 1500, '#'));
  // Every cell of a row shows, 81 or 82 when off the grid; 12 vertices a
  // cell.
  const int row = 12 * 82;
  struct Case {
    const char* name;
    std::function<void()> draw;
    int fewest_vertices, most_vertices;
  };
  const Case cases[] = {
      {"a string below the window",
       [&] { graphics().drawString(ko::Vector(40, 30), huge, ko::CENTER_JUSTIFIED, ko::WHITE); }, 0,
       0},
      {"a string far left of the window",
       [&] { graphics().drawString(ko::Vector(-5e6f, 3), huge, ko::LEFT_JUSTIFIED, ko::WHITE); }, 0,
       0},
      {"a string across the window",
       [&] { graphics().drawString(ko::Vector(40, 12), huge, ko::CENTER_JUSTIFIED, ko::WHITE); },
       12 * 80, row},
      {"a frame over the whole window",
       [&] { graphics().drawFrame(ko::Vector(40, 12.5f), huge_frame, true, ko::WHITE); },
       12 * 80 * 24, 26 * row},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    graphics().swapBuffers();
    c.draw();
    EXPECT_GE(graphics().getPendingVertexCount(), c.fewest_vertices);
    EXPECT_LE(graphics().getPendingVertexCount(), c.most_vertices);
  }
}
