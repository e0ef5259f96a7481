// The high-score file: its first line holds the best score as a decimal
// number. Reading never fails (no number counts as 0); writing replaces the
// file atomically, so a crash or a full disk leaves the old score intact.
// A symbolic link named as the file is followed: its target is replaced.
#pragma once

#include <cstddef>
#include <string>

namespace score_file {

// The longest first line that is read; a longer one counts as no number,
// so that a huge file costs neither time nor memory.
const std::size_t MAX_FIRST_LINE = 4096;

// The number at the start of the first line; 0 when there is none, it does
// not fit in an int or the line is longer than MAX_FIRST_LINE. Sets
// *p_exists to whether the file could be read.
int read(const std::string& path, bool* p_exists = nullptr);
// The value of one first line, by the same rule.
int parseFirstLine(const std::string& line);
// Writes score when it beats the stored value (or there is no file). The
// read, compare and replace hold a lock on "<file>.lock", so that of games
// ending at once in several processes the best score stays. Returns 0 when
// the file holds score afterwards or was left alone, -1 when a needed write
// failed or the lock stayed busy (the old file is then untouched).
int saveIfHigher(const std::string& path, int score);
// Replaces the file's contents by score, atomically; 0, or -1.
int write(const std::string& path, int score);
// Removes the temporaries that killed saves left beside the file: only
// names of the exact form write() creates, older than a few seconds, and
// only while no other process holds the lock. Returns how many went.
int removeStaleTemporaries(const std::string& path);

}  // namespace score_file
