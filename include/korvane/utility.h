// Free geometry and text helpers shared by the world, drawing and games.
#pragma once

#include <string>

#include <korvane/Box.h>
#include <korvane/Vector.h>

namespace ko {

class Object;

// Exact equality of both coordinates.
bool positionsIntersect(Vector a, Vector b);
// Closed-rectangle overlap: boxes that only touch intersect.
bool boxIntersectsBox(Box a, Box b);
// The object's box moved to its position (or to where).
Box getWorldBox(const Object* p_o);
Box getWorldBox(const Object* p_o, Vector where);
// Conversions against the world manager's current view.
Vector worldToView(Vector world_pos);
Vector viewToWorld(Vector view_pos);
std::string intToString(int number);
// Whether path names a regular file (or a link to one). Loaders check this
// before opening: a FIFO would block the open until some writer came, and
// a directory opens but reads as nothing, or sends a decoder into a loop.
bool isRegularFile(const std::string& path);

}  // namespace ko
