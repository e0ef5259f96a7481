#include <korvane/WorldManager.h>

#include <cmath>

#include <korvane/EventCollision.h>
#include <korvane/EventOut.h>
#include <korvane/GraphicsManager.h>
#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/ViewObject.h>
#include <korvane/utility.h>

namespace ko {

namespace {

bool isInside(Vector pos, const Box& boundary) {
  return pos.x <= boundary.getHorizontal() && pos.x >= 0 && pos.y <= boundary.getVertical() &&
         pos.y >= 0;
}

// One axis of the view's corner: centred on where, kept inside the boundary.
float viewCorner(float where, float view_size, float boundary_size) {
  float corner = std::trunc(where - view_size / 2);
  if (corner + view_size > boundary_size) corner = std::trunc(boundary_size - view_size);
  if (corner < 0) corner = 0;
  return corner;
}

const int SHUTDOWN_ROUNDS = 10;

const Box DEFAULT_WORLD(Vector(), WINDOW_HORIZONTAL_CHARS_DEFAULT, WINDOW_VERTICAL_CHARS_DEFAULT);

}  // namespace

WorldManager::WorldManager()
    : boundary(DEFAULT_WORLD),
      view(DEFAULT_WORLD),
      p_view_following(nullptr),
      deletion_walk_index(NOT_WALKING) {
  setType(WORLD_MANAGER);
}

WorldManager& WorldManager::getInstance() {
  static WorldManager world_manager;
  return world_manager;
}

int WorldManager::startUp() {
  scene_graph.clear();
  deletion_list.clear();
  return Manager::startUp();
}

void WorldManager::shutDown() {
  Manager::shutDown();
  // The active objects go first, in their order. Inactive objects and those
  // that destructors create meanwhile are deleted too, so that nothing is
  // leaked; a bounded number of rounds stops destructors that keep creating.
  const ObjectList active = scene_graph.activeObjects();
  for (ObjectListIterator it(&active); !it.isDone(); it.next()) delete it.currentObject();
  for (int round = 0; round < SHUTDOWN_ROUNDS; ++round) {
    const ObjectList rest = getAllObjects(true);
    if (rest.isEmpty()) break;
    for (ObjectListIterator it(&rest); !it.isDone(); it.next()) delete it.currentObject();
  }
  scene_graph.clear();
  deletion_list.clear();
  p_view_following = nullptr;
  const GraphicsManager& graphics = GraphicsManager::getInstance();
  const Box screen(Vector(), static_cast<float>(graphics.getHorizontal()),
                   static_cast<float>(graphics.getVertical()));
  boundary = screen;
  view = screen;
}

int WorldManager::insertObject(Object* p_o) { return scene_graph.insertObject(p_o); }

int WorldManager::removeObject(Object* p_o) {
  // A later object may be allocated at the same address: it must not
  // inherit the view.
  if (p_o == p_view_following) p_view_following = nullptr;
  return scene_graph.removeObject(p_o);
}

ObjectList WorldManager::getAllObjects(bool inactive) const {
  if (inactive) return scene_graph.activeObjects() + scene_graph.inactiveObjects();
  return scene_graph.activeObjects();
}

int WorldManager::markForDelete(Object* p_o) {
  // During the deletion walk the entries before the current one are already
  // deleted; an equal pointer there is a new object at a reused address.
  ObjectListIterator it(&deletion_list);
  for (int skipped = 0; skipped < deletion_walk_index; ++skipped) it.next();
  for (; !it.isDone(); it.next()) {
    if (it.currentObject() == p_o) return 0;
  }
  return deletion_list.insert(p_o);
}

void WorldManager::update() {
  const ObjectList all = getAllObjects(true);
  for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
    Object* p_o = it.currentObject();
    if (!p_o->getVelocity()) continue;
    moveObject(p_o, p_o->predictPosition());
  }
  deleteMarkedObjects();
}

void WorldManager::deleteMarkedObjects() {
  // The list itself is walked: destructors may mark further objects, which
  // are appended and deleted in the same walk.
  ObjectListIterator it(&deletion_list);
  for (deletion_walk_index = 0; !it.isDone(); it.next(), ++deletion_walk_index) {
    delete it.currentObject();
  }
  deletion_walk_index = NOT_WALKING;
  deletion_list.clear();
}

void WorldManager::draw() {
  for (int altitude = 0; altitude <= MAX_ALTITUDE; ++altitude) {
    const ObjectList layer = scene_graph.visibleObjects(altitude);
    for (ObjectListIterator it(&layer); !it.isDone(); it.next()) {
      Object* p_o = it.currentObject();
      const bool in_view = boxIntersectsBox(getWorldBox(p_o), view);
      if (in_view || dynamic_cast<ViewObject*>(p_o) != nullptr) p_o->draw();
    }
  }
}

ObjectList WorldManager::isCollision(const Object* p_o, Vector where) const {
  const Box moved = getWorldBox(p_o, where);
  ObjectList hits;
  const ObjectList near = scene_graph.solidObjectsNear(moved);
  for (ObjectListIterator it(&near); !it.isDone(); it.next()) {
    Object* p_other = it.currentObject();
    if (p_other == p_o) continue;
    if (boxIntersectsBox(moved, getWorldBox(p_other))) hits.insert(p_other);
  }
  return hits;
}

int WorldManager::moveObject(Object* p_o, Vector where) {
  const Vector old_pos = p_o->getPos();
  if (p_o->isSolid()) {
    const ObjectList hits = isCollision(p_o, where);
    bool blocked = false;
    for (ObjectListIterator it(&hits); !it.isDone(); it.next()) {
      Object* p_other = it.currentObject();
      const EventCollision collision(p_o, p_other, where);
      p_o->eventHandler(&collision);
      p_other->eventHandler(&collision);
      if (p_o->getSolidness() == HARD && p_other->getSolidness() == HARD) blocked = true;
    }
    if (blocked) return -1;
  }
  p_o->setPos(where);
  if (p_o == p_view_following) setViewPosition(where);
  if (!isInside(where, boundary) && isInside(old_pos, boundary)) {
    const EventOut out;
    p_o->eventHandler(&out);
  }
  return 0;
}

Box WorldManager::getBoundary() const { return boundary; }
void WorldManager::setBoundary(Box new_boundary) { boundary = new_boundary; }
Box WorldManager::getView() const { return view; }
void WorldManager::setView(Box new_view) { view = new_view; }

void WorldManager::setViewPosition(Vector where) {
  const float x = viewCorner(where.x, view.getHorizontal(), boundary.getHorizontal());
  const float y = viewCorner(where.y, view.getVertical(), boundary.getVertical());
  view.setCorner(Vector(x, y));
}

int WorldManager::setViewFollowing(Object* p_new_view_following) {
  if (p_new_view_following == nullptr) {
    p_view_following = nullptr;
    return 0;
  }
  const ObjectList active = getAllObjects(false);
  bool found = false;
  for (ObjectListIterator it(&active); !it.isDone() && !found; it.next()) {
    found = it.currentObject() == p_new_view_following;
  }
  if (!found) return -1;
  p_view_following = p_new_view_following;
  setViewPosition(p_view_following->getPos());
  return 0;
}

SceneGraph& WorldManager::getSceneGraph() { return scene_graph; }

}  // namespace ko
