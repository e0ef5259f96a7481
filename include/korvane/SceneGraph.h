// Indexes the world's objects by activity, solidness and altitude so the
// world manager can update, collide and draw them without searching. Owned
// by the world manager; holds pointers only.
#pragma once

#include <memory>

#include <korvane/Box.h>
#include <korvane/Object.h>
#include <korvane/ObjectList.h>

namespace ko {

class SolidIndex;

const int MAX_ALTITUDE = 4;

class SceneGraph {
 public:
  SceneGraph();
  ~SceneGraph();
  SceneGraph(const SceneGraph&) = delete;
  SceneGraph& operator=(const SceneGraph&) = delete;

  // Each returns 0, or -1 at the first list operation that fails (a full
  // list, or an object missing from a list); earlier steps stay done.
  int insertObject(Object* p_o);
  int removeObject(Object* p_o);

  ObjectList activeObjects() const;
  ObjectList inactiveObjects() const;
  ObjectList solidObjects() const;
  // Empty for an altitude outside 0..MAX_ALTITUDE.
  ObjectList visibleObjects(int altitude) const;
  // The solid objects whose world box may meet box (a superset of those
  // that do), in solid-list order. With spatial indexing off, the whole
  // solid list.
  ObjectList solidObjectsNear(Box box) const;
  // Called after an object's position or box changed.
  void updateBounds(Object* p_o);
  // On by default; off makes every query scan the whole solid list, the
  // reference that the index must match.
  void setSpatialIndexing(bool on);

  // Called before the object stores its new value.
  int updateAltitude(Object* p_o, int new_alt);
  int updateSolidness(Object* p_o, Solidness new_solidness);
  int updateActive(Object* p_o, bool new_active);

  void clear();

 private:
  int addSolid(Object* p_o);
  int dropSolid(Object* p_o);

  ObjectList active_objects;
  ObjectList solid_objects;
  ObjectList visible_objects[MAX_ALTITUDE + 1];
  ObjectList inactive_objects;
  std::unique_ptr<SolidIndex> solid_index;
  bool spatial_indexing;
};

}  // namespace ko
