#include <korvane/TestKit.h>

#include <SFML/Window/Event.hpp>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/WorldManager.h>

namespace ko {

namespace {

void queueKey(Keyboard::Key key, bool pressed) {
  sf::Event event{};
  event.type = pressed ? sf::Event::KeyPressed : sf::Event::KeyReleased;
  event.key.code = kokeyboardToSfKeyboard(key);
  InputManager::getInstance().queueWindowEvent(event);
}

// The pixel where the pointer sits for the mouse's current position.
sf::Vector2i pointerPixel() {
  const Vector cell = InputManager::getInstance().getMousePosition();
  const Vector pixels = spacesToPixels(cell);
  return sf::Vector2i(static_cast<int>(std::lround(pixels.x)),
                      static_cast<int>(std::lround(pixels.y)));
}

}  // namespace

TestKit::TestKit(unsigned int new_seed) : seed(new_seed), started(false) {
  // The managers are destroyed in the reverse order of their first use:
  // the log first, so that it outlives the others as in a game's main.
  LogManager::getInstance();
  GraphicsManager::getInstance();
  WorldManager::getInstance();
}

TestKit::~TestKit() {
  GameManager::getInstance().shutDown();
  GraphicsManager::getInstance().setHeadless(false);
}

int TestKit::startUp() {
  // Before anything opens the audio device: tests stay silent, and need
  // no sound card.
  setenv("ALSOFT_DRIVERS", "null", 1);
  GraphicsManager::getInstance().setHeadless(true);
  srand(seed);
  if (GameManager::getInstance().startUp() != 0) return -1;
  LogManager::getInstance().setFlush(true);
  started = true;
  return 0;
}

int TestKit::runSteps(int n) {
  GameManager& game_manager = GameManager::getInstance();
  int run = 0;
  while (run < n && started && !game_manager.getGameOver()) {
    game_manager.runIteration();
    run++;
  }
  return run;
}

void TestKit::pressKey(Keyboard::Key key) { queueKey(key, true); }
void TestKit::releaseKey(Keyboard::Key key) { queueKey(key, false); }

void TestKit::tapKey(Keyboard::Key key) {
  pressKey(key);
  releaseKey(key);
}

void TestKit::moveMouse(Vector cell) {
  const Vector pixels = spacesToPixels(cell);
  sf::Event event{};
  event.type = sf::Event::MouseMoved;
  // Rounded up: the first whole pixel inside the cell.
  event.mouseMove.x = static_cast<int>(std::ceil(pixels.x));
  event.mouseMove.y = static_cast<int>(std::ceil(pixels.y));
  InputManager::getInstance().queueWindowEvent(event);
}

void TestKit::queueButton(Mouse::EventMouseButton button, bool pressed) {
  sf::Event event{};
  event.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
  event.mouseButton.button = komouseToSfMouse(button);
  const sf::Vector2i pixel = pointerPixel();
  event.mouseButton.x = pixel.x;
  event.mouseButton.y = pixel.y;
  InputManager::getInstance().queueWindowEvent(event);
}

void TestKit::pressButton(Mouse::EventMouseButton button) { queueButton(button, true); }
void TestKit::releaseButton(Mouse::EventMouseButton button) { queueButton(button, false); }

void TestKit::click(Vector cell, Mouse::EventMouseButton button) {
  moveMouse(cell);
  pressButton(button);
  releaseButton(button);
}

std::vector<std::string> TestKit::getRows() const { return getFrame().getRows(); }
std::string TestKit::getRow(int row) const { return getFrame().getRow(row); }
CellFrame::Cell TestKit::getCell(int col, int row) const { return getFrame().get(col, row); }
Color TestKit::getColor(int col, int row) const { return getCell(col, row).color; }
const CellFrame& TestKit::getFrame() const { return GraphicsManager::getInstance().getCellFrame(); }

std::vector<std::string> TestKit::getLogLines() const {
  std::vector<std::string> lines;
  std::ifstream file(LOGFILE_DEFAULT);
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return lines;
}

}  // namespace ko
