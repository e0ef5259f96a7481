#include "GraphicsManager.h"

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
void placeBox(sf::RectangleShape* p_rectangle, Vector pixel_pos, sf::Color fill) {
  p_rectangle->setSize(sf::Vector2f(charWidth(), charHeight()));
  p_rectangle->setFillColor(fill);
  p_rectangle->setPosition(pixel_pos.x + charWidth() / 2 - 5,
                           pixel_pos.y + charHeight() / 2 - 12);
}

// Twice the smaller cell side, so the glyph fills the narrow cell.
unsigned int glyphSize() {
  const float smaller = charHeight() > charWidth() ? charWidth() : charHeight();
  return static_cast<unsigned int>(2 * smaller);
}

void drawGlyph(sf::RenderWindow* p_window, sf::Text* p_text, const sf::String& str,
               Vector pixel_pos, Color color) {
  p_text->setString(str);
  p_text->setStyle(sf::Text::Bold);
  p_text->setCharacterSize(glyphSize());
  p_text->setFillColor(toSfColor(color));
  p_text->setPosition(pixel_pos.x, pixel_pos.y);
  p_window->draw(*p_text, sf::RenderStates::Default);
}

}  // namespace

GraphicsManager::GraphicsManager()
    : p_window(nullptr),
      window_horizontal_pixels(0),
      window_vertical_pixels(0),
      window_horizontal_chars(0),
      window_vertical_chars(0),
      background_color(WINDOW_BACKGROUND_COLOR_DEFAULT),
      background_text_color(WINDOW_BACKGROUND_COLOR_DEFAULT) {
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
  if (!font.loadFromFile(FONT_FILE_DEFAULT)) {
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
  static sf::RectangleShape rectangle(sf::Vector2f(0, 0));
  static sf::Text text("", font, 30);
  const Vector view_pos = worldToView(world_pos);
  if (p_window == nullptr) {
    return -1;
  }
  const Vector pixel_pos = spacesToPixels(view_pos);
  placeBox(&rectangle, pixel_pos, background_text_color);
  p_window->draw(rectangle, sf::RenderStates::Default);
  drawGlyph(p_window, &text, sf::String(ch), pixel_pos, color);
  return 0;
}

int GraphicsManager::drawWCh(Vector world_pos, wchar_t ch, Color color) const {
  static sf::RectangleShape rectangle(sf::Vector2f(0, 0));
  static sf::Text text("", font, 30);
  const Vector view_pos = worldToView(world_pos);
  if (p_window == nullptr) {
    return -1;
  }
  const Vector pixel_pos = spacesToPixels(view_pos);
  placeBox(&rectangle, pixel_pos, background_text_color);
  p_window->draw(rectangle, sf::RenderStates::Default);
  drawGlyph(p_window, &text, sf::String(ch), pixel_pos, color);
  return 0;
}

int GraphicsManager::drawString(Vector world_pos, std::string str, Justification just,
                                Color color, char transparent) const {
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
      drawCh(Vector(start.x + static_cast<float>(i), start.y),
             str[static_cast<std::size_t>(i)], color);
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
      const std::size_t index =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
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
  if (p_window == nullptr) {
    return -1;
  }
  p_window->display();
  p_window->clear(background_color);
  return 0;
}

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
