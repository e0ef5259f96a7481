// Helpers shared by the test groups.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ko_test {

// The lines written to "korvane.log" so far. Turns log flushing on at the
// first call so that later lines reach the file at once.
std::vector<std::string> logLines();

// The contents of the regular file at path (links followed), or nothing
// when there is none. Anything else in its place counts as no file: a FIFO
// would block the reader.
std::optional<std::string> readFile(const std::string& path);

// Makes the sound system play into nothing; must run before anything opens
// the audio device. Tests that try another driver on purpose set their own.
void useNullAudio();

// The text with every line feed preceded by a carriage return.
std::string withCrLf(const std::string& text);

// An X display name (":N") where no server listens.
std::string deadDisplay();

// A fresh directory under /tmp for the files a test writes; removed with
// its contents at destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return dir; }
  // Writes content verbatim (no line-ending translation); returns the path.
  std::string write(const std::string& name, const std::string& content) const;

 private:
  std::string dir;
};

}  // namespace ko_test
