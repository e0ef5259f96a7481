#include "FramePresenter.h"

#include <cstdlib>
#include <cstring>
#include <string>

// After the window library: X11 defines macros that clash with its names.
#include <GL/glx.h>

namespace ko {

namespace {

using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

bool hasExtension(const char* list, const char* name) {
  if (list == nullptr) return false;
  const std::size_t length = std::strlen(name);
  for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
    const bool starts = p == list || p[-1] == ' ';
    const bool ends = p[length] == ' ' || p[length] == 0;
    if (starts && ends) return true;
  }
  return false;
}

bool swapForced() {
  const char* value = std::getenv("KO_SWAP_BUFFERS");
  return value != nullptr && std::string(value) == "1";
}

}  // namespace

void FramePresenter::attach(sf::RenderWindow& window) {
  p_copy = nullptr;
  if (swapForced() || !window.setActive(true)) return;
  Display* p_display = glXGetCurrentDisplay();
  if (p_display == nullptr) return;
  const char* extensions = glXQueryExtensionsString(p_display, DefaultScreen(p_display));
  // With vertical sync on offer, a swap waits for the screen and a copy
  // would not: copying is only for where no swap waits anyway.
  for (const char* sync :
       {"GLX_EXT_swap_control", "GLX_MESA_swap_control", "GLX_SGI_swap_control"}) {
    if (hasExtension(extensions, sync)) return;
  }
  if (!hasExtension(extensions, "GLX_MESA_copy_sub_buffer")) return;
  p_copy = glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA"));
}

void FramePresenter::detach() { p_copy = nullptr; }

void FramePresenter::present(sf::RenderWindow& window, bool keep) {
  // A frame not worth keeping is swapped: on the software renderer a copy
  // of a frame drawn whole costs more than a swap.
  if (!keep || p_copy == nullptr || !window.setActive(true)) {
    window.display();
    return;
  }
  const sf::Vector2u size = window.getSize();
  // The whole window, so that whatever uncovered part of it shows the
  // frame too.
  reinterpret_cast<CopySubBuffer>(p_copy)(glXGetCurrentDisplay(), glXGetCurrentDrawable(), 0, 0,
                                          static_cast<int>(size.x), static_cast<int>(size.y));
}

bool FramePresenter::keepsShownFrame() const { return p_copy != nullptr; }

}  // namespace ko
