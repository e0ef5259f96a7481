// Writes the engine's and the game's diagnostic lines to "korvane.log" in
// the working directory. Its construction already opens the file, so it can
// be used before anything else is started.
#pragma once

#include <cstdarg>
#include <cstdio>

#include <korvane/Manager.h>

namespace ko {

const std::string LOG_MANAGER = "ko::log_manager";
const std::string LOGFILE_DEFAULT = "korvane.log";

class LogManager : public Manager {
 public:
  static LogManager& getInstance();
  LogManager(const LogManager&) = delete;
  void operator=(const LogManager&) = delete;
  ~LogManager() override;

  // Opens (and empties) the log file if none is open; -1 if it cannot, or
  // if it is no regular file, with a line on standard error saying why.
  int startUp() override;
  // Closes the file; later lines are not written.
  void shutDown() override;

  // Writes one line; returns the characters written, or -1 with no file
  // open or after a write error.
  int writeLog(const char* fmt, ...) const __attribute__((format(printf, 2, 3)));
  // The same, but only when log_level is above the manager's level;
  // returns 0 for a suppressed line.
  int writeLog(int log_level, const char* fmt, ...) const __attribute__((format(printf, 3, 4)));

  void setFlush(bool do_flush);
  void setLogLevel(int new_log_level);
  int getLogLevel() const;
  void setLogTimeString(bool new_log_time_string);
  void setLogStepCount(bool new_log_step_count);

 private:
  LogManager();
  int writeLine(bool separate_time, const char* fmt, va_list args) const;

  bool do_flush;
  FILE* p_f;
  int log_level;
  bool log_time_string;
  bool log_step_count;
  bool open_failure_reported;
};

}  // namespace ko
