// Which pixels of the frame being drawn something has touched so far, at
// pixel-rectangle precision, for the graphics manager's batch: a box of the
// clear colour changes no pixel where nothing was drawn beneath it. Owned
// by the graphics manager, reset at the start of every frame.
#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <cstdint>
#include <vector>

namespace ko {

// A rectangle of whole pixels, [left, right) x [top, bottom).
struct PixelRect {
  int left, top, right, bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

// Every pixel a quad given in clip coordinates can colour, in the pixels
// of a target whose area (the viewport the clip coordinates span) is
// given, with margin pixels to spare on each side; not clamped to the area
// or the target. A pixel is coloured only when its centre lies inside the
// quad, so the whole pixels around it hold every one unless rounding in
// the pipeline moves an edge by half a pixel: the coverage of boxes needs
// no margin, and every pixel of margin there would make boxes draw more.
PixelRect pixelBounds(const sf::Vertex (&corners)[4], sf::IntRect area, int margin);

class BoxCoverage {
 public:
  // Forgets every mark, for a frame of the given size.
  void reset(int width, int height);
  // From now until the next reset, every pixel counts as touched: what is
  // beneath is no longer known.
  void touchAll();
  void touch(PixelRect rect);
  // The smallest rectangle holding every touched pixel of rect; empty when
  // none is touched.
  PixelRect touchedWithin(PixelRect rect) const;

 private:
  PixelRect clamped(PixelRect rect) const;

  int width = 0, height = 0, words_per_row = 0;
  bool all_touched = false;
  // One bit per pixel, rows of 64-pixel words.
  std::vector<std::uint64_t> bits;
};

}  // namespace ko
