// Owns the game window and draws everything as coloured characters on a
// grid of cells, each on a box of the background text colour.
#pragma once

#include <SFML/Graphics.hpp>
#include <memory>
#include <string>
#include <utility>

#include <korvane/CellFrame.h>
#include <korvane/Color.h>
#include <korvane/Frame.h>
#include <korvane/Letterbox.h>
#include <korvane/Manager.h>
#include <korvane/Vector.h>

namespace ko {

class BoxCoverage;
class FramePresenter;
class KeptFrame;

enum Justification : int {
  LEFT_JUSTIFIED,
  CENTER_JUSTIFIED,
  RIGHT_JUSTIFIED,
};

const int WINDOW_HORIZONTAL_PIXELS_DEFAULT = 1024;
const int WINDOW_VERTICAL_PIXELS_DEFAULT = 768;
const int WINDOW_HORIZONTAL_CHARS_DEFAULT = 80;
const int WINDOW_VERTICAL_CHARS_DEFAULT = 24;
const int WINDOW_STYLE_DEFAULT = sf::Style::Titlebar | sf::Style::Close;
const sf::Color WINDOW_BACKGROUND_COLOR_DEFAULT = sf::Color::Black;
const std::string WINDOW_TITLE_DEFAULT = "Korvane";
const std::string FONT_FILE_DEFAULT = "ko-font.ttf";
const std::string GRAPHICS_MANAGER = "ko::graphics_manager";
// The most vertices one draw call of the batch holds: a cell takes at most
// twelve, so a full 80 x 24 screen (23040) is one call, while a frame of
// any size stays far below what a driver's buffer offsets can address.
const int BATCH_VERTICES_MAX = 12 * 4096;

class GraphicsManager : public Manager {
 public:
  static GraphicsManager& getInstance();
  GraphicsManager(const GraphicsManager&) = delete;
  void operator=(const GraphicsManager&) = delete;
  ~GraphicsManager() override;

  // Loads the font and opens the window; -1, with a log line, if the font
  // cannot be loaded or no display answers.
  int startUp() override;
  void shutDown() override;

  // Each drawing call returns 0, or -1 when there is no window (and the
  // manager is not started headless).
  int drawCh(Vector world_pos, char ch, Color color) const;
  int drawWCh(Vector world_pos, wchar_t ch, Color color) const;
  // Characters equal to transparent are skipped (0 draws them all).
  int drawString(Vector world_pos, std::string str, Justification just, Color color,
                 char transparent = 0) const;
  // Also -1 for a frame with an empty string.
  int drawFrame(Vector world_pos, Frame frame, bool centered, Color color,
                char transparent = 0) const;

  int getHorizontal() const;
  int getVertical() const;
  int getHorizontalPixels() const;
  int getVerticalPixels() const;

  // Shows the frame drawn so far, then clears to the background colour;
  // -1 when there is no window.
  int swapBuffers();
  // Draws into the window what was drawn since the last flush, without
  // showing it, so that the frame can be read back; -1 with no window.
  int flush();

  // Characters are collected into one vertex array per frame and drawn in
  // one call (on by default). Off, each character is drawn at once as a box
  // and a one-character text, two draw calls: the reference the batch is
  // checked against, pixel for pixel. Either way a character whose box and
  // glyph both lie wholly outside the window is left out, since it would
  // draw nothing.
  void setBatching(bool on);
  bool getBatching() const;
  // Vertices collected and not yet drawn into the window; never more than
  // BATCH_VERTICES_MAX (a bigger frame is drawn in parts, in order).
  int getPendingVertexCount() const;

  // The window, or null. Characters collected so far are drawn into it
  // first, so that SFML drawing through it layers in call order and reading
  // it back sees every character drawn before. Ask again for each use: a
  // pointer kept from earlier does not do this.
  sf::RenderWindow* getWindow() const;

  // Headless, set before startUp: no window and no display or font are
  // needed, and each frame is kept as cells instead, placed as the window
  // would place them (a character between cells lands in the nearest).
  // Drawing returns 0 as with a window. For tests; off by default.
  void setHeadless(bool on);
  bool isHeadless() const;
  // Headless: the frame shown by the last swapBuffers. Empty otherwise.
  const CellFrame& getCellFrame() const;

  // Fullscreen at the desktop's resolution, or the designed window: the
  // window is opened anew, the same object at the same address. Before
  // startUp it only chooses how the window opens. The grid keeps its
  // designed size in pixels for everything the world sees (charWidth,
  // spacesToPixels, getHorizontalPixels); on screen it is scaled to the
  // largest size that fits, centred, with bars in the background colour,
  // and characters are rasterised at that size. Characters of a frame not
  // yet shown are dropped. Returns 0, or -1 (with a log line) if the new
  // window does not open.
  int setFullscreen(bool on);
  bool isFullscreen() const;
  // Where the grid lies in the window: the whole of the designed window,
  // the centred scaled grid in fullscreen. The window's view is this
  // letterbox's view, so SFML drawing through getWindow() stays in grid
  // pixels (spacesToPixels) and lands scaled on the grid in either mode.
  Letterbox getLetterbox() const;

  void setBackgroundColor(sf::Color new_color);
  sf::Color getBackgroundColor() const;
  void setBackgroundTextColor(sf::Color new_color);
  sf::Color getBackgroundTextColor() const;

 private:
  // Engine parts that only poll, read the mouse or ask whether the window
  // is open use it as it is, without splitting the frame's batch.
  friend class GameManager;
  friend class InputManager;
  friend class Pause;
  sf::RenderWindow* getWindowAsIs() const;
  // A window, or headless and started.
  bool canDraw() const;

  // Kept across the window being opened anew, which resets it.
  void setKeyRepeat(bool on);

  GraphicsManager();
  int startHeadless();
  // (Re)creates p_window in the current mode with the window settings.
  void openWindow();
  // Window pixels per grid pixel: 1 in the designed window.
  float scale() const;
  // The window's view for coordinates multiplied by scale(): characters
  // are laid out at the displayed size, where the glyphs are rasterised.
  sf::View cellView() const;
  int drawCell(Vector world_pos, sf::Uint32 ch, Color color) const;
  void drawCellAtOnce(Vector pixel_pos, sf::Uint32 ch, Color color) const;
  void drawPending() const;
  // Draws the collected box, cut to where earlier drawing of the frame lies
  // beneath it when it has the clear colour; left out if nothing does.
  void appendBox(const sf::Vertex (&box)[4]) const;
  // From here to the swap the window holds what was drawn so far, and may
  // get drawing the engine does not know of.
  void drawIntoWindowFromNowOn() const;
  void startFrame();
  // Anything that leaves the kept last frame unknown (a window made anew,
  // a new size) calls this: the kept frame is dropped and the next frame
  // is drawn whole.
  void invalidateKeptFrame();
  // The window pixels the batch's clip coordinates span: the letterboxed
  // grid's area, the whole designed window.
  sf::IntRect batchArea() const;
  // Indices [first, last) of a row of count cells, one cell apart from
  // world_pos rightwards, that may reach into the window.
  std::pair<int, int> rowInWindow(Vector world_pos, int count) const;

  sf::Font font;
  sf::RenderWindow* p_window;
  int window_horizontal_pixels;
  int window_vertical_pixels;
  int window_horizontal_chars;
  int window_vertical_chars;
  sf::Color background_color;
  sf::Color background_text_color;
  bool batching;
  bool fullscreen;
  bool key_repeat;
  Letterbox letterbox;
  // The frame's boxes and glyphs in drawing order, textured with the font's
  // glyph page, not yet drawn.
  mutable sf::VertexArray batch;
  bool headless;
  // Headless: the frame being drawn, and the last one shown.
  mutable CellFrame drawing_cells;
  CellFrame shown_cells;
  // Frames start from a copy of the last one and redraw what changed;
  // drawing through the window makes the next one start afresh.
  std::unique_ptr<KeptFrame> p_kept_frame;
  std::unique_ptr<FramePresenter> p_presenter;
  std::unique_ptr<BoxCoverage> p_coverage;
  // The colour this frame started from, whatever is set meanwhile.
  sf::Color frame_clear_color;
  mutable bool frame_in_window;
};

// Cell size in pixels and conversions; valid once the graphics manager has
// started.
float charHeight();
float charWidth();
Vector spacesToPixels(Vector spaces);
Vector pixelsToSpaces(Vector pixels);

}  // namespace ko
