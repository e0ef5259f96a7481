#include "StatsFile.h"

#include <algorithm>

#include "AtomicFile.h"

namespace stats_file {

namespace {

// The figures in the order they are written. All must be in a good file.
struct Field {
  const char* name;
  long long TypingRecord::*p_value;
};

const Field FIELDS[] = {
    {"games_played", &TypingRecord::games},
    {"typed_keys", &TypingRecord::typed_keys},
    {"hits", &TypingRecord::hits},
    {"chars_removed", &TypingRecord::chars_removed},
    {"steps_in_play", &TypingRecord::steps_in_play},
    {"best_wpm", &TypingRecord::best_wpm},
    {"accuracy_games", &TypingRecord::accuracy_games},
    {"best_accuracy", &TypingRecord::best_accuracy},
};
const std::size_t FIELD_COUNT = sizeof FIELDS / sizeof FIELDS[0];

// Digits only, no sign, at most MAX_COUNT; -1 otherwise.
long long parseCount(const std::string& digits) {
  if (digits.empty() || digits.size() > 13) return -1;
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value <= MAX_COUNT ? value : -1;
}

bool isPossible(const TypingRecord& r) {
  return r.hits <= r.typed_keys && r.accuracy_games <= r.games && r.best_wpm <= MAX_WPM &&
         r.best_accuracy <= 100 && (r.accuracy_games > 0 || r.best_accuracy == 0);
}

long long capped(long long sum) { return std::min(sum, MAX_COUNT); }

// A temporary holds one record: a few hundred bytes at most.
const off_t MAX_TEMP_SIZE = static_cast<off_t>(MAX_SIZE);

}  // namespace

int parse(const std::string& text, TypingRecord* p_record) {
  if (text.empty() || text.size() > MAX_SIZE || text.back() != '\n') return -1;
  TypingRecord record;
  bool seen[FIELD_COUNT] = {};
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t space = line.find(' ');
    if (space == std::string::npos || space == 0) return -1;
    const std::string name = line.substr(0, space);
    const long long value = parseCount(line.substr(space + 1));
    if (value < 0) return -1;
    // Names this version does not know are left for the one that wrote them.
    for (std::size_t i = 0; i < FIELD_COUNT; ++i) {
      if (name != FIELDS[i].name) continue;
      if (seen[i]) return -1;
      seen[i] = true;
      record.*FIELDS[i].p_value = value;
    }
  }
  for (bool found : seen) {
    if (!found) return -1;
  }
  if (!isPossible(record)) return -1;
  *p_record = record;
  return 0;
}

std::string format(const TypingRecord& record) {
  std::string text;
  for (const Field& field : FIELDS) {
    text += std::string(field.name) + " " + std::to_string(record.*field.p_value) + "\n";
  }
  return text;
}

TypingRecord withGame(const TypingRecord& record, const TypingTally& game) {
  TypingRecord after = record;
  after.games = capped(record.games + 1);
  after.typed_keys = capped(record.typed_keys + game.getTypedKeys());
  after.hits = capped(record.hits + game.getHits());
  // Saturating at different points could leave more hits than keys.
  after.hits = std::min(after.hits, after.typed_keys);
  after.chars_removed = capped(record.chars_removed + game.getCharsRemoved());
  after.steps_in_play = capped(record.steps_in_play + game.getSteps());
  after.best_wpm = std::max(record.best_wpm, std::min<long long>(game.getWpm(), MAX_WPM));
  if (game.getTypedKeys() >= MIN_KEYS_FOR_ACCURACY) {
    after.best_accuracy = record.accuracy_games == 0
                              ? game.getAccuracy()
                              : std::max<long long>(record.best_accuracy, game.getAccuracy());
    after.accuracy_games = std::min(record.accuracy_games + 1, after.games);
  }
  return after;
}

TypingRecord read(const std::string& path) {
  TypingRecord record;
  std::string text;
  if (atomic_file::readStart(path, MAX_SIZE, &text)) parse(text, &record);
  return record;
}

int addGame(const std::string& path, const TypingTally& game, TypingRecord* p_before) {
  const std::string target = atomic_file::resolveLinks(path);
  *p_before = read(target.empty() ? path : target);
  if (target.empty()) return -1;
  // The lock keeps two games ending at once from losing one's figures.
  const atomic_file::SaveLock lock(target, atomic_file::LOCK_WAIT);
  if (lock.getState() == atomic_file::SaveLock::BUSY) return -1;
  *p_before = read(target);
  return atomic_file::replace(target, format(withGame(*p_before, game)));
}

int removeStaleTemporaries(const std::string& path) {
  return atomic_file::removeStaleTemporaries(path, MAX_TEMP_SIZE);
}

}  // namespace stats_file
