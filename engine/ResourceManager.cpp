#include <korvane/ResourceManager.h>

#include <new>
#include <utility>

#include <korvane/LogManager.h>
#include "AudioDevice.h"
#include "SpriteFileReader.h"

namespace ko {

ResourceManager::ResourceManager() { setType(RESOURCE_MANAGER); }

ResourceManager& ResourceManager::getInstance() {
  static ResourceManager resource_manager;
  return resource_manager;
}

ResourceManager::~ResourceManager() {
  deleteSprites();
  deleteMusic();
}

void ResourceManager::deleteSprites() {
  for (Sprite* p_sprite : sprites) {
    delete p_sprite;
  }
  sprites.clear();
}

void ResourceManager::deleteMusic() {
  for (Music* p_music : musics) {
    p_music->stop();
    delete p_music;
  }
  musics.clear();
}

int ResourceManager::startUp() {
  deleteSprites();
  return Manager::startUp();
}

// Music is released here too, stopped first: once the engine has stopped
// nothing may play it, and a stream left running would keep its thread
// busy while the process tears the audio device down. Sounds stay loaded
// until the manager itself is destroyed.
void ResourceManager::shutDown() {
  Manager::shutDown();
  deleteSprites();
  deleteMusic();
}

int ResourceManager::loadSprite(std::string filename, std::string label) {
  if (static_cast<int>(sprites.size()) >= MAX_SPRITES) {
    return -1;
  }
  std::unique_ptr<Sprite> p_sprite;
  try {
    p_sprite = readSpriteFile(filename);
  } catch (const std::bad_alloc&) {
    LogManager::getInstance().writeLog("out of memory reading sprite file %s", filename.c_str());
  }
  if (p_sprite == nullptr) return -1;
  p_sprite->setLabel(label);
  sprites.push_back(p_sprite.release());
  return 0;
}

int ResourceManager::unloadSprite(std::string label) {
  for (auto it = sprites.begin(); it != sprites.end(); ++it) {
    if ((*it)->getLabel() == label) {
      delete *it;
      sprites.erase(it);
      return 0;
    }
  }
  return -1;
}

Sprite* ResourceManager::getSprite(std::string label) const {
  for (Sprite* p_sprite : sprites) {
    if (p_sprite->getLabel() == label) {
      return p_sprite;
    }
  }
  return nullptr;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
  if (!audioDeviceOpened()) {
    LogManager::getInstance().writeLog("no audio device, not loading %s", filename.c_str());
    return -1;
  }
  auto p_sound = std::make_unique<Sound>();
  if (p_sound->loadSound(filename) == -1) {
    return -1;
  }
  p_sound->setLabel(label);
  if (static_cast<int>(sounds.size()) >= MAX_SOUNDS) {
    return -1;
  }
  sounds.push_back(std::move(p_sound));
  return 0;
}

int ResourceManager::unloadSound(std::string label) {
  for (auto it = sounds.begin(); it != sounds.end(); ++it) {
    if ((*it)->getLabel() == label) {
      sounds.erase(it);
      return 0;
    }
  }
  return -1;
}

Sound* ResourceManager::getSound(std::string label) {
  for (const auto& p_sound : sounds) {
    if (p_sound->getLabel() == label) {
      return p_sound.get();
    }
  }
  return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
  if (!audioDeviceOpened()) {
    LogManager::getInstance().writeLog("no audio device, not loading %s", filename.c_str());
    return -1;
  }
  auto p_music = std::make_unique<Music>();
  if (p_music->loadMusic(filename) == -1) {
    return -1;
  }
  p_music->setLabel(label);
  if (static_cast<int>(musics.size()) >= MAX_MUSICS) {
    return -1;
  }
  musics.push_back(p_music.release());
  return 0;
}

// Like an unloaded sprite, unloaded music is gone: stopped first, since a
// playing stream must not outlive its object.
int ResourceManager::unloadMusic(std::string label) {
  for (auto it = musics.begin(); it != musics.end(); ++it) {
    if ((*it)->getLabel() == label) {
      (*it)->stop();
      delete *it;
      musics.erase(it);
      return 0;
    }
  }
  return -1;
}

Music* ResourceManager::getMusic(std::string label) {
  for (Music* p_music : musics) {
    if (p_music->getLabel() == label) {
      return p_music;
    }
  }
  return nullptr;
}

}  // namespace ko
