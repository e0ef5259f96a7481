// Start-up where the engine cannot work: no display to open a window on, a
// font or a log that is no regular file. Each must fail at once with a
// line saying what went wrong, and must never block or abort the process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/LogManager.h>
#include <korvane/WorldManager.h>
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

// A FIFO blocks its opener until the other end is opened: a fault here
// would hang the test, so it dies of the alarm instead.
void failIfBlocked() { alarm(20); }

bool logHolds(const std::string& text) {
  for (const std::string& line : ko_test::logLines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

struct DisplayCase {
  const char* name;
  bool set;
  std::string display;
  std::string logged;  // part of the log line
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class NoDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(NoDisplay, StartFailsWithALineNamingTheDisplay) {
  const DisplayCase& c = GetParam();
  ko_test::logLines();
  if (c.set) {
    setenv("DISPLAY", c.display.c_str(), 1);
  } else {
    unsetenv("DISPLAY");
  }
  failIfBlocked();
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  EXPECT_EQ(graphics.startUp(), -1);
  EXPECT_FALSE(graphics.isStarted());
  EXPECT_EQ(graphics.getWindow(), nullptr);
  EXPECT_TRUE(logHolds(c.logged)) << "no line with: " << c.logged;
  // The designed failure path: the game manager stops there, and shutting
  // down touches no window.
  ko::GameManager& game = ko::GameManager::getInstance();
  EXPECT_EQ(game.startUp(), -1);
  game.shutDown();
  EXPECT_FALSE(graphics.isStarted());
}

const std::string DEAD = ko_test::deadDisplay();

INSTANTIATE_TEST_SUITE_P(
    Display, NoDisplay,
    ::testing::Values(DisplayCase{"Unset", false, "", "DISPLAY is not set"},
                      DisplayCase{"Empty", true, "", "DISPLAY is not set"},
                      DisplayCase{"NoServer", true, DEAD, "no display answers at " + DEAD}),
    [](const ::testing::TestParamInfo<DisplayCase>& case_info) { return case_info.param.name; });

// What may lie where the font should be.
enum class FontSpot { MISSING, FIFO, DIRECTORY, NOT_A_FONT };

const char* const FONT_SPOT_NAMES[] = {"Missing", "Fifo", "Directory", "NotAFont"};
void PrintTo(FontSpot spot, std::ostream* os) { *os << FONT_SPOT_NAMES[static_cast<int>(spot)]; }
std::string fontSpotName(const ::testing::TestParamInfo<FontSpot>& case_info) {
  return FONT_SPOT_NAMES[static_cast<int>(case_info.param)];
}

class BadFont : public ::testing::TestWithParam<FontSpot> {};

TEST_P(BadFont, StartFailsAtOnceWithALine) {
  fs::remove(ko::FONT_FILE_DEFAULT);
  switch (GetParam()) {
    case FontSpot::MISSING:
      break;
    case FontSpot::FIFO:
      ASSERT_EQ(mkfifo(ko::FONT_FILE_DEFAULT.c_str(), 0644), 0);
      break;
    case FontSpot::DIRECTORY:
      fs::create_directory(ko::FONT_FILE_DEFAULT);
      break;
    case FontSpot::NOT_A_FONT:
      std::ofstream(ko::FONT_FILE_DEFAULT) << "not a font\n";
      break;
  }
  failIfBlocked();
  ko_test::logLines();
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  EXPECT_EQ(graphics.startUp(), -1);
  EXPECT_FALSE(graphics.isStarted());
  EXPECT_TRUE(logHolds("unable to load font ko-font.ttf"));
}

INSTANTIATE_TEST_SUITE_P(Font, BadFont,
                         ::testing::Values(FontSpot::MISSING, FontSpot::FIFO, FontSpot::DIRECTORY,
                                           FontSpot::NOT_A_FONT),
                         fontSpotName);

// What may lie where the log should be.
enum class LogSpot { FIFO, FIFO_WITH_A_READER, DIRECTORY };

const char* const LOG_SPOT_NAMES[] = {"Fifo", "FifoWithAReader", "Directory"};
void PrintTo(LogSpot spot, std::ostream* os) { *os << LOG_SPOT_NAMES[static_cast<int>(spot)]; }
std::string logSpotName(const ::testing::TestParamInfo<LogSpot>& case_info) {
  return LOG_SPOT_NAMES[static_cast<int>(case_info.param)];
}

class BadLog : public ::testing::TestWithParam<LogSpot> {};

// The log cannot hold the reason, so it goes to standard error, once.
TEST_P(BadLog, StartFailsAndStandardErrorSaysWhy) {
  fs::remove(ko::LOGFILE_DEFAULT);
  int reader = -1;
  switch (GetParam()) {
    case LogSpot::FIFO:
      ASSERT_EQ(mkfifo(ko::LOGFILE_DEFAULT.c_str(), 0644), 0);
      break;
    case LogSpot::FIFO_WITH_A_READER:
      ASSERT_EQ(mkfifo(ko::LOGFILE_DEFAULT.c_str(), 0644), 0);
      reader = open(ko::LOGFILE_DEFAULT.c_str(), O_RDONLY | O_NONBLOCK);
      ASSERT_GE(reader, 0);
      break;
    case LogSpot::DIRECTORY:
      fs::create_directory(ko::LOGFILE_DEFAULT);
      break;
  }
  failIfBlocked();
  testing::internal::CaptureStderr();
  ko::LogManager& log = ko::LogManager::getInstance();
  EXPECT_FALSE(log.isStarted());
  EXPECT_EQ(log.startUp(), -1);
  EXPECT_EQ(ko::GameManager::getInstance().startUp(), -1);
  EXPECT_FALSE(ko::WorldManager::getInstance().isStarted());
  EXPECT_EQ(log.writeLog("lost"), -1);
  const std::string err = testing::internal::GetCapturedStderr();
  const std::string where = fs::current_path().string() + "/korvane.log";
  EXPECT_NE(err.find("unable to open log file " + where), std::string::npos) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << "not one line: " << err;
  if (reader >= 0) {
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0) << "something was written into the FIFO";
    close(reader);
  }
  EXPECT_FALSE(fs::is_regular_file(ko::LOGFILE_DEFAULT));
}

INSTANTIATE_TEST_SUITE_P(Log, BadLog,
                         ::testing::Values(LogSpot::FIFO, LogSpot::FIFO_WITH_A_READER,
                                           LogSpot::DIRECTORY),
                         logSpotName);

}  // namespace
