// A screen as a grid of cells, each holding the character drawn there, its
// colour and the colour of its box: what the graphics manager keeps of a
// frame when it runs without a window. A plain value; copies are
// independent.
#pragma once

#include <SFML/Config.hpp>
#include <SFML/Graphics/Color.hpp>
#include <string>
#include <vector>

#include <korvane/Color.h>

namespace ko {

class CellFrame {
 public:
  struct Cell {
    // The character as a code point; 0 where nothing was drawn.
    sf::Uint32 ch;
    Color color;
    // The cell's box: the background text colour it was drawn with, or the
    // background colour where nothing was drawn.
    sf::Color box;
  };

  CellFrame();
  CellFrame(int new_width, int new_height, sf::Color background);

  int getWidth() const;
  int getHeight() const;

  // Empties every cell onto the background colour.
  void clear(sf::Color background);
  // Puts a character in a cell, over whatever was there; cells outside the
  // grid are ignored, as the window leaves them unseen.
  void set(int col, int row, sf::Uint32 ch, Color color, sf::Color box);
  // The cell, or an empty one outside the grid.
  Cell get(int col, int row) const;

  // The row as text: a space for each empty cell and each control
  // character, '?' for one beyond ASCII; empty outside the grid.
  std::string getRow(int row) const;
  std::vector<std::string> getRows() const;

 private:
  bool inside(int col, int row) const;

  int width;
  int height;
  sf::Color background_color;
  std::vector<Cell> cells;
};

}  // namespace ko
