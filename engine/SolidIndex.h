// A uniform grid over the world's cells that finds the solid objects near a
// box without testing every one. Answers come in the solid list's order:
// each object carries the sequence number of its entry into the list.
// Private to the engine: the scene graph keeps it in step with its solid list.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include <korvane/Box.h>
#include <korvane/ObjectList.h>

namespace ko {

class Object;

class SolidIndex {
 public:
  SolidIndex();

  // The object has just been appended to the solid list.
  void insert(Object* p_o);
  // The object has left the solid list; unknown objects are ignored.
  void remove(Object* p_o);
  // The object's world box may have changed.
  void update(Object* p_o);
  void clear();

  // Fills out with the indexed objects whose world box may meet box, in
  // solid-list order, each once. Returns false when the box is too large or
  // malformed to look up, and the caller must test every solid object.
  bool candidates(const Box& box, ObjectList& out) const;

 private:
  struct CellRange {
    int x0, y0, x1, y1;
    bool oversized;  // too large or malformed for the grid: always a candidate
  };
  struct Entry {
    uint64_t order;
    CellRange range;
  };
  // What a grid cell holds: the order travels with the object, so answers
  // sort without further look-ups.
  struct Slot {
    uint64_t order;
    Object* p_o;
  };

  static bool cellRangeOf(const Box& box, CellRange& range);
  static int64_t cellKey(int x, int y);
  void file(const Slot& slot, const CellRange& range);
  void unfile(Object* p_o, const CellRange& range);

  std::unordered_map<Object*, Entry> entries;
  std::unordered_map<int64_t, std::vector<Slot>> cells;
  std::vector<Slot> oversized;
  // Reused by candidates() to avoid an allocation per query.
  mutable std::vector<Slot> found;
  uint64_t next_order;
};

}  // namespace ko
