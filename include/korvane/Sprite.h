// Character art of one or more equal-sized frames drawn in one colour.
// The resource manager creates, owns and deletes sprites; objects only
// point at them, so a pointer is valid until the sprite is unloaded or the
// resource manager shuts down.
#pragma once

#include <string>
#include <vector>

#include <korvane/Color.h>
#include <korvane/Frame.h>

namespace ko {

class Sprite {
 public:
  explicit Sprite(int max_frames);
  ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  void setWidth(int new_width);
  int getWidth() const;
  void setHeight(int new_height);
  int getHeight() const;
  void setColor(Color new_color);
  Color getColor() const;
  int getFrameCount() const;
  void setLabel(std::string new_label);
  std::string getLabel() const;

  // 0, or -1 when the sprite already holds its maximum number of frames.
  int addFrame(Frame new_frame);
  // A copy of the frame, or the empty frame for an index out of range.
  Frame getFrame(int frame_number) const;

 private:
  int width;
  int height;
  int max_frame_count;
  int frame_count;
  Color color;
  std::vector<Frame> frame;
  std::string label;
};

}  // namespace ko
