#include <korvane/CellFrame.h>

namespace ko {

CellFrame::CellFrame() : width(0), height(0), background_color(sf::Color::Black) {}

CellFrame::CellFrame(int new_width, int new_height, sf::Color background)
    : width(new_width < 0 ? 0 : new_width), height(new_height < 0 ? 0 : new_height) {
  clear(background);
}

int CellFrame::getWidth() const { return width; }
int CellFrame::getHeight() const { return height; }

void CellFrame::clear(sf::Color background) {
  background_color = background;
  cells.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
               Cell{0, UNDEFINED_COLOR, background});
}

bool CellFrame::inside(int col, int row) const {
  return col >= 0 && col < width && row >= 0 && row < height;
}

void CellFrame::set(int col, int row, sf::Uint32 ch, Color color, sf::Color box) {
  if (!inside(col, row)) return;
  cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
        static_cast<std::size_t>(col)] = Cell{ch, color, box};
}

CellFrame::Cell CellFrame::get(int col, int row) const {
  if (!inside(col, row)) return Cell{0, UNDEFINED_COLOR, background_color};
  return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(col)];
}

std::string CellFrame::getRow(int row) const {
  if (row < 0 || row >= height) return "";
  std::string text;
  for (int col = 0; col < width; col++) {
    const sf::Uint32 ch = get(col, row).ch;
    // Nothing drawn, or whitespace, which draws no glyph.
    if (ch <= U' ') {
      text += ' ';
    } else if (ch < 128) {
      text += static_cast<char>(ch);
    } else {
      text += '?';
    }
  }
  return text;
}

std::vector<std::string> CellFrame::getRows() const {
  std::vector<std::string> rows;
  for (int row = 0; row < height; row++) rows.push_back(getRow(row));
  return rows;
}

}  // namespace ko
