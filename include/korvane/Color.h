// The engine's eight colours. The values are stored in sprite files and
// game data, so they never change.
#pragma once

namespace ko {

// Of a fixed type, so that any int a caller passes is a value the drawing
// functions can map (out of range draws white) rather than undefined.
enum Color : int {
  UNDEFINED_COLOR = -1,
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
};

const Color COLOR_DEFAULT = WHITE;

}  // namespace ko
