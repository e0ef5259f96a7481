#include <korvane/Object.h>

#include <algorithm>

#include <korvane/EventStep.h>
#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/SceneGraph.h>
#include <korvane/Sprite.h>
#include <korvane/WorldManager.h>

namespace ko {

namespace {

// Step events belong to the game manager, keyboard and mouse events to the
// input manager, everything else to the world manager.
Manager& managerFor(const std::string& event_type) {
  if (GameManager::getInstance().isValid(event_type)) return GameManager::getInstance();
  if (InputManager::getInstance().isValid(event_type)) return InputManager::getInstance();
  return WorldManager::getInstance();
}

int nextObjectId() {
  static int id = 0;
  return id++;
}

}  // namespace

Object::Object()
    : id(nextObjectId()),
      x_velocity(0),
      y_velocity(0),
      type("Object"),
      altitude(MAX_ALTITUDE / 2),
      solidness(HARD),
      p_sprite(nullptr),
      sprite_center(true),
      sprite_index(0),
      sprite_slowdown(1),
      sprite_slowdown_count(0),
      sprite_transparency(0),
      is_active(true) {
  WorldManager::getInstance().insertObject(this);
  registerInterest(STEP_EVENT);
}

Object::~Object() {
  // Walk a copy: each call removes the entry from the object's own list.
  const std::vector<std::string> registered = interests;
  for (const std::string& event_type : registered) unregisterInterest(event_type);
  WorldManager::getInstance().removeObject(this);
}

void Object::draw() {
  if (p_sprite == nullptr) return;
  GraphicsManager::getInstance().drawFrame(pos, p_sprite->getFrame(sprite_index), sprite_center,
                                           p_sprite->getColor(), sprite_transparency);
  if (sprite_slowdown == 0) return;
  int count = sprite_slowdown_count + 1;
  if (count >= sprite_slowdown) {
    count = 0;
    ++sprite_index;
    if (sprite_index >= p_sprite->getFrameCount()) sprite_index = 0;
  }
  sprite_slowdown_count = count;
}

int Object::eventHandler(const Event*) { return 0; }

void Object::setID(int new_id) { id = new_id; }
int Object::getID() const { return id; }
void Object::setType(const std::string& new_type) { type = new_type; }
const std::string& Object::getType() const { return type; }
void Object::setPos(const Vector& new_pos) {
  pos = new_pos;
  WorldManager::getInstance().getSceneGraph().updateBounds(this);
}
const Vector& Object::getPos() const { return pos; }

void Object::setXVelocity(float new_x_velocity) { x_velocity = new_x_velocity; }
float Object::getXVelocity() const { return x_velocity; }
void Object::setYVelocity(float new_y_velocity) { y_velocity = new_y_velocity; }
float Object::getYVelocity() const { return y_velocity; }

void Object::setVelocity(Vector new_velocity) {
  x_velocity = new_velocity.x;
  y_velocity = new_velocity.y;
}

Vector Object::getVelocity() const { return Vector(x_velocity, y_velocity); }

Vector Object::predictPosition() const { return pos + getVelocity(); }

int Object::setAltitude(int new_altitude) {
  if (new_altitude < 0 || new_altitude > MAX_ALTITUDE) return -1;
  // The scene graph finds the object's lists from the old value.
  WorldManager::getInstance().getSceneGraph().updateAltitude(this, new_altitude);
  altitude = new_altitude;
  return 0;
}

int Object::getAltitude() const { return altitude; }

void Object::setSolidness(Solidness new_solid) {
  WorldManager::getInstance().getSceneGraph().updateSolidness(this, new_solid);
  solidness = new_solid;
}

Solidness Object::getSolidness() const { return solidness; }

bool Object::isSolid() const { return solidness == HARD || solidness == SOFT; }

void Object::setSprite(Sprite* p_new_sprite, bool set_box) {
  p_sprite = p_new_sprite;
  // A label that the resource manager did not find: better an object that
  // draws nothing than a crash, and the log says whose sprite is missing.
  if (p_sprite == nullptr) {
    LogManager::getInstance().writeLog("setSprite: no sprite for object of type %s", type.c_str());
    return;
  }
  const float width = static_cast<float>(p_sprite->getWidth());
  const float height = static_cast<float>(p_sprite->getHeight());
  Box sprite_box(Vector(), width, height);
  if (sprite_center) sprite_box.setCorner(Vector(-(width / 2), -(height / 2)));
  if (set_box) setBox(sprite_box);
}

Sprite* Object::getSprite() const { return p_sprite; }
void Object::setCentered(bool new_centered) { sprite_center = new_centered; }
bool Object::isCentered() const { return sprite_center; }
void Object::setSpriteIndex(int new_sprite_index) { sprite_index = new_sprite_index; }
int Object::getSpriteIndex() const { return sprite_index; }
void Object::setSpriteSlowdown(int new_sprite_slowdown) { sprite_slowdown = new_sprite_slowdown; }
int Object::getSpriteSlowdown() const { return sprite_slowdown; }

void Object::setSpriteSlowdownCount(int new_sprite_slowdown_count) {
  sprite_slowdown_count = new_sprite_slowdown_count;
}

int Object::getSpriteSlowdownCount() const { return sprite_slowdown_count; }
void Object::setTransparency(char new_transparency) { sprite_transparency = new_transparency; }
char Object::getTransparency() const { return sprite_transparency; }
void Object::setBox(Box new_box) {
  box = new_box;
  WorldManager::getInstance().getSceneGraph().updateBounds(this);
}
Box Object::getBox() const { return box; }

int Object::registerInterest(std::string event_type) {
  if (interests.size() >= static_cast<size_t>(MAX_OBJ_EVENT)) return -1;
  if (std::find(interests.begin(), interests.end(), event_type) != interests.end()) return -1;
  if (managerFor(event_type).registerInterest(this, event_type) != 0) return -1;
  interests.push_back(event_type);
  return 0;
}

int Object::unregisterInterest(std::string event_type) {
  const auto found = std::find(interests.begin(), interests.end(), event_type);
  if (found == interests.end()) return -1;
  interests.erase(found);
  return managerFor(event_type).unregisterInterest(this, event_type) == -1 ? -1 : 0;
}

std::vector<std::string> Object::getInterestedEvents() const { return interests; }

void Object::setIsActive(bool new_active) {
  WorldManager::getInstance().getSceneGraph().updateActive(this, new_active);
  is_active = new_active;
}

bool Object::isActive() const { return is_active; }

}  // namespace ko
