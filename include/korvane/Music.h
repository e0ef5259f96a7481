// A piece of music streamed from its file while it plays. Not copyable:
// the resource manager creates and owns music objects and hands out
// pointers to them.
#pragma once

#include <SFML/Audio.hpp>
#include <string>

namespace ko {

class Music {
 public:
  Music();
  Music(const Music&) = delete;
  Music& operator=(const Music&) = delete;

  // 0, or -1 when the file cannot be opened.
  int loadMusic(std::string filename);
  void setLabel(std::string new_label);
  std::string getLabel() const;

  // loop true switches looping on; false leaves it as it was.
  void play(bool loop = true);
  void stop();
  void pause();
  sf::Music* getMusic();

 private:
  sf::Music music;
  std::string label;
};

}  // namespace ko
