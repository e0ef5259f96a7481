// Feeds arbitrary bytes to the contents file reader. Every text it returns
// must come from the file as a complete, well-formed record: after the
// first line the file begins with "number 1", text 1, "number 2", text 2 ...
// for exactly the texts returned, each on a line of its own (a line may end
// in CR LF, the file may start with a byte-order mark), each text the start
// of its line cut to what a block can show.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <korvane/utility.h>
#include "ContentsFile.h"
#include "FuzzSupport.h"

using ko_fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string content(reinterpret_cast<const char*>(data), size);
  const std::string path = ko_fuzz::writeFile("data.txt", data, size);
  const std::vector<std::string> texts = readContentsFile(path);
  if (texts.empty()) return 0;
  if (content.rfind("\xEF\xBB\xBF", 0) == 0) content.erase(0, 3);

  const size_t first_break = content.find('\n');
  check(first_break != std::string::npos, "texts need more than one line");
  std::istringstream first_line(content.substr(0, first_break));
  std::string keyword;
  long long count = 0;
  check(static_cast<bool>(first_line >> keyword >> count) && keyword == "numbers",
        "the first line is the count");
  check(count > 0 && static_cast<unsigned long long>(count) >= texts.size(),
        "no more texts than the count");

  const std::string rest = content.substr(first_break + 1);
  size_t at = 0;
  // The file's next line without its line end; the last may lack a break.
  auto next_line = [&rest, &at]() {
    check(at < rest.size(), "every record is in the file");
    size_t end = rest.find('\n', at);
    if (end == std::string::npos) end = rest.size();
    std::string line = rest.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  };
  const size_t widest = 78;
  for (size_t i = 0; i < texts.size(); i++) {
    check(!texts[i].empty(), "texts are not empty");
    check(texts[i].size() <= widest, "a text fits a block on the screen");
    check(next_line() == "number " + ko::intToString(static_cast<int>(i + 1)),
          "the records are the file's, in order");
    check(next_line().substr(0, widest) == texts[i], "a text is its line, cut to fit");
  }
  return 0;
}
