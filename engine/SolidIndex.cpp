#include "SolidIndex.h"

#include <algorithm>
#include <cmath>

#include <korvane/Object.h>
#include <korvane/utility.h>

namespace ko {

namespace {

// Cells of the grid, in world cells: a few typical objects wide.
const float GRID_CELL = 8;
// Boxes spanning more grid cells than this per axis are not filed.
const int MAX_SPAN = 32;

template <typename Slots>
void eraseOne(Slots& slots, Object* p_o) {
  const auto found =
      std::find_if(slots.begin(), slots.end(), [p_o](const auto& slot) { return slot.p_o == p_o; });
  if (found != slots.end()) slots.erase(found);
}

}  // namespace

SolidIndex::SolidIndex() : next_order(0) {}

// Both ends are floored, so boxes that only touch share a grid cell, as the
// closed-range intersection test requires.
bool SolidIndex::cellRangeOf(const Box& box, CellRange& range) {
  const Vector corner = box.getCorner();
  const float x0 = corner.x, y0 = corner.y;
  const float x1 = corner.x + box.getHorizontal(), y1 = corner.y + box.getVertical();
  range.oversized = true;
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
    return false;
  }
  if (x1 < x0 || y1 < y0) return false;
  const float cx0 = std::floor(x0 / GRID_CELL), cx1 = std::floor(x1 / GRID_CELL);
  const float cy0 = std::floor(y0 / GRID_CELL), cy1 = std::floor(y1 / GRID_CELL);
  if (cx1 - cx0 >= MAX_SPAN || cy1 - cy0 >= MAX_SPAN) return false;
  if (std::fabs(cx0) > 1e8f || std::fabs(cy0) > 1e8f) return false;
  range = {static_cast<int>(cx0), static_cast<int>(cy0), static_cast<int>(cx1),
           static_cast<int>(cy1), false};
  return true;
}

int64_t SolidIndex::cellKey(int x, int y) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) |
                              static_cast<uint32_t>(y));
}

void SolidIndex::file(const Slot& slot, const CellRange& range) {
  if (range.oversized) {
    oversized.push_back(slot);
    return;
  }
  for (int x = range.x0; x <= range.x1; ++x) {
    for (int y = range.y0; y <= range.y1; ++y) cells[cellKey(x, y)].push_back(slot);
  }
}

void SolidIndex::unfile(Object* p_o, const CellRange& range) {
  if (range.oversized) {
    eraseOne(oversized, p_o);
    return;
  }
  for (int x = range.x0; x <= range.x1; ++x) {
    for (int y = range.y0; y <= range.y1; ++y) {
      const auto cell = cells.find(cellKey(x, y));
      if (cell == cells.end()) continue;
      eraseOne(cell->second, p_o);
      if (cell->second.empty()) cells.erase(cell);
    }
  }
}

void SolidIndex::insert(Object* p_o) {
  remove(p_o);
  Entry entry{next_order++, {}};
  cellRangeOf(getWorldBox(p_o), entry.range);
  file({entry.order, p_o}, entry.range);
  entries.emplace(p_o, entry);
}

void SolidIndex::remove(Object* p_o) {
  const auto entry = entries.find(p_o);
  if (entry == entries.end()) return;
  unfile(p_o, entry->second.range);
  entries.erase(entry);
}

void SolidIndex::update(Object* p_o) {
  const auto entry = entries.find(p_o);
  if (entry == entries.end()) return;
  CellRange range{};
  cellRangeOf(getWorldBox(p_o), range);
  CellRange& old = entry->second.range;
  if (range.oversized == old.oversized && range.x0 == old.x0 && range.y0 == old.y0 &&
      range.x1 == old.x1 && range.y1 == old.y1) {
    return;
  }
  unfile(p_o, old);
  file({entry->second.order, p_o}, range);
  old = range;
}

void SolidIndex::clear() {
  entries.clear();
  cells.clear();
  oversized.clear();
}

bool SolidIndex::candidates(const Box& box, ObjectList& out) const {
  out.clear();
  CellRange range{};
  if (!cellRangeOf(box, range)) return false;
  found = oversized;
  for (int x = range.x0; x <= range.x1; ++x) {
    for (int y = range.y0; y <= range.y1; ++y) {
      const auto cell = cells.find(cellKey(x, y));
      if (cell != cells.end()) found.insert(found.end(), cell->second.begin(), cell->second.end());
    }
  }
  std::sort(found.begin(), found.end(),
            [](const Slot& a, const Slot& b) { return a.order < b.order; });
  const Object* p_previous = nullptr;
  for (const Slot& slot : found) {
    if (slot.p_o != p_previous) out.insert(slot.p_o);
    p_previous = slot.p_o;
  }
  return true;
}

}  // namespace ko
