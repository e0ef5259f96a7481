#include "DisplayProbe.h"

#include <cstdlib>

// Last: Xlib defines macros (None, Bool, ...) that clash with C++ names.
#include <X11/Xlib.h>

namespace ko {

std::string displayProblem() {
  const char* p_name = std::getenv("DISPLAY");
  if (p_name == nullptr || *p_name == '\0') {
    return "unable to open a window: no display, DISPLAY is not set";
  }
  Display* p_display = XOpenDisplay(p_name);
  if (p_display == nullptr) {
    return std::string("unable to open a window: no display answers at ") + p_name;
  }
  XCloseDisplay(p_display);
  return "";
}

}  // namespace ko
