#include "Music.h"

#include <utility>

#include "utility.h"

namespace ko {

Music::Music() = default;

int Music::loadMusic(std::string filename) {
  return isRegularFile(filename) && music.openFromFile(filename) ? 0 : -1;
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
