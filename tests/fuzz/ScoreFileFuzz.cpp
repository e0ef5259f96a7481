// Feeds arbitrary high-score files, and a score to save over them, to the
// score file code. The first line is read as a number by strtol's rule;
// saving a score replaces the file exactly when the score beats what is
// stored (or there is no file), and leaves no temporary file behind (only
// the lock that serialises saves). A first line too long to read is none.
//
// Input layout: byte 0 chooses whether the file exists (low bit), bytes 1-4
// are the score (little-endian), the rest is the file's content.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <korvane/utility.h>
#include "FuzzSupport.h"
#include "ScoreFile.h"

using ko_fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const bool exists = (data[0] & 1) != 0;
  const uint32_t bits = static_cast<uint32_t>(data[1]) | static_cast<uint32_t>(data[2]) << 8 |
                        static_cast<uint32_t>(data[3]) << 16 | static_cast<uint32_t>(data[4]) << 24;
  const int score = static_cast<int>(bits);
  const std::string content(reinterpret_cast<const char*>(data + 5), size - 5);

  const std::string path = ko_fuzz::scratchDir() + "/score.txt";
  std::remove(path.c_str());
  if (exists) ko_fuzz::writeFile("score.txt", data + 5, size - 5);

  // Reading: the file's first line, by the one-line rule.
  bool found = !exists;
  const int stored = score_file::read(path, &found);
  check(found == exists, "read reports whether the file exists");
  const std::string first_line = content.substr(0, content.find('\n'));
  const bool overlong = first_line.size() > score_file::MAX_FIRST_LINE;
  check(stored == (exists && !overlong ? score_file::parseFirstLine(first_line) : 0),
        "the stored score is the first line's value; an overlong one counts as none");

  // The decimal form of any int reads back as itself.
  const std::string decimal = ko::intToString(score);
  check(score_file::parseFirstLine(decimal) == score, "a written score reads back");

  const int result = score_file::saveIfHigher(path, score);
  check(result == 0, "saving into a writable directory succeeds");
  std::string after;
  const bool exists_after = ko_fuzz::readFile(path, &after);
  if (exists && stored >= score) {
    check(exists_after && after == content, "a score that does not beat the file leaves it alone");
  } else {
    check(exists_after && after == decimal, "a better score replaces the file by its decimal form");
    check(score_file::read(path) == score, "the saved score reads back");
  }

  const std::vector<std::string> entries = ko_fuzz::scratchEntries();
  for (const std::string& entry : entries) {
    check(entry == "score.txt" || entry == "score.txt.lock", "no temporary file is left");
  }
  return 0;
}
