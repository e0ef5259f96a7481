#include "TypingTally.h"

#include <algorithm>
#include <climits>

#include <korvane/utility.h>

namespace {

int missSlot(char ch) {
  if (ch >= 'a' && ch <= 'z') return ch - 'a';
  if (ch == ' ') return 26;
  if (ch == '\'') return 27;
  return -1;
}

char slotCharacter(int slot) {
  if (slot < 26) return static_cast<char>('a' + slot);
  return slot == 26 ? ' ' : '\'';
}

}  // namespace

TypingTally::TypingTally() : typed_keys(0), hits(0), chars_removed(0), steps(0), misses_of{} {}

void TypingTally::countKey(char ch, int removed) {
  ++typed_keys;
  if (removed > 0) {
    ++hits;
    chars_removed += removed;
    return;
  }
  const int slot = missSlot(ch);
  if (slot >= 0) ++misses_of[slot];
}

void TypingTally::countStep() { ++steps; }

int TypingTally::getTypedKeys() const { return typed_keys; }
int TypingTally::getHits() const { return hits; }
int TypingTally::getMisses() const { return typed_keys - hits; }
int TypingTally::getCharsRemoved() const { return chars_removed; }
int TypingTally::getSteps() const { return steps; }

int TypingTally::getWpm() const {
  if (steps == 0) return 0;
  // chars / 5 words in steps * 33 / 60000 minutes.
  const long long numerator = static_cast<long long>(chars_removed) * 60000;
  const long long denominator = 5LL * STEP_MILLISECONDS * steps;
  const long long wpm = (numerator + denominator / 2) / denominator;
  return static_cast<int>(std::min<long long>(wpm, INT_MAX));
}

int TypingTally::getAccuracy() const {
  if (typed_keys == 0) return -1;
  return static_cast<int>(static_cast<long long>(hits) * 100 / typed_keys);
}

std::string TypingTally::getMostMissed() const {
  std::string most;
  bool taken[MISS_SLOTS] = {};
  for (int place = 0; place < 3; ++place) {
    int best = -1;
    for (int slot = 0; slot < MISS_SLOTS; ++slot) {
      if (taken[slot] || misses_of[slot] == 0) continue;
      if (best < 0 || misses_of[slot] > misses_of[best]) best = slot;
    }
    if (best < 0) break;
    taken[best] = true;
    most += slotCharacter(best);
  }
  return most;
}

std::string accuracyText(int accuracy) {
  return accuracy < 0 ? "-" : ko::intToString(accuracy) + "%";
}

std::string characterName(char ch) {
  if (ch == ' ') return "space";
  return std::string(1, ch);
}
