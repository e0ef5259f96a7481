// Runs a game built on the engine inside a test: the engine started
// headless (no window, no display, sound played into nothing), the loop
// stepped without sleeping, keys and mouse fed in as the window would
// report them, and the last frame read back as text and colours. Make one
// per test, on the stack; the engine's managers belong to the whole
// process, so only one kit may run at a time.
#pragma once

#include <string>
#include <vector>

#include <korvane/CellFrame.h>
#include <korvane/Color.h>
#include <korvane/EventKeyboard.h>
#include <korvane/EventMouse.h>
#include <korvane/Vector.h>

namespace ko {

class TestKit {
 public:
  // The seed is given to srand when the engine starts, so that a game that
  // draws from rand() runs the same way every time.
  explicit TestKit(unsigned int seed = 1);
  // Shuts the engine down, which deletes every object left in the world.
  ~TestKit();
  TestKit(const TestKit&) = delete;
  TestKit& operator=(const TestKit&) = delete;

  // Starts the engine headless, with log lines flushed as written; 0, or
  // -1 when a manager does not start (the log says why).
  int startUp();

  // Runs up to n loop iterations back to back, as the game loop would
  // without its sleep, and stops early once the game is over; returns the
  // number run.
  int runSteps(int n = 1);

  // Input is delivered by the next iteration, in the order given, as the
  // window's events would be. A pressed key stays held, and is reported
  // held in each iteration, until it is released; tapKey presses and
  // releases within one iteration.
  void pressKey(Keyboard::Key key);
  void releaseKey(Keyboard::Key key);
  void tapKey(Keyboard::Key key);
  // The pointer moves onto a cell (view coordinates) at its top-left pixel:
  // the game gets the cell's position or a fraction of a cell past it, as
  // from a real pointer there. A button pressed stays held until released;
  // click moves there, presses and releases within one iteration.
  void moveMouse(Vector cell);
  void pressButton(Mouse::EventMouseButton button);
  void releaseButton(Mouse::EventMouseButton button);
  void click(Vector cell, Mouse::EventMouseButton button = Mouse::LEFT_BUTTON);

  // The frame shown by the last iteration: each row as text (a space where
  // nothing, or whitespace, is drawn), and single cells. Outside the
  // screen a row is empty and a cell holds nothing.
  std::vector<std::string> getRows() const;
  std::string getRow(int row) const;
  CellFrame::Cell getCell(int col, int row) const;
  // UNDEFINED_COLOR where nothing is drawn.
  Color getColor(int col, int row) const;
  const CellFrame& getFrame() const;

  // The lines written to the log file so far, the engine's and the game's.
  std::vector<std::string> getLogLines() const;

 private:
  void queueButton(Mouse::EventMouseButton button, bool pressed);

  unsigned int seed;
  bool started;
};

}  // namespace ko
