#include <gtest/gtest.h>

#include <string>

#include <korvane/Letterbox.h>

TEST(Letterbox, GridFitsScaledCentredAndMapsBack) {
  struct Case {
    int window_w, window_h;
    float scale;
    sf::IntRect area;
  };
  const Case cases[] = {
      {1024, 768, 1, {0, 0, 1024, 768}},             // the designed window
      {1920, 1080, 1.40625f, {240, 0, 1440, 1080}},  // bars left and right
      {1280, 1024, 1.25f, {0, 32, 1280, 960}},       // bars above and below
      {3840, 2160, 2.8125f, {480, 0, 2880, 2160}},
      {1366, 768, 1, {171, 0, 1024, 768}},     // an odd bar width
      {800, 600, 0.78125f, {0, 0, 800, 600}},  // smaller than designed
      {0, 0, 1 / 1024.f, {0, 0, 1, 1}},        // no window to speak of
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.window_w) + "x" + std::to_string(c.window_h));
    const ko::Letterbox box(c.window_w, c.window_h, 1024, 768);
    EXPECT_FLOAT_EQ(box.getScale(), c.scale);
    EXPECT_EQ(box.getArea(), c.area);
    // The grid's corners land on the area's corners, and back.
    EXPECT_EQ(box.toWindow(ko::Vector(0, 0)),
              ko::Vector(static_cast<float>(c.area.left), static_cast<float>(c.area.top)));
    const ko::Vector far = box.toWindow(ko::Vector(1024, 768));
    // The area is in whole pixels: within half a pixel.
    EXPECT_NEAR(far.x, c.area.left + c.area.width, 0.5);
    EXPECT_NEAR(far.y, c.area.top + c.area.height, 0.5);
    const ko::Vector back = box.toGrid(box.toWindow(ko::Vector(333.5f, 444.25f)));
    EXPECT_NEAR(back.x, 333.5f, 0.01);
    EXPECT_NEAR(back.y, 444.25f, 0.01);
    // The view shows the grid's pixels over exactly the area.
    const sf::View view = box.getView();
    EXPECT_EQ(view.getSize(), sf::Vector2f(1024, 768));
    const sf::FloatRect port = view.getViewport();
    EXPECT_FLOAT_EQ(port.left * static_cast<float>(std::max(1, c.window_w)), c.area.left);
    EXPECT_FLOAT_EQ(port.width * static_cast<float>(std::max(1, c.window_w)), c.area.width);
    EXPECT_FLOAT_EQ(port.top * static_cast<float>(std::max(1, c.window_h)), c.area.top);
    EXPECT_FLOAT_EQ(port.height * static_cast<float>(std::max(1, c.window_h)), c.area.height);
  }
}
