// One picture of a sprite: width x height characters stored row after row.
// The default frame (0 x 0, empty) is what failing operations return.
#pragma once

#include <string>

namespace ko {

class Frame {
 public:
  Frame();
  Frame(int new_width, int new_height, std::string new_frame_str);

  void setWidth(int new_width);
  int getWidth() const;
  void setHeight(int new_height);
  int getHeight() const;
  void setString(std::string new_frame_str);
  std::string getString() const;

 private:
  int width;
  int height;
  std::string frame_str;
};

}  // namespace ko
