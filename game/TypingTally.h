// How one game was typed: keys, hits, misses, characters removed and the
// time in play, counted in the game's own steps so that a pause costs
// nothing. A plain value: the spawner keeps one per game and the game-over
// screen takes a copy.
#pragma once

#include <string>

class TypingTally {
 public:
  TypingTally();

  // A typed key (a character the spawner maps a key to) and how many
  // characters it removed from the target; none counts as a miss.
  void countKey(char ch, int removed);
  void countStep();

  int getTypedKeys() const;
  int getHits() const;
  int getMisses() const;
  int getCharsRemoved() const;
  int getSteps() const;
  // Five characters make a word; rounded to the nearest whole word per
  // minute; 0 before any time in play.
  int getWpm() const;
  // Hits as a whole percent of typed keys, rounded down so that only a
  // game without a miss shows 100; -1 with no typed keys.
  int getAccuracy() const;
  // Up to three missed characters, most missed first (ties in the order
  // a-z, space, apostrophe); empty without misses.
  std::string getMostMissed() const;

 private:
  // Misses per character: a-z, then space, then apostrophe.
  static const int MISS_SLOTS = 28;

  int typed_keys;
  int hits;
  int chars_removed;
  int steps;
  int misses_of[MISS_SLOTS];
};

// Milliseconds of play in one step of the game.
const int STEP_MILLISECONDS = 33;

// An accuracy as shown: "97%", or "-" for none (-1).
std::string accuracyText(int accuracy);
// A character as a player reads it in a list: the letter, "space" or "'".
std::string characterName(char ch);
