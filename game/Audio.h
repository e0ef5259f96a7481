// Plays the game's sounds and music by label. A label whose file failed to
// load is skipped, so missing assets only make the game quieter.
#pragma once

#include <string>

#include <korvane/Music.h>

namespace audio {

void playSound(const std::string& label);
// Returns the music, or null when it is not loaded.
ko::Music* playMusic(const std::string& label);
void stopMusic(const std::string& label);

}  // namespace audio
