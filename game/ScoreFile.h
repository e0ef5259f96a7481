// The high-score file: its first line holds the best score as a decimal
// number. Reading never fails (no number counts as 0); writing replaces the
// file atomically, so a crash or a full disk leaves the old score intact.
#pragma once

#include <string>

namespace score_file {

// The number at the start of the first line; 0 when there is none or it
// does not fit in an int. Sets *p_exists to whether the file could be read.
int read(const std::string& path, bool* p_exists = nullptr);
// The value of one first line, by the same rule.
int parseFirstLine(const std::string& line);
// Writes score when it beats the stored value (or there is no file).
// Returns 0 when the file holds score afterwards or was left alone, -1 when
// a needed write failed (the old file is then untouched).
int saveIfHigher(const std::string& path, int score);
// Replaces the file's contents by score, atomically; 0, or -1.
int write(const std::string& path, int score);

}  // namespace score_file
