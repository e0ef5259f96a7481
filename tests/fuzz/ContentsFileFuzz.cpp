// Feeds arbitrary bytes to the contents file reader. Every text it returns
// must come from the file as a complete, well-formed record: after the
// first line the file begins with "number 1", text 1, "number 2", text 2 ...
// for exactly the texts returned, each on a line of its own.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "ContentsFile.h"
#include "FuzzSupport.h"
#include "utility.h"

using ko_fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  const std::string path = ko_fuzz::writeFile("data.txt", data, size);
  const std::vector<std::string> texts = readContentsFile(path);
  if (texts.empty()) return 0;

  const size_t first_break = content.find('\n');
  check(first_break != std::string::npos, "texts need more than one line");
  std::istringstream first_line(content.substr(0, first_break));
  std::string keyword;
  long long count = 0;
  check(static_cast<bool>(first_line >> keyword >> count) && keyword == "numbers",
        "the first line is the count");
  check(count > 0 && static_cast<unsigned long long>(count) >= texts.size(),
        "no more texts than the count");

  std::string records;
  for (size_t i = 0; i < texts.size(); i++) {
    check(!texts[i].empty(), "texts are not empty");
    check(texts[i].find('\n') == std::string::npos, "a text is one line");
    records += "number " + ko::intToString(static_cast<int>(i + 1)) + "\n" + texts[i] + "\n";
  }
  const std::string rest = content.substr(first_break + 1);
  // The last text may end the file without a line break.
  const bool whole = rest.compare(0, records.size(), records) == 0;
  const bool unterminated = rest == records.substr(0, records.size() - 1);
  check(whole || unterminated, "the texts are the file's records in order");
  return 0;
}
