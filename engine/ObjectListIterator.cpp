#include <korvane/ObjectListIterator.h>

#include <korvane/ObjectList.h>

namespace ko {

ObjectListIterator::ObjectListIterator(const ObjectList* p_l) : index(0), p_list(p_l) {}

void ObjectListIterator::first() { index = 0; }

void ObjectListIterator::next() {
  if (index < p_list->getCount()) ++index;
}

bool ObjectListIterator::isDone() const { return index >= p_list->getCount(); }

Object* ObjectListIterator::currentObject() const {
  if (isDone()) return nullptr;
  return p_list->p_item[index];
}

void ObjectListIterator::setList(const ObjectList* p_l) { p_list = p_l; }

}  // namespace ko
