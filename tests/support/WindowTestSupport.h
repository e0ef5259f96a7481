// Helpers for tests that open the engine's window on an X display: reading
// back what was drawn, cell by cell, and injecting real input.
#pragma once

#include <SFML/Graphics.hpp>
#include <functional>
#include <string>

namespace ko_test {

// Starts the engine's managers (window included) and turns log flushing
// on. Returns false, after adding a test failure, when that fails.
bool startEngine();
// Stops the engine again; the world deletes the objects the test made.
void stopEngine();

// What has been drawn since the last buffer swap (pending characters are
// flushed into the window first).
sf::Image grabWindow();

// The reference a batched frame is held to: after a swap, draw() run with
// batching off, read back; then swapped again, with batching back on.
sf::Image perCharacterFrame(const std::function<void()>& draw);

// What the X server shows in the window now: the last frame displayed, not
// the one being drawn. It only talks to the X server, so another thread may
// call it while the engine's thread is held (in a pause, say); take the
// handle on the engine's thread.
sf::Image grabShownWindow(sf::WindowHandle window);

// Pixel rectangle of the box drawn for cell (col, row) with the default
// grid, shrunk so that neither rounding at its edges nor the bold glyphs of
// the neighbouring cells, which overhang their boxes by a pixel or two,
// reach into it.
sf::IntRect cellBoxArea(int col, int row);

// Number of pixels that differ between two pictures of the same size.
int differingPixels(const sf::Image& a, const sf::Image& b);

// Number of pixels of exactly this colour in the area.
int countColor(const sf::Image& image, const sf::IntRect& area, sf::Color color);

// A text picture of the cells in [col0, col0 + cols) x [row0, row0 + rows):
// '#' where the cell's box area is mostly box_color, '.' where it is wholly
// background, '?' for anything else; rows are separated by '\n'.
std::string cellMap(const sf::Image& image, int col0, int row0, int cols, int rows,
                    sf::Color box_color, sf::Color background);

// Gives the engine's window the keyboard focus (there is no window manager
// to do it) once the server shows it.
void focusWindow();
// Runs xdotool with the arguments (keys and buttons go to the focused
// window through the X test extension).
void xdotool(const std::string& args);
// Asks the window to close, as a window manager's close button does.
void requestClose();

// Process CPU time in seconds.
double cpuSeconds();
// Sleeps for the given milliseconds.
void sleepMs(int milliseconds);

}  // namespace ko_test
