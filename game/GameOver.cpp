#include "GameOver.h"

#include <korvane/EventKeyboard.h>
#include <korvane/EventStep.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/ResourceManager.h>
#include <korvane/WorldManager.h>
#include <korvane/utility.h>
#include "Audio.h"
#include "ErrorsObjectList.h"
#include "EventGameOver.h"
#include "GameStart.h"
#include "ScoreFile.h"
#include "game.h"

GameOver::GameOver()
    : highscore(0),
      points(0),
      new_best(false),
      key_grace(KEY_GRACE_STEPS),
      new_best_wpm(false),
      new_best_accuracy(false) {
  setType(GAME_OVER);
  highscore = score_file::read(SCORE_FILE);
  ko::Sprite* p_picture = ko::ResourceManager::getInstance().getSprite("gameover");
  if (p_picture == nullptr) {
    ko::LogManager::getInstance().writeLog(
        "GameOver::GameOver(): Warning! Sprite 'gameover' not found");
  } else {
    setSprite(p_picture, true);
    setSpriteSlowdown(15);
    setTransparency('#');
  }
  audio::playSound("game over");
  setLocation(ko::CENTER_CENTER);
  registerInterest(ko::STEP_EVENT);

  ko::WorldManager& world = ko::WorldManager::getInstance();
  const ko::ObjectList active = world.getAllObjects(false);
  for (ko::ObjectListIterator it(&active); !it.isDone(); it.next()) {
    if (it.currentObject()->getType() == ELIST) {
      tally = static_cast<ErrorsObjectList*>(it.currentObject())->getTally();
    }
    if (it.currentObject()->getType() != ko::VIEW_OBJECT) continue;
    auto* p_display = static_cast<ko::ViewObject*>(it.currentObject());
    // The speed display goes with the game too, but only the points score.
    if (p_display->getViewString() == "Points") {
      const int score = p_display->getValue();
      points = score;
      if (highscore < score) {
        new_best = true;
        highscore = score;
        setHighScore(score);
      }
    }
    world.markForDelete(p_display);
  }
  saveTypingRecord();
  registerInterest(ko::KEYBOARD_EVENT);
  const EventGameOver game_over;
  world.onEvent(&game_over);
}

GameOver::~GameOver() {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  const ko::ObjectList all = world.getAllObjects(true);
  for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    ko::Object* p_o = it.currentObject();
    const std::string& object_type = p_o->getType();
    if (object_type == ERRORS_OBJECT || object_type == ELIST) {
      world.markForDelete(p_o);
    } else if (object_type == ko::VIEW_OBJECT) {
      static_cast<ko::ViewObject*>(p_o)->setValue(0);
    } else if (object_type == GAME_START) {
      p_o->setIsActive(true);
      static_cast<GameStart*>(p_o)->playOnReturn();
      static_cast<GameStart*>(p_o)->startKeyGrace();
    }
  }
  const EventGameOver game_over;
  world.onEvent(&game_over);
}

int GameOver::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() == ko::STEP_EVENT) {
    step();
    return 1;
  }
  if (p_e->getType() == ko::KEYBOARD_EVENT && key_grace == 0) {
    const auto* p_key = static_cast<const ko::EventKeyboard*>(p_e);
    if (p_key->getKey() == ko::Keyboard::R && p_key->getKeyboardAction() == ko::KEY_RELEASED) {
      ko::WorldManager::getInstance().markForDelete(this);
      return 1;
    }
  }
  return 0;
}

void GameOver::step() {
  if (key_grace > 0) key_grace--;
}

void GameOver::draw() {
  const std::string text = "Current highscore is " + ko::intToString(highscore);
  ko::GraphicsManager::getInstance().drawString(ko::Vector(40, 3), text, ko::CENTER_JUSTIFIED,
                                                ko::WHITE, 0);
  // This game's results together under the picture, which ends on row 19.
  const std::string lines[] = {getPointsLine(), getTypingLine(), getBestsLine()};
  for (int i = 0; i < 3; ++i) {
    ko::GraphicsManager::getInstance().drawString(ko::Vector(40, static_cast<float>(20 + i)),
                                                  lines[i], ko::CENTER_JUSTIFIED, ko::WHITE, 0);
  }
  ko::Object::draw();
}

void GameOver::setHighScore(int score) {
  if (score_file::saveIfHigher(SCORE_FILE, score) != 0) {
    ko::LogManager::getInstance().writeLog(
        "GameOver::setHighScore(): Warning! Could not save the high score %d to %s", score,
        SCORE_FILE.c_str());
  }
}

int GameOver::getHighScore() const { return highscore; }

void GameOver::saveTypingRecord() {
  stats_file::TypingRecord before;
  const int saved = stats_file::addGame(STATS_FILE, tally, &before);
  record = stats_file::withGame(before, tally);
  new_best_wpm = record.best_wpm > before.best_wpm;
  new_best_accuracy = record.accuracy_games > before.accuracy_games &&
                      (before.accuracy_games == 0 || record.best_accuracy > before.best_accuracy);
  // Once per run: a data directory that takes no files stays so.
  static bool failure_logged = false;
  if (saved != 0 && !failure_logged) {
    failure_logged = true;
    ko::LogManager::getInstance().writeLog(
        "GameOver::saveTypingRecord(): Warning! Could not save the typing record to %s; "
        "the bests are shown but not kept",
        STATS_FILE.c_str());
  }
}

std::string GameOver::getTypingLine() const {
  std::string line = "Your typing: " + ko::intToString(tally.getWpm()) + " wpm   " +
                     accuracyText(tally.getAccuracy()) + " accuracy";
  const std::string missed = tally.getMostMissed();
  if (!missed.empty()) {
    line += "   missed most:";
    for (char ch : missed) line += " " + characterName(ch);
  }
  return line;
}

std::string GameOver::getBestsLine() const {
  const int best_accuracy = record.accuracy_games > 0 ? static_cast<int>(record.best_accuracy) : -1;
  return "Your bests: " + std::to_string(record.best_wpm) + " wpm" +
         (new_best_wpm ? " (new best!)" : "") + "   " + accuracyText(best_accuracy) + " accuracy" +
         (new_best_accuracy ? " (new best!)" : "");
}

std::string GameOver::getPointsLine() const {
  const std::string line = "Your points: " + ko::intToString(points);
  return new_best ? line + "   new best!" : line;
}
