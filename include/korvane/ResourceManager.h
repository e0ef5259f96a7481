// Loads sprites, sounds and music and keeps them under labels; the first
// loaded wins when labels repeat. It owns everything it loads: objects hold
// plain pointers, valid until that resource is unloaded or shutDown (sounds
// stay loaded through shutDown, until the manager itself is destroyed).
// Loading or unloading other resources never moves the ones kept.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <korvane/Color.h>
#include <korvane/Frame.h>
#include <korvane/Manager.h>
#include <korvane/Music.h>
#include <korvane/Sound.h>
#include <korvane/Sprite.h>

namespace ko {

const std::string RESOURCE_MANAGER = "ko::RESOURCE_MANAGER";
const int MAX_SPRITES = 1000;
const int MAX_SOUNDS = 128;
const int MAX_MUSICS = 128;

const std::string FRAMES_TOKEN = "frames";
const std::string HEIGHT_TOKEN = "height";
const std::string WIDTH_TOKEN = "width";
const std::string COLOR_TOKEN = "color";
const std::string END_FRAME_TOKEN = "end";
const std::string END_SPRITE_TOKEN = "eof";

class ResourceManager : public Manager {
 public:
  static ResourceManager& getInstance();
  ResourceManager(const ResourceManager&) = delete;
  void operator=(const ResourceManager&) = delete;
  ~ResourceManager() override;

  int startUp() override;
  // Deletes every sprite and piece of music; sounds stay loaded.
  void shutDown() override;

  // 0, or -1 (logged, except when full) when the file cannot be used.
  int loadSprite(std::string filename, std::string label);
  // 0, or -1 when no sprite has the label.
  int unloadSprite(std::string label);
  // The first sprite loaded with the label, or null.
  Sprite* getSprite(std::string label) const;

  int loadSound(std::string filename, std::string label);
  int unloadSound(std::string label);
  Sound* getSound(std::string label);

  int loadMusic(std::string filename, std::string label);
  int unloadMusic(std::string label);
  Music* getMusic(std::string label);

 private:
  ResourceManager();
  void deleteSprites();
  // Stops each piece of music before deleting it.
  void deleteMusic();

  std::vector<Sprite*> sprites;
  // Each sound on its own heap slot, so handed-out pointers survive the
  // list growing or closing a gap.
  std::vector<std::unique_ptr<Sound>> sounds;
  std::vector<Music*> musics;
};

// Sprite file readers; each counts the lines it consumes in *line_number.
int readLineInt(std::ifstream* p_file, int* line_number, std::string tag);
std::string readLineStr(std::ifstream* p_file, int* line_number, std::string tag);
// A too-long frame line is logged cut short, with filename.
Frame readFrame(std::ifstream* p_file, int* line_number, int width, int height,
                const std::string& filename = "");
Color stringToKoColor(std::string name);

}  // namespace ko
