// A heads-up display element: a labelled value drawn at a fixed place on
// the screen, optionally in a border. Its position is in view coordinates.
// View events whose tag equals the label change the value.
#pragma once

#include <string>

#include <korvane/Color.h>
#include <korvane/Object.h>

namespace ko {

const std::string VIEW_OBJECT = "ko::VIEW_OBJECT";

enum ViewObjectLocation : int {
  UNDEFINED = -1,
  TOP_LEFT,
  TOP_CENTER,
  TOP_RIGHT,
  CENTER_LEFT,
  CENTER_CENTER,
  CENTER_RIGHT,
  BOTTOM_LEFT,
  BOTTOM_CENTER,
  BOTTOM_RIGHT,
};

class ViewObject : public Object {
 public:
  ViewObject();

  void draw() override;
  int eventHandler(const Event* p_e) override;

  void setViewString(std::string new_view_string);
  std::string getViewString() const;
  void setValue(int new_value);
  int getValue() const;
  void setDrawValue(bool new_draw_value = true);
  bool getDrawValue() const;
  void setBorder(bool new_border);
  bool getBorder() const;
  void setColor(Color new_color);
  Color getColor() const;
  void setLocation(ViewObjectLocation new_location);
  ViewObjectLocation getLocation() const;
  // Places the object directly (view coordinates); the location becomes
  // UNDEFINED.
  void setPosition(Vector view_pos);

 private:
  std::string view_string;
  int value;
  bool draw_value;
  bool border;
  Color color;
  ViewObjectLocation location;
};

}  // namespace ko
