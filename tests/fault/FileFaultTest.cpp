// The game's files gone wrong, in-process: every asset, the contents file,
// the score file and the typing record missing, empty, full of garbage, a
// directory or a FIFO with no writer; the data directory unusable; the disk full; the
// process killed while it writes the high score. In each case a whole game
// is played (headless, so that no display is needed), and the game must go
// on and the high score must come out right.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include <korvane/GameManager.h>
#include <korvane/GraphicsManager.h>
#include <korvane/ResourceManager.h>
#include <korvane/ViewObject.h>
#include <korvane/WorldManager.h>
#include "ErrorsObject.h"
#include "ErrorsObjectList.h"
#include "GameDriver.h"
#include "GameOver.h"
#include "GameSetup.h"
#include "GameStart.h"
#include "ScoreFile.h"
#include "StatsFile.h"
#include "TestSupport.h"
#include "game.h"

namespace fs = std::filesystem;
using namespace ko_test;

namespace {

enum class Fault { MISSING, EMPTY, GARBAGE, DIRECTORY, FIFO };

const char* faultName(Fault f) {
  switch (f) {
    case Fault::MISSING:
      return "missing";
    case Fault::EMPTY:
      return "empty";
    case Fault::GARBAGE:
      return "garbage";
    case Fault::DIRECTORY:
      return "directory";
    case Fault::FIFO:
      return "fifo";
  }
  return "?";
}

// The scratch layout links sprites and sounds to a shared copy; a test
// that breaks a file works on copies of its own.
void ownAssetDirectories() {
  for (const char* dir : {"../sprites", "../sounds"}) {
    if (!fs::is_symlink(dir)) continue;
    const fs::path shared = fs::read_symlink(dir);
    fs::remove(dir);
    fs::copy(shared, dir, fs::copy_options::recursive);
  }
}

void breakFile(const std::string& path, Fault fault) {
  fs::remove_all(path);
  switch (fault) {
    case Fault::MISSING:
      break;
    case Fault::EMPTY:
      std::ofstream(path).close();
      break;
    case Fault::GARBAGE: {
      std::mt19937 rng(42);
      std::string bytes(4096, '\0');
      for (char& b : bytes) b = static_cast<char>(rng());
      std::ofstream(path, std::ios::binary) << bytes;
      break;
    }
    case Fault::DIRECTORY:
      fs::create_directory(path);
      break;
    case Fault::FIFO:
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0) << path;
      break;
  }
}

// One game from the title to the game-over screen: types blocks away until
// `points` are scored, then lets a block reach the ship. Returns the game's
// score.
int playToGameOver(int points) {
  int score = -1;
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  releaseKey(ko::Keyboard::P);
  EXPECT_NE(spawner(), nullptr);
  if (spawner() == nullptr) return -1;
  spawner()->setHighestGap(30);
  for (int i = 0; i < 20000 && gameOverScreen() == nullptr; i++) {
    if (pointsDisplay() != nullptr) score = pointsDisplay()->getValue();
    ErrorsObjectList* p_list = spawner();
    ErrorsObject* p_target = p_list == nullptr ? nullptr : p_list->getMaxObject();
    if (score < points && p_target != nullptr && !p_target->getCurrentLine().empty()) {
      typeText(p_target->getCurrentLine());
    }
    runSteps(1);
  }
  EXPECT_NE(gameOverScreen(), nullptr) << "the game never ended";
  EXPECT_EQ(score, points);
  return score;
}

// One game from the title and back; returns the game's score.
int playGame(int points) {
  const int score = playToGameOver(points);
  runSteps(KEY_GRACE_STEPS);
  releaseKey(ko::Keyboard::R);
  // The step that leaves the screen, then the title's key grace.
  runSteps(1 + KEY_GRACE_STEPS);
  EXPECT_NE(titleScreen(), nullptr);
  if (titleScreen() != nullptr) {
    EXPECT_TRUE(titleScreen()->isActive());
  }
  return score;
}

bool logMentions(const std::string& text) {
  for (const std::string& line : logLines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

struct AssetCase {
  const char* path;
  const char* label;
  const char* kind;  // "sprite", "sound" or "music"
};

const AssetCase ASSETS[] = {
    {"../sprites/explosion-spr.txt", "explosion", "sprite"},
    {"../sprites/ship-spr.txt", "ship", "sprite"},
    {"../sounds/errors-sound.wav", "errors", "sound"},
    {"../sounds/fire.wav", "fire", "sound"},
    {"../sounds/blast.wav", "blast", "sound"},
    {"../sounds/game-over.wav", "game over", "sound"},
    {"../sprites/gamestart-spr.txt", "gamestart", "sprite"},
    {"../sprites/gameover-spr.txt", "gameover", "sprite"},
    {"../sounds/spectre.ogg", "spectre", "music"},
    {"../sounds/start-music.wav", "start music", "music"},
};

const Fault FAULTS[] = {Fault::MISSING, Fault::EMPTY, Fault::GARBAGE, Fault::DIRECTORY,
                        Fault::FIFO};

bool loaded(const AssetCase& asset) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  const std::string kind = asset.kind;
  if (kind == "sprite") return resources.getSprite(asset.label) != nullptr;
  if (kind == "sound") return resources.getSound(asset.label) != nullptr;
  return resources.getMusic(asset.label) != nullptr;
}

// Every asset, broken every way: it is not loaded, the loader says so in
// the log (music aside, whose loader is silent), and the game is played
// through without it.
class BrokenAsset : public ::testing::TestWithParam<std::tuple<int, Fault>> {};

TEST_P(BrokenAsset, IsLeftOutAndTheGamePlaysOn) {
  const AssetCase& asset = ASSETS[std::get<0>(GetParam())];
  const Fault fault = std::get<1>(GetParam());
  ownAssetDirectories();
  breakFile(asset.path, fault);
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  EXPECT_FALSE(loaded(asset));
  if (std::string(asset.kind) != "music") {
    EXPECT_TRUE(logMentions(asset.path)) << "nothing in the log about " << asset.path;
  }
  EXPECT_EQ(playGame(2), 2);
  EXPECT_EQ(readFile(SCORE_FILE), "2");
}

INSTANTIATE_TEST_SUITE_P(EveryFile, BrokenAsset,
                         ::testing::Combine(::testing::Range(0,
                                                             static_cast<int>(std::size(ASSETS))),
                                            ::testing::ValuesIn(FAULTS)),
                         [](const ::testing::TestParamInfo<std::tuple<int, Fault>>& case_info) {
                           std::string name = ASSETS[std::get<0>(case_info.param)].label;
                           for (char& c : name) {
                             if (c == ' ') c = '_';
                           }
                           return name + "_" + faultName(std::get<1>(case_info.param));
                         });

// The contents file broken: no texts, so every block says "hello".
class BrokenContents : public ::testing::TestWithParam<Fault> {};

TEST_P(BrokenContents, BlocksFallBackToTheDefaultText) {
  breakFile(CONTENTS_FILE, GetParam());
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(spawner(), nullptr);
  EXPECT_EQ(spawner()->getContentsCount(), 0);
  spawner()->setHighestGap(30);
  for (int i = 0; i < 200 && blocks().empty(); i++) runSteps(1);
  ASSERT_FALSE(blocks().empty());
  EXPECT_EQ(blocks().front()->getCurrentLine(), "hello");
  ko::GameManager::getInstance().shutDown();
}

INSTANTIATE_TEST_SUITE_P(EveryFault, BrokenContents, ::testing::ValuesIn(FAULTS),
                         [](const ::testing::TestParamInfo<Fault>& case_info) {
                           return std::string(faultName(case_info.param));
                         });

// The score file broken: it counts as 0; a regular or missing file gets
// the new score, a directory cannot be replaced and the score is lost (the
// screen still shows it) with a line in the log.
class BrokenScoreFile : public ::testing::TestWithParam<Fault> {};

TEST_P(BrokenScoreFile, CountsAsZeroAndIsReplacedWhenPossible) {
  const Fault fault = GetParam();
  breakFile(SCORE_FILE, fault);
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  ASSERT_EQ(playGame(1), 1);
  if (fault == Fault::DIRECTORY) {
    EXPECT_TRUE(fs::is_directory(SCORE_FILE));
    EXPECT_TRUE(logMentions("Could not save the high score 1"));
  } else {
    EXPECT_EQ(readFile(SCORE_FILE), "1");
  }
  // The next game still sees the best score so far.
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(spawner(), nullptr);
  spawner()->setHighestGap(30);
  for (int i = 0; i < 20000 && gameOverScreen() == nullptr; i++) runSteps(1);
  ASSERT_NE(gameOverScreen(), nullptr);
  EXPECT_EQ(gameOverScreen()->getHighScore(), fault == Fault::DIRECTORY ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(EveryFault, BrokenScoreFile, ::testing::ValuesIn(FAULTS),
                         [](const ::testing::TestParamInfo<Fault>& case_info) {
                           return std::string(faultName(case_info.param));
                         });

// No writable data directory. There is no read-only mount to be had as
// root (who may write anywhere), so these stand in for it: the directory
// gone, or a plain file where the directory should be. Neither the
// contents nor the score can be read or written; the game plays, shows
// the game's score as the high score, and logs that it could not save it.
class NoDataDirectory : public ::testing::TestWithParam<bool> {};

TEST_P(NoDataDirectory, GamePlaysAndTheScoreIsOnlyShown) {
  fs::remove_all("../data");
  if (GetParam()) std::ofstream("../data") << "not a directory";
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  ASSERT_EQ(playGame(1), 1);
  EXPECT_TRUE(logMentions("Could not save the high score 1"));
  EXPECT_EQ(fs::exists("../data"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Directory, NoDataDirectory, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& case_info) {
                           return std::string(case_info.param ? "AFileInItsPlace" : "Missing");
                         });

// A full disk, simulated by a file size limit of 0 with SIGXFSZ ignored, so
// that writes fail with an error as on a full disk instead of killing the
// process: the old high score stays intact.
TEST(FullDisk, KeepsTheOldHighScoreIntact) {
  std::ofstream(SCORE_FILE) << "1";
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  signal(SIGXFSZ, SIG_IGN);
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit no_room = old_limit;
  no_room.rlim_cur = 0;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &no_room), 0);
  const int score = playGame(2);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(score, 2);
  EXPECT_EQ(readFile(SCORE_FILE), "1");
  // No half-written temporary left beside it.
  for (const auto& entry : fs::directory_iterator("../data")) {
    const std::string name = entry.path().filename().string();
    if (name == "score.txt.lock") continue;
    EXPECT_EQ(name.rfind("score.txt.", 0), std::string::npos) << entry.path();
  }
}

// The process killed at random moments while it writes high scores: the
// file always holds one whole score that was written (or the one before),
// never a mix, a partial number or nothing.
TEST(KilledWhileSaving, TheScoreFileHoldsTheOldOrTheNewScore) {
  const std::string path = SCORE_FILE;
  ASSERT_EQ(score_file::write(path, 1), 0);
  std::mt19937 rng(2024);
  int last_seen = 1;
  int kills = 0;
  const auto started = std::chrono::steady_clock::now();
  for (int round = 0; round < 100; round++) {
    // Each writer starts one above the score the last one left and counts
    // upwards, so what the file holds can only grow.
    const int base = last_seen;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      for (int score = base + 1;; score++) {
        if (score_file::saveIfHigher(path, score) != 0) _exit(3);
      }
    }
    // Each save syncs the file to disk, which takes a few milliseconds.
    usleep(static_cast<useconds_t>(rng() % 30000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed, status " << status;
    kills++;
    const std::string stored = readFile(path).value_or("");
    ASSERT_TRUE(std::regex_match(stored, std::regex("[0-9]+")))
        << "after kill " << kills << ": '" << stored << "'";
    const int value = std::stoi(stored);
    ASSERT_GE(value, last_seen) << "the file went back to an older score";
    last_seen = value;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cout << kills << " kills in " << seconds << " s, last score " << last_seen << "\n";
  EXPECT_GT(last_seen, 1) << "no writer ever completed a write";

  // What the kills left behind goes at the next start, once old enough to
  // be no running save's.
  const timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
  for (const auto& entry : fs::directory_iterator("../data")) {
    utimensat(AT_FDCWD, entry.path().c_str(), old_times, 0);
  }
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator("../data")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  // The typing record's sweep takes its lock too.
  EXPECT_EQ(left, (std::vector<std::string>{"data.txt", "score.txt", "score.txt.lock",
                                            "stats.txt.lock"}));
}

// Several games ending at once in several processes: whatever the order of
// their saves, the best score of them all is what the file keeps.
TEST(SavingAtOnce, TheBestOfAllGamesSurvives) {
  const std::string path = SCORE_FILE;
  const int PROCESSES = 4;
  const int TRIALS = 60;
  std::mt19937 rng(7);
  int lost = 0;
  for (int trial = 0; trial < TRIALS; trial++) {
    ASSERT_EQ(score_file::write(path, 0), 0);
    std::vector<int> scores;
    for (int i = 1; i <= PROCESSES; i++) scores.push_back(trial * 10 + i);
    std::shuffle(scores.begin(), scores.end(), rng);
    // The savers wait on a pipe, so that closing it starts them together.
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> savers;
    for (const int score : scores) {
      const pid_t child = fork();
      ASSERT_NE(child, -1);
      if (child == 0) {
        close(start[1]);
        char byte = 0;
        while (::read(start[0], &byte, 1) < 0 && errno == EINTR) {
        }
        _exit(score_file::saveIfHigher(path, score) == 0 ? 0 : 3);
      }
      savers.push_back(child);
    }
    close(start[0]);
    close(start[1]);
    for (const pid_t child : savers) {
      int status = 0;
      waitpid(child, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    if (readFile(path) != std::to_string(trial * 10 + PROCESSES)) lost++;
  }
  EXPECT_EQ(lost, 0) << "the best score was lost in " << lost << " of " << TRIALS << " trials";
}

// A huge score file (sparse, so it costs no disk) is garbage: it is read
// and replaced at once, without reading it all.
TEST(HugeScoreFile, CountsAsGarbageAndIsReplacedAtOnce) {
  std::ofstream(SCORE_FILE).close();
  ASSERT_EQ(truncate(SCORE_FILE.c_str(), 2LL << 30), 0);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(score_file::read(SCORE_FILE), 0);
  EXPECT_EQ(score_file::saveIfHigher(SCORE_FILE, 1), 0);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_LT(seconds, 1.0);
  EXPECT_EQ(readFile(SCORE_FILE), "1");
}

// The score file a link to a file elsewhere: a game's best score reaches
// the target and the link stays.
TEST(LinkedScoreFile, TheGameSavesToTheLinksTarget) {
  fs::create_directory("../kept");
  std::ofstream("../kept/score.txt") << "1";
  fs::create_symlink("../kept/score.txt", SCORE_FILE);
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  ASSERT_EQ(playGame(2), 2);
  EXPECT_TRUE(fs::is_symlink(SCORE_FILE));
  EXPECT_EQ(readFile("../kept/score.txt"), "2");
}

// A text far wider than the screen is cut when read to the widest whose
// block (two columns wider) fits across the screen; placed, the text lies
// wholly on the screen.
TEST(OverlongText, ItsBlockFitsOnTheScreen) {
  writeContents({std::string(3200000, 'a')});
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  sendKey(ko::Keyboard::P, ko::KEY_PRESSED);
  ASSERT_NE(spawner(), nullptr);
  ASSERT_EQ(spawner()->getContentsCount(), 1);
  EXPECT_TRUE(logMentions("text of record 1 on line 3 in file " + CONTENTS_FILE +
                          " is longer than 78 characters, cut"));
  spawner()->setHighestGap(30);
  for (int i = 0; i < 200 && blocks().empty(); i++) runSteps(1);
  ASSERT_FALSE(blocks().empty());
  const ErrorsObject* p_block = blocks().front();
  const int width = static_cast<int>(p_block->getCurrentLine().size());
  EXPECT_EQ(width + 2, ko::WINDOW_HORIZONTAL_CHARS_DEFAULT);
  const float left = p_block->getPos().getX() - static_cast<float>(width) / 2;
  EXPECT_GE(left, 0.0f);
  EXPECT_LE(left + static_cast<float>(width),
            static_cast<float>(ko::WINDOW_HORIZONTAL_CHARS_DEFAULT));
  ko::GameManager::getInstance().shutDown();
}

// The typing record broken every way a file can be: it counts as no
// history, so the game's own figures are the bests, marked new; a file
// that can be replaced holds a good record after the game, and one that
// cannot (a directory) costs one line in the log however many games fail
// to save it.
struct StatsCase {
  const char* name;
  Fault fault;
  const char* text;  // written instead of the fault when not null
};

void PrintTo(const StatsCase& c, std::ostream* os) { *os << c.name; }

class BrokenStatsFile : public ::testing::TestWithParam<StatsCase> {};

// The bests line of a first game.
std::string firstBestsLine(const TypingTally& game) {
  const bool accuracy_counts = game.getTypedKeys() >= stats_file::MIN_KEYS_FOR_ACCURACY;
  return "Your bests: " + std::to_string(game.getWpm()) + " wpm (new best!)   " +
         (accuracy_counts ? accuracyText(game.getAccuracy()) + " accuracy (new best!)"
                          : std::string("- accuracy"));
}

stats_file::TypingRecord storedRecord() {
  stats_file::TypingRecord record;
  const std::optional<std::string> text = readFile(STATS_FILE);
  EXPECT_TRUE(text.has_value());
  EXPECT_EQ(stats_file::parse(text.value_or(""), &record), 0) << text.value_or("");
  return record;
}

TEST_P(BrokenStatsFile, CountsAsNoHistoryAndIsReplacedWhenPossible) {
  const StatsCase& c = GetParam();
  breakFile(STATS_FILE, c.fault);
  if (c.text != nullptr) std::ofstream(STATS_FILE, std::ios::binary) << c.text;
  const std::string score_before = readFile(SCORE_FILE).value_or("none");
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  ASSERT_EQ(playToGameOver(3), 3);
  const TypingTally game = spawner()->getTally();
  ASSERT_GT(game.getWpm(), 0);
  EXPECT_EQ(gameOverScreen()->getBestsLine(), firstBestsLine(game));
  const std::string message = "Could not save the typing record to " + STATS_FILE;
  if (c.fault == Fault::DIRECTORY) {
    EXPECT_TRUE(fs::is_directory(STATS_FILE));
    EXPECT_TRUE(logMentions(message));
  } else {
    const stats_file::TypingRecord record = storedRecord();
    EXPECT_EQ(record.games, 1);
    EXPECT_EQ(record.typed_keys, game.getTypedKeys());
    EXPECT_EQ(record.best_wpm, game.getWpm());
    EXPECT_FALSE(logMentions(message));
  }
  EXPECT_EQ(readFile(SCORE_FILE), "3") << "was " << score_before;

  runSteps(KEY_GRACE_STEPS);
  releaseKey(ko::Keyboard::R);
  runSteps(1 + KEY_GRACE_STEPS);
  ASSERT_EQ(playToGameOver(0), 0);
  if (c.fault == Fault::DIRECTORY) {
    int times = 0;
    for (const std::string& line : logLines()) times += line.find(message) != std::string::npos;
    EXPECT_EQ(times, 1);
  } else {
    EXPECT_EQ(storedRecord().games, 2);
  }
}

const char TRUNCATED[] = "games_played 4\ntyped_keys 300\nhits 250\nchars_re";
const char NEGATIVE[] =
    "games_played -4\ntyped_keys 300\nhits 250\nchars_removed 700\nsteps_in_play 9000\n"
    "best_wpm 31\naccuracy_games 2\nbest_accuracy 90\n";
const char ABSURD[] =
    "games_played 4\ntyped_keys 300\nhits 250\nchars_removed 700\nsteps_in_play 9000\n"
    "best_wpm 99999999\naccuracy_games 2\nbest_accuracy 900\n";

const StatsCase STATS_CASES[] = {
    {"missing", Fault::MISSING, nullptr},   {"empty", Fault::EMPTY, nullptr},
    {"garbage", Fault::GARBAGE, nullptr},   {"directory", Fault::DIRECTORY, nullptr},
    {"fifo", Fault::FIFO, nullptr},         {"truncated", Fault::MISSING, TRUNCATED},
    {"negative", Fault::MISSING, NEGATIVE}, {"absurd", Fault::MISSING, ABSURD},
};

INSTANTIATE_TEST_SUITE_P(EveryFault, BrokenStatsFile, ::testing::ValuesIn(STATS_CASES),
                         [](const ::testing::TestParamInfo<StatsCase>& case_info) {
                           return std::string(case_info.param.name);
                         });

// A good record carried across two games: the first beats its best speed
// and is marked; the second types nothing and leaves the bests as they were.
TEST(GoodStatsFile, IsCarriedAcrossGamesAndMarksANewBest) {
  std::ofstream(STATS_FILE)
      << "games_played 4\ntyped_keys 300\nhits 250\nchars_removed 700\nsteps_in_play 9000\n"
         "best_wpm 1\naccuracy_games 2\nbest_accuracy 100\n";
  ASSERT_TRUE(startGameHeadless(1));
  runSteps(1);
  ASSERT_EQ(playToGameOver(3), 3);
  const TypingTally game = spawner()->getTally();
  ASSERT_GT(game.getWpm(), 1);
  EXPECT_EQ(gameOverScreen()->getBestsLine(),
            "Your bests: " + std::to_string(game.getWpm()) + " wpm (new best!)   100% accuracy");
  stats_file::TypingRecord record = storedRecord();
  EXPECT_EQ(record.games, 5);
  EXPECT_EQ(record.typed_keys, 300 + game.getTypedKeys());
  EXPECT_EQ(record.hits, 250 + game.getHits());
  EXPECT_EQ(record.chars_removed, 700 + game.getCharsRemoved());
  EXPECT_EQ(record.steps_in_play, 9000 + game.getSteps());
  EXPECT_EQ(record.best_wpm, game.getWpm());

  runSteps(KEY_GRACE_STEPS);
  releaseKey(ko::Keyboard::R);
  runSteps(1 + KEY_GRACE_STEPS);
  ASSERT_EQ(playToGameOver(0), 0);
  EXPECT_EQ(gameOverScreen()->getTypingLine(), "Your typing: 0 wpm   - accuracy");
  EXPECT_EQ(gameOverScreen()->getBestsLine(),
            "Your bests: " + std::to_string(game.getWpm()) + " wpm   100% accuracy");
  record = storedRecord();
  EXPECT_EQ(record.games, 6);
  EXPECT_EQ(record.best_wpm, game.getWpm());
}

}  // namespace
