#include "GameDriver.h"

#include <gtest/gtest.h>

#include <fstream>

#include <korvane/GameManager.h>
#include <korvane/InputManager.h>
#include <korvane/LogManager.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameOver.h"
#include "GameSetup.h"
#include "GameStart.h"
#include "Hero.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "game.h"

namespace ko_test {

bool startGame(bool load_resources) {
  if (!startEngine()) return false;
  if (load_resources) loadResources();
  populateWorld();
  return true;
}

namespace {

// Never destroyed at exit: the managers it would shut down may already be
// gone by then. The test's process ends the engine itself.
ko::TestKit* p_current_kit = nullptr;

}  // namespace

ko::TestKit& kit() {
  if (p_current_kit == nullptr) p_current_kit = new ko::TestKit;
  return *p_current_kit;
}

bool startGameHeadless(unsigned seed, bool load_resources) {
  delete p_current_kit;
  p_current_kit = new ko::TestKit(seed);
  ko::TestKit* p_kit = p_current_kit;
  if (p_kit->startUp() != 0) {
    ADD_FAILURE() << "the engine did not start headless";
    return false;
  }
  if (load_resources) loadResources();
  populateWorld();
  return true;
}

void runSteps(int n) {
  for (int i = 0; i < n; i++) ko::GameManager::getInstance().runIteration();
}

void sendKey(ko::Keyboard::Key key, ko::EventKeyboardAction action) {
  ko::EventKeyboard event;
  event.setKey(key);
  event.setKeyboardAction(action);
  ko::InputManager::getInstance().onEvent(&event);
}

void releaseKey(ko::Keyboard::Key key) { sendKey(key, ko::KEY_RELEASED); }

ko::Keyboard::Key keyFor(char ch) {
  if (ch == ' ') return ko::Keyboard::SPACE;
  if (ch == '\'') return ko::Keyboard::QUOTE;
  if (ch >= 'a' && ch <= 'z') return static_cast<ko::Keyboard::Key>(ko::Keyboard::A + (ch - 'a'));
  if (ch >= 'A' && ch <= 'Z') return static_cast<ko::Keyboard::Key>(ko::Keyboard::A + (ch - 'A'));
  ADD_FAILURE() << "no key types '" << ch << "'";
  return ko::Keyboard::UNDEFINED_KEY;
}

void typeText(const std::string& text) {
  for (char ch : text) releaseKey(keyFor(ch));
}

std::vector<ko::Object*> objectsOfType(const std::string& type, bool inactive) {
  std::vector<ko::Object*> found;
  const ko::ObjectList all = ko::WorldManager::getInstance().getAllObjects(inactive);
  for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    if (it.currentObject()->getType() == type) found.push_back(it.currentObject());
  }
  return found;
}

int countOfType(const std::string& type) { return static_cast<int>(objectsOfType(type).size()); }

namespace {

// The only object of the type, or null when there is none; more than one
// is a failure.
template <typename T>
T* single(const std::string& type) {
  const std::vector<ko::Object*> found = objectsOfType(type);
  EXPECT_LE(found.size(), 1u) << "objects of type " << type;
  return found.empty() ? nullptr : static_cast<T*>(found.front());
}

}  // namespace

GameStart* titleScreen() { return single<GameStart>(GAME_START); }
Hero* ship() { return single<Hero>(HERO); }
ErrorsObjectList* spawner() { return single<ErrorsObjectList>(ELIST); }
GameOver* gameOverScreen() { return single<GameOver>(GAME_OVER); }

std::vector<ErrorsObject*> blocks() {
  std::vector<ErrorsObject*> found;
  for (ko::Object* p_o : objectsOfType(ERRORS_OBJECT)) {
    found.push_back(static_cast<ErrorsObject*>(p_o));
  }
  return found;
}

ko::ViewObject* display(const std::string& label) {
  ko::ViewObject* p_found = nullptr;
  for (ko::Object* p_o : objectsOfType(ko::VIEW_OBJECT)) {
    auto* p_view = static_cast<ko::ViewObject*>(p_o);
    if (p_view->getViewString() != label) continue;
    EXPECT_EQ(p_found, nullptr) << "more than one display labelled " << label;
    p_found = p_view;
  }
  return p_found;
}

ko::ViewObject* pointsDisplay() { return display("Points"); }

void writeContents(const std::vector<std::string>& texts) {
  std::ofstream file(CONTENTS_FILE, std::ios::trunc);
  file << MAX_NUM_TOKEN << " " << texts.size() << "\n";
  for (std::size_t i = 0; i < texts.size(); i++) {
    file << "number " << i + 1 << "\n" << texts[i] << "\n";
  }
}

std::string musicState(const std::string& label) {
  ko::Music* p_music = ko::ResourceManager::getInstance().getMusic(label);
  if (p_music == nullptr) return "missing";
  switch (p_music->getMusic()->getStatus()) {
    case sf::SoundSource::Playing:
      return "playing";
    case sf::SoundSource::Paused:
      return "paused";
    default:
      return "stopped";
  }
}

}  // namespace ko_test
