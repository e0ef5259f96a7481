// The invisible conductor of one game: loads the block texts, spawns blocks
// at a quickening cadence, keeps the record of the target block (the lowest)
// and hands each released key to it, counting how the game is typed.
// Created by the title screen with new, owned by the world, deleted when the
// game-over screen closes.
#pragma once

#include <string>
#include <vector>

#include <korvane/EventKeyboard.h>
#include <korvane/Object.h>
#include "TypingTally.h"

class ErrorsObject;

// The character a key types: letters in lower case, space, apostrophe; the
// null character for every other key.
char koKeyboardToChar(ko::Keyboard::Key key);

class ErrorsObjectList : public ko::Object {
 public:
  ErrorsObjectList();
  ~ErrorsObjectList() override;

  int eventHandler(const ko::Event* p_e) override;

  // The spawn clock, driven by the loop's global step count.
  void step(int step_number);
  void loadContents();
  std::string getContents(int i) const;
  int getContentsCount() const;

  float getMaxHeight() const;
  void setMaxHeight(float new_max_height);
  ErrorsObject* getMaxObject() const;
  void setMaxObject(ErrorsObject* new_max_object);
  float getAccelerate() const;
  void setAccelerate(float new_accelerate);
  float getReduction() const;
  void setReduction(float new_reduction);
  int getHighestGap() const;
  void setHighestGap(int new_highest_gap);
  bool isSpawning() const;
  // This game's typing so far; it stops counting when the game ends.
  const TypingTally& getTally() const;

 private:
  // Hands ch to the target and, when it counts, counts the key.
  void typeKey(char ch, bool counts);
  // One step in play; the speed display is refreshed each whole second.
  void countStep();

  int highest_gap;
  float max_height;
  ErrorsObject* max_object;
  float accelerate;
  float reduction;
  std::vector<std::string> contents;
  bool start;
  bool first_release_seen;
  TypingTally tally;
};

// The label of the live speed display.
const std::string WPM_DISPLAY = "wpm";
