#include <korvane/Music.h>

#include <new>
#include <utility>

#include <korvane/LogManager.h>
#include <korvane/utility.h>
#include "AudioFile.h"

namespace ko {

Music::Music() = default;

// A missing or unreadable file fails quietly, as music always has; a file
// whose header lies about its rate or size is logged, since the stream
// would size its buffer from it.
int Music::loadMusic(std::string filename) {
  if (!isRegularFile(filename)) return -1;
  sf::InputSoundFile probe;
  if (!probe.openFromFile(filename)) return -1;
  const std::string why = audioHeaderProblem(filename, probe);
  if (!why.empty()) {
    LogManager::getInstance().writeLog("not loading music %s: %s", filename.c_str(), why.c_str());
    return -1;
  }
  try {
    return music.openFromFile(filename) ? 0 : -1;
  } catch (const std::bad_alloc&) {
    LogManager::getInstance().writeLog("not loading music %s: out of memory", filename.c_str());
    return -1;
  }
}

void Music::setLabel(std::string new_label) { label = std::move(new_label); }
std::string Music::getLabel() const { return label; }

void Music::play(bool loop) {
  if (loop) {
    music.setLoop(true);
  }
  music.play();
}

void Music::stop() { music.stop(); }
void Music::pause() { music.pause(); }
sf::Music* Music::getMusic() { return &music; }

}  // namespace ko
