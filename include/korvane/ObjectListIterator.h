// Walks an object list from first to last entry. It walks the list itself,
// so it sees entries appended while it walks; the list must outlive it and
// must not lose entries meanwhile (walk a copy when removing).
#pragma once

namespace ko {

class Object;
class ObjectList;

class ObjectListIterator {
 public:
  explicit ObjectListIterator(const ObjectList* p_l);

  void first();
  void next();
  bool isDone() const;
  // The current entry, or null when done.
  Object* currentObject() const;
  // Walks another list from now on; call first() to start at its beginning.
  void setList(const ObjectList* p_l);

 private:
  int index;
  const ObjectList* p_list;
};

}  // namespace ko
