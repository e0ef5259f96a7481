#include "ScoreFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <korvane/utility.h>
#include "AtomicFile.h"

namespace score_file {

namespace {

// The most a temporary can hold: one int in decimal.
const off_t MAX_TEMP_SIZE = 11;

}  // namespace

int parseFirstLine(const std::string& line) {
  errno = 0;
  const long value = std::strtol(line.c_str(), nullptr, 10);
  if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return 0;
  return static_cast<int>(value);
}

int read(const std::string& path, bool* p_exists) {
  // Anything but a plain file counts as no file; the next save replaces it
  // if it can.
  std::string prefix;
  const bool exists = atomic_file::readStart(path, MAX_FIRST_LINE, &prefix);
  if (p_exists != nullptr) *p_exists = exists;
  if (!exists) return 0;
  const std::size_t end = prefix.find('\n');
  if (end == std::string::npos && prefix.size() > MAX_FIRST_LINE) return 0;
  return parseFirstLine(prefix.substr(0, end));
}

int saveIfHigher(const std::string& path, int score) {
  const std::string target = atomic_file::resolveLinks(path);
  if (target.empty()) return -1;
  // Without a lock file (an unwritable directory, say) the save goes on
  // alone; the write itself then tells whether the directory takes files.
  const atomic_file::SaveLock lock(target, atomic_file::LOCK_WAIT);
  if (lock.getState() == atomic_file::SaveLock::BUSY) return -1;
  bool exists = false;
  const int stored = read(target, &exists);
  if (exists && stored >= score) return 0;
  return atomic_file::replace(target, ko::intToString(score));
}

int write(const std::string& path, int score) {
  const std::string target = atomic_file::resolveLinks(path);
  return target.empty() ? -1 : atomic_file::replace(target, ko::intToString(score));
}

int removeStaleTemporaries(const std::string& path) {
  return atomic_file::removeStaleTemporaries(path, MAX_TEMP_SIZE);
}

}  // namespace score_file
