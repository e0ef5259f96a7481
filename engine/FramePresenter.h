// Shows the frames drawn in a window's back buffer. Where the OpenGL of the
// window can copy the back buffer to the screen and has no vertical sync to
// wait for, it copies instead of swapping: the copy leaves the back buffer
// holding the frame just shown, so the next frame can be drawn over it.
// Elsewhere it swaps, which leaves the back buffer undefined.
// Owned by the graphics manager.
#pragma once

#include <SFML/Graphics.hpp>

namespace ko {

class FramePresenter {
 public:
  // Looks at what the window's OpenGL offers; called whenever the window is
  // made anew. KO_SWAP_BUFFERS=1 in the environment makes it swap anyway.
  void attach(sf::RenderWindow& window);
  void detach();
  // Shows what the window's back buffer holds, as sf::Window::display()
  // would; by a copy that keeps it there if asked and possible.
  void present(sf::RenderWindow& window, bool keep);
  // Whether present() can keep the frame shown in the back buffer.
  bool keepsShownFrame() const;

 private:
  // glXCopySubBufferMESA, or null where frames are swapped.
  using CopyFunction = void (*)();
  CopyFunction p_copy = nullptr;
};

}  // namespace ko
