// Indexes the world's objects by activity, solidness and altitude so the
// world manager can update, collide and draw them without searching. Owned
// by the world manager; holds pointers only.
#pragma once

#include "Object.h"
#include "ObjectList.h"

namespace ko {

const int MAX_ALTITUDE = 4;

class SceneGraph {
 public:
  SceneGraph();
  ~SceneGraph();

  // Each returns 0, or -1 at the first list operation that fails (a full
  // list, or an object missing from a list); earlier steps stay done.
  int insertObject(Object* p_o);
  int removeObject(Object* p_o);

  ObjectList activeObjects() const;
  ObjectList inactiveObjects() const;
  ObjectList solidObjects() const;
  // Empty for an altitude outside 0..MAX_ALTITUDE.
  ObjectList visibleObjects(int altitude) const;
  // The solid list itself, for readers that must not pay for a copy.
  const ObjectList& solidList() const;

  // Called before the object stores its new value.
  int updateAltitude(Object* p_o, int new_alt);
  int updateSolidness(Object* p_o, Solidness new_solidness);
  int updateActive(Object* p_o, bool new_active);

  void clear();

 private:
  ObjectList active_objects;
  ObjectList solid_objects;
  ObjectList visible_objects[MAX_ALTITUDE + 1];
  ObjectList inactive_objects;
};

}  // namespace ko
