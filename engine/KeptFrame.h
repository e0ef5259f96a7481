// The last frame the graphics manager drew, with a fingerprint of what was
// drawn over each tile of it. It is kept in the window's back buffer where
// showing a frame leaves it there, and otherwise as a texture beside the
// window, which a new frame starts as a copy of. Only the tiles whose
// drawing differs are then redrawn, in the window itself, so that every
// pixel is drawn where the reference draws it.
// Owned by the graphics manager.
#pragma once

#include <SFML/Graphics.hpp>
#include <cstdint>
#include <memory>
#include <vector>

namespace ko {

// A view whose projection is the identity, for vertices already in clip
// coordinates.
inline const sf::View CLIP_VIEW(sf::Vector2f(0, 0), sf::Vector2f(2, -2));

// The clip-coordinate view over the same part of the window as the view it
// stands in for.
inline sf::View clipView(const sf::View& view) {
  sf::View clip = CLIP_VIEW;
  clip.setViewport(view.getViewport());
  return clip;
}

class KeptFrame {
 public:
  // Edge of the square tiles the image is compared in, in pixels.
  static const int TILE = 32;

  // The next frame is drawn whole: the kept image no longer shows what its
  // fingerprints say.
  void invalidate();
  // Drops the image with the window it belongs to.
  void release();
  // Whether the window's back buffer still holds each frame once it is
  // shown, so that no copy of it needs keeping.
  void keepInBackBuffer(bool on);

  // Draws quads (six vertices each, in clip coordinates of the window's
  // view's viewport, glyphs textured from glyph_page) into the window,
  // which then holds the frame drawn so far over the clear colour. The
  // first call of a frame copies the kept frame in and redraws only the
  // tiles whose drawing differs; later ones draw on top.
  void compose(sf::RenderWindow& window, const sf::VertexArray& quads,
               const sf::Texture& glyph_page, sf::Color clear);
  // Before the window is shown: keeps what it holds as the last frame, if
  // it holds only what was composed; otherwise the next frame is drawn
  // whole.
  void endFrame(sf::RenderWindow& window, bool composed_only);
  // After endFrame(): whether the frame is to stay in the back buffer when
  // shown.
  bool keptShownFrame() const;

 private:
  bool prepare(sf::Vector2u size, sf::IntRect area, sf::Color clear);
  // Whether there is anywhere to keep a frame in.
  bool keeps() const;
  void fingerprint(const sf::VertexArray& quads, sf::Vector2u size, sf::IntRect area);
  void drawChanged(sf::RenderWindow& window, const sf::VertexArray& quads,
                   const sf::RenderStates& states, sf::IntRect area, sf::Color clear);
  void drawTriangles(sf::RenderWindow& window, const sf::VertexArray& triangles,
                     const sf::RenderStates& states);
  // Copies what this frame redrew from the window into the image.
  void keepPixels(sf::RenderWindow& window);

  std::unique_ptr<sf::Texture> p_image;
  // Whether the fingerprints describe the last frame, and whether the
  // image holds its pixels too.
  bool valid = false, image_kept = false;
  // Whether this frame is worth copying into the image.
  bool keep_image = true;
  bool in_back_buffer = false;
  bool has_stencil = false, has_stencil_checked = false;
  // The stencil value the last frame marked its changed tiles with; 0: the
  // stencil holds anything, and is cleared before the next marks.
  int stencil_mark = 0;
  // Whether this frame has been composed into the window yet.
  bool started = false;
  sf::Color kept_clear, frame_clear;
  // The window pixels the quads' clip coordinates spanned: the same
  // quads land elsewhere in another.
  sf::IntRect kept_area, frame_area;
  int columns = 0, rows = 0;
  // Per tile: the kept frame's fingerprint and this frame's so far.
  std::vector<std::uint64_t> kept, current;
  std::vector<char> changed;
  // Whether this frame redrew the whole window, or only the changed tiles.
  bool redrawn_whole = false;
  // Scratch arrays, kept to spare allocations.
  sf::VertexArray marks{sf::Triangles}, redraw{sf::Triangles};
  // Made with the first drawing: a buffer needs a display to exist.
  std::unique_ptr<sf::VertexBuffer> p_vertex_buffer;
};

}  // namespace ko
