#include "SpriteFileReader.h"

#include <sstream>
#include <utility>

#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/utility.h>

namespace ko {

namespace {

// Limits beyond which a sprite file is taken to be malformed rather than
// risk exhausting memory on a typo: no screen shows anything near them.
const int MAX_SPRITE_FRAMES = 100000;
const int MAX_FRAME_SIDE = 1000;
const long long MAX_SPRITE_CELLS = 10000000;

// A read is complete only if the stream is still good afterwards, so a
// last line without a line break does not count.
bool readCompleteLine(std::ifstream* p_file, std::string* p_line) {
  std::getline(*p_file, *p_line);
  return p_file->good();
}

std::string firstWord(std::istringstream* p_words) {
  std::string word;
  *p_words >> word;
  return word;
}

void logBadHeader(const std::string& tag, int line_number, const std::string& filename) {
  LogManager::getInstance().writeLog("%s is sad, wrong on line %d in file %s", tag.c_str(),
                                     line_number, filename.c_str());
}

// The number of the header line "tag N", or -1 (logged) unless 0 <= N <= max.
int readHeaderNumber(std::ifstream* p_file, int* p_line_number, const std::string& tag, int max,
                     const std::string& filename) {
  const int number = readLineInt(p_file, p_line_number, tag);
  if (number < 0 || number > max) {
    logBadHeader(tag, *p_line_number, filename);
    return -1;
  }
  return number;
}

}  // namespace

std::unique_ptr<Sprite> readSpriteFile(const std::string& filename) {
  const LogManager& log_manager = LogManager::getInstance();
  if (!isRegularFile(filename)) {
    log_manager.writeLog("unable to open file %s", filename.c_str());
    return nullptr;
  }
  std::ifstream file(filename);
  if (!file.is_open()) {
    log_manager.writeLog("unable to open file %s", filename.c_str());
    return nullptr;
  }
  int line_number = 0;

  // A negative or absurd count would make the sprite's frame table
  // impossible to allocate; a negative size describes no frame at all, and
  // letting one through would also overflow the size check below.
  const int frames =
      readHeaderNumber(&file, &line_number, FRAMES_TOKEN, MAX_SPRITE_FRAMES, filename);
  if (frames < 0) return nullptr;
  const int width = readHeaderNumber(&file, &line_number, WIDTH_TOKEN, MAX_FRAME_SIDE, filename);
  if (width < 0) return nullptr;
  const int height = readHeaderNumber(&file, &line_number, HEIGHT_TOKEN, MAX_FRAME_SIDE, filename);
  if (height < 0) return nullptr;
  if (static_cast<long long>(frames) * width * height > MAX_SPRITE_CELLS) {
    logBadHeader(HEIGHT_TOKEN, line_number, filename);
    return nullptr;
  }
  const Color color = stringToKoColor(readLineStr(&file, &line_number, COLOR_TOKEN));
  if (color == UNDEFINED_COLOR) {
    logBadHeader(COLOR_TOKEN, line_number, filename);
    return nullptr;
  }
  auto p_sprite = std::make_unique<Sprite>(frames);
  p_sprite->setWidth(width);
  p_sprite->setHeight(height);
  p_sprite->setColor(color);

  for (int i = 0; i < frames; i++) {
    Frame frame = readFrame(&file, &line_number, width, height, filename);
    if (frame.getHeight() == 0) {
      log_manager.writeLog("frame wrong at line %d in file %s", line_number, filename.c_str());
      return nullptr;
    }
    p_sprite->addFrame(std::move(frame));
  }

  std::string line;
  std::getline(file, line);
  line_number++;
  if (line != END_SPRITE_TOKEN) {
    log_manager.writeLog("end of sprite not detected %d in file %s", line_number, filename.c_str());
  }

  return p_sprite;
}

int readLineInt(std::ifstream* p_file, int* line_number, std::string tag) {
  std::string line;
  std::getline(*p_file, line);
  std::istringstream words(line);
  if (firstWord(&words) != tag) {
    return -1;
  }
  (*line_number)++;
  int number = 0;
  if (!(words >> number)) {
    return -1;
  }
  return number;
}

std::string readLineStr(std::ifstream* p_file, int* line_number, std::string tag) {
  std::string line;
  std::getline(*p_file, line);
  (*line_number)++;
  std::istringstream words(line);
  if (firstWord(&words) != tag) {
    return "";
  }
  std::string result;
  std::string word;
  while (words >> word) {
    if (!result.empty()) {
      result += ' ';
    }
    result += word;
  }
  return result;
}

namespace {

// The most of a file's line that a log message quotes; a frame line of
// megabytes would otherwise become a log line of megabytes.
const std::size_t MAX_QUOTED_LENGTH = 80;

std::string quoted(const std::string& line) {
  if (line.size() <= MAX_QUOTED_LENGTH) return line;
  return line.substr(0, MAX_QUOTED_LENGTH) + "...";
}

}  // namespace

Frame readFrame(std::ifstream* p_file, int* line_number, int width, int height,
                const std::string& filename) {
  std::string frame_str;
  std::string line;
  for (int i = 0; i < height; i++) {
    if (!readCompleteLine(p_file, &line)) {
      return Frame();
    }
    (*line_number)++;
    if (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
      line.pop_back();
    }
    if (static_cast<int>(line.size()) > width) {
      LogManager::getInstance().writeLog("%s %d and %d in file %s", quoted(line).c_str(),
                                         static_cast<int>(line.size()), width, filename.c_str());
      return Frame();
    }
    // Short lines are padded so that every cell of the frame exists.
    line.resize(static_cast<std::size_t>(width), ' ');
    frame_str += line;
  }
  const bool complete = readCompleteLine(p_file, &line);
  (*line_number)++;
  if (!complete || (line != END_FRAME_TOKEN && line != END_FRAME_TOKEN + "\r" &&
                    line != END_FRAME_TOKEN + "\n")) {
    return Frame();
  }
  return Frame(width, height, frame_str);
}

Color stringToKoColor(std::string name) {
  static const struct {
    const char* lower;
    const char* upper;
    Color color;
  } names[] = {
      {"green", "GREEN", GREEN}, {"black", "BLACK", BLACK},       {"red", "RED", RED},
      {"blue", "BLUE", BLUE},    {"magenta", "MAGENTA", MAGENTA}, {"yellow", "YELLOW", YELLOW},
      {"cyan", "CYAN", CYAN},    {"white", "WHITE", WHITE},
  };
  for (const auto& entry : names) {
    if (name == entry.lower || name == entry.upper) {
      return entry.color;
    }
  }
  return UNDEFINED_COLOR;
}

}  // namespace ko
