// Handed by the world manager straight to both parties of a collision:
// object 1 is the mover, object 2 the object in its way, position the
// position the mover tried to reach.
#pragma once

#include <korvane/Event.h>
#include <korvane/Vector.h>

namespace ko {

class Object;

const std::string COLLISION_EVENT = "ko::collision";

class EventCollision : public Event {
 public:
  EventCollision();
  EventCollision(Object* p_o1, Object* p_o2, Vector p);

  void setObject1(Object* p_new_o1);
  Object* getObject1() const;
  void setObject2(Object* p_new_o2);
  Object* getObject2() const;
  void setPosition(Vector new_pos);
  Vector getPosition() const;

 private:
  Vector pos;
  Object* p_obj1;
  Object* p_obj2;
};

}  // namespace ko
