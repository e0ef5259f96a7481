#include "ScoreFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include <korvane/utility.h>

namespace score_file {

namespace {

// How long a save waits for another process's save to finish. Saves take
// milliseconds; a holder that stays longer is stopped or stuck, and the
// game must not freeze behind it.
const std::chrono::milliseconds LOCK_WAIT(2000);
// A temporary younger than this may belong to a save still in progress
// (of a program that takes no lock), so it is left alone.
const time_t STALE_AGE_SECONDS = 10;
// write() names its temporaries "<file>." plus this many letters or digits.
const std::size_t TEMP_SUFFIX_LENGTH = 6;
// The most a temporary can hold: one int in decimal.
const off_t MAX_TEMP_SIZE = 11;

// The file a save must replace: path with symbolic links followed, so that
// a link stays a link and its target gets the score. Empty for a loop.
std::string resolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return std::string();
    const std::string link_target(target, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    // A relative target is relative to the link's own directory.
    if (link_target[0] == '/' || slash == std::string::npos) {
      path = link_target;
    } else {
      path = path.substr(0, slash + 1) + link_target;
    }
  }
  return std::string();
}

// An exclusive lock on "<file>.lock", held for the object's lifetime. The
// lock file stays: removing it would let a waiting process lock a file that
// is no longer the one others find.
class SaveLock {
 public:
  enum State { HELD, BUSY, NO_LOCK_FILE };

  SaveLock(const std::string& target, std::chrono::milliseconds wait)
      : fd(open((target + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644)),
        state(NO_LOCK_FILE) {
    if (fd < 0) return;
    const auto give_up = std::chrono::steady_clock::now() + wait;
    for (;;) {
      if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        state = HELD;
        return;
      }
      if (errno == EINTR) continue;
      if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= give_up) break;
      usleep(2000);
    }
    state = errno == EWOULDBLOCK ? BUSY : NO_LOCK_FILE;
  }
  ~SaveLock() {
    if (fd >= 0) close(fd);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

  State getState() const { return state; }

 private:
  int fd;
  State state;
};

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

// A temporary file beside the real one, renamed over it once complete:
// readers see either the old score or the new one, never a partial file.
int replace(const std::string& target, int score) {
  std::string temp_path = target + ".XXXXXX";
  const int fd = mkstemp(&temp_path[0]);
  if (fd < 0) return -1;
  fchmod(fd, 0644);
  const bool written = writeAll(fd, ko::intToString(score)) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temp_path.c_str(), target.c_str()) != 0) {
    std::remove(temp_path.c_str());
    return -1;
  }
  return 0;
}

// Whether name has the form replace() gives its temporaries.
bool isTemporaryName(const std::string& name, const std::string& base) {
  if (name.size() != base.size() + 1 + TEMP_SUFFIX_LENGTH) return false;
  if (name.compare(0, base.size() + 1, base + ".") != 0) return false;
  for (std::size_t i = base.size() + 1; i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
      return false;
    }
  }
  return true;
}

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
  if (!ko::isRegularFile(path)) {
    if (p_exists != nullptr) *p_exists = false;
    return 0;
  }
  std::ifstream file(path, std::ios::binary);
  if (p_exists != nullptr) *p_exists = file.is_open();
  if (!file.is_open()) return 0;
  std::string prefix(MAX_FIRST_LINE + 1, '\0');
  file.read(&prefix[0], static_cast<std::streamsize>(prefix.size()));
  prefix.resize(static_cast<std::size_t>(file.gcount()));
  const std::size_t end = prefix.find('\n');
  if (end == std::string::npos && prefix.size() > MAX_FIRST_LINE) return 0;
  return parseFirstLine(prefix.substr(0, end));
}

int saveIfHigher(const std::string& path, int score) {
  const std::string target = resolveLinks(path);
  if (target.empty()) return -1;
  // Without a lock file (an unwritable directory, say) the save goes on
  // alone; the write itself then tells whether the directory takes files.
  const SaveLock lock(target, LOCK_WAIT);
  if (lock.getState() == SaveLock::BUSY) return -1;
  bool exists = false;
  const int stored = read(target, &exists);
  if (exists && stored >= score) return 0;
  return replace(target, score);
}

int write(const std::string& path, int score) {
  const std::string target = resolveLinks(path);
  return target.empty() ? -1 : replace(target, score);
}

int removeStaleTemporaries(const std::string& path) {
  const std::string target = resolveLinks(path);
  if (target.empty()) return 0;
  // Holding the lock, no other process of this program is between creating
  // a temporary and renaming it; while another holds it, leave everything.
  const SaveLock lock(target, std::chrono::milliseconds(0));
  if (lock.getState() != SaveLock::HELD) return 0;
  const std::size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* p_dir = opendir(dir.c_str());
  if (p_dir == nullptr) return 0;
  const time_t now = time(nullptr);
  int removed = 0;
  while (const dirent* p_entry = readdir(p_dir)) {
    const std::string name = p_entry->d_name;
    if (!isTemporaryName(name, base)) continue;
    const std::string temp_path = slash == std::string::npos ? name : dir + name;
    struct stat info {};
    if (lstat(temp_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (info.st_uid != geteuid() || info.st_size > MAX_TEMP_SIZE) continue;
    if (now - info.st_mtime < STALE_AGE_SECONDS) continue;
    if (unlink(temp_path.c_str()) == 0) ++removed;
  }
  closedir(p_dir);
  return removed;
}

}  // namespace score_file
