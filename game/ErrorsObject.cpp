#include "ErrorsObject.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include <korvane/EventOut.h>
#include <korvane/EventStep.h>
#include <korvane/EventView.h>
#include <korvane/GraphicsManager.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>
#include "Audio.h"
#include "ErrorsObjectList.h"
#include "Explosion.h"
#include "game.h"

namespace {

const char TARGET_MARKER = '>';

void removeAll(std::string& line, char ch) {
  line.erase(std::remove(line.begin(), line.end(), ch), line.end());
}

// A line of nothing but spaces would look like an empty block that still
// waits for a key, so those spaces are drawn as underscores.
std::string shownLine(const std::string& line) {
  if (line.find_first_not_of(' ') != std::string::npos) return line;
  return std::string(line.size(), '_');
}

}  // namespace

ErrorsObject::ErrorsObject(ErrorsObjectList* n_list, int max_num)
    : list(n_list),
      hardness(1),
      color{ko::YELLOW, ko::MAGENTA, ko::RED},
      max_number(max_num),
      cleared(false) {
  const int r = rand() % 100;
  if (r <= 29) hardness = 2;
  if (r <= 9) hardness = 3;
  loadContent();
  const int k = rand() % 10 + 1;
  const float speed = static_cast<float>(k / 10.0);
  setYVelocity(static_cast<float>(speed * 0.1));
  setSolidness(ko::SOFT);
  moveToStart();
  setType(ERRORS_OBJECT);
  registerInterest(GAMEOVER_EVENT);
}

ErrorsObject::~ErrorsObject() {
  if (list != nullptr && list->getMaxObject() == this) {
    list->setMaxObject(nullptr);
    list->setMaxHeight(LOWEST_HEIGHT);
  }
  audio::playSound("errors");
  (new Explosion)->setPos(getPos());
}

void ErrorsObject::loadContent() {
  std::string text = "hello";
  if (max_number != 0 && list != nullptr) text = list->getContents(rand() % max_number);
  for (int i = 0; i < hardness; ++i) content[i] = text;
  updateBox();
}

void ErrorsObject::updateBox() {
  const float width = static_cast<float>(content[0].size());
  setBox(ko::Box(ko::Vector(static_cast<float>(0 - width / 2.0), -1.5f), width, 3));
}

void ErrorsObject::moveToStart() {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  const int view_width = static_cast<int>(world.getView().getHorizontal());
  float x = static_cast<float>(rand() % (view_width - 4) + 4);
  float y = -3;
  const float half = getBox().getHorizontal() / 2;
  if (x + half > view_width) x = view_width - half - 1;
  if (x - half < 0) x = half;
  // Stack above blocks still waiting off screen rather than overlap them.
  while (!world.isCollision(this, ko::Vector(x, y)).isEmpty()) y -= 1;
  setPos(ko::Vector(x, y));
}

int ErrorsObject::eventHandler(const ko::Event* p_e) {
  const std::string event_type = p_e->getType();
  if (event_type == ko::OUT_EVENT || event_type == GAMEOVER_EVENT) {
    ko::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (event_type == ko::STEP_EVENT) {
    electTarget();
    return 1;
  }
  return 0;
}

// The lowest block becomes the spawner's target.
void ErrorsObject::electTarget() {
  if (list == nullptr) return;
  const int record = static_cast<int>(list->getMaxHeight());
  if (getPos().y > record) {
    list->setMaxHeight(getPos().y);
    list->setMaxObject(this);
  }
}

int ErrorsObject::removeLetter(char ch) {
  if (ch == '\0' || cleared) return 0;
  std::string& line = content[hardness - 1];
  removeAll(line, ch);
  removeAll(line, static_cast<char>(toupper(static_cast<unsigned char>(ch))));
  audio::playSound("fire");
  if (line.empty()) {
    if (hardness == 1) {
      cleared = true;
      ko::WorldManager::getInstance().markForDelete(this);
      const ko::EventView point("Points", 1, true);
      ko::WorldManager::getInstance().onEvent(&point);
      return 1;
    }
    --hardness;
    // At the explosion's own altitude, above the block it marks.
    auto* p_explosion = new Explosion;
    p_explosion->setPos(getPos());
  }
  updateBox();
  return 1;
}

void ErrorsObject::draw() {
  const ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const std::string dashes(content[0].size() + 2, '-');
  const ko::Color col = color[hardness - 1];
  const ko::Vector at = getPos();
  graphics.drawString(ko::Vector(at.x, at.y + 1), dashes, ko::CENTER_JUSTIFIED, col, 0);
  graphics.drawString(ko::Vector(at.x, at.y - 1), dashes, ko::CENTER_JUSTIFIED, col, 0);
  // The marker sits on the block's left edge, so it stays put while the
  // line shrinks and players always see which block their keys go to.
  if (list != nullptr && list->getMaxObject() == this) {
    const float left = at.x - static_cast<float>(dashes.size() / 2);
    graphics.drawCh(ko::Vector(left, at.y), TARGET_MARKER, col);
  }
  graphics.drawString(at, shownLine(content[hardness - 1]), ko::CENTER_JUSTIFIED, col, 0);
}

ko::Color ErrorsObject::getColor(int i) const {
  if (i < 0 || i > 2) return color[0];
  return color[i];
}

int ErrorsObject::getHardness() const { return hardness; }
void ErrorsObject::setHardness(int new_hardness) {
  if (new_hardness >= 1 && new_hardness <= 3) hardness = new_hardness;
}
void ErrorsObject::setMaxNumber(int new_max_number) { max_number = new_max_number; }
std::string ErrorsObject::getCurrentLine() const { return content[hardness - 1]; }
void ErrorsObject::detachFromList() { list = nullptr; }
