#include "WindowTestSupport.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>

// Last: Xlib defines macros (None, Bool, ...) that clash with C++ names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ko_test {

namespace {

// Focus requests can race with the server mapping the window; an error
// here must not end the test process as Xlib's default handler would.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

Display* testDisplay() {
  static Display* p_display = XOpenDisplay(nullptr);
  return p_display;
}

::Window engineWindow() {
  return static_cast<::Window>(ko::GraphicsManager::getInstance().getWindow()->getSystemHandle());
}

}  // namespace

bool startEngine() {
  if (std::getenv("DISPLAY") == nullptr) {
    ADD_FAILURE() << "window tests need an X display (DISPLAY is not set)";
    return false;
  }
  if (ko::GameManager::getInstance().startUp() != 0) {
    ADD_FAILURE() << "the engine did not start (is ko-font.ttf in the working directory?)";
    return false;
  }
  ko::LogManager::getInstance().setFlush(true);
  return true;
}

void stopEngine() { ko::GameManager::getInstance().shutDown(); }

sf::Image grabWindow() {
  ko::GraphicsManager::getInstance().flush();
  sf::RenderWindow* p_window = ko::GraphicsManager::getInstance().getWindow();
  sf::Texture texture;
  texture.create(p_window->getSize().x, p_window->getSize().y);
  texture.update(*p_window);
  return texture.copyToImage();
}

sf::Image perCharacterFrame(const std::function<void()>& draw) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  graphics.swapBuffers();
  graphics.setBatching(false);
  draw();
  const sf::Image frame = grabWindow();
  graphics.swapBuffers();
  graphics.setBatching(true);
  return frame;
}

sf::Image grabShownWindow(sf::WindowHandle window) {
  sf::Image image;
  Display* p_display = testDisplay();
  if (p_display == nullptr) {
    ADD_FAILURE() << "cannot open the X display";
    return image;
  }
  XWindowAttributes attributes;
  XGetWindowAttributes(p_display, window, &attributes);
  XImage* p_ximage = XGetImage(p_display, window, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (p_ximage == nullptr) {
    ADD_FAILURE() << "cannot read the window from the X server";
    return image;
  }
  // Each colour's mask says where its eight bits lie in the pixel.
  const auto channel = [](unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
      mask >>= 1;
      shift++;
    }
    return static_cast<sf::Uint8>((pixel >> shift) & mask);
  };
  image.create(static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height));
  for (int y = 0; y < attributes.height; y++) {
    for (int x = 0; x < attributes.width; x++) {
      const unsigned long pixel = XGetPixel(p_ximage, x, y);
      image.setPixel(
          static_cast<unsigned>(x), static_cast<unsigned>(y),
          sf::Color(channel(pixel, p_ximage->red_mask), channel(pixel, p_ximage->green_mask),
                    channel(pixel, p_ximage->blue_mask)));
    }
  }
  XDestroyImage(p_ximage);
  return image;
}

sf::IntRect cellBoxArea(int col, int row) {
  const float cell_w = ko::charWidth();
  const float cell_h = ko::charHeight();
  const float left = static_cast<float>(col) * cell_w + cell_w / 2 - 5;
  const float top = static_cast<float>(row) * cell_h + cell_h / 2 - 12;
  const int x0 = static_cast<int>(left) + 2;
  const int y0 = static_cast<int>(top) + 1;
  const int x1 = static_cast<int>(left + cell_w) - 3;
  const int y1 = static_cast<int>(top + cell_h) - 1;
  return sf::IntRect(x0, y0, x1 - x0, y1 - y0);
}

int differingPixels(const sf::Image& a, const sf::Image& b) {
  int differing = 0;
  for (unsigned y = 0; y < a.getSize().y; ++y) {
    for (unsigned x = 0; x < a.getSize().x; ++x) differing += a.getPixel(x, y) != b.getPixel(x, y);
  }
  return differing;
}

int countColor(const sf::Image& image, const sf::IntRect& area, sf::Color color) {
  int count = 0;
  const sf::Vector2u size = image.getSize();
  for (int y = area.top; y < area.top + area.height; y++) {
    for (int x = area.left; x < area.left + area.width; x++) {
      if (x >= 0 && y >= 0 && static_cast<unsigned>(x) < size.x &&
          static_cast<unsigned>(y) < size.y &&
          image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) == color) {
        count++;
      }
    }
  }
  return count;
}

std::string cellMap(const sf::Image& image, int col0, int row0, int cols, int rows,
                    sf::Color box_color, sf::Color background) {
  std::string map;
  for (int row = row0; row < row0 + rows; row++) {
    for (int col = col0; col < col0 + cols; col++) {
      const sf::IntRect area = cellBoxArea(col, row);
      const int total = area.width * area.height;
      const int boxed = countColor(image, area, box_color);
      if (boxed * 2 > total) {
        map += '#';
      } else if (countColor(image, area, background) == total) {
        map += '.';
      } else {
        map += '?';
      }
    }
    map += '\n';
  }
  return map;
}

void focusWindow() {
  Display* p_display = testDisplay();
  ASSERT_NE(p_display, nullptr) << "cannot open the X display";
  const ::Window window = engineWindow();
  XErrorHandler previous = XSetErrorHandler(ignoreXError);
  for (int attempt = 0; attempt < 200; attempt++) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(p_display, window, &attributes) &&
        attributes.map_state == IsViewable) {
      break;
    }
    sleepMs(10);
  }
  XSetInputFocus(p_display, window, RevertToPointerRoot, CurrentTime);
  XSync(p_display, False);
  XSetErrorHandler(previous);
  // Let the focus change reach the window before any key does.
  for (int i = 0; i < 5; i++) {
    sf::Event ignored;
    while (ko::GraphicsManager::getInstance().getWindow()->pollEvent(ignored)) {
    }
    sleepMs(10);
  }
}

void xdotool(const std::string& args) {
  // Not under a sanitizer runtime that a sanitized test run preloads.
  const std::string command = "env -u LD_PRELOAD xdotool " + args;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void requestClose() {
  Display* p_display = testDisplay();
  ASSERT_NE(p_display, nullptr);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = engineWindow();
  event.xclient.message_type = XInternAtom(p_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(p_display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(p_display, engineWindow(), False, NoEventMask, &event);
  XSync(p_display, False);
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void sleepMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace ko_test
