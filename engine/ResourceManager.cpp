#include "ResourceManager.h"

#include <dlfcn.h>

#include <SFML/Audio/SoundBuffer.hpp>
#include <sstream>
#include <utility>

#include "LogManager.h"
#include "utility.h"

namespace ko {

namespace {

// Limits beyond which a sprite file is taken to be malformed rather than
// risk exhausting memory on a typo: no screen shows anything near them.
const int MAX_SPRITE_FRAMES = 100000;
const int MAX_FRAME_SIDE = 1000;
const long long MAX_SPRITE_CELLS = 10000000;

// A read is complete only if the stream is still good afterwards, so a
// last line without a line break does not count.
bool readCompleteLine(std::ifstream* p_file, std::string* p_line) {
  std::getline(*p_file, *p_line);
  return p_file->good();
}

// Whether the audio library found an output device. Without one, a
// playing music stream's thread reports errors nonstop through the audio
// library's shared error stream, racing the main thread's own reports
// there, which corrupts memory. A sound object makes the library try its
// device; it has a current context only if that worked.
bool audioDeviceOpened() {
  static const bool opened = [] {
    const sf::SoundBuffer probe;
    void* p_openal = dlopen("libopenal.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (p_openal == nullptr) return true;  // not ours to judge: let loads try
    using GetContext = void* (*)();
    const auto get_context =
        reinterpret_cast<GetContext>(dlsym(p_openal, "alcGetCurrentContext"));
    const bool has_context = get_context == nullptr || get_context() != nullptr;
    dlclose(p_openal);
    return has_context;
  }();
  return opened;
}

std::string firstWord(std::istringstream* p_words) {
  std::string word;
  *p_words >> word;
  return word;
}

}  // namespace

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
  const LogManager& log_manager = LogManager::getInstance();
  if (!isRegularFile(filename)) {
    log_manager.writeLog("unable to open file %s", filename.c_str());
    return -1;
  }
  std::ifstream file(filename);
  if (!file.is_open()) {
    log_manager.writeLog("unable to open file %s", filename.c_str());
    return -1;
  }
  int line_number = 0;

  const int frames = readLineInt(&file, &line_number, FRAMES_TOKEN);
  // A negative or absurd count would make the sprite's frame table
  // impossible to allocate.
  if (frames < 0 || frames > MAX_SPRITE_FRAMES) {
    log_manager.writeLog("frames is sad, wrong on line %d in file %s", line_number,
                         filename.c_str());
    return -1;
  }
  auto p_sprite = std::make_unique<Sprite>(frames);

  // A negative size describes no frame at all, and letting one through
  // would also overflow the size check below.
  const int width = readLineInt(&file, &line_number, WIDTH_TOKEN);
  if (width < 0 || width > MAX_FRAME_SIDE) {
    log_manager.writeLog("width is sad, wrong on line %d in file %s", line_number,
                         filename.c_str());
    return -1;
  }
  p_sprite->setWidth(width);

  const int height = readLineInt(&file, &line_number, HEIGHT_TOKEN);
  if (height < 0 || height > MAX_FRAME_SIDE ||
      static_cast<long long>(frames) * width * height > MAX_SPRITE_CELLS) {
    log_manager.writeLog("height is sad, wrong on line %d in file %s", line_number,
                         filename.c_str());
    return -1;
  }
  p_sprite->setHeight(height);

  const Color color = stringToKoColor(readLineStr(&file, &line_number, COLOR_TOKEN));
  if (color == UNDEFINED_COLOR) {
    log_manager.writeLog("color is sad, wrong on line %d in file %s", line_number,
                         filename.c_str());
    return -1;
  }
  p_sprite->setColor(color);

  for (int i = 0; i < frames; i++) {
    Frame frame = readFrame(&file, &line_number, width, height, filename);
    if (frame.getHeight() == 0) {
      log_manager.writeLog("frame wrong at line %d in file %s", line_number,
                           filename.c_str());
      return -1;
    }
    p_sprite->addFrame(std::move(frame));
  }

  std::string line;
  std::getline(file, line);
  line_number++;
  if (line != END_SPRITE_TOKEN) {
    log_manager.writeLog("end of sprite not detected %d in file %s", line_number,
                         filename.c_str());
  }

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

int readLineInt(std::ifstream* p_file, int* line_number, std::string tag) {
  std::string line;
  std::getline(*p_file, line);
  std::istringstream words(line);
  if (firstWord(&words) != tag) {
    return -1;
  }
  (*line_number)++;
  int number = 0;
  if (!(words >> number)) {
    return -1;
  }
  return number;
}

std::string readLineStr(std::ifstream* p_file, int* line_number, std::string tag) {
  std::string line;
  std::getline(*p_file, line);
  (*line_number)++;
  std::istringstream words(line);
  if (firstWord(&words) != tag) {
    return "";
  }
  std::string result;
  std::string word;
  while (words >> word) {
    if (!result.empty()) {
      result += ' ';
    }
    result += word;
  }
  return result;
}

namespace {

// The most of a file's line that a log message quotes; a frame line of
// megabytes would otherwise become a log line of megabytes.
const std::size_t MAX_QUOTED_LENGTH = 80;

std::string quoted(const std::string& line) {
  if (line.size() <= MAX_QUOTED_LENGTH) return line;
  return line.substr(0, MAX_QUOTED_LENGTH) + "...";
}

}  // namespace

Frame readFrame(std::ifstream* p_file, int* line_number, int width, int height,
                const std::string& filename) {
  std::string frame_str;
  std::string line;
  for (int i = 0; i < height; i++) {
    if (!readCompleteLine(p_file, &line)) {
      return Frame();
    }
    (*line_number)++;
    if (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
      line.pop_back();
    }
    if (static_cast<int>(line.size()) > width) {
      LogManager::getInstance().writeLog("%s %d and %d in file %s", quoted(line).c_str(),
                                         static_cast<int>(line.size()), width, filename.c_str());
      return Frame();
    }
    // Short lines are padded so that every cell of the frame exists.
    line.resize(static_cast<std::size_t>(width), ' ');
    frame_str += line;
  }
  const bool complete = readCompleteLine(p_file, &line);
  (*line_number)++;
  if (!complete || (line != END_FRAME_TOKEN && line != END_FRAME_TOKEN + "\r" &&
                    line != END_FRAME_TOKEN + "\n")) {
    return Frame();
  }
  return Frame(width, height, frame_str);
}

Color stringToKoColor(std::string name) {
  static const struct {
    const char* lower;
    const char* upper;
    Color color;
  } names[] = {
      {"green", "GREEN", GREEN},     {"black", "BLACK", BLACK},
      {"red", "RED", RED},           {"blue", "BLUE", BLUE},
      {"magenta", "MAGENTA", MAGENTA}, {"yellow", "YELLOW", YELLOW},
      {"cyan", "CYAN", CYAN},        {"white", "WHITE", WHITE},
  };
  for (const auto& entry : names) {
    if (name == entry.lower || name == entry.upper) {
      return entry.color;
    }
  }
  return UNDEFINED_COLOR;
}

}  // namespace ko
