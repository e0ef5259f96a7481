// The typing record file and the figures of one game: which files count as
// a record, how a game is added to it, and how speed, accuracy and the keys
// missed most come out of known keys.
#include <gtest/gtest.h>

#include <string>

#include "StatsFile.h"
#include "TypingTally.h"

namespace {

const std::string GOOD =
    "games_played 4\ntyped_keys 300\nhits 250\nchars_removed 700\nsteps_in_play 9000\n"
    "best_wpm 31\naccuracy_games 2\nbest_accuracy 90\n";

// GOOD with one line replaced (or removed, with an empty replacement).
std::string goodWith(const std::string& name, const std::string& line) {
  std::string text = GOOD;
  const std::size_t at = text.find(name + " ");
  const std::size_t end = text.find('\n', at) + 1;
  return text.replace(at, end - at, line.empty() ? "" : line + "\n");
}

TEST(StatsFile, OnlyACompletePossibleRecordIsRead) {
  const struct {
    const char* what;
    std::string text;
    bool good;
  } cases[] = {
      {"good", GOOD, true},
      {"lines in another order", goodWith("games_played", "") + "games_played 4\n", true},
      {"an unknown name", GOOD + "longest_streak 12\n", true},
      {"empty", "", false},
      {"garbage", "\x7f\x01ELF\x02\n\n\xff", false},
      {"cut inside the last number", GOOD.substr(0, GOOD.size() - 2), false},
      {"cut after a line", GOOD.substr(0, GOOD.find("best_wpm")), false},
      {"negative", goodWith("hits", "hits -3"), false},
      {"plus sign", goodWith("hits", "hits +3"), false},
      {"beyond any count", goodWith("typed_keys", "typed_keys 99999999999999999999"), false},
      {"more hits than keys", goodWith("hits", "hits 301"), false},
      {"accuracy above 100", goodWith("best_accuracy", "best_accuracy 101"), false},
      {"absurd speed", goodWith("best_wpm", "best_wpm 5000000"), false},
      {"more accuracy games than games", goodWith("accuracy_games", "accuracy_games 5"), false},
      {"accuracy without a game for it", goodWith("accuracy_games", "accuracy_games 0"), false},
      {"a name twice", GOOD + "hits 1\n", false},
      {"no value", goodWith("hits", "hits"), false},
      {"two spaces", goodWith("hits", "hits  3"), false},
      {"trailing text", goodWith("hits", "hits 3x"), false},
      {"carriage returns", goodWith("hits", "hits 3\r"), false},
      {"a blank line", GOOD + "\n", false},
      {"too long", GOOD + std::string(stats_file::MAX_SIZE, '#') + "\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    stats_file::TypingRecord record;
    record.games = 77;
    EXPECT_EQ(stats_file::parse(c.text, &record), c.good ? 0 : -1);
    if (c.good) {
      EXPECT_EQ(record.games, 4);
      EXPECT_EQ(record.hits, 250);
      EXPECT_EQ(record.best_accuracy, 90);
      EXPECT_EQ(stats_file::format(record), GOOD) << "a record writes back as read";
    } else {
      EXPECT_EQ(record.games, 77) << "a refused file leaves the record alone";
    }
  }
}

// A tally of keys typed at a target: each character with how many it took.
TypingTally tallyOf(const std::string& keys, const std::string& removed, int steps) {
  TypingTally tally;
  for (std::size_t i = 0; i < keys.size(); ++i) tally.countKey(keys[i], removed[i] - '0');
  for (int i = 0; i < steps; ++i) tally.countStep();
  return tally;
}

TEST(TypingTally, SpeedAccuracyAndMostMissed) {
  const struct {
    const char* keys;
    const char* removed;
    int steps;
    int wpm;
    int accuracy;
    const char* most_missed;
  } cases[] = {
      {"", "", 0, 0, -1, ""},
      {"", "", 500, 0, -1, ""},
      {"abc", "000", 0, 0, 0, "abc"},
      // 25 characters (5 words) in 1818 steps (59.994 s): 5 wpm.
      {"abcde", "55555", 1818, 5, 100, ""},
      // Two words: in 909 steps (29.997 s) 4.0004, in 800 steps 4.55 rounds
      // up, in 1091 steps 3.33 down.
      {"ab", "55", 909, 4, 100, ""},
      {"ab", "55", 800, 5, 100, ""},
      {"ab", "55", 1091, 3, 100, ""},
      // 199 of 200 is 99%, never rounded up to a perfect 100.
      {nullptr, nullptr, 0, 0, 99, "z"},
      // Ties go alphabetically, space and apostrophe last.
      {"' z zq'", "0000000", 0, 0, 0, "z '"},
      {"qqxxaa", "000000", 0, 0, 0, "aqx"},
      {"qqxxaab", "0000000", 0, 0, 0, "aqx"},
  };
  for (const auto& c : cases) {
    TypingTally tally;
    std::string trace;
    if (c.keys == nullptr) {
      trace = "199 hits and one z missed";
      for (int i = 0; i < 199; ++i) tally.countKey('a', 1);
      tally.countKey('z', 0);
    } else {
      trace = std::string(c.keys) + " in " + std::to_string(c.steps) + " steps";
      tally = tallyOf(c.keys, c.removed, c.steps);
    }
    SCOPED_TRACE(trace);
    EXPECT_EQ(tally.getWpm(), c.wpm);
    EXPECT_EQ(tally.getAccuracy(), c.accuracy);
    EXPECT_EQ(tally.getMostMissed(), c.most_missed);
  }
  EXPECT_EQ(accuracyText(-1), "-");
  EXPECT_EQ(accuracyText(37), "37%");
  EXPECT_EQ(characterName(' '), "space");
}

TEST(StatsFile, AGameAddsItsFiguresAndRaisesTheBests) {
  stats_file::TypingRecord empty;
  // 19 keys: too few for the best accuracy.
  const TypingTally short_game = tallyOf("aaaaaaaaaaaaaaaaaaa", "1111111111111111111", 60);
  const stats_file::TypingRecord first = stats_file::withGame(empty, short_game);
  EXPECT_EQ(first.games, 1);
  EXPECT_EQ(first.typed_keys, 19);
  EXPECT_EQ(first.steps_in_play, 60);
  EXPECT_EQ(first.accuracy_games, 0);
  EXPECT_EQ(first.best_accuracy, 0);
  EXPECT_EQ(first.best_wpm, short_game.getWpm());

  // 20 keys, half of them hits: the first accuracy best, however low.
  const TypingTally half = tallyOf("aaaaaaaaaabbbbbbbbbb", "11111111110000000000", 6000);
  const stats_file::TypingRecord second = stats_file::withGame(first, half);
  EXPECT_EQ(second.accuracy_games, 1);
  EXPECT_EQ(second.best_accuracy, 50);
  EXPECT_EQ(second.best_wpm, first.best_wpm) << "a slower game keeps the best speed";
  EXPECT_EQ(second.hits, 29);

  // Counts saturate instead of wrapping.
  stats_file::TypingRecord full = second;
  full.typed_keys = stats_file::MAX_COUNT;
  full.hits = stats_file::MAX_COUNT;
  const stats_file::TypingRecord after = stats_file::withGame(full, half);
  EXPECT_EQ(after.typed_keys, stats_file::MAX_COUNT);
  stats_file::TypingRecord reread;
  EXPECT_EQ(stats_file::parse(stats_file::format(after), &reread), 0);
}

}  // namespace
