// Base of everything in the game world. Game code creates objects with new;
// the constructor inserts the object into the world, which owns it from then
// on. Never delete an object directly: ask the world manager to
// (markForDelete), and it deletes it at the end of the current step. The
// sprite is not owned: it belongs to the resource manager.
#pragma once

#include <string>
#include <vector>

#include <korvane/Box.h>
#include <korvane/Event.h>
#include <korvane/Vector.h>

namespace ko {

class Sprite;

const int MAX_OBJ_EVENT = 30;

enum Solidness : int {
  HARD,      // collides, and hard objects block each other's moves
  SOFT,      // collides but never blocks
  SPECTRAL,  // never collides
};

class Object {
 public:
  Object();
  virtual ~Object();

  // Draws the current sprite frame and advances the animation.
  virtual void draw();
  // Returns 1 when the event was handled, 0 otherwise.
  virtual int eventHandler(const Event* p_e);

  void setID(int new_id);
  int getID() const;
  void setType(const std::string& new_type);
  const std::string& getType() const;

  // Only stores the position: no collision, no event, no view change.
  void setPos(const Vector& new_pos);
  const Vector& getPos() const;

  void setXVelocity(float new_x_velocity);
  float getXVelocity() const;
  void setYVelocity(float new_y_velocity);
  float getYVelocity() const;
  void setVelocity(Vector new_velocity);
  Vector getVelocity() const;
  Vector predictPosition() const;

  // 0, or -1 for an altitude outside 0..MAX_ALTITUDE (nothing changes).
  int setAltitude(int new_altitude);
  int getAltitude() const;

  void setSolidness(Solidness new_solid);
  Solidness getSolidness() const;
  bool isSolid() const;

  // p_new_sprite must not be null; set_box also replaces the box by the
  // sprite's extent (centred when the object is centred).
  void setSprite(Sprite* p_new_sprite, bool set_box = true);
  Sprite* getSprite() const;
  void setCentered(bool new_centered);
  bool isCentered() const;
  void setSpriteIndex(int new_sprite_index);
  int getSpriteIndex() const;
  void setSpriteSlowdown(int new_sprite_slowdown);
  int getSpriteSlowdown() const;
  void setSpriteSlowdownCount(int new_sprite_slowdown_count);
  int getSpriteSlowdownCount() const;
  void setTransparency(char new_transparency);
  char getTransparency() const;

  void setBox(Box new_box);
  Box getBox() const;

  // 0, or -1 at MAX_OBJ_EVENT interests, for a type already registered, or
  // when the owning manager refuses.
  int registerInterest(std::string event_type);
  // 0, or -1 for a type not registered (or refused by the manager).
  int unregisterInterest(std::string event_type);
  std::vector<std::string> getInterestedEvents() const;

  void setIsActive(bool new_active);
  bool isActive() const;

 private:
  int id;
  Vector pos;
  float x_velocity;
  float y_velocity;
  std::string type;
  int altitude;
  Solidness solidness;
  Sprite* p_sprite;
  bool sprite_center;
  int sprite_index;
  int sprite_slowdown;
  int sprite_slowdown_count;
  char sprite_transparency;
  Box box;
  std::vector<std::string> interests;
  bool is_active;
};

}  // namespace ko
