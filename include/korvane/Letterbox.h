// Where the character grid sits in a window of any size: scaled to the
// largest size that keeps its shape, centred, with bars left over. The
// graphics manager owns the one in use; games may copy it to place their
// own drawing or to map window pixels back to the grid.
#pragma once

#include <SFML/Graphics.hpp>

#include <korvane/Vector.h>

namespace ko {

class Letterbox {
 public:
  // The grid filling a window of its own size exactly.
  Letterbox();
  // The grid of grid_w x grid_h pixels fitted into a window of
  // window_w x window_h pixels; sizes below one pixel count as one.
  Letterbox(int window_w, int window_h, int grid_w, int grid_h);

  // Window pixels per grid pixel.
  float getScale() const;
  // The grid's rectangle in window pixels; the rest of the window is bars.
  sf::IntRect getArea() const;
  // A view that shows the grid's pixels on its area: drawing in grid
  // pixels lands scaled where the grid is, and nothing reaches the bars.
  sf::View getView() const;

  // Grid pixels to window pixels and back.
  Vector toWindow(Vector grid_pixels) const;
  Vector toGrid(Vector window_pixels) const;

 private:
  int window_w, window_h;
  int grid_w, grid_h;
  float scale;
  sf::IntRect area;
};

}  // namespace ko
