#include <korvane/Frame.h>

#include <utility>

namespace ko {

Frame::Frame() : width(0), height(0) {}

Frame::Frame(int new_width, int new_height, std::string new_frame_str)
    : width(new_width), height(new_height), frame_str(std::move(new_frame_str)) {}

void Frame::setWidth(int new_width) { width = new_width; }
int Frame::getWidth() const { return width; }
void Frame::setHeight(int new_height) { height = new_height; }
int Frame::getHeight() const { return height; }
void Frame::setString(std::string new_frame_str) { frame_str = std::move(new_frame_str); }
std::string Frame::getString() const { return frame_str; }

}  // namespace ko
