#include "BoxCoverage.h"

#include <algorithm>
#include <cmath>

namespace ko {

namespace {

// Bits [from, to) of a word, with 0 <= from < to <= 64.
std::uint64_t bitRange(int from, int to) {
  const std::uint64_t upto = to == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << to) - 1;
  return upto & ~((std::uint64_t{1} << from) - 1);
}

int lowestBit(std::uint64_t word) { return __builtin_ctzll(word); }
int highestBit(std::uint64_t word) { return 63 - __builtin_clzll(word); }

}  // namespace

PixelRect pixelBounds(const sf::Vertex (&corners)[4], sf::IntRect area, int margin) {
  float min_x = corners[0].position.x, max_x = min_x;
  float min_y = corners[0].position.y, max_y = min_y;
  for (const sf::Vertex& v : corners) {
    min_x = std::min(min_x, v.position.x);
    max_x = std::max(max_x, v.position.x);
    min_y = std::min(min_y, v.position.y);
    max_y = std::max(max_y, v.position.y);
  }
  // Clip y points up, pixel rows down. Far-off quads are cut to a range
  // ints hold; nothing out there is drawn anyway.
  auto pixel = [](double clip, int start, int size, bool down) {
    const double p = start + (down ? 1 - clip : clip + 1) * 0.5 * size;
    return std::max(-1e6, std::min(p, 1e6));
  };
  return {static_cast<int>(std::floor(pixel(min_x, area.left, area.width, false))) - margin,
          static_cast<int>(std::floor(pixel(max_y, area.top, area.height, true))) - margin,
          static_cast<int>(std::ceil(pixel(max_x, area.left, area.width, false))) + margin,
          static_cast<int>(std::ceil(pixel(min_y, area.top, area.height, true))) + margin};
}

void BoxCoverage::reset(int new_width, int new_height) {
  width = std::max(new_width, 0);
  height = std::max(new_height, 0);
  words_per_row = (width + 63) / 64;
  all_touched = false;
  bits.assign(static_cast<std::size_t>(words_per_row) * static_cast<std::size_t>(height), 0);
}

void BoxCoverage::touchAll() { all_touched = true; }

PixelRect BoxCoverage::clamped(PixelRect rect) const {
  return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
          std::min(rect.bottom, height)};
}

void BoxCoverage::touch(PixelRect rect) {
  const PixelRect r = clamped(rect);
  if (all_touched || r.empty()) return;
  const int first_word = r.left / 64, last_word = (r.right - 1) / 64;
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint64_t* row =
        &bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(words_per_row)];
    for (int w = first_word; w <= last_word; ++w) {
      const int from = std::max(r.left - 64 * w, 0), to = std::min(r.right - 64 * w, 64);
      row[w] |= bitRange(from, to);
    }
  }
}

PixelRect BoxCoverage::touchedWithin(PixelRect rect) const {
  const PixelRect r = clamped(rect);
  if (r.empty()) return {0, 0, 0, 0};
  if (all_touched) return r;
  PixelRect found{width, height, -1, -1};
  const int first_word = r.left / 64, last_word = (r.right - 1) / 64;
  for (int y = r.top; y < r.bottom; ++y) {
    const std::uint64_t* row =
        &bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(words_per_row)];
    for (int w = first_word; w <= last_word; ++w) {
      const int from = std::max(r.left - 64 * w, 0), to = std::min(r.right - 64 * w, 64);
      const std::uint64_t hit = row[w] & bitRange(from, to);
      if (hit == 0) continue;
      found.top = std::min(found.top, y);
      found.bottom = y + 1;
      found.left = std::min(found.left, 64 * w + lowestBit(hit));
      found.right = std::max(found.right, 64 * w + highestBit(hit) + 1);
    }
  }
  if (found.bottom < 0) return {0, 0, 0, 0};
  return found;
}

}  // namespace ko
