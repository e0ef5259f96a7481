// The high-score file: how its first line is read, when the game-over
// screen rewrites it, and writes that fail without harming the old score.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <korvane/LogManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "GameOver.h"
#include "ScoreFile.h"
#include "TestSupport.h"
#include "game.h"

using ko_test::readFile;
using ko_test::ScratchDir;
namespace fs = std::filesystem;

namespace {

// Names in dir other than the expected ones: temporary files left behind.
std::vector<std::string> strayFiles(const std::string& dir, const std::vector<std::string>& known) {
  std::vector<std::string> stray;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    bool is_known = false;
    for (const std::string& k : known) is_known = is_known || name == k;
    if (!is_known) stray.push_back(name);
  }
  return stray;
}

TEST(ScoreFile, FirstLineValue) {
  const struct {
    const char* line;
    int value;
  } cases[] = {
      {"42", 42},
      {"0", 0},
      {"-17", -17},
      {"+8", 8},
      {"   12", 12},
      {"\t 7", 7},
      {"12abc", 12},
      {"3 4", 3},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      {"2147483648", 0},
      {"-2147483649", 0},
      {"99999999999999999999999", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.line + "\"");
    EXPECT_EQ(score_file::parseFirstLine(c.line), c.value);
  }
}

TEST(ScoreFile, ReadTakesOnlyTheFirstLine) {
  ScratchDir dir;
  bool exists = false;
  EXPECT_EQ(score_file::read(dir.path() + "/none.txt", &exists), 0);
  EXPECT_FALSE(exists);
  EXPECT_EQ(score_file::read(dir.write("a.txt", "5\n9\n"), &exists), 5);
  EXPECT_TRUE(exists);
  EXPECT_EQ(score_file::read(dir.write("b.txt", "\n9\n"), &exists), 0);
  EXPECT_TRUE(exists);
}

// Only a bounded prefix is read; a first line longer than that is garbage.
TEST(ScoreFile, OverlongFirstLineCountsAsNoNumber) {
  ScratchDir dir;
  const std::size_t limit = score_file::MAX_FIRST_LINE;
  const struct {
    const char* name;
    std::string content;
    int value;
  } cases[] = {
      {"longest line, no line end", "7" + std::string(limit - 1, ' '), 7},
      {"longest line, then more lines", "7" + std::string(limit - 1, ' ') + "\n9", 7},
      {"one character too long", "7" + std::string(limit, ' '), 0},
      {"a megabyte of first line", "7" + std::string(1 << 20, ' ') + "\n9", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.write("score.txt", c.content);
    EXPECT_EQ(score_file::read(path), c.value);
    // Garbage is replaced by any better score, as for any first line without a number.
    EXPECT_EQ(score_file::saveIfHigher(path, 1), 0);
    EXPECT_EQ(readFile(path), c.value >= 1 ? std::optional<std::string>(c.content) : "1");
  }
}

// A link named as the score file stays a link; its target gets the score,
// its temporary and the lock lie beside the target.
TEST(ScoreFile, SavingThroughALinkReplacesItsTarget) {
  const struct {
    const char* name;
    std::vector<std::pair<const char*, const char*>> links;  // link, target
    const char* target;
    bool target_exists;
  } cases[] = {
      {"relative link", {{"link/score.txt", "../real/score.txt"}}, "real/score.txt", true},
      {"absolute link", {{"link/score.txt", "{d}/real/score.txt"}}, "real/score.txt", true},
      {"link to a link",
       {{"link/score.txt", "../link/middle"}, {"link/middle", "../real/score.txt"}},
       "real/score.txt",
       true},
      {"link to no file yet", {{"link/score.txt", "../real/score.txt"}}, "real/score.txt", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    fs::create_directory(dir.path() + "/link");
    fs::create_directory(dir.path() + "/real");
    for (const auto& [link, target] : c.links) {
      std::string to = target;
      if (to.rfind("{d}", 0) == 0) to.replace(0, 3, dir.path());
      fs::create_symlink(to, dir.path() + "/" + link);
    }
    const std::string target = dir.path() + "/" + c.target;
    if (c.target_exists) dir.write(c.target, "5");
    const std::string path = dir.path() + "/link/score.txt";

    EXPECT_EQ(score_file::read(path), c.target_exists ? 5 : 0);
    EXPECT_EQ(score_file::saveIfHigher(path, 9), 0);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFile(target), "9");
    EXPECT_EQ(score_file::write(path, 11), 0);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readFile(target), "11");
    EXPECT_EQ(score_file::read(path), 11);
    EXPECT_EQ(strayFiles(dir.path() + "/real", {"score.txt", "score.txt.lock"}),
              std::vector<std::string>{});
  }
}

TEST(ScoreFile, LinkLoopIsNotSavedInto) {
  ScratchDir dir;
  const std::string path = dir.path() + "/score.txt";
  fs::create_symlink("other", path);
  fs::create_symlink("score.txt", dir.path() + "/other");
  EXPECT_EQ(score_file::read(path), 0);
  EXPECT_EQ(score_file::saveIfHigher(path, 3), -1);
  EXPECT_EQ(score_file::write(path, 3), -1);
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(strayFiles(dir.path(), {"score.txt", "other"}), std::vector<std::string>{});
}

// A save never waits for ever: while another process holds the lock (it
// is stopped, say) the save gives up and leaves the file alone.
TEST(ScoreFile, SaveGivesUpWhileTheLockStaysHeld) {
  ScratchDir dir;
  const std::string path = dir.write("score.txt", "5");
  const int fd = open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(score_file::saveIfHigher(path, 9), -1);
  const double waited =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_LT(waited, 5.0);
  EXPECT_EQ(readFile(path), "5");
  close(fd);
  EXPECT_EQ(score_file::saveIfHigher(path, 9), 0);
  EXPECT_EQ(readFile(path), "9");
}

// Temporaries left by killed saves: only names of the exact form the saves
// create, old enough, plain small files of this user, go; the lock and
// everything else stay.
TEST(ScoreFile, StaleTemporariesAreRemovedAndNothingElse) {
  ScratchDir dir;
  const std::string path = dir.write("score.txt", "5");
  const timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  auto old = [&](const std::string& name, const std::string& content) {
    const std::string file = dir.write(name, content);
    utimensat(AT_FDCWD, file.c_str(), old_times, AT_SYMLINK_NOFOLLOW);
  };
  old("score.txt.a1B2c3", "12");
  old("score.txt.Zz0000", "");
  old("score.txt.lock", "");
  dir.write("score.txt.young1", "7");              // a save that may still be running
  old("score.txt.backup1", "3");                   // one character too many
  old("score.txt.ab-cd1", "3");                    // not a letter or digit
  old("score.txt.big123", std::string(100, '9'));  // more than a score
  old("other.txt.abc123", "3");
  fs::create_directory(dir.path() + "/score.txt.dir123");
  fs::create_symlink("score.txt", dir.path() + "/score.txt.lnk123");
  utimensat(AT_FDCWD, (dir.path() + "/score.txt.lnk123").c_str(), old_times, AT_SYMLINK_NOFOLLOW);

  EXPECT_EQ(score_file::removeStaleTemporaries(path), 2);
  std::vector<std::string> left = strayFiles(dir.path(), {});
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left,
            (std::vector<std::string>{"other.txt.abc123", "score.txt", "score.txt.ab-cd1",
                                      "score.txt.backup1", "score.txt.big123", "score.txt.dir123",
                                      "score.txt.lnk123", "score.txt.lock", "score.txt.young1"}));
  EXPECT_EQ(readFile(path), "5");
}

// While another process holds the lock it may be saving: its temporary is
// left alone, even an old-looking one. Through a link, the temporaries
// beside the target are the ones that go.
TEST(ScoreFile, StaleTemporariesStayWhileTheLockIsHeldAndGoBesideALinksTarget) {
  ScratchDir dir;
  fs::create_directory(dir.path() + "/real");
  const std::string target = dir.write("real/score.txt", "5");
  const std::string path = dir.path() + "/score.txt";
  fs::create_symlink("real/score.txt", path);
  const std::string temp = dir.write("real/score.txt.q1w2e3", "6");
  const timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, temp.c_str(), old_times, 0), 0);

  const int fd = open((target + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(score_file::removeStaleTemporaries(path), 0);
  EXPECT_TRUE(fs::exists(temp));
  close(fd);
  EXPECT_EQ(score_file::removeStaleTemporaries(path), 1);
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_TRUE(fs::is_symlink(path));
}

// A game ending with a score: what the game-over screen shows and what the
// score file holds afterwards.
struct GameOverCase {
  const char* name;
  std::optional<std::string> before;  // no file when empty
  int score;
  int shown;
  // The file afterwards; empty when it must be left exactly as it was
  // (or, with no file before, not created).
  std::optional<std::string> after;
};

void PrintTo(const GameOverCase& c, std::ostream* os) { *os << c.name; }

class GameEnd : public ::testing::TestWithParam<GameOverCase> {
 protected:
  void TearDown() override { ko::WorldManager::getInstance().shutDown(); }
};

TEST_P(GameEnd, ShowsTheBestScoreAndSavesOnlyABetterOne) {
  const GameOverCase& c = GetParam();
  struct stat old_stat {};
  if (c.before) {
    std::ofstream(SCORE_FILE, std::ios::binary) << *c.before;
    // An old time stamp, so that any rewrite shows in it.
    const timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, SCORE_FILE.c_str(), old_times, 0), 0);
    ASSERT_EQ(stat(SCORE_FILE.c_str(), &old_stat), 0);
  }

  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  p_points->setValue(c.score);
  const GameOver* p_over = new GameOver;

  EXPECT_EQ(p_over->getHighScore(), c.shown);
  if (c.after) {
    EXPECT_EQ(readFile(SCORE_FILE), c.after);
    struct stat new_stat {};
    ASSERT_EQ(stat(SCORE_FILE.c_str(), &new_stat), 0);
    EXPECT_EQ(new_stat.st_mode & 0777, 0644u);
  } else if (c.before) {
    EXPECT_EQ(readFile(SCORE_FILE), c.before);
    struct stat new_stat {};
    ASSERT_EQ(stat(SCORE_FILE.c_str(), &new_stat), 0);
    EXPECT_EQ(new_stat.st_ino, old_stat.st_ino);
    EXPECT_EQ(new_stat.st_mtim.tv_sec, old_stat.st_mtim.tv_sec);
  } else {
    EXPECT_FALSE(fs::exists(SCORE_FILE));
  }
  const std::string data_dir = fs::path(SCORE_FILE).parent_path().string();
  // The typing record is saved at every game's end beside the score.
  EXPECT_EQ(strayFiles(data_dir,
                       {"data.txt", "score.txt", "score.txt.lock", "stats.txt", "stats.txt.lock"}),
            std::vector<std::string>{});
}

const GameOverCase GAME_END_CASES[] = {
    {"NoFileScore0", std::nullopt, 0, 0, std::nullopt},
    {"NoFileScore3", std::nullopt, 3, 3, "3"},
    {"EqualScore", "5", 5, 5, std::nullopt},
    {"LowerScore", "5", 3, 5, std::nullopt},
    {"HigherScore", "5", 8, 8, "8"},
    {"RestOfFileDropped", "7\nmore\n", 9, 9, "9"},
    {"LeadingSpacesEqual", "   12\n", 12, 12, std::nullopt},
    {"LeadingSpacesHigher", "\t 12", 13, 13, "13"},
    {"TrailingGarbageLower", "12abc", 11, 12, std::nullopt},
    {"GarbageCountsZero", "abc\n", 1, 1, "1"},
    {"GarbageAndScore0", "abc", 0, 0, std::nullopt},
    {"EmptyFile", "", 2, 2, "2"},
    {"EmptyFirstLine", "\n5", 1, 1, "1"},
    {"BeyondIntCountsZero", "99999999999", 4, 4, "4"},
    {"BelowIntCountsZero", "-2147483649", 0, 0, std::nullopt},
    {"LargestInt", "2147483647", 5, INT_MAX, std::nullopt},
    {"NegativeStoredBeatenBy0", "-4", 0, 0, "0"},
};

INSTANTIATE_TEST_SUITE_P(ScoreFile, GameEnd, ::testing::ValuesIn(GAME_END_CASES),
                         [](const ::testing::TestParamInfo<GameOverCase>& case_info) {
                           return std::string(case_info.param.name);
                         });

// Makes every write to a regular file fail, as a full disk does.
class NoRoomToWrite {
 public:
  NoRoomToWrite() {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit none = saved;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
  }
  ~NoRoomToWrite() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
  }
  NoRoomToWrite(const NoRoomToWrite&) = delete;
  NoRoomToWrite& operator=(const NoRoomToWrite&) = delete;

 private:
  rlimit saved{};
};

TEST(ScoreFile, WriteIntoMissingDirectoryFails) {
  ScratchDir dir;
  const std::string path = dir.path() + "/gone/score.txt";
  EXPECT_EQ(score_file::write(path, 5), -1);
  EXPECT_EQ(score_file::saveIfHigher(path, 5), -1);
  EXPECT_FALSE(fs::exists(dir.path() + "/gone"));
}

TEST(ScoreFile, WriteIntoReadOnlyDirectoryLeavesTheOldScore) {
  ScratchDir dir;
  const std::string path = dir.write("score.txt", "5");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (access(dir.path().c_str(), W_OK) == 0) {
    fs::permissions(dir.path(), fs::perms::owner_all);
    GTEST_SKIP() << "this user may write into read-only directories";
  }
  EXPECT_EQ(score_file::saveIfHigher(path, 9), -1);
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(readFile(path), "5");
  EXPECT_EQ(strayFiles(dir.path(), {"score.txt", "score.txt.lock"}), std::vector<std::string>{});
}

TEST(ScoreFile, FailedWriteLeavesTheOldScoreAndNoTemporaryFile) {
  ScratchDir dir;
  const std::string path = dir.write("score.txt", "5");
  {
    const NoRoomToWrite full_disk;
    EXPECT_EQ(score_file::saveIfHigher(path, 12345), -1);
  }
  EXPECT_EQ(readFile(path), "5");
  EXPECT_EQ(strayFiles(dir.path(), {"score.txt", "score.txt.lock"}), std::vector<std::string>{});
}

// A lost high score is not kept quiet: the log says so.
TEST(ScoreFile, GameOverLogsAScoreItCouldNotSave) {
  ko::LogManager::getInstance().setFlush(true);
  fs::remove_all("../data");
  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  p_points->setValue(3);
  new GameOver;
  const std::vector<std::string> lines = ko_test::logLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "GameOver::setHighScore(): Warning! Could not save the high score 3 to "
                      "../data/score.txt"),
            lines.end());
}

// The game goes on: the screen shows the score that could not be saved.
TEST(ScoreFile, GameOverShowsAScoreItCouldNotSave) {
  std::ofstream(SCORE_FILE, std::ios::binary) << "5";
  auto* p_points = new ko::ViewObject;
  p_points->setViewString("Points");
  p_points->setValue(9);
  const GameOver* p_over = nullptr;
  {
    const NoRoomToWrite full_disk;
    p_over = new GameOver;
  }
  EXPECT_EQ(p_over->getHighScore(), 9);
  EXPECT_EQ(readFile(SCORE_FILE), "5");
  ko::WorldManager::getInstance().shutDown();
}

}  // namespace
