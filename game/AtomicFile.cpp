#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace atomic_file {

namespace {

// A temporary younger than this may belong to a save still in progress
// (of a program that takes no lock), so it is left alone.
const time_t STALE_AGE_SECONDS = 10;
// replace() names its temporaries "<file>." plus this many letters or digits.
const std::size_t TEMP_SUFFIX_LENGTH = 6;

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

bool readStart(const std::string& path, std::size_t limit, std::string* p_text) {
  p_text->clear();
  // Non-blocking, since opening a FIFO with no writer would wait forever;
  // anything but a plain file is then refused before a byte is read.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  std::string text(limit + 1, '\0');
  std::size_t done = 0;
  bool ok = true;
  while (done < text.size()) {
    const ssize_t n = ::read(fd, &text[done], text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  close(fd);
  if (!ok) return false;
  text.resize(done);
  p_text->swap(text);
  return true;
}

int replace(const std::string& target, const std::string& text) {
  std::string temp_path = target + ".XXXXXX";
  const int fd = mkstemp(&temp_path[0]);
  if (fd < 0) return -1;
  fchmod(fd, 0644);
  const bool written = writeAll(fd, text) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temp_path.c_str(), target.c_str()) != 0) {
    std::remove(temp_path.c_str());
    return -1;
  }
  return 0;
}

SaveLock::SaveLock(const std::string& target, std::chrono::milliseconds wait)
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

SaveLock::~SaveLock() {
  if (fd >= 0) close(fd);
}

SaveLock::State SaveLock::getState() const { return state; }

int removeStaleTemporaries(const std::string& path, off_t max_size) {
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
    if (info.st_uid != geteuid() || info.st_size > max_size) continue;
    if (now - info.st_mtime < STALE_AGE_SECONDS) continue;
    if (unlink(temp_path.c_str()) == 0) ++removed;
  }
  closedir(p_dir);
  return removed;
}

}  // namespace atomic_file
