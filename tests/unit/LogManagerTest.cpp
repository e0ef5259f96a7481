#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <korvane/GameManager.h>
#include <korvane/LogManager.h>

namespace {

std::string logContents() {
  std::ifstream in(ko::LOGFILE_DEFAULT, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const char* const TIME = "[0-9]{4}:[0-9]{2}:[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}";

struct LayoutCase {
  bool time_string;
  bool step_count;
  bool level_form;
  std::string pattern;  // regex of the whole line; T stands for the time
};

}  // namespace

TEST(LogManager, ConstructionEmptiesTheOldLog) {
  {
    std::ofstream old(ko::LOGFILE_DEFAULT);
    old << "from an earlier run\n";
  }
  ko::LogManager& log = ko::LogManager::getInstance();
  EXPECT_TRUE(log.isStarted());
  EXPECT_EQ(log.writeLog("fresh %d", 1), 8);
  log.setFlush(true);
  log.writeLog("x");
  EXPECT_EQ(logContents(), "fresh 1\nx\n");
}

TEST(LogManager, LineLayoutsFollowThePrefixFlags) {
  const LayoutCase cases[] = {
      {false, false, false, "M"},     {false, false, true, "M"},
      {true, false, false, "TM"},     {true, false, true, "T\t\tM"},
      {false, true, false, "7\t\tM"}, {false, true, true, "7\t\tM"},
      {true, true, false, "T7\t\tM"}, {true, true, true, "T\t\t7\t\tM"},
  };
  ko::LogManager& log = ko::LogManager::getInstance();
  for (int i = 0; i < 7; ++i) ko::GameManager::getInstance().runIteration();
  log.setFlush(true);
  std::string expected;
  for (const LayoutCase& c : cases) {
    log.setLogTimeString(c.time_string);
    log.setLogStepCount(c.step_count);
    const int written = c.level_form ? log.writeLog(1, "M") : log.writeLog("M");
    std::string line = std::regex_replace(c.pattern, std::regex("T"), TIME);
    expected += line + "\n";
    EXPECT_GT(written, 0);
  }
  std::istringstream lines(logContents());
  std::istringstream patterns(expected);
  std::string line, pattern;
  int checked = 0;
  while (std::getline(patterns, pattern)) {
    ASSERT_TRUE(std::getline(lines, line));
    SCOPED_TRACE(pattern);
    EXPECT_TRUE(std::regex_match(line, std::regex(pattern))) << line;
    ++checked;
  }
  EXPECT_EQ(checked, 8);
}

TEST(LogManager, LevelFormWritesOnlyAboveTheLogLevel) {
  ko::LogManager& log = ko::LogManager::getInstance();
  log.setFlush(true);
  log.setLogLevel(2);
  EXPECT_EQ(log.writeLog(2, "equal"), 0);
  EXPECT_EQ(log.writeLog(3, "above"), 6);
  EXPECT_EQ(logContents(), "above\n");
}

TEST(LogManager, NothingIsWrittenAfterShutDown) {
  ko::LogManager& log = ko::LogManager::getInstance();
  log.writeLog("kept");
  log.shutDown();
  log.shutDown();
  EXPECT_FALSE(log.isStarted());
  EXPECT_EQ(log.writeLog("lost"), -1);
  log.setLogLevel(5);
  EXPECT_EQ(log.writeLog(5, "suppressed before the file test"), 0);
  EXPECT_EQ(logContents(), "kept\n");
}
