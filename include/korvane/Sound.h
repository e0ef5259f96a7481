// A short sound effect decoded into memory. The resource manager keeps
// sounds by value; play() re-attaches the voice to this object's own
// samples, so a copy made by the manager's list still plays correctly.
#pragma once

#include <SFML/Audio.hpp>
#include <string>

namespace ko {

class Sound {
 public:
  Sound();
  ~Sound();
  Sound(const Sound& other);
  Sound& operator=(const Sound& other);

  // 0, or -1 (logged) when the file cannot be decoded.
  int loadSound(std::string filename);
  void setLabel(std::string new_label);
  std::string getLabel() const;

  // loop true switches looping on; false leaves it as it was.
  void play(bool loop = false);
  void stop();
  void pause();
  sf::Sound getSound() const;

 private:
  sf::Sound sound;
  sf::SoundBuffer sound_buffer;
  std::string label;
};

}  // namespace ko
