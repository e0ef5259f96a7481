#include <korvane/Letterbox.h>

#include <algorithm>
#include <cmath>

namespace ko {

Letterbox::Letterbox() : Letterbox(1, 1, 1, 1) {}

Letterbox::Letterbox(int new_window_w, int new_window_h, int new_grid_w, int new_grid_h)
    : window_w(std::max(1, new_window_w)),
      window_h(std::max(1, new_window_h)),
      grid_w(std::max(1, new_grid_w)),
      grid_h(std::max(1, new_grid_h)) {
  scale = std::min(static_cast<float>(window_w) / static_cast<float>(grid_w),
                   static_cast<float>(window_h) / static_cast<float>(grid_h));
  // Whole pixels, so that the bars split evenly and the grid's edges
  // fall on pixel boundaries; never wider than the window for rounding.
  const int w = std::min(window_w, static_cast<int>(std::lround(grid_w * scale)));
  const int h = std::min(window_h, static_cast<int>(std::lround(grid_h * scale)));
  area = sf::IntRect((window_w - w) / 2, (window_h - h) / 2, w, h);
}

float Letterbox::getScale() const { return scale; }

sf::IntRect Letterbox::getArea() const { return area; }

sf::View Letterbox::getView() const {
  sf::View view(sf::FloatRect(0, 0, static_cast<float>(grid_w), static_cast<float>(grid_h)));
  const float w = static_cast<float>(window_w), h = static_cast<float>(window_h);
  view.setViewport(
      sf::FloatRect(static_cast<float>(area.left) / w, static_cast<float>(area.top) / h,
                    static_cast<float>(area.width) / w, static_cast<float>(area.height) / h));
  return view;
}

Vector Letterbox::toWindow(Vector grid_pixels) const {
  return Vector(static_cast<float>(area.left) + grid_pixels.x * scale,
                static_cast<float>(area.top) + grid_pixels.y * scale);
}

Vector Letterbox::toGrid(Vector window_pixels) const {
  return Vector((window_pixels.x - static_cast<float>(area.left)) / scale,
                (window_pixels.y - static_cast<float>(area.top)) / scale);
}

}  // namespace ko
