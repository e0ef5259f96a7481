#include <korvane/utility.h>

#include <sys/stat.h>

#include <sstream>

#include <korvane/Object.h>
#include <korvane/WorldManager.h>

namespace ko {

namespace {

// One axis of the closed-range overlap test.
bool rangesOverlap(float a_start, float a_size, float b_start, float b_size) {
  return (b_start <= a_start && a_start <= b_start + b_size) ||
         (a_start <= b_start && b_start <= a_start + a_size);
}

}  // namespace

bool positionsIntersect(Vector a, Vector b) { return a.x == b.x && a.y == b.y; }

bool boxIntersectsBox(Box a, Box b) {
  const Vector a_corner = a.getCorner();
  const Vector b_corner = b.getCorner();
  return rangesOverlap(a_corner.x, a.getHorizontal(), b_corner.x, b.getHorizontal()) &&
         rangesOverlap(a_corner.y, a.getVertical(), b_corner.y, b.getVertical());
}

Box getWorldBox(const Object* p_o) { return getWorldBox(p_o, p_o->getPos()); }

Box getWorldBox(const Object* p_o, Vector where) {
  Box box = p_o->getBox();
  const Vector corner = box.getCorner();
  box.setCorner(Vector(corner.x + where.x, corner.y + where.y));
  return box;
}

Vector worldToView(Vector world_pos) {
  const Vector view_corner = WorldManager::getInstance().getView().getCorner();
  return Vector(world_pos.x - view_corner.x, world_pos.y - view_corner.y);
}

Vector viewToWorld(Vector view_pos) {
  const Vector view_corner = WorldManager::getInstance().getView().getCorner();
  return Vector(view_pos.x + view_corner.x, view_pos.y + view_corner.y);
}

std::string intToString(int number) {
  std::ostringstream out;
  out << number;
  return out.str();
}

bool isRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace ko
