// Reading the block texts: what loads, where loading stops, and the exact
// log line each problem leaves.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ContentsFile.h"
#include "TestSupport.h"

using ko_test::logLines;
using ko_test::ScratchDir;

namespace {

const std::string GOOD =
    "numbers 3\n"
    "number 1\nalpha\n"
    "number 2\nbeta gamma\n"
    "number 3\n it's  spaced \n";
const std::vector<std::string> GOOD_TEXTS = {"alpha", "beta gamma", " it's  spaced "};

struct ContentsCase {
  const char* name;
  std::string content;
  std::vector<std::string> texts;
  // The log lines expected, "{f}" standing for the path.
  std::vector<std::string> log;
};

std::vector<ContentsCase> contentsCases() {
  return {
      {"well formed", GOOD, GOOD_TEXTS, {}},
      {"no line end at the end", GOOD.substr(0, GOOD.size() - 1), GOOD_TEXTS, {}},
      {"words after the count", "numbers 1 texts follow\nnumber 1\nx\n", {"x"}, {}},
      {"count 3 of four records", GOOD + "number 4\ndelta\n", GOOD_TEXTS, {}},
      {"count 0", "numbers 0\nnumber 1\nx\n", {}, {}},
      {"negative count", "numbers -4\nnumber 1\nx\n", {}, {}},
      {"CR LF line ends", ko_test::withCrLf(GOOD), GOOD_TEXTS, {}},
      {"byte-order mark", "\xEF\xBB\xBF" + GOOD, GOOD_TEXTS, {}},
      {"byte-order mark and CR LF", "\xEF\xBB\xBF" + ko_test::withCrLf(GOOD), GOOD_TEXTS, {}},
      // Only a whole mark is skipped; a stray one is part of the first word.
      {"half a byte-order mark",
       "\xEF\xBB" + GOOD,
       {},
       {"max numbers is wrong, wrong on line 0 in file {f}"}},
      {"text of only a carriage return",
       "numbers 1\r\nnumber 1\r\n\r\n",
       {},
       {"somethign is wrong, wrong on line 3 in file {f}"}},
      // A block is two columns wider than its text, and must fit across 80.
      {"text as wide as the screen allows",
       "numbers 1\nnumber 1\n" + std::string(78, 'w') + "\r\n",
       {std::string(78, 'w')},
       {}},
      {"text too wide for the screen",
       "numbers 2\nnumber 1\nok\nnumber 2\n" + std::string(79, 'w') + "\n",
       {"ok", std::string(78, 'w')},
       {"text of record 2 on line 5 in file {f} is longer than 78 characters, cut"}},
      {"huge text",
       "numbers 1\nnumber 1\n" + std::string(3000000, 'h') + "\r\n",
       {std::string(78, 'h')},
       {"text of record 1 on line 3 in file {f} is longer than 78 characters, cut"}},
      // Kept, since they are still dodged or outlasted, but named once each.
      {"texts that cannot be typed",
       "numbers 4\nnumber 1\nit's fine\nnumber 2\nerror 404: 2 bad\n"
       "number 3\ntab\there\nnumber 4\ncaf\xC3\xA9\n",
       {"it's fine", "error 404: 2 bad", "tab\there", "caf\xC3\xA9"},
       {"text of record 2 on line 5 in file {f} holds characters that cannot be typed",
        "text of record 3 on line 7 in file {f} holds characters that cannot be typed",
        "text of record 4 on line 9 in file {f} holds characters that cannot be typed"}},
      // Judged by what is kept: the digits beyond the cut are gone.
      {"too wide with digits past the cut",
       "numbers 1\nnumber 1\n" + std::string(78, 'x') + "123\n",
       {std::string(78, 'x')},
       {"text of record 1 on line 3 in file {f} is longer than 78 characters, cut"}},
      {"too wide and not typable",
       "numbers 1\nnumber 1\n" + std::string(100, '#') + "\n",
       {std::string(78, '#')},
       {"text of record 1 on line 3 in file {f} is longer than 78 characters, cut",
        "text of record 1 on line 3 in file {f} holds characters that cannot be typed"}},
      {"overlong record header",
       "numbers 1\nnumber 1" + std::string(200, ' ') + "\na\n",
       {},
       {"something missing, wrong on line 2 in file {f}"}},
      {"records out of order",
       "numbers 2\nnumber 2\nb\nnumber 1\na\n",
       {},
       {"something missing, wrong on line 2 in file {f}"}},
      {"record skipped",
       "numbers 3\nnumber 1\na\nnumber 3\nc\n",
       {"a"},
       {"something missing, wrong on line 4 in file {f}"}},
      {"leading zero",
       "numbers 1\nnumber 01\na\n",
       {},
       {"something missing, wrong on line 2 in file {f}"}},
      {"space after the number",
       "numbers 1\nnumber 1 \na\n",
       {},
       {"something missing, wrong on line 2 in file {f}"}},
      {"fewer records than the count",
       "numbers 3\nnumber 1\na\nnumber 2\nb\n",
       {"a", "b"},
       {"something missing, wrong on line 6 in file {f}"}},
      {"empty text",
       "numbers 2\nnumber 1\n\nnumber 2\nb\n",
       {},
       {"somethign is wrong, wrong on line 3 in file {f}"}},
      {"last text missing",
       "numbers 2\nnumber 1\na\nnumber 2\n",
       {"a"},
       {"somethign is wrong, wrong on line 5 in file {f}"}},
      // The last header line must not be taken for the missing text.
      {"file ends after a record header",
       "numbers 9\nnumber 1\nalpha\nnumber 2\nbeta\nnumber 3",
       {"alpha", "beta"},
       {"somethign is wrong, wrong on line 7 in file {f}"}},
      // A wrong first word is not counted; a missing number is.
      {"wrong first word",
       "number 3\nnumber 1\na\n",
       {},
       {"max numbers is wrong, wrong on line 0 in file {f}"}},
      {"first word in capitals",
       "Numbers 1\nnumber 1\na\n",
       {},
       {"max numbers is wrong, wrong on line 0 in file {f}"}},
      {"empty file", "", {}, {"max numbers is wrong, wrong on line 0 in file {f}"}},
      {"count missing",
       "numbers\nnumber 1\na\n",
       {},
       {"max numbers is wrong, wrong on line 1 in file {f}"}},
      {"count not a number",
       "numbers many\nnumber 1\na\n",
       {},
       {"max numbers is wrong, wrong on line 1 in file {f}"}},
      {"count -1",
       "numbers -1\nnumber 1\na\n",
       {},
       {"max numbers is wrong, wrong on line 1 in file {f}"}},
  };
}

std::string substitutePath(std::string line, const std::string& path) {
  const std::size_t at = line.find("{f}");
  if (at != std::string::npos) line.replace(at, 3, path);
  return line;
}

TEST(ContentsFile, TextsAndLogLines) {
  ScratchDir dir;
  for (const ContentsCase& c : contentsCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.write("data.txt", c.content);
    const std::size_t before = logLines().size();
    EXPECT_EQ(readContentsFile(path), c.texts);
    const std::vector<std::string> lines = logLines();
    const std::vector<std::string> added(lines.begin() + static_cast<long>(before), lines.end());
    std::vector<std::string> expected;
    for (const std::string& line : c.log) expected.push_back(substitutePath(line, path));
    EXPECT_EQ(added, expected);
  }
}

TEST(ContentsFile, MissingFileGivesNoTextsAndNoLogLine) {
  ScratchDir dir;
  const std::size_t before = logLines().size();
  EXPECT_TRUE(readContentsFile(dir.path() + "/data.txt").empty());
  EXPECT_EQ(logLines().size(), before);
}

// The game's own file loads completely.
TEST(ContentsFile, GameDataLoadsEveryRecord) {
  const std::string path = std::string(KO_SOURCE_DIR) + "/data/data.txt";
  std::ifstream file(path);
  std::string keyword;
  int count = 0;
  ASSERT_TRUE(file >> keyword >> count) << path;
  ASSERT_GT(count, 0);
  const std::size_t before = logLines().size();
  EXPECT_EQ(readContentsFile(path).size(), static_cast<std::size_t>(count));
  EXPECT_EQ(logLines().size(), before);
}

}  // namespace
