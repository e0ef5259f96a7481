// Feeds arbitrary typing record files, and a game to add to them, to the
// record code. A file either parses into a possible record, which writes
// back into text that parses to the same record, or counts as no history;
// adding a game always leaves a good record one game longer, and no
// temporary file behind (only the lock that serialises saves).
//
// Input layout: byte 0 is the game's typed keys, byte 1 its hits (at most
// the keys), byte 2 the characters each hit removes, byte 3 its steps in
// tens; the rest is the file's content.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "StatsFile.h"

using ko_fuzz::check;

namespace {

bool sameRecord(const stats_file::TypingRecord& a, const stats_file::TypingRecord& b) {
  return stats_file::format(a) == stats_file::format(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  TypingTally game;
  const int keys = data[0];
  const int hits = data[1] % (keys + 1);
  for (int i = 0; i < keys; ++i)
    game.countKey(static_cast<char>('a' + i % 26), i < hits ? data[2] : 0);
  for (int i = 0; i < data[3] * 10; ++i) game.countStep();
  const std::string content(reinterpret_cast<const char*>(data + 4), size - 4);

  stats_file::TypingRecord parsed;
  const bool good = stats_file::parse(content, &parsed) == 0;
  if (good) {
    stats_file::TypingRecord again;
    check(stats_file::parse(stats_file::format(parsed), &again) == 0, "a record writes back");
    check(sameRecord(parsed, again), "a written record reads back as itself");
  }

  const std::string path = ko_fuzz::writeFile("stats.txt", data + 4, size - 4);
  check(sameRecord(stats_file::read(path), good ? parsed : stats_file::TypingRecord()),
        "the file reads as its text parses, or as no history");

  stats_file::TypingRecord before;
  check(stats_file::addGame(path, game, &before) == 0, "saving into a writable directory succeeds");
  check(sameRecord(before, good ? parsed : stats_file::TypingRecord()),
        "the game is added to the file's record, or to none");
  std::string after_text;
  check(ko_fuzz::readFile(path, &after_text), "the record exists after a save");
  stats_file::TypingRecord after;
  check(stats_file::parse(after_text, &after) == 0, "a saved record is good");
  check(sameRecord(after, stats_file::withGame(before, game)), "the save adds exactly the game");
  check(after.games == before.games + 1 || after.games == stats_file::MAX_COUNT, "one game more");

  for (const std::string& entry : ko_fuzz::scratchEntries()) {
    check(entry == "stats.txt" || entry == "stats.txt.lock", "no temporary file is left");
  }
  return 0;
}
