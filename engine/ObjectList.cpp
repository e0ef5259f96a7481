#include <korvane/ObjectList.h>

#include <algorithm>

namespace ko {

ObjectList::ObjectList() : max_count(MAX_OBJECTS_NUM) {}

ObjectList::ObjectList(const ObjectList& other) = default;

ObjectList& ObjectList::operator=(const ObjectList& other) = default;

ObjectList::~ObjectList() = default;

int ObjectList::insert(Object* p_o) {
  if (isFull()) return -1;
  p_item.push_back(p_o);
  return 0;
}

int ObjectList::remove(Object* p_o) {
  const auto found = std::find(p_item.begin(), p_item.end(), p_o);
  if (found == p_item.end()) return -1;
  p_item.erase(found);
  return 0;
}

void ObjectList::clear() { p_item.clear(); }

int ObjectList::getCount() const { return static_cast<int>(p_item.size()); }

bool ObjectList::isEmpty() const { return p_item.empty(); }

bool ObjectList::isFull() const { return getCount() >= max_count; }

ObjectList ObjectList::operator+(ObjectList other) const {
  ObjectList sum(*this);
  for (Object* p_o : other.p_item) {
    if (sum.insert(p_o) != 0) break;
  }
  return sum;
}

}  // namespace ko
