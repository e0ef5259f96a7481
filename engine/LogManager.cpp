#include <korvane/LogManager.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

#include <korvane/GameManager.h>

namespace ko {

namespace {

// Opens path for writing and empties it, creating it if missing, but only
// when it is a regular file: opening a FIFO for writing waits for a reader,
// for ever if none comes. Null with the reason in problem otherwise.
FILE* openRegularForWriting(const std::string& path, std::string& problem) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY, 0666);
  if (fd < 0) {
    // What a FIFO without a reader (or a device) gives a non-blocking open.
    problem = errno == ENXIO ? "not a regular file" : std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    problem = "not a regular file";
    close(fd);
    return nullptr;
  }
  FILE* p_f = nullptr;
  if (ftruncate(fd, 0) == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
    p_f = fdopen(fd, "w");
  }
  if (p_f == nullptr) {
    problem = std::strerror(errno);
    close(fd);
  }
  return p_f;
}

}  // namespace

LogManager::LogManager()
    : do_flush(false),
      p_f(nullptr),
      log_level(0),
      log_time_string(false),
      log_step_count(false),
      open_failure_reported(false) {
  setType(LOG_MANAGER);
  startUp();
}

LogManager::~LogManager() { shutDown(); }

LogManager& LogManager::getInstance() {
  static LogManager log_manager;
  return log_manager;
}

int LogManager::startUp() {
  if (p_f == nullptr) {
    std::string problem;
    p_f = openRegularForWriting(LOGFILE_DEFAULT, problem);
    if (p_f == nullptr) {
      // The log cannot carry its own failure; standard error is what is
      // left. Once, though the game manager's start-up tries again.
      if (!open_failure_reported) {
        char where[PATH_MAX];
        if (getcwd(where, sizeof where) == nullptr) std::snprintf(where, sizeof where, ".");
        std::fprintf(stderr, "%s: unable to open log file %s/%s: %s\n",
                     program_invocation_short_name, where, LOGFILE_DEFAULT.c_str(),
                     problem.c_str());
        open_failure_reported = true;
      }
      return -1;
    }
  }
  return Manager::startUp();
}

void LogManager::shutDown() {
  Manager::shutDown();
  if (p_f == nullptr) return;
  std::fclose(p_f);
  p_f = nullptr;
}

int LogManager::writeLog(const char* fmt, ...) const {
  va_list args;
  va_start(args, fmt);
  const int written = writeLine(false, fmt, args);
  va_end(args);
  return written;
}

int LogManager::writeLog(int level, const char* fmt, ...) const {
  if (log_level >= level) return 0;
  va_list args;
  va_start(args, fmt);
  const int written = writeLine(true, fmt, args);
  va_end(args);
  return written;
}

// The plain form runs the time straight into what follows; the level form
// separates it with two tabs.
int LogManager::writeLine(bool separate_time, const char* fmt, va_list args) const {
  if (p_f == nullptr) return -1;
  int written = 0;
  if (log_time_string) {
    const time_t now = std::time(nullptr);
    char time_str[26];
    std::strftime(time_str, sizeof time_str, "%Y:%m:%d %H:%M:%S", std::localtime(&now));
    written += std::fprintf(p_f, separate_time ? "%s\t\t" : "%s", time_str);
  }
  if (log_step_count) {
    written += std::fprintf(p_f, "%d\t\t", GameManager::getInstance().getStepCount());
  }
  written += std::vfprintf(p_f, fmt, args);
  written += std::fprintf(p_f, "\n");
  if (do_flush) std::fflush(p_f);
  if (std::ferror(p_f)) return -1;
  return written;
}

void LogManager::setFlush(bool new_do_flush) { do_flush = new_do_flush; }
void LogManager::setLogLevel(int new_log_level) { log_level = new_log_level; }
int LogManager::getLogLevel() const { return log_level; }
void LogManager::setLogTimeString(bool new_log_time_string) {
  log_time_string = new_log_time_string;
}
void LogManager::setLogStepCount(bool new_log_step_count) { log_step_count = new_log_step_count; }

}  // namespace ko
