#include "ErrorsObjectList.h"

#include <cctype>

#include <korvane/EventStep.h>
#include <korvane/EventView.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/WorldManager.h>
#include "Audio.h"
#include "ContentsFile.h"
#include "ErrorsObject.h"
#include "game.h"

char koKeyboardToChar(ko::Keyboard::Key key) {
  if (key == ko::Keyboard::SPACE) return ' ';
  if (key == ko::Keyboard::QUOTE) return '\'';
  if (key >= ko::Keyboard::A && key <= ko::Keyboard::Z) {
    return static_cast<char>('a' + (key - ko::Keyboard::A));
  }
  return '\0';
}

namespace {

// How many characters removeLetter would take: ch in either case.
int countInLine(const std::string& line, char ch) {
  const char upper = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
  int n = 0;
  for (char c : line) {
    if (c == ch || (upper != ch && c == upper)) ++n;
  }
  return n;
}

}  // namespace

ErrorsObjectList::ErrorsObjectList()
    : highest_gap(240),
      max_height(LOWEST_HEIGHT),
      max_object(nullptr),
      accelerate(1.0f),
      reduction(0.0f),
      start(true),
      first_release_seen(false) {
  setType(ELIST);
  registerInterest(ko::KEYBOARD_EVENT);
  setSolidness(ko::SPECTRAL);
  loadContents();
  registerInterest(GAMEOVER_EVENT);
  audio::playMusic("spectre");
}

ErrorsObjectList::~ErrorsObjectList() {
  audio::stopMusic("spectre");
  // Blocks still alive (when the world shuts down mid-game) must not reach
  // back into a spawner that is gone.
  const ko::ObjectList all = ko::WorldManager::getInstance().getAllObjects(true);
  for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    if (it.currentObject()->getType() == ERRORS_OBJECT) {
      static_cast<ErrorsObject*>(it.currentObject())->detachFromList();
    }
  }
}

int ErrorsObjectList::eventHandler(const ko::Event* p_e) {
  const std::string event_type = p_e->getType();
  if (event_type == ko::STEP_EVENT) {
    step(static_cast<const ko::EventStep*>(p_e)->getStepCount());
    if (start) countStep();
    return 1;
  }
  if (event_type == ko::KEYBOARD_EVENT) {
    auto* p_key = static_cast<const ko::EventKeyboard*>(p_e);
    if (p_key->getKeyboardAction() != ko::KEY_RELEASED) return 0;
    // The release of the P that started the game is not typing.
    const bool start_key = !first_release_seen && p_key->getKey() == ko::Keyboard::P;
    first_release_seen = true;
    typeKey(koKeyboardToChar(p_key->getKey()), !start_key);
    return 1;
  }
  if (event_type == GAMEOVER_EVENT) {
    start = !start;
    return 1;
  }
  return 0;
}

void ErrorsObjectList::step(int step_number) {
  if (!start) return;
  const int gap = static_cast<int>(static_cast<float>(highest_gap) * accelerate - reduction);
  // A gap that the cadence fields drive to zero or below spawns every step
  // instead of dividing by zero.
  if (gap <= 0 || step_number % gap == 0) new ErrorsObject(this, getContentsCount());
  if (step_number % 600 == 0 && static_cast<double>(accelerate) > 0.1) {
    accelerate = static_cast<float>(static_cast<double>(accelerate) - 0.1);
  }
}

void ErrorsObjectList::typeKey(char ch, bool counts) {
  int removed = 0;
  if (max_object != nullptr) {
    // Counted before the block changes: a cleared line gives way to the
    // next one at once.
    removed = countInLine(max_object->getCurrentLine(), ch);
    if (max_object->removeLetter(ch) == 0) removed = 0;
  }
  // Keys that type nothing, and keys once the game is over, are no typing.
  if (counts && ch != '\0' && start) tally.countKey(ch, removed);
}

void ErrorsObjectList::countStep() {
  tally.countStep();
  const int elapsed_ms = tally.getSteps() * STEP_MILLISECONDS;
  if (elapsed_ms / 1000 == (elapsed_ms - STEP_MILLISECONDS) / 1000) return;
  const ko::EventView speed(WPM_DISPLAY, tally.getWpm(), false);
  ko::WorldManager::getInstance().onEvent(&speed);
}

void ErrorsObjectList::loadContents() { contents = readContentsFile(CONTENTS_FILE); }

std::string ErrorsObjectList::getContents(int i) const {
  if (i < 0 || i >= getContentsCount()) return std::string();
  return contents[static_cast<size_t>(i)];
}

int ErrorsObjectList::getContentsCount() const { return static_cast<int>(contents.size()); }
float ErrorsObjectList::getMaxHeight() const { return max_height; }
void ErrorsObjectList::setMaxHeight(float new_max_height) { max_height = new_max_height; }
ErrorsObject* ErrorsObjectList::getMaxObject() const { return max_object; }
void ErrorsObjectList::setMaxObject(ErrorsObject* new_max_object) { max_object = new_max_object; }
float ErrorsObjectList::getAccelerate() const { return accelerate; }
void ErrorsObjectList::setAccelerate(float new_accelerate) { accelerate = new_accelerate; }
float ErrorsObjectList::getReduction() const { return reduction; }
void ErrorsObjectList::setReduction(float new_reduction) { reduction = new_reduction; }
int ErrorsObjectList::getHighestGap() const { return highest_gap; }
void ErrorsObjectList::setHighestGap(int new_highest_gap) { highest_gap = new_highest_gap; }
bool ErrorsObjectList::isSpawning() const { return start; }
const TypingTally& ErrorsObjectList::getTally() const { return tally; }
