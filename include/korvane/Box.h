// An axis-aligned rectangle in cells covering the closed ranges
// [corner.x, corner.x + horizontal] and [corner.y, corner.y + vertical].
#pragma once

#include <korvane/Vector.h>

namespace ko {

class Box {
 public:
  Box();
  Box(Vector init_corner, float init_horizontal, float init_vertical);

  Vector getCorner() const;
  void setCorner(Vector new_corner);
  float getHorizontal() const;
  void setHorizontal(float new_horizontal);
  float getVertical() const;
  void setVertical(float new_vertical);

  bool operator==(const Box& other) const;
  bool operator!=(const Box& other) const;

 private:
  Vector corner;
  float horizontal;
  float vertical;
};

}  // namespace ko
