#include <korvane/Vector.h>

#include <cmath>

namespace ko {

Vector::Vector() : x(0), y(0) {}

Vector::Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

float Vector::getX() const { return x; }
void Vector::setX(float new_x) { x = new_x; }
float Vector::getY() const { return y; }
void Vector::setY(float new_y) { y = new_y; }

void Vector::setXY(float new_x, float new_y) {
  x = new_x;
  y = new_y;
}

void Vector::normalize() {
  const float length = getMagnitude();
  if (length == 0) return;
  x /= length;
  y /= length;
}

void Vector::scale(float s) {
  x *= s;
  y *= s;
}

float Vector::getMagnitude() const {
  const float sum = x * x + y * y;
  return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

Vector Vector::operator+(const Vector& other) const { return Vector(x + other.x, y + other.y); }

Vector Vector::operator-(const Vector& other) const { return Vector(x - other.x, y - other.y); }

Vector& Vector::operator+=(const Vector& other) {
  x += other.x;
  y += other.y;
  return *this;
}

bool Vector::operator==(const Vector& other) const { return x == other.x && y == other.y; }

bool Vector::operator!=(const Vector& other) const { return !(*this == other); }

bool Vector::operator!() const { return x == 0 && y == 0; }

}  // namespace ko
