#include <korvane/Sprite.h>

#include <utility>

namespace ko {

Sprite::Sprite(int max_frames)
    : width(0),
      height(0),
      max_frame_count(max_frames > 0 ? max_frames : 0),
      frame_count(0),
      color(COLOR_DEFAULT),
      frame(static_cast<std::size_t>(max_frame_count)) {}

Sprite::~Sprite() = default;

void Sprite::setWidth(int new_width) { width = new_width; }
int Sprite::getWidth() const { return width; }
void Sprite::setHeight(int new_height) { height = new_height; }
int Sprite::getHeight() const { return height; }
void Sprite::setColor(Color new_color) { color = new_color; }
Color Sprite::getColor() const { return color; }
int Sprite::getFrameCount() const { return frame_count; }
void Sprite::setLabel(std::string new_label) { label = std::move(new_label); }
std::string Sprite::getLabel() const { return label; }

int Sprite::addFrame(Frame new_frame) {
  if (frame_count >= max_frame_count) {
    return -1;
  }
  frame[static_cast<std::size_t>(frame_count)] = std::move(new_frame);
  frame_count++;
  return 0;
}

Frame Sprite::getFrame(int frame_number) const {
  if (frame_number < 0 || frame_number >= frame_count) {
    return Frame();
  }
  return frame[static_cast<std::size_t>(frame_number)];
}

}  // namespace ko
