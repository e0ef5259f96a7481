// The engine's eight colours. The values are stored in sprite files and
// game data, so they never change.
#pragma once

namespace ko {

enum Color {
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
