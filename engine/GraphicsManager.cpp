#include <korvane/GraphicsManager.h>

#include <algorithm>
#include <cmath>

#include <korvane/LogManager.h>
#include <korvane/utility.h>
#include "BoxCoverage.h"
#include "DisplayProbe.h"
#include "FramePresenter.h"
#include "KeptFrame.h"

namespace ko {

namespace {

sf::Color toSfColor(Color color) {
  switch (color) {
    case BLACK:
      return sf::Color::Black;
    case RED:
      return sf::Color::Red;
    case GREEN:
      return sf::Color::Green;
    case YELLOW:
      return sf::Color::Yellow;
    case BLUE:
      return sf::Color::Blue;
    case MAGENTA:
      return sf::Color::Magenta;
    case CYAN:
      return sf::Color::Cyan;
    default:
      // White, undefined and anything out of range.
      return sf::Color::White;
  }
}

// Positions and sizes below are in window pixels: the designed grid's
// pixels times scale (exactly 1 in the designed window, so that its
// pixels stay as they always were).

// The box sits slightly right of and below the cell corner, where the
// bold glyph's ink actually falls.
sf::Vector2f boxCorner(Vector pixel_pos, float scale) {
  return sf::Vector2f((pixel_pos.x + charWidth() / 2 - 5) * scale,
                      (pixel_pos.y + charHeight() / 2 - 12) * scale);
}

sf::Vector2f glyphOrigin(Vector pixel_pos, float scale) {
  return sf::Vector2f(pixel_pos.x * scale, pixel_pos.y * scale);
}

// Twice the smaller cell side, so the glyph fills the narrow cell.
unsigned int glyphSize(float scale) {
  const float smaller = charHeight() > charWidth() ? charWidth() : charHeight();
  return static_cast<unsigned int>(2 * smaller * scale);
}

// A one-character text draws nothing for these.
bool isWhitespace(sf::Uint32 ch) { return ch == U' ' || ch == U'\t' || ch == U'\n' || ch == U'\r'; }

// Every glyph page keeps a white square in its top-left corner; sampling
// its middle gives plain white, so boxes share the glyphs' texture.
const sf::Vector2f WHITE_TEXEL(1, 1);

// The batch is drawn in clip coordinates: each vertex gets the coordinates
// that the pipeline computes when the same point is drawn on its own with a
// translation, in the same order (projection times translation, then that
// matrix times the point). Adding the translation first instead rounds
// differently, enough to shift a glyph's filtering by one colour step.
sf::Vector2f toClip(const float* projection, sf::Vector2f translation, sf::Vector2f local) {
  float clip[2];
  for (int i = 0; i < 2; ++i) {
    const float moved =
        (projection[i] * translation.x + projection[4 + i] * translation.y) + projection[12 + i];
    clip[i] = (projection[i] * local.x + projection[4 + i] * local.y) + moved;
  }
  return sf::Vector2f(clip[0], clip[1]);
}

// Corners top-left, top-right, bottom-left, bottom-right.
using Quad = sf::Vertex[4];

void appendTriangles(sf::VertexArray& batch, const Quad& corners) {
  const int order[6] = {0, 1, 2, 2, 1, 3};
  for (int i : order) batch.append(corners[i]);
}

// A quad wholly past one edge of clip space covers no pixel of the window,
// whatever the view; one merely touching an edge is kept.
bool outsideWindow(const Quad& corners) {
  bool left = true, right = true, above = true, below = true;
  for (const sf::Vertex& v : corners) {
    left = left && v.position.x < -1;
    right = right && v.position.x > 1;
    below = below && v.position.y < -1;
    above = above && v.position.y > 1;
  }
  return left || right || above || below;
}

// The box and the glyph one cell draws, in clip coordinates; whitespace
// has no glyph.
struct CellQuads {
  Quad box;
  Quad glyph;
  bool has_glyph;
};

// The same pixels as a box shape and a one-character bold text: the box's
// corners, and the glyph's quad computed as the text lays it out (baseline
// one character size below the top, one pixel of padding around the
// glyph), offset by the text's position only at the end, as its transform
// would.
CellQuads cellQuads(const sf::Font& font, const float* projection, Vector pixel_pos, float scale,
                    sf::Uint32 ch, sf::Color fill, sf::Color ink) {
  CellQuads cell{};
  const sf::Vector2f box = boxCorner(pixel_pos, scale);
  const float box_w = charWidth() * scale, box_h = charHeight() * scale;
  cell.box[0] = sf::Vertex(toClip(projection, box, {0, 0}), fill, WHITE_TEXEL);
  cell.box[1] = sf::Vertex(toClip(projection, box, {box_w, 0}), fill, WHITE_TEXEL);
  cell.box[2] = sf::Vertex(toClip(projection, box, {0, box_h}), fill, WHITE_TEXEL);
  cell.box[3] = sf::Vertex(toClip(projection, box, {box_w, box_h}), fill, WHITE_TEXEL);
  cell.has_glyph = !isWhitespace(ch);
  if (!cell.has_glyph) return cell;
  const unsigned int size = glyphSize(scale);
  const sf::Glyph& glyph = font.getGlyph(ch, size, true);
  const float x = 0.f + font.getKerning(0, ch, size);
  const float y = static_cast<float>(size);
  const float padding = 1;
  const sf::FloatRect& bounds = glyph.bounds;
  const sf::IntRect& rect = glyph.textureRect;
  const float left = x + (bounds.left - padding), top = y + (bounds.top - padding);
  const float right = x + (bounds.left + bounds.width + padding);
  const float bottom = y + (bounds.top + bounds.height + padding);
  const float u1 = static_cast<float>(rect.left) - padding;
  const float v1 = static_cast<float>(rect.top) - padding;
  const float u2 = static_cast<float>(rect.left + rect.width) + padding;
  const float v2 = static_cast<float>(rect.top + rect.height) + padding;
  const sf::Vector2f at = glyphOrigin(pixel_pos, scale);
  cell.glyph[0] = sf::Vertex(toClip(projection, at, {left, top}), ink, {u1, v1});
  cell.glyph[1] = sf::Vertex(toClip(projection, at, {right, top}), ink, {u2, v1});
  cell.glyph[2] = sf::Vertex(toClip(projection, at, {left, bottom}), ink, {u1, v2});
  cell.glyph[3] = sf::Vertex(toClip(projection, at, {right, bottom}), ink, {u2, v2});
  return cell;
}

// How far, in pixels, a cell's box or glyph may reach from the cell's
// corner: the box is offset by less than a cell, and no glyph of a text
// font reaches several character sizes from its origin. Only used to skip
// long runs of cells far outside the window cheaply; cells nearer are
// culled by their real extents.
float cellReach(float scale) {
  return 2 * std::max(charWidth(), charHeight()) * scale + 4.f * glyphSize(scale);
}

}  // namespace

GraphicsManager::GraphicsManager()
    : p_window(nullptr),
      window_horizontal_pixels(0),
      window_vertical_pixels(0),
      window_horizontal_chars(0),
      window_vertical_chars(0),
      background_color(WINDOW_BACKGROUND_COLOR_DEFAULT),
      background_text_color(WINDOW_BACKGROUND_COLOR_DEFAULT),
      batching(true),
      fullscreen(false),
      key_repeat(true),
      batch(sf::Triangles),
      headless(false),
      p_kept_frame(std::make_unique<KeptFrame>()),
      p_presenter(std::make_unique<FramePresenter>()),
      p_coverage(std::make_unique<BoxCoverage>()),
      frame_clear_color(WINDOW_BACKGROUND_COLOR_DEFAULT),
      frame_in_window(false) {
  setType(GRAPHICS_MANAGER);
}

GraphicsManager::~GraphicsManager() {
  if (p_window != nullptr) {
    p_window->close();
    delete p_window;
    p_window = nullptr;
  }
}

GraphicsManager& GraphicsManager::getInstance() {
  static GraphicsManager graphics_manager;
  return graphics_manager;
}

int GraphicsManager::startUp() {
  if (p_window != nullptr || (headless && isStarted())) {
    return 0;
  }
  if (headless) return startHeadless();
  // Only a regular file: the font reader would wait for ever on a FIFO.
  if (!isRegularFile(FONT_FILE_DEFAULT)) {
    LogManager::getInstance().writeLog("unable to load font %s: missing or not a regular file",
                                       FONT_FILE_DEFAULT.c_str());
    return -1;
  }
  if (!font.loadFromFile(FONT_FILE_DEFAULT)) {
    LogManager::getInstance().writeLog("unable to load font %s: not a font it can read",
                                       FONT_FILE_DEFAULT.c_str());
    return -1;
  }
  const std::string display_problem = displayProblem();
  if (!display_problem.empty()) {
    LogManager::getInstance().writeLog("%s", display_problem.c_str());
    return -1;
  }
  window_horizontal_chars = WINDOW_HORIZONTAL_CHARS_DEFAULT;
  window_vertical_chars = WINDOW_VERTICAL_CHARS_DEFAULT;
  window_horizontal_pixels = WINDOW_HORIZONTAL_PIXELS_DEFAULT;
  window_vertical_pixels = WINDOW_VERTICAL_PIXELS_DEFAULT;
  p_window = new sf::RenderWindow();
  openWindow();
  return Manager::startUp();
}

void GraphicsManager::openWindow() {
  // The stencil confines a frame's redraw to the tiles that changed.
  const sf::ContextSettings settings(0, 8);
  if (fullscreen) {
    p_window->create(sf::VideoMode::getDesktopMode(), sf::String(WINDOW_TITLE_DEFAULT),
                     sf::Style::Fullscreen, settings);
  } else {
    p_window->create(sf::VideoMode(static_cast<unsigned int>(window_horizontal_pixels),
                                   static_cast<unsigned int>(window_vertical_pixels), 32),
                     sf::String(WINDOW_TITLE_DEFAULT), WINDOW_STYLE_DEFAULT, settings);
  }
  p_window->setMouseCursorVisible(false);
  p_window->setVerticalSyncEnabled(true);
  p_window->setKeyRepeatEnabled(key_repeat);
  const sf::Vector2u size = p_window->getSize();
  if (!fullscreen) {
    // The library centres the window vertically by the screen's width, which
    // on a wide screen puts its bottom off screen; a window manager, if
    // any, places it anyway.
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    p_window->setPosition(
        sf::Vector2i((static_cast<int>(desktop.width) - static_cast<int>(size.x)) / 2,
                     std::max(0, static_cast<int>(desktop.height) - static_cast<int>(size.y)) / 2));
  }
  letterbox = Letterbox(static_cast<int>(size.x), static_cast<int>(size.y),
                        window_horizontal_pixels, window_vertical_pixels);
  p_window->setView(letterbox.getView());
  // A one-character text fetches these two glyphs before its own; fetching
  // them first here gives the glyph page the same layout either way.
  font.getGlyph(U'x', glyphSize(scale()), true);
  font.getGlyph(U' ', glyphSize(scale()), true);
  // The kept frame belongs to the window just replaced, and a frame starts
  // anew at the new size.
  invalidateKeptFrame();
  p_presenter->attach(*p_window);
  p_kept_frame->keepInBackBuffer(p_presenter->keepsShownFrame());
  startFrame();
}

int GraphicsManager::setFullscreen(bool on) {
  if (p_window == nullptr) {
    fullscreen = on;
    return 0;
  }
  if (on == fullscreen) return 0;
  fullscreen = on;
  // Laid out for the old size, and textured with its glyph page.
  batch.clear();
  openWindow();
  if (!p_window->isOpen()) {
    LogManager::getInstance().writeLog(
        "GraphicsManager::setFullscreen(): cannot open the %s window",
        on ? "fullscreen" : "designed");
    return -1;
  }
  const sf::Vector2u size = p_window->getSize();
  p_window->clear(background_color);
  LogManager::getInstance().writeLog("GraphicsManager::setFullscreen(): %s, %u x %u pixels",
                                     on ? "fullscreen" : "windowed", size.x, size.y);
  return 0;
}

bool GraphicsManager::isFullscreen() const { return fullscreen; }

Letterbox GraphicsManager::getLetterbox() const { return letterbox; }

float GraphicsManager::scale() const { return letterbox.getScale(); }

sf::View GraphicsManager::cellView() const {
  sf::View view = p_window->getView();
  const float s = scale();
  if (s == 1) return view;
  view.setCenter(view.getCenter() * s);
  view.setSize(view.getSize() * s);
  return view;
}

void GraphicsManager::setKeyRepeat(bool on) {
  key_repeat = on;
  if (p_window != nullptr) p_window->setKeyRepeatEnabled(on);
}

void GraphicsManager::shutDown() {
  if (p_window != nullptr) {
    p_window->close();
  }
  Manager::shutDown();
  delete p_window;
  p_window = nullptr;
  // Characters of an unfinished frame belong to the window just closed.
  batch.clear();
  p_kept_frame->release();
  p_presenter->detach();
  drawing_cells = CellFrame();
  shown_cells = CellFrame();
}

int GraphicsManager::startHeadless() {
  // The window's grid and pixel size, so that every conversion between
  // cells and pixels comes out as with a window.
  window_horizontal_chars = WINDOW_HORIZONTAL_CHARS_DEFAULT;
  window_vertical_chars = WINDOW_VERTICAL_CHARS_DEFAULT;
  window_horizontal_pixels = WINDOW_HORIZONTAL_PIXELS_DEFAULT;
  window_vertical_pixels = WINDOW_VERTICAL_PIXELS_DEFAULT;
  drawing_cells = CellFrame(window_horizontal_chars, window_vertical_chars, background_color);
  shown_cells = drawing_cells;
  return Manager::startUp();
}

int GraphicsManager::drawCh(Vector world_pos, char ch, Color color) const {
  // Through the default locale, as a one-character text would convert it.
  return drawCell(world_pos, sf::String(ch)[0], color);
}

int GraphicsManager::drawWCh(Vector world_pos, wchar_t ch, Color color) const {
  return drawCell(world_pos, sf::String(ch)[0], color);
}

int GraphicsManager::drawCell(Vector world_pos, sf::Uint32 ch, Color color) const {
  const Vector view_pos = worldToView(world_pos);
  if (p_window == nullptr) {
    if (!canDraw()) return -1;
    // The nearest cell: the window draws the box mostly over it.
    drawing_cells.set(static_cast<int>(std::floor(view_pos.x + 0.5f)),
                      static_cast<int>(std::floor(view_pos.y + 0.5f)), ch, color,
                      background_text_color);
    return 0;
  }
  const Vector pixel_pos = spacesToPixels(view_pos);
  const CellQuads cell = cellQuads(font, cellView().getTransform().getMatrix(), pixel_pos, scale(),
                                   ch, background_text_color, toSfColor(color));
  const bool box_shows = !outsideWindow(cell.box);
  const bool glyph_shows = cell.has_glyph && !outsideWindow(cell.glyph);
  if (!box_shows && !glyph_shows) return 0;
  if (batching) {
    if (batch.getVertexCount() + 12 > static_cast<std::size_t>(BATCH_VERTICES_MAX)) drawPending();
    if (box_shows) appendBox(cell.box);
    if (glyph_shows) {
      appendTriangles(batch, cell.glyph);
      p_coverage->touch(pixelBounds(cell.glyph, batchArea(), 0));
    }
  } else {
    drawCellAtOnce(pixel_pos, ch, color);
  }
  return 0;
}

void GraphicsManager::appendBox(const Quad& box) const {
  const sf::IntRect area = batchArea();
  const PixelRect bounds = pixelBounds(box, area, 0);
  // An opaque box of the clear colour changes only pixels something of this
  // frame was drawn on.
  const sf::Color fill = box[0].color;
  if (fill != frame_clear_color || fill.a != 255) {
    appendTriangles(batch, box);
    p_coverage->touch(bounds);
    return;
  }
  const PixelRect under = p_coverage->touchedWithin(bounds);
  if (under.empty()) return;
  Quad part;
  std::copy(box, box + 4, part);
  const bool upright =
      box[0].position.y == box[1].position.y && box[2].position.y == box[3].position.y &&
      box[0].position.x == box[2].position.x && box[1].position.x == box[3].position.x;
  if (upright) {
    // Cut at pixel borders, half a pixel from any pixel's centre, so the
    // part colours exactly the box's pixels within them; the box's own
    // edges stay as they were.
    // The coverage is in window pixels, the clip coordinates span the area.
    auto clip_x = [&area](int x) {
      return 2.f * static_cast<float>(x - area.left) / static_cast<float>(area.width) - 1;
    };
    auto clip_y = [&area](int y) {
      return 1 - 2.f * static_cast<float>(y - area.top) / static_cast<float>(area.height);
    };
    const float clip_left = clip_x(under.left), clip_right = clip_x(under.right);
    const float clip_top = clip_y(under.top), clip_bottom = clip_y(under.bottom);
    const float lo_x = std::min(box[0].position.x, box[1].position.x);
    const float hi_x = std::max(box[0].position.x, box[1].position.x);
    const float lo_y = std::min(box[0].position.y, box[2].position.y);
    const float hi_y = std::max(box[0].position.y, box[2].position.y);
    for (sf::Vertex& v : part) {
      if (v.position.x == lo_x && clip_left > lo_x) v.position.x = clip_left;
      if (v.position.x == hi_x && clip_right < hi_x) v.position.x = clip_right;
      if (v.position.y == hi_y && clip_top < hi_y) v.position.y = clip_top;
      if (v.position.y == lo_y && clip_bottom > lo_y) v.position.y = clip_bottom;
    }
  }
  appendTriangles(batch, part);
  p_coverage->touch(under);
}

void GraphicsManager::drawCellAtOnce(Vector pixel_pos, sf::Uint32 ch, Color color) const {
  drawIntoWindowFromNowOn();
  static sf::RectangleShape rectangle(sf::Vector2f(0, 0));
  static sf::Text text("", font, 30);
  // Scaled, through a view scaled back: the glyph keeps its own size.
  const sf::View view = p_window->getView();
  if (scale() != 1) p_window->setView(cellView());
  rectangle.setSize(sf::Vector2f(charWidth() * scale(), charHeight() * scale()));
  rectangle.setFillColor(background_text_color);
  rectangle.setPosition(boxCorner(pixel_pos, scale()));
  p_window->draw(rectangle, sf::RenderStates::Default);
  text.setString(sf::String(ch));
  text.setStyle(sf::Text::Bold);
  text.setCharacterSize(glyphSize(scale()));
  text.setFillColor(toSfColor(color));
  text.setPosition(glyphOrigin(pixel_pos, scale()));
  p_window->draw(text, sf::RenderStates::Default);
  if (scale() != 1) p_window->setView(view);
}

std::pair<int, int> GraphicsManager::rowInWindow(Vector world_pos, int count) const {
  // The cell grid drops what falls outside it by itself.
  if (p_window == nullptr) return {0, count};
  // Cell i's corner is first + i * step in pixels, and clip coordinates are
  // affine in pixels, so on each axis the cells that may reach the window
  // are those whose corner's clip coordinate lies within the window widened
  // by the reach: an interval of i.
  const Vector first_grid = spacesToPixels(worldToView(world_pos));
  const Vector first(first_grid.x * scale(), first_grid.y * scale());
  // From the cell size, not as the difference of two far-off corners,
  // which floats hold too coarsely.
  const Vector step_pixels(charWidth() * scale(), 0);
  const sf::View view = cellView();
  const float* m = view.getTransform().getMatrix();
  const double reach = cellReach(scale());
  double lo = 0, hi = count;
  for (int k = 0; k < 2; ++k) {
    const double start = double{m[k]} * first.x + double{m[4 + k]} * first.y + m[12 + k];
    const double step = double{m[k]} * step_pixels.x + double{m[4 + k]} * step_pixels.y;
    const double widen = 1 + reach * (std::fabs(m[k]) + std::fabs(m[4 + k]));
    if (step == 0) {
      if (std::fabs(start) > widen) return {0, 0};
      continue;
    }
    const double a = (-widen - start) / step, b = (widen - start) / step;
    lo = std::max(lo, std::floor(std::min(a, b)) - 1);
    hi = std::min(hi, std::ceil(std::max(a, b)) + 2);
  }
  // Positions too large for the arithmetic: leave every cell to the exact
  // test.
  if (!std::isfinite(lo) || !std::isfinite(hi)) return {0, count};
  if (lo >= hi) return {0, 0};
  return {static_cast<int>(lo), static_cast<int>(hi)};
}

int GraphicsManager::drawString(Vector world_pos, std::string str, Justification just, Color color,
                                char transparent) const {
  if (!canDraw()) {
    return -1;
  }
  const int length = static_cast<int>(str.size());
  Vector start = world_pos;
  if (just == CENTER_JUSTIFIED) {
    start.x = world_pos.x - static_cast<float>(length / 2);
  } else if (just == RIGHT_JUSTIFIED) {
    start.x = world_pos.x - static_cast<float>(length);
  }
  const std::pair<int, int> shown = rowInWindow(start, length);
  for (int i = shown.first; i < shown.second; i++) {
    if (str[static_cast<std::size_t>(i)] != transparent) {
      drawCh(Vector(start.x + static_cast<float>(i), start.y), str[static_cast<std::size_t>(i)],
             color);
    }
  }
  return 0;
}

int GraphicsManager::drawFrame(Vector world_pos, Frame frame, bool centered, Color color,
                               char transparent) const {
  const std::string frame_str = frame.getString();
  if (!canDraw() || frame_str.empty()) {
    return -1;
  }
  const int width = frame.getWidth();
  const int height = frame.getHeight();
  const int x_offset = centered ? width / 2 : 0;
  const int y_offset = centered ? height / 2 : 0;
  for (int y = 0; y < height; y++) {
    const Vector row_start(world_pos.x - static_cast<float>(x_offset),
                           world_pos.y - static_cast<float>(y_offset) + static_cast<float>(y));
    const std::pair<int, int> shown = rowInWindow(row_start, width);
    for (int x = shown.first; x < shown.second; x++) {
      // A hand-built frame may hold fewer characters than its size claims;
      // its missing cells are left undrawn.
      const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x);
      if (index >= frame_str.size()) {
        return 0;
      }
      const char ch = frame_str[index];
      if (transparent == 0 || ch != transparent) {
        drawCh(Vector(row_start.x + static_cast<float>(x), row_start.y), ch, color);
      }
    }
  }
  return 0;
}

int GraphicsManager::getHorizontal() const { return window_horizontal_chars; }
int GraphicsManager::getVertical() const { return window_vertical_chars; }
int GraphicsManager::getHorizontalPixels() const { return window_horizontal_pixels; }
int GraphicsManager::getVerticalPixels() const { return window_vertical_pixels; }

int GraphicsManager::swapBuffers() {
  if (flush() != 0) return -1;
  if (p_window == nullptr) {
    std::swap(shown_cells, drawing_cells);
    drawing_cells.clear(background_color);
    return 0;
  }
  p_kept_frame->endFrame(*p_window, !frame_in_window);
  p_presenter->present(*p_window, p_kept_frame->keptShownFrame());
  startFrame();
  return 0;
}

int GraphicsManager::flush() {
  if (p_window == nullptr) return canDraw() ? 0 : -1;
  drawPending();
  return 0;
}

void GraphicsManager::startFrame() {
  frame_clear_color = background_color;
  frame_in_window = false;
  if (p_window == nullptr) return;
  const sf::Vector2u size = p_window->getSize();
  p_coverage->reset(static_cast<int>(size.x), static_cast<int>(size.y));
}

void GraphicsManager::invalidateKeptFrame() { p_kept_frame->release(); }

sf::IntRect GraphicsManager::batchArea() const {
  return p_window->getViewport(p_window->getView());
}

void GraphicsManager::drawIntoWindowFromNowOn() const {
  if (frame_in_window || p_window == nullptr) return;
  drawPending();
  frame_in_window = true;
  // The window's pixels are now anybody's.
  p_coverage->touchAll();
}

void GraphicsManager::drawPending() const {
  if (p_window == nullptr) return;
  const sf::Texture& glyph_page = font.getTexture(glyphSize(scale()));
  if (!frame_in_window) {
    p_kept_frame->compose(*p_window, batch, glyph_page, frame_clear_color);
    batch.clear();
    return;
  }
  if (batch.getVertexCount() == 0) return;
  sf::RenderStates states;
  states.texture = &glyph_page;
  const sf::View view = p_window->getView();
  p_window->setView(clipView(view));
  p_window->draw(batch, states);
  p_window->setView(view);
  batch.clear();
}

void GraphicsManager::setBatching(bool on) { batching = on; }
bool GraphicsManager::getBatching() const { return batching; }

int GraphicsManager::getPendingVertexCount() const {
  return static_cast<int>(batch.getVertexCount());
}

sf::RenderWindow* GraphicsManager::getWindow() const {
  drawIntoWindowFromNowOn();
  drawPending();
  return p_window;
}

sf::RenderWindow* GraphicsManager::getWindowAsIs() const { return p_window; }

bool GraphicsManager::canDraw() const { return p_window != nullptr || (headless && isStarted()); }

void GraphicsManager::setHeadless(bool on) { headless = on; }
bool GraphicsManager::isHeadless() const { return headless; }
const CellFrame& GraphicsManager::getCellFrame() const { return shown_cells; }

void GraphicsManager::setBackgroundColor(sf::Color new_color) { background_color = new_color; }
sf::Color GraphicsManager::getBackgroundColor() const { return background_color; }
void GraphicsManager::setBackgroundTextColor(sf::Color new_color) {
  background_text_color = new_color;
}
sf::Color GraphicsManager::getBackgroundTextColor() const { return background_text_color; }

float charHeight() {
  const GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  return static_cast<float>(graphics_manager.getVerticalPixels()) /
         static_cast<float>(graphics_manager.getVertical());
}

float charWidth() {
  const GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  return static_cast<float>(graphics_manager.getHorizontalPixels()) /
         static_cast<float>(graphics_manager.getHorizontal());
}

Vector spacesToPixels(Vector spaces) {
  return Vector(spaces.x * charWidth(), spaces.y * charHeight());
}

Vector pixelsToSpaces(Vector pixels) {
  return Vector(pixels.x / charWidth(), pixels.y / charHeight());
}

}  // namespace ko
