#include "KeptFrame.h"

#include <SFML/OpenGL.hpp>
#include <algorithm>
#include <cstring>

#include "BoxCoverage.h"

namespace ko {

namespace {

const std::uint64_t EMPTY_TILE = 0x6a09e667f3bcc908ULL;

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 30;
  h *= 0xbf58476d1ce4e5b9ULL;
  h ^= h >> 27;
  h *= 0x94d049bb133111ebULL;
  return h ^ (h >> 31);
}

// Corners top-left, top-right, bottom-left, bottom-right of quad i of a
// triangle list laid out as 0 1 2, 2 1 3.
void corners(const sf::VertexArray& quads, std::size_t i, sf::Vertex (&out)[4]) {
  out[0] = quads[6 * i];
  out[1] = quads[6 * i + 1];
  out[2] = quads[6 * i + 2];
  out[3] = quads[6 * i + 5];
}

// Equal quads draw equal pixels; the bytes of their corners say it all.
std::uint64_t quadHash(const sf::Vertex (&quad)[4]) {
  static_assert(sizeof(sf::Vertex) == 20, "vertices hashed as five words");
  std::uint32_t words[20];
  std::memcpy(words, quad, sizeof words);
  std::uint64_t h = 0;
  for (std::uint32_t w : words) h = mix(h ^ w);
  return h;
}

sf::Vector2f toClip(int x, int y, sf::Vector2u size) {
  return sf::Vector2f(2.f * static_cast<float>(x) / static_cast<float>(size.x) - 1,
                      1 - 2.f * static_cast<float>(y) / static_cast<float>(size.y));
}

// Tiles [first, last] of the window a quad may colour, or false if none;
// its clip coordinates span the area.
bool tileSpan(const sf::Vertex (&quad)[4], sf::Vector2u size, sf::IntRect area, int& x0, int& y0,
              int& x1, int& y1) {
  const int w = static_cast<int>(size.x), h = static_cast<int>(size.y);
  // A pixel to spare against rounding: a tile too many costs little.
  const PixelRect r = pixelBounds(quad, area, 1);
  const PixelRect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, w),
                    std::min(r.bottom, h)};
  if (c.empty()) return false;
  x0 = c.left / KeptFrame::TILE;
  y0 = c.top / KeptFrame::TILE;
  x1 = (c.right - 1) / KeptFrame::TILE;
  y1 = (c.bottom - 1) / KeptFrame::TILE;
  return true;
}

}  // namespace

void KeptFrame::invalidate() { valid = false; }

void KeptFrame::release() {
  p_image.reset();
  p_vertex_buffer.reset();
  columns = rows = 0;
  valid = false;
  image_kept = false;
  started = false;
  has_stencil_checked = false;
  stencil_mark = 0;
}

void KeptFrame::keepInBackBuffer(bool on) {
  if (on != in_back_buffer) release();
  in_back_buffer = on;
}

bool KeptFrame::prepare(sf::Vector2u size, sf::IntRect area, sf::Color clear) {
  const int new_columns = (static_cast<int>(size.x) + TILE - 1) / TILE;
  const int new_rows = (static_cast<int>(size.y) + TILE - 1) / TILE;
  if (new_columns != columns || new_rows != rows) {
    valid = false;
    image_kept = false;
    columns = new_columns;
    rows = new_rows;
    const std::size_t tiles = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    kept.assign(tiles, EMPTY_TILE);
    current.assign(tiles, EMPTY_TILE);
    changed.assign(tiles, 0);
  }
  if (!in_back_buffer && (p_image == nullptr || p_image->getSize() != size)) {
    valid = false;
    image_kept = false;
    p_image = std::make_unique<sf::Texture>();
    if (!p_image->create(size.x, size.y)) {
      p_image.reset();
      return false;
    }
  }
  if (clear != kept_clear || area != kept_area) valid = false;
  return true;
}

bool KeptFrame::keptShownFrame() const { return in_back_buffer && image_kept; }

bool KeptFrame::keeps() const { return in_back_buffer || p_image != nullptr; }

void KeptFrame::fingerprint(const sf::VertexArray& quads, sf::Vector2u size, sf::IntRect area) {
  sf::Vertex quad[4];
  for (std::size_t i = 0; i < quads.getVertexCount() / 6; ++i) {
    corners(quads, i, quad);
    int x0, y0, x1, y1;
    if (!tileSpan(quad, size, area, x0, y0, x1, y1)) continue;
    const std::uint64_t q = quadHash(quad);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        std::uint64_t& tile = current[static_cast<std::size_t>(y * columns + x)];
        tile = mix(tile ^ q);
      }
    }
  }
}

void KeptFrame::drawTriangles(sf::RenderWindow& window, const sf::VertexArray& triangles,
                              const sf::RenderStates& states) {
  const std::size_t count = triangles.getVertexCount();
  if (count == 0) return;
  if (!sf::VertexBuffer::isAvailable()) {
    window.draw(triangles, states);
    return;
  }
  // Uploaded into one buffer that only ever grows: drawn from the
  // program's memory, the driver would allocate and free a staging copy
  // of every frame.
  if (p_vertex_buffer == nullptr) {
    p_vertex_buffer = std::make_unique<sf::VertexBuffer>(sf::Triangles, sf::VertexBuffer::Stream);
  }
  sf::VertexBuffer& buffer = *p_vertex_buffer;
  if (count > buffer.getVertexCount() &&
      !buffer.create(std::max<std::size_t>(count, 2 * buffer.getVertexCount()))) {
    window.draw(triangles, states);
    return;
  }
  if (!buffer.update(&triangles[0], count, 0)) {
    window.draw(triangles, states);
    return;
  }
  window.draw(buffer, 0, count, states);
}

void KeptFrame::compose(sf::RenderWindow& window, const sf::VertexArray& quads,
                        const sf::Texture& glyph_page, sf::Color clear) {
  sf::RenderStates states;
  states.texture = &glyph_page;
  const sf::View view = window.getView();
  const sf::IntRect area = window.getViewport(view);
  window.setView(clipView(view));
  if (started) {
    if (quads.getVertexCount() > 0) {
      if (keeps()) fingerprint(quads, window.getSize(), area);
      drawTriangles(window, quads, states);
      // Drawn on top, anywhere: all of it is kept again.
      redrawn_whole = true;
    }
  } else {
    started = true;
    keep_image = true;
    frame_clear = clear;
    frame_area = area;
    if (!prepare(window.getSize(), area, clear)) {
      // Nothing to keep frames in: every frame is drawn whole.
      window.clear(clear);
      drawTriangles(window, quads, states);
    } else {
      std::fill(current.begin(), current.end(), EMPTY_TILE);
      fingerprint(quads, window.getSize(), area);
      if (valid) {
        drawChanged(window, quads, states, area, clear);
      } else {
        window.clear(clear);
        drawTriangles(window, quads, states);
        redrawn_whole = true;
      }
    }
  }
  window.setView(view);
}

void KeptFrame::drawChanged(sf::RenderWindow& window, const sf::VertexArray& quads,
                            const sf::RenderStates& states, sf::IntRect area, sf::Color clear) {
  const sf::Vector2u size = window.getSize();
  const sf::View quads_view = window.getView();
  std::size_t count = 0;
  redrawn_whole = false;
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const std::size_t t = static_cast<std::size_t>(y * columns + x);
      changed[t] = kept[t] != current[t];
      if (!changed[t]) continue;
      ++count;
    }
  }
  // Past about half the image, drawing it all costs less than copying and
  // marking; nor is such a frame worth keeping, since the next one most
  // likely changes as much.
  const bool mostly_changed = 2 * count > kept.size();
  if (!has_stencil || mostly_changed || !image_kept) {
    keep_image = !mostly_changed;
    window.clear(clear);
    drawTriangles(window, quads, states);
    redrawn_whole = true;
    return;
  }
  if (!in_back_buffer) {
    // The kept frame, pixel for pixel.
    window.setView(
        sf::View(sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y))));
    window.draw(sf::Sprite(*p_image), sf::RenderStates(sf::BlendNone));
  }
  if (count == 0) return;
  marks.clear();
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      if (!changed[static_cast<std::size_t>(y * columns + x)]) continue;
      const int right = std::min((x + 1) * TILE, static_cast<int>(size.x));
      const int bottom = std::min((y + 1) * TILE, static_cast<int>(size.y));
      const sf::Vector2f tl = toClip(x * TILE, y * TILE, size), br = toClip(right, bottom, size);
      const sf::Vertex quad[4] = {
          {tl, clear}, {{br.x, tl.y}, clear}, {{tl.x, br.y}, clear}, {br, clear}};
      for (int i : {0, 1, 2, 2, 1, 3}) marks.append(quad[i]);
    }
  }
  redraw.clear();
  sf::Vertex quad[4];
  for (std::size_t i = 0; i < quads.getVertexCount() / 6; ++i) {
    corners(quads, i, quad);
    int x0, y0, x1, y1;
    if (!tileSpan(quad, size, area, x0, y0, x1, y1)) continue;
    bool touches = false;
    for (int y = y0; y <= y1 && !touches; ++y) {
      for (int x = x0; x <= x1 && !touches; ++x) {
        touches = changed[static_cast<std::size_t>(y * columns + x)] != 0;
      }
    }
    if (!touches) continue;
    for (std::size_t k = 0; k < 6; ++k) redraw.append(quads[6 * i + k]);
  }
  // The marks clear the changed tiles and set their stencil; the quads
  // over them are then drawn there only.
  if (!window.setActive(true)) return;
  // Each frame marks with a value of its own, so that earlier frames'
  // marks need no clearing: clearing the whole stencil costs as much as
  // a small redraw. It is cleared only when the values run out.
  if (stencil_mark == 0xFF) stencil_mark = 0;
  if (stencil_mark == 0) glClear(GL_STENCIL_BUFFER_BIT);
  ++stencil_mark;
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_ALWAYS, stencil_mark, 0xFF);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
  // The tiles are in window pixels, the quads in the viewport's.
  window.setView(CLIP_VIEW);
  window.draw(marks, sf::RenderStates(sf::BlendNone));
  glStencilFunc(GL_EQUAL, stencil_mark, 0xFF);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  window.setView(quads_view);
  drawTriangles(window, redraw, states);
  glDisable(GL_STENCIL_TEST);
}

void KeptFrame::keepPixels(sf::RenderWindow& window) {
  if (redrawn_whole || !image_kept) {
    // The texture also learns here that its rows run bottom-up, as the
    // window's.
    p_image->update(window);
    return;
  }
  if (!window.setActive(true)) return;
  const int width = static_cast<int>(window.getSize().x);
  const int height = static_cast<int>(window.getSize().y);
  // Bound by hand and put back, so that the window's idea of what is bound
  // stays true.
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, p_image->getNativeHandle());
  // Row by row of tiles, the span from the first changed tile to the last.
  for (int y = 0; y < rows; ++y) {
    int first = columns, last = -1;
    for (int x = 0; x < columns; ++x) {
      if (!changed[static_cast<std::size_t>(y * columns + x)]) continue;
      first = std::min(first, x);
      last = x;
    }
    if (last < 0) continue;
    const int left = first * TILE, right = std::min((last + 1) * TILE, width);
    const int top = y * TILE, bottom = std::min((y + 1) * TILE, height);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, left, height - bottom, left, height - bottom,
                        right - left, bottom - top);
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void KeptFrame::endFrame(sf::RenderWindow& window, bool composed_only) {
  if (!started) return;
  started = false;
  if (!keeps() || !composed_only) {
    valid = false;
    image_kept = false;
    // Whatever was drawn through the window may have used the stencil.
    stencil_mark = 0;
    return;
  }
  if (!has_stencil_checked) {
    GLint stencil_bits = 0;
    if (window.setActive(true)) glGetIntegerv(GL_STENCIL_BITS, &stencil_bits);
    has_stencil = stencil_bits > 0;
    has_stencil_checked = true;
  }
  if (keep_image && !in_back_buffer) keepPixels(window);
  image_kept = keep_image;
  kept.swap(current);
  kept_clear = frame_clear;
  kept_area = frame_area;
  valid = true;
}

}  // namespace ko
