// Helpers shared by the fuzz targets: a private scratch directory for the
// files under test, and a check that stops the run with a message.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ko_fuzz {

// libFuzzer reports an abort as a crash and saves the input that caused it.
inline void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
  }
}

// One directory per process, made on first use under $TMPDIR (or /tmp).
// Never removed: files inside are rewritten by each input, and the run
// script deletes the whole scratch area afterwards.
inline const std::string& scratchDir() {
  static const std::string dir = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/korvane-fuzz.XXXXXX";
    check(mkdtemp(&pattern[0]) != nullptr, "cannot make a scratch directory");
    return pattern;
  }();
  return dir;
}

inline std::string writeFile(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = scratchDir() + "/" + name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  file.close();
  check(file.good(), "cannot write the input file");
  return path;
}

inline bool readFile(const std::string& path, std::string* p_text) {
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return false;
  p_text->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

// The names in the scratch directory, "." and ".." left out.
inline std::vector<std::string> scratchEntries() {
  std::vector<std::string> names;
  DIR* p_dir = opendir(scratchDir().c_str());
  check(p_dir != nullptr, "cannot list the scratch directory");
  while (const dirent* p_entry = readdir(p_dir)) {
    const std::string name = p_entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(p_dir);
  return names;
}

}  // namespace ko_fuzz
