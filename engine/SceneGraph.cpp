#include <korvane/SceneGraph.h>

#include "SolidIndex.h"

namespace ko {

namespace {

bool validAltitude(int altitude) { return altitude >= 0 && altitude <= MAX_ALTITUDE; }

}  // namespace

SceneGraph::SceneGraph() : solid_index(std::make_unique<SolidIndex>()), spatial_indexing(true) {}

SceneGraph::~SceneGraph() = default;

int SceneGraph::insertObject(Object* p_o) {
  if (!p_o->isActive()) return inactive_objects.insert(p_o);
  if (active_objects.insert(p_o) != 0) return -1;
  if (p_o->isSolid() && addSolid(p_o) != 0) return -1;
  return visible_objects[p_o->getAltitude()].insert(p_o);
}

int SceneGraph::removeObject(Object* p_o) {
  if (!p_o->isActive()) return inactive_objects.remove(p_o);
  if (active_objects.remove(p_o) != 0) return -1;
  if (p_o->isSolid() && dropSolid(p_o) != 0) return -1;
  return visible_objects[p_o->getAltitude()].remove(p_o);
}

ObjectList SceneGraph::activeObjects() const { return active_objects; }

ObjectList SceneGraph::inactiveObjects() const { return inactive_objects; }

ObjectList SceneGraph::solidObjects() const { return solid_objects; }

ObjectList SceneGraph::visibleObjects(int altitude) const {
  if (!validAltitude(altitude)) return ObjectList();
  return visible_objects[altitude];
}

ObjectList SceneGraph::solidObjectsNear(Box box) const {
  ObjectList near;
  if (!spatial_indexing || !solid_index->candidates(box, near)) return solid_objects;
  return near;
}

void SceneGraph::updateBounds(Object* p_o) { solid_index->update(p_o); }

void SceneGraph::setSpatialIndexing(bool on) { spatial_indexing = on; }

// The solid list and its index change together.
int SceneGraph::addSolid(Object* p_o) {
  if (solid_objects.insert(p_o) != 0) return -1;
  solid_index->insert(p_o);
  return 0;
}

int SceneGraph::dropSolid(Object* p_o) {
  solid_index->remove(p_o);
  return solid_objects.remove(p_o);
}

int SceneGraph::updateAltitude(Object* p_o, int new_alt) {
  if (!validAltitude(new_alt)) return -1;
  if (visible_objects[p_o->getAltitude()].remove(p_o) != 0) return -1;
  return visible_objects[new_alt].insert(p_o);
}

int SceneGraph::updateSolidness(Object* p_o, Solidness new_solidness) {
  if (!p_o->isActive()) return p_o->isSolid() ? -1 : 0;
  if (p_o->isSolid() && dropSolid(p_o) != 0) return -1;
  if (new_solidness == HARD || new_solidness == SOFT) return addSolid(p_o);
  return 0;
}

int SceneGraph::updateActive(Object* p_o, bool new_active) {
  if (new_active == p_o->isActive()) return 0;
  if (!new_active) {
    if (active_objects.remove(p_o) != 0) return -1;
    if (visible_objects[p_o->getAltitude()].remove(p_o) != 0) return -1;
    if (p_o->isSolid() && dropSolid(p_o) != 0) return -1;
    return inactive_objects.insert(p_o);
  }
  if (active_objects.insert(p_o) != 0) return -1;
  if (visible_objects[p_o->getAltitude()].insert(p_o) != 0) return -1;
  if (p_o->isSolid() && addSolid(p_o) != 0) return -1;
  return inactive_objects.remove(p_o);
}

void SceneGraph::clear() {
  active_objects.clear();
  solid_objects.clear();
  solid_index->clear();
  for (ObjectList& layer : visible_objects) layer.clear();
  inactive_objects.clear();
}

}  // namespace ko
