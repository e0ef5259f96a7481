#include "AudioFile.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

#include <korvane/utility.h>

namespace ko {

namespace {

// Far above any real recording; the stream's buffer holds a second of audio.
const unsigned int MAX_SAMPLE_RATE = 384000;
// What the audio library can play.
const unsigned int MAX_CHANNELS = 8;
const std::size_t DECODE_PIECE = 65536;

bool isWave(const std::string& filename) {
  std::ifstream file(filename, std::ios::binary);
  char magic[4] = {};
  file.read(magic, sizeof magic);
  return file.gcount() == 4 && std::string(magic, 4) == "RIFF";
}

std::uintmax_t fileSize(const std::string& filename) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(filename, error);
  return error ? 0 : size;
}

}  // namespace

std::string audioHeaderProblem(const std::string& filename, const sf::InputSoundFile& file) {
  if (file.getChannelCount() < 1 || file.getChannelCount() > MAX_CHANNELS) {
    return "its header claims " + std::to_string(file.getChannelCount()) + " channels";
  }
  if (file.getSampleRate() < 1 || file.getSampleRate() > MAX_SAMPLE_RATE) {
    return "its header claims a sample rate of " + std::to_string(file.getSampleRate());
  }
  // Uncompressed samples take a byte at least each.
  if (isWave(filename) && file.getSampleCount() > fileSize(filename)) {
    return "its header claims " + std::to_string(file.getSampleCount()) +
           " samples, more than its " + std::to_string(fileSize(filename)) + " bytes hold";
  }
  return "";
}

int decodeSoundFile(const std::string& filename, sf::SoundBuffer* p_buffer, std::string* p_why) {
  p_why->clear();
  sf::InputSoundFile file;
  if (!isRegularFile(filename) || !file.openFromFile(filename)) return -1;
  *p_why = audioHeaderProblem(filename, file);
  if (!p_why->empty()) return -1;
  try {
    std::vector<sf::Int16> samples;
    std::vector<sf::Int16> piece(DECODE_PIECE);
    while (samples.size() < file.getSampleCount()) {
      const sf::Uint64 read = file.read(piece.data(), piece.size());
      if (read == 0) break;
      samples.insert(samples.end(), piece.begin(), piece.begin() + static_cast<long>(read));
    }
    if (samples.size() < file.getSampleCount()) {
      *p_why = "the file ends before the samples its header claims";
      return -1;
    }
    if (samples.empty() ||
        !p_buffer->loadFromSamples(samples.data(), samples.size(), file.getChannelCount(),
                                   file.getSampleRate())) {
      *p_why = "it holds no samples the engine can play";
      return -1;
    }
  } catch (const std::bad_alloc&) {
    *p_why = "out of memory decoding it";
    return -1;
  }
  return 0;
}

}  // namespace ko
