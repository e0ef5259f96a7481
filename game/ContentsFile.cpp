#include "ContentsFile.h"

#include <fstream>

#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/utility.h>
#include "game.h"

namespace {

// The longest text a block can show whole: its dash rows are two columns
// wider than the text, and they must fit across the screen.
const int MAX_TEXT_LENGTH = ko::WINDOW_HORIZONTAL_CHARS_DEFAULT - 2;

struct Line {
  std::string text;  // at most MAX_TEXT_LENGTH + 1 characters of it
  std::size_t length = 0;
};

// Reads one line, keeping only as much as a text may hold, so that a huge
// line costs no memory. A trailing carriage return (a CR LF file) is not
// part of the line. A read past the end of the file gives an empty line.
Line nextLine(std::ifstream* p_file) {
  const std::size_t kept = MAX_TEXT_LENGTH + 1;
  Line line;
  std::streambuf* p_buffer = p_file->rdbuf();
  int last = 0;
  for (int c = p_buffer->sbumpc(); c != std::char_traits<char>::eof() && c != '\n';
       c = p_buffer->sbumpc()) {
    if (line.text.size() < kept) line.text.push_back(static_cast<char>(c));
    ++line.length;
    last = c;
  }
  if (last == '\r') {
    --line.length;
    if (line.text.size() > line.length) line.text.pop_back();
  }
  return line;
}

// A file saved with a byte-order mark would otherwise fail on its first word.
void skipByteOrderMark(std::ifstream* p_file) {
  const std::string mark = "\xEF\xBB\xBF";
  std::string head(mark.size(), '\0');
  p_file->read(&head[0], static_cast<std::streamsize>(head.size()));
  if (p_file->gcount() == static_cast<std::streamsize>(mark.size()) && head == mark) return;
  p_file->clear();
  p_file->seekg(0);
}

// What koKeyboardToChar can produce.
bool isTypable(const std::string& text) {
  for (const char c : text) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '\'')) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::string> readContentsFile(const std::string& path) {
  std::vector<std::string> texts;
  if (!ko::isRegularFile(path)) return texts;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return texts;
  skipByteOrderMark(&file);
  const ko::LogManager& log = ko::LogManager::getInstance();
  int line_number = 0;
  const int count = ko::readLineInt(&file, &line_number, MAX_NUM_TOKEN);
  if (count == -1) {
    log.writeLog("max numbers is wrong, wrong on line %d in file %s", line_number, path.c_str());
    return texts;
  }
  for (int i = 1; i <= count; ++i) {
    const Line header = nextLine(&file);
    ++line_number;
    if (header.text != "number " + ko::intToString(i)) {
      log.writeLog("something missing, wrong on line %d in file %s", line_number, path.c_str());
      break;
    }
    Line line = nextLine(&file);
    ++line_number;
    if (line.length == 0) {
      log.writeLog("somethign is wrong, wrong on line %d in file %s", line_number, path.c_str());
      break;
    }
    if (line.length > static_cast<std::size_t>(MAX_TEXT_LENGTH)) {
      line.text.resize(MAX_TEXT_LENGTH);
      log.writeLog("text of record %d on line %d in file %s is longer than %d characters, cut", i,
                   line_number, path.c_str(), MAX_TEXT_LENGTH);
    }
    // Kept as it is: such a block can still be dodged or outlasted.
    if (!isTypable(line.text)) {
      log.writeLog("text of record %d on line %d in file %s holds characters that cannot be typed",
                   i, line_number, path.c_str());
    }
    texts.push_back(line.text);
  }
  return texts;
}
