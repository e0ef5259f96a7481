// An ordered list of object pointers with a fixed capacity, copied by
// value. It never owns the objects: the world does.
#pragma once

#include <vector>

namespace ko {

class Object;
class ObjectListIterator;

const int MAX_OBJECTS_NUM = 5000;

class ObjectList {
 public:
  ObjectList();
  ObjectList(const ObjectList& other);
  ObjectList& operator=(const ObjectList& other);
  ~ObjectList();

  // Appends p_o; returns 0, or -1 if the list is full.
  int insert(Object* p_o);
  // Removes the first occurrence of p_o, keeping the order of the rest;
  // returns 0, or -1 if p_o is not in the list.
  int remove(Object* p_o);
  void clear();
  int getCount() const;
  bool isEmpty() const;
  bool isFull() const;

  // This list followed by other's entries; what no longer fits is dropped.
  ObjectList operator+(ObjectList other) const;

 private:
  friend class ObjectListIterator;

  // Holds only the entries in use, so copying a short list stays cheap;
  // max_count is the fixed capacity that insert enforces.
  int max_count;
  std::vector<Object*> p_item;
};

}  // namespace ko
