#include "ScoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "utility.h"

namespace score_file {

int parseFirstLine(const std::string& line) {
  errno = 0;
  const long value = std::strtol(line.c_str(), nullptr, 10);
  if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return 0;
  return static_cast<int>(value);
}

int read(const std::string& path, bool* p_exists) {
  // Anything but a plain file counts as no file; the next save replaces it
  // if it can.
  if (!ko::isRegularFile(path)) {
    if (p_exists != nullptr) *p_exists = false;
    return 0;
  }
  std::ifstream file(path);
  if (p_exists != nullptr) *p_exists = file.is_open();
  if (!file.is_open()) return 0;
  std::string line;
  std::getline(file, line);
  return parseFirstLine(line);
}

int saveIfHigher(const std::string& path, int score) {
  bool exists = false;
  const int stored = read(path, &exists);
  if (exists && stored >= score) return 0;
  return write(path, score);
}

namespace {

bool writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int write(const std::string& path, int score) {
  // A temporary file beside the real one, renamed over it once complete:
  // readers see either the old score or the new one, never a partial file.
  std::string temp_path = path + ".XXXXXX";
  const int fd = mkstemp(&temp_path[0]);
  if (fd < 0) return -1;
  fchmod(fd, 0644);
  const bool written = writeAll(fd, ko::intToString(score)) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temp_path.c_str(), path.c_str()) != 0) {
    std::remove(temp_path.c_str());
    return -1;
  }
  return 0;
}

}  // namespace score_file
