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
  // The one log line expected, "{f}" standing for the path; empty for none.
  std::string log;
};

std::vector<ContentsCase> contentsCases() {
  return {
      {"well formed", GOOD, GOOD_TEXTS, ""},
      {"no line end at the end", GOOD.substr(0, GOOD.size() - 1), GOOD_TEXTS, ""},
      {"words after the count", "numbers 1 texts follow\nnumber 1\nx\n", {"x"}, ""},
      {"count 3 of four records", GOOD + "number 4\ndelta\n", GOOD_TEXTS, ""},
      {"count 0", "numbers 0\nnumber 1\nx\n", {}, ""},
      {"negative count", "numbers -4\nnumber 1\nx\n", {}, ""},
      // The carriage return stays part of "number 1".
      {"CR LF line ends", ko_test::withCrLf(GOOD), {}, "something missing, wrong on line 2 in file {f}"},
      {"records out of order",
       "numbers 2\nnumber 2\nb\nnumber 1\na\n",
       {},
       "something missing, wrong on line 2 in file {f}"},
      {"record skipped",
       "numbers 3\nnumber 1\na\nnumber 3\nc\n",
       {"a"},
       "something missing, wrong on line 4 in file {f}"},
      {"leading zero",
       "numbers 1\nnumber 01\na\n",
       {},
       "something missing, wrong on line 2 in file {f}"},
      {"space after the number",
       "numbers 1\nnumber 1 \na\n",
       {},
       "something missing, wrong on line 2 in file {f}"},
      {"fewer records than the count",
       "numbers 3\nnumber 1\na\nnumber 2\nb\n",
       {"a", "b"},
       "something missing, wrong on line 6 in file {f}"},
      {"empty text",
       "numbers 2\nnumber 1\n\nnumber 2\nb\n",
       {},
       "somethign is wrong, wrong on line 3 in file {f}"},
      {"last text missing",
       "numbers 2\nnumber 1\na\nnumber 2\n",
       {"a"},
       "somethign is wrong, wrong on line 5 in file {f}"},
      // The last header line must not be taken for the missing text.
      {"file ends after a record header",
       "numbers 9\nnumber 1\nalpha\nnumber 2\nbeta\nnumber 3",
       {"alpha", "beta"},
       "somethign is wrong, wrong on line 7 in file {f}"},
      // A wrong first word is not counted; a missing number is.
      {"wrong first word",
       "number 3\nnumber 1\na\n",
       {},
       "max numbers is wrong, wrong on line 0 in file {f}"},
      {"first word in capitals",
       "Numbers 1\nnumber 1\na\n",
       {},
       "max numbers is wrong, wrong on line 0 in file {f}"},
      {"empty file", "", {}, "max numbers is wrong, wrong on line 0 in file {f}"},
      {"count missing",
       "numbers\nnumber 1\na\n",
       {},
       "max numbers is wrong, wrong on line 1 in file {f}"},
      {"count not a number",
       "numbers many\nnumber 1\na\n",
       {},
       "max numbers is wrong, wrong on line 1 in file {f}"},
      {"count -1",
       "numbers -1\nnumber 1\na\n",
       {},
       "max numbers is wrong, wrong on line 1 in file {f}"},
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
    if (!c.log.empty()) expected.push_back(substitutePath(c.log, path));
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
