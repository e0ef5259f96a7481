#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <korvane/LogManager.h>

namespace ko_test {

std::vector<std::string> logLines() {
  ko::LogManager::getInstance().setFlush(true);
  std::vector<std::string> lines;
  std::ifstream file(ko::LOGFILE_DEFAULT);
  std::string line;
  while (std::getline(file, line)) {
    lines.push_back(line);
  }
  return lines;
}

std::optional<std::string> readFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void useNullAudio() { setenv("ALSOFT_DRIVERS", "null", 1); }

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-files-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a scratch directory");
  }
  dir = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& content) const {
  const std::string file_path = dir + "/" + name;
  std::ofstream file(file_path, std::ios::binary);
  file << content;
  return file_path;
}

std::string withCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string deadDisplay() {
  // Far above the displays the test command and developers start.
  for (int n = 250;; ++n) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
    const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    if (!std::filesystem::exists(socket) && !std::filesystem::exists(lock)) {
      return ":" + std::to_string(n);
    }
  }
}

}  // namespace ko_test
