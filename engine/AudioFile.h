// Private to the engine: reading sound files without trusting their
// headers. A header states the sample count, rate and channels, and the
// audio library sizes its buffers from them before it reads a sample, so a
// tiny file that lies about them could make it allocate gigabytes.
#pragma once

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <string>

namespace ko {

// Why the header of the opened file cannot be believed, or an empty string
// if it can.
std::string audioHeaderProblem(const std::string& filename, const sf::InputSoundFile& file);

// Decodes the whole file into the buffer, piece by piece, so that memory
// grows with the samples the file really holds, not with what its header
// claims. 0, or -1; *p_why then says what was wrong with a file that did
// open as sound (a lying header, running out of memory), and is empty for
// a file that is missing or no sound at all.
int decodeSoundFile(const std::string& filename, sf::SoundBuffer* p_buffer, std::string* p_why);

}  // namespace ko
