// A position or velocity in character cells: x to the right, y downward.
#pragma once

namespace ko {

class Vector {
 public:
  float x;
  float y;

  Vector();
  Vector(float init_x, float init_y);

  float getX() const;
  void setX(float new_x);
  float getY() const;
  void setY(float new_y);
  void setXY(float new_x, float new_y);

  // Scales to length 1; the zero vector is left unchanged.
  void normalize();
  void scale(float s);
  float getMagnitude() const;

  Vector operator+(const Vector& other) const;
  Vector operator-(const Vector& other) const;
  Vector& operator+=(const Vector& other);
  // Exact comparison, no tolerance.
  bool operator==(const Vector& other) const;
  bool operator!=(const Vector& other) const;
  // True for the zero vector.
  bool operator!() const;
};

}  // namespace ko
