#include "LogManager.h"

#include <ctime>

#include "GameManager.h"

namespace ko {

LogManager::LogManager()
    : do_flush(false), p_f(nullptr), log_level(0), log_time_string(false), log_step_count(false) {
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
    p_f = std::fopen(LOGFILE_DEFAULT.c_str(), "w");
    if (p_f == nullptr) return -1;
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
