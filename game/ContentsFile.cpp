#include "ContentsFile.h"

#include <fstream>

#include "LogManager.h"
#include "ResourceManager.h"
#include "game.h"
#include "utility.h"

namespace {

// A read past the end of the file gives an empty line. std::getline alone
// would leave the previous line in place when it extracts nothing, so a
// file ending just after a "number i" line would turn that line into a text.
std::string nextLine(std::ifstream* p_file) {
  std::string line;
  std::getline(*p_file, line);
  return line;
}

}  // namespace

std::vector<std::string> readContentsFile(const std::string& path) {
  std::vector<std::string> texts;
  if (!ko::isRegularFile(path)) return texts;
  std::ifstream file(path);
  if (!file.is_open()) return texts;
  const ko::LogManager& log = ko::LogManager::getInstance();
  int line_number = 0;
  const int count = ko::readLineInt(&file, &line_number, MAX_NUM_TOKEN);
  if (count == -1) {
    log.writeLog("max numbers is wrong, wrong on line %d in file %s", line_number, path.c_str());
    return texts;
  }
  for (int i = 1; i <= count; ++i) {
    std::string line = nextLine(&file);
    ++line_number;
    if (line != "number " + ko::intToString(i)) {
      log.writeLog("something missing, wrong on line %d in file %s", line_number, path.c_str());
      break;
    }
    line = nextLine(&file);
    ++line_number;
    if (line.empty()) {
      log.writeLog("somethign is wrong, wrong on line %d in file %s", line_number, path.c_str());
      break;
    }
    texts.push_back(line);
  }
  return texts;
}
