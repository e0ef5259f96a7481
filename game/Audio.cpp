#include "Audio.h"

#include <korvane/ResourceManager.h>

namespace audio {

void playSound(const std::string& label) {
  ko::Sound* p_sound = ko::ResourceManager::getInstance().getSound(label);
  if (p_sound != nullptr) p_sound->play(false);
}

ko::Music* playMusic(const std::string& label) {
  ko::Music* p_music = ko::ResourceManager::getInstance().getMusic(label);
  if (p_music != nullptr) p_music->play(true);
  return p_music;
}

void stopMusic(const std::string& label) {
  ko::Music* p_music = ko::ResourceManager::getInstance().getMusic(label);
  if (p_music != nullptr) p_music->stop();
}

}  // namespace audio
