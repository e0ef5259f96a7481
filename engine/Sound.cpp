#include <korvane/Sound.h>

#include <utility>

#include <korvane/LogManager.h>
#include "AudioFile.h"

namespace ko {

Sound::Sound() = default;
Sound::~Sound() = default;

// Member by member: the copied voice still points at the other object's
// samples until play() re-attaches it to this object's own buffer.
Sound::Sound(const Sound& other)
    : sound(other.sound), sound_buffer(other.sound_buffer), label(other.label) {}

Sound& Sound::operator=(const Sound& other) {
  if (this != &other) {
    sound = other.sound;
    sound_buffer = other.sound_buffer;
    label = other.label;
  }
  return *this;
}

int Sound::loadSound(std::string filename) {
  std::string why;
  if (decodeSoundFile(filename, &sound_buffer, &why) != 0) {
    LogManager::getInstance().writeLog("failed to load %s", filename.c_str());
    if (!why.empty()) LogManager::getInstance().writeLog("%s: %s", filename.c_str(), why.c_str());
    return -1;
  }
  sound.setBuffer(sound_buffer);
  return 0;
}

void Sound::setLabel(std::string new_label) { label = std::move(new_label); }
std::string Sound::getLabel() const { return label; }

void Sound::play(bool loop) {
  // This object may be a copy made by a growing list, whose voice still
  // refers to the original's buffer.
  sound.setBuffer(sound_buffer);
  if (loop) {
    sound.setLoop(true);
  }
  sound.play();
}

void Sound::stop() { sound.stop(); }
void Sound::pause() { sound.pause(); }
sf::Sound Sound::getSound() const { return sound; }

}  // namespace ko
