// The typing record kept across games beside the high-score file: plain
// text, one "name value" line per figure, every line ending in a line end.
// A file that is not exactly that (missing, unreadable, cut short, holding
// garbage or impossible numbers) counts as no history and is replaced by
// the next good save. Writing goes through a temporary file and a lock, as
// the high score does.
#pragma once

#include <cstddef>
#include <string>

#include "TypingTally.h"

namespace stats_file {

// The largest file that is read; a longer one counts as no history.
const std::size_t MAX_SIZE = 4096;
// Counts stop growing here, far beyond any lifetime of play.
const long long MAX_COUNT = 1000000000000LL;
// Above this a speed is not a typing speed.
const long long MAX_WPM = 1000000;
// Games with fewer typed keys than this do not count for the best accuracy:
// three keys typed right would otherwise make a best that never falls.
const int MIN_KEYS_FOR_ACCURACY = 20;

struct TypingRecord {
  long long games = 0;
  long long typed_keys = 0;
  long long hits = 0;
  long long chars_removed = 0;
  long long steps_in_play = 0;
  long long best_wpm = 0;
  // Games of at least MIN_KEYS_FOR_ACCURACY typed keys; best_accuracy
  // means something only when there was one.
  long long accuracy_games = 0;
  long long best_accuracy = 0;
};

// Fills *p_record from a file's text; returns 0, or -1 (leaving *p_record
// alone) unless every figure is there once, well formed and possible.
int parse(const std::string& text, TypingRecord* p_record);
std::string format(const TypingRecord& record);
// The record with one more game added.
TypingRecord withGame(const TypingRecord& record, const TypingTally& game);

// The record in path; an empty one when there is no good file.
TypingRecord read(const std::string& path);
// Adds the game to the record in path under the save lock. *p_before gets
// the record as it was (empty when there was no good one). Returns 0, or -1
// when the file could not be replaced (it is then untouched).
int addGame(const std::string& path, const TypingTally& game, TypingRecord* p_before);
// Removes temporaries of killed saves; see atomic_file.
int removeStaleTemporaries(const std::string& path);

}  // namespace stats_file
