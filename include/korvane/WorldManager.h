// Owns every object in the world: moves them with collision and out-of-world
// events, deletes the ones marked for deletion at the end of each update,
// draws them layer by layer and keeps the view. Holds the interests in every
// event type that the game and input managers do not own.
#pragma once

#include <korvane/Box.h>
#include <korvane/Manager.h>
#include <korvane/ObjectList.h>
#include <korvane/SceneGraph.h>
#include <korvane/Vector.h>

namespace ko {

class Object;

const std::string WORLD_MANAGER = "ko::world_manager";

class WorldManager : public Manager {
 public:
  static WorldManager& getInstance();
  WorldManager(const WorldManager&) = delete;
  void operator=(const WorldManager&) = delete;

  int startUp() override;
  // Deletes every object: the active ones first, then the rest.
  void shutDown() override;

  // Called by the object constructor and destructor only; -1 when the scene
  // graph reports a failure.
  int insertObject(Object* p_o);
  int removeObject(Object* p_o);

  // Active objects, followed by the inactive ones when inactive is true.
  ObjectList getAllObjects(bool inactive = false) const;

  // Queues p_o for deletion at the end of the current update; 0 if queued or
  // already queued, -1 if the queue is full.
  int markForDelete(Object* p_o);

  void update();
  void draw();

  // The active solid objects (other than p_o) that p_o would touch at
  // where, in solid-list order.
  ObjectList isCollision(const Object* p_o, Vector where) const;
  // 0 when moved, -1 when a hard object blocked a hard mover.
  int moveObject(Object* p_o, Vector where);

  Box getBoundary() const;
  void setBoundary(Box new_boundary);
  Box getView() const;
  void setView(Box new_view);
  // Centres the view on where, kept inside the boundary.
  void setViewPosition(Vector where);
  // Follows p_new_view_following (null stops following); -1 if it is not an
  // active object in the world.
  int setViewFollowing(Object* p_new_view_following);

  SceneGraph& getSceneGraph();

 private:
  WorldManager();
  void deleteMarkedObjects();

  static const int NOT_WALKING = -1;

  ObjectList deletion_list;
  Box boundary;
  Box view;
  Object* p_view_following;
  SceneGraph scene_graph;
  // Position of the deletion walk in deletion_list, or NOT_WALKING.
  int deletion_walk_index;
};

}  // namespace ko
