#include <korvane/EventCollision.h>

namespace ko {

EventCollision::EventCollision() : EventCollision(nullptr, nullptr, Vector()) {}

EventCollision::EventCollision(Object* p_o1, Object* p_o2, Vector p)
    : pos(p), p_obj1(p_o1), p_obj2(p_o2) {
  setType(COLLISION_EVENT);
}

void EventCollision::setObject1(Object* p_new_o1) { p_obj1 = p_new_o1; }
Object* EventCollision::getObject1() const { return p_obj1; }
void EventCollision::setObject2(Object* p_new_o2) { p_obj2 = p_new_o2; }
Object* EventCollision::getObject2() const { return p_obj2; }
void EventCollision::setPosition(Vector new_pos) { pos = new_pos; }
Vector EventCollision::getPosition() const { return pos; }

}  // namespace ko
