#include "GraphicsManager.h"

#include "DisplayProbe.h"
#include "LogManager.h"
#include "utility.h"

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

// The box sits slightly right of and below the cell corner, where the
// bold glyph's ink actually falls.
sf::Vector2f boxCorner(Vector pixel_pos) {
  return sf::Vector2f(pixel_pos.x + charWidth() / 2 - 5, pixel_pos.y + charHeight() / 2 - 12);
}

// Twice the smaller cell side, so the glyph fills the narrow cell.
unsigned int glyphSize() {
  const float smaller = charHeight() > charWidth() ? charWidth() : charHeight();
  return static_cast<unsigned int>(2 * smaller);
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

// A view whose projection is the identity, for vertices already in clip
// coordinates.
const sf::View CLIP_VIEW(sf::Vector2f(0, 0), sf::Vector2f(2, -2));

void appendTriangles(sf::VertexArray& batch, const sf::Vertex (&corners)[4]) {
  // Top-left, top-right, bottom-left, bottom-right: two triangles.
  const int order[6] = {0, 1, 2, 2, 1, 3};
  for (int i : order) batch.append(corners[i]);
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
      batch(sf::Triangles) {
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
  if (p_window != nullptr) {
    return 0;
  }
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
  p_window = new sf::RenderWindow(
      sf::VideoMode(static_cast<unsigned int>(window_horizontal_pixels),
                    static_cast<unsigned int>(window_vertical_pixels), 32),
      sf::String(WINDOW_TITLE_DEFAULT), WINDOW_STYLE_DEFAULT, sf::ContextSettings());
  p_window->setMouseCursorVisible(false);
  p_window->setVerticalSyncEnabled(true);
  // A one-character text fetches these two glyphs before its own; fetching
  // them first here gives the glyph page the same layout either way.
  font.getGlyph(U'x', glyphSize(), true);
  font.getGlyph(U' ', glyphSize(), true);
  return Manager::startUp();
}

void GraphicsManager::shutDown() {
  if (p_window != nullptr) {
    p_window->close();
  }
  Manager::shutDown();
  delete p_window;
  p_window = nullptr;
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
  if (p_window == nullptr) return -1;
  const Vector pixel_pos = spacesToPixels(view_pos);
  if (batching) {
    batchCell(pixel_pos, ch, color);
  } else {
    drawCellAtOnce(pixel_pos, ch, color);
  }
  return 0;
}

void GraphicsManager::drawCellAtOnce(Vector pixel_pos, sf::Uint32 ch, Color color) const {
  static sf::RectangleShape rectangle(sf::Vector2f(0, 0));
  static sf::Text text("", font, 30);
  rectangle.setSize(sf::Vector2f(charWidth(), charHeight()));
  rectangle.setFillColor(background_text_color);
  rectangle.setPosition(boxCorner(pixel_pos));
  p_window->draw(rectangle, sf::RenderStates::Default);
  text.setString(sf::String(ch));
  text.setStyle(sf::Text::Bold);
  text.setCharacterSize(glyphSize());
  text.setFillColor(toSfColor(color));
  text.setPosition(pixel_pos.x, pixel_pos.y);
  p_window->draw(text, sf::RenderStates::Default);
}

// The same pixels as drawCellAtOnce: the box's corners, and the glyph's quad
// computed as a one-character bold text lays it out (baseline one character
// size below the top, one pixel of padding around the glyph), offset by the
// text's position only at the end, as its transform would.
void GraphicsManager::batchCell(Vector pixel_pos, sf::Uint32 ch, Color color) const {
  const float* projection = p_window->getView().getTransform().getMatrix();
  const sf::Vector2f box = boxCorner(pixel_pos);
  const float box_w = charWidth(), box_h = charHeight();
  const sf::Color fill = background_text_color;
  appendTriangles(batch, {sf::Vertex(toClip(projection, box, {0, 0}), fill, WHITE_TEXEL),
                          sf::Vertex(toClip(projection, box, {box_w, 0}), fill, WHITE_TEXEL),
                          sf::Vertex(toClip(projection, box, {0, box_h}), fill, WHITE_TEXEL),
                          sf::Vertex(toClip(projection, box, {box_w, box_h}), fill, WHITE_TEXEL)});
  if (isWhitespace(ch)) return;
  const unsigned int size = glyphSize();
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
  const sf::Color ink = toSfColor(color);
  const sf::Vector2f at(pixel_pos.x, pixel_pos.y);
  appendTriangles(batch, {sf::Vertex(toClip(projection, at, {left, top}), ink, {u1, v1}),
                          sf::Vertex(toClip(projection, at, {right, top}), ink, {u2, v1}),
                          sf::Vertex(toClip(projection, at, {left, bottom}), ink, {u1, v2}),
                          sf::Vertex(toClip(projection, at, {right, bottom}), ink, {u2, v2})});
}

int GraphicsManager::drawString(Vector world_pos, std::string str, Justification just, Color color,
                                char transparent) const {
  if (p_window == nullptr) {
    return -1;
  }
  const int length = static_cast<int>(str.size());
  Vector start = world_pos;
  if (just == CENTER_JUSTIFIED) {
    start.x = world_pos.x - static_cast<float>(length / 2);
  } else if (just == RIGHT_JUSTIFIED) {
    start.x = world_pos.x - static_cast<float>(length);
  }
  for (int i = 0; i < length; i++) {
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
  if (p_window == nullptr || frame_str.empty()) {
    return -1;
  }
  const int width = frame.getWidth();
  const int height = frame.getHeight();
  const int x_offset = centered ? width / 2 : 0;
  const int y_offset = centered ? height / 2 : 0;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      // A hand-built frame may hold fewer characters than its size claims;
      // its missing cells are left undrawn.
      const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                static_cast<std::size_t>(x);
      if (index >= frame_str.size()) {
        return 0;
      }
      const char ch = frame_str[index];
      if (transparent == 0 || ch != transparent) {
        drawCh(Vector(world_pos.x - static_cast<float>(x_offset) + static_cast<float>(x),
                      world_pos.y - static_cast<float>(y_offset) + static_cast<float>(y)),
               ch, color);
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
  p_window->display();
  p_window->clear(background_color);
  return 0;
}

int GraphicsManager::flush() {
  if (p_window == nullptr) return -1;
  if (batch.getVertexCount() == 0) return 0;
  sf::RenderStates states;
  states.texture = &font.getTexture(glyphSize());
  const sf::View view = p_window->getView();
  p_window->setView(CLIP_VIEW);
  p_window->draw(batch, states);
  p_window->setView(view);
  batch.clear();
  return 0;
}

void GraphicsManager::setBatching(bool on) { batching = on; }
bool GraphicsManager::getBatching() const { return batching; }

sf::RenderWindow* GraphicsManager::getWindow() const { return p_window; }

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
