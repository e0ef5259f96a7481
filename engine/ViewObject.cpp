#include <korvane/ViewObject.h>

#include <utility>

#include <korvane/EventView.h>
#include <korvane/GraphicsManager.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>

namespace ko {

ViewObject::ViewObject()
    : value(0), draw_value(true), border(true), color(WHITE), location(TOP_LEFT) {
  setAltitude(MAX_ALTITUDE);
  setSolidness(SPECTRAL);
  setLocation(TOP_LEFT);
  setType(VIEW_OBJECT);
  registerInterest(VIEW_EVENT);
}

void ViewObject::setViewString(std::string new_view_string) {
  view_string = std::move(new_view_string);
}
std::string ViewObject::getViewString() const { return view_string; }
void ViewObject::setValue(int new_value) { value = new_value; }
int ViewObject::getValue() const { return value; }
void ViewObject::setDrawValue(bool new_draw_value) { draw_value = new_draw_value; }
bool ViewObject::getDrawValue() const { return draw_value; }

// The vertical placement depends on the border, so a change re-places.
void ViewObject::setBorder(bool new_border) {
  if (border != new_border) {
    border = new_border;
    setLocation(getLocation());
  }
}
bool ViewObject::getBorder() const { return border; }
void ViewObject::setColor(Color new_color) { color = new_color; }
Color ViewObject::getColor() const { return color; }
ViewObjectLocation ViewObject::getLocation() const { return location; }

namespace {

// Where each location puts a view object: sixths of the view across, a row
// from the top or bottom or the middle down, and how far a one-line text
// without a border moves toward the nearer edge.
struct Placement {
  ViewObjectLocation location;
  int sixths_across;
  enum Row { TOP, MIDDLE, BOTTOM } row;
  float unbordered_shift;
};

// clang-format off
const Placement PLACEMENTS[] = {
    {TOP_LEFT,      1, Placement::TOP,    -1}, {TOP_CENTER,    3, Placement::TOP,    -1},
    {TOP_RIGHT,     5, Placement::TOP,     0}, {CENTER_LEFT,   1, Placement::MIDDLE,  0},
    {CENTER_CENTER, 3, Placement::MIDDLE,  0}, {CENTER_RIGHT,  5, Placement::MIDDLE,  1},
    {BOTTOM_LEFT,   1, Placement::BOTTOM, -1}, {BOTTOM_CENTER, 3, Placement::BOTTOM, -1},
    {BOTTOM_RIGHT,  5, Placement::BOTTOM, -1},
};
// clang-format on

}  // namespace

void ViewObject::setLocation(ViewObjectLocation new_location) {
  const Placement* p_placement = nullptr;
  for (const Placement& placement : PLACEMENTS) {
    if (placement.location == new_location) p_placement = &placement;
  }
  if (p_placement == nullptr) {
    location = UNDEFINED;
    return;
  }
  const Box view = WorldManager::getInstance().getView();
  const float h = view.getHorizontal();
  const float v = view.getVertical();
  const float x = static_cast<float>(p_placement->sixths_across) * h / 6;
  float y = 2;
  if (p_placement->row == Placement::MIDDLE) y = 3 * v / 6;
  if (p_placement->row == Placement::BOTTOM) y = v - 3;
  setPos(Vector(x, y + (border ? 0 : p_placement->unbordered_shift)));
  location = new_location;
}

void ViewObject::setPosition(Vector view_pos) {
  setPos(view_pos);
  location = UNDEFINED;
}

void ViewObject::draw() {
  const std::string value_str = intToString(value);
  const int n = static_cast<int>(view_string.size() + value_str.size()) + 1;
  std::string text;
  if (border) {
    int left = 1;
    int right = 1;
    if (n <= 12) {
      const int d = 13 - n;
      left = d / 2;
      right = d - d / 2;
    }
    text = "|" + std::string(static_cast<std::size_t>(left), ' ') + view_string + " " + value_str +
           std::string(static_cast<std::size_t>(right), ' ') + "|";
  } else {
    text = view_string + " " + value_str;
  }
  const Vector world_pos = viewToWorld(getPos());
  const GraphicsManager& graphics_manager = GraphicsManager::getInstance();
  graphics_manager.drawString(world_pos, text, CENTER_JUSTIFIED, color, 0);
  if (border) {
    const std::string line(text.size(), '-');
    graphics_manager.drawString(Vector(world_pos.x, world_pos.y - 1), line, CENTER_JUSTIFIED, color,
                                0);
    graphics_manager.drawString(Vector(world_pos.x, world_pos.y + 1), line, CENTER_JUSTIFIED, color,
                                0);
  }
}

int ViewObject::eventHandler(const Event* p_e) {
  if (p_e->getType() != VIEW_EVENT) {
    return 0;
  }
  const EventView* p_view_event = static_cast<const EventView*>(p_e);
  if (p_view_event->getTag() != view_string) {
    return 0;
  }
  if (p_view_event->getDelta()) {
    value += p_view_event->getValue();
  } else {
    value = p_view_event->getValue();
  }
  return 1;
}

}  // namespace ko
