// Sounds and music through the audio device: loading, the resource list's
// rules, and (through OpenAL Soft's wave-file output) real samples.
#include <gtest/gtest.h>

#include <SFML/Audio.hpp>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <korvane/ResourceManager.h>
#include "TestSupport.h"
#include "WindowTestSupport.h"

using ko_test::logLines;
using ko_test::ScratchDir;
using ko_test::sleepMs;
using ko_test::useNullAudio;

namespace {

// A mono 440 Hz tone of the given length as a WAV file.
std::string writeTone(const ScratchDir& dir, const std::string& name, float seconds) {
  const unsigned rate = 44100;
  std::vector<sf::Int16> samples(static_cast<std::size_t>(seconds * rate));
  for (std::size_t i = 0; i < samples.size(); i++) {
    samples[i] = static_cast<sf::Int16>(20000 * std::sin(2 * 3.14159265 * 440 * i / rate));
  }
  sf::SoundBuffer buffer;
  buffer.loadFromSamples(samples.data(), samples.size(), 1, rate);
  const std::string path = dir.path() + "/" + name;
  EXPECT_TRUE(buffer.saveToFile(path));
  return path;
}

class SoundList : public ::testing::Test {
 protected:
  void SetUp() override {
    useNullAudio();
    ASSERT_EQ(resources.startUp(), 0);
    tone = writeTone(dir, "tone.wav", 0.1f);
  }
  ScratchDir dir;
  std::string tone;
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
};

TEST_F(SoundList, MissingFileIsLoggedAndNotListed) {
  const std::size_t before = logLines().size();
  const std::string missing = dir.path() + "/missing.wav";
  EXPECT_EQ(resources.loadSound(missing, "gone"), -1);
  EXPECT_EQ(resources.getSound("gone"), nullptr);
  const std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), before + 1);
  EXPECT_EQ(lines.back(), "failed to load " + missing);
  // Music failures are not logged.
  EXPECT_EQ(resources.loadMusic(missing, "gone"), -1);
  EXPECT_EQ(resources.getMusic("gone"), nullptr);
  EXPECT_EQ(logLines().size(), before + 1);
}

TEST_F(SoundList, HoldsAtMostItsCapacityAndFindsTheFirstOfALabel) {
  for (int i = 0; i < ko::MAX_SOUNDS; i++) {
    ASSERT_EQ(resources.loadSound(tone, i < 2 ? "twin" : "s" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(resources.loadSound(tone, "extra"), -1);
  EXPECT_EQ(resources.getSound("extra"), nullptr);

  ko::Sound* p_first = resources.getSound("twin");
  ASSERT_NE(p_first, nullptr);
  EXPECT_EQ(resources.unloadSound("twin"), 0);
  EXPECT_NE(resources.getSound("twin"), nullptr) << "the second of the label";
  EXPECT_EQ(resources.unloadSound("twin"), 0);
  EXPECT_EQ(resources.getSound("twin"), nullptr);
  EXPECT_EQ(resources.unloadSound("twin"), -1);
  EXPECT_EQ(resources.loadSound(tone, "extra"), 0) << "room again";
}

TEST_F(SoundList, LoopOnceSwitchedOnStaysOn) {
  ASSERT_EQ(resources.loadSound(tone, "tone"), 0);
  ko::Sound* p_sound = resources.getSound("tone");
  p_sound->play(false);
  EXPECT_FALSE(p_sound->getSound().getLoop());
  p_sound->play(true);
  p_sound->play(false);
  EXPECT_TRUE(p_sound->getSound().getLoop());
  p_sound->stop();
}

TEST_F(SoundList, MusicSharesALabelInLoadingOrder) {
  const std::string longer = writeTone(dir, "longer.wav", 0.3f);
  ASSERT_EQ(resources.loadMusic(tone, "theme"), 0);
  ASSERT_EQ(resources.loadMusic(longer, "theme"), 0);
  ko::Music* p_first = resources.getMusic("theme");
  ASSERT_NE(p_first, nullptr);
  EXPECT_NEAR(p_first->getMusic()->getDuration().asSeconds(), 0.1f, 0.01f);
  p_first->play(true);
  EXPECT_TRUE(p_first->getMusic()->getLoop());
  p_first->play(false);
  EXPECT_TRUE(p_first->getMusic()->getLoop());
  p_first->stop();

  EXPECT_EQ(resources.unloadMusic("theme"), 0);
  ASSERT_NE(resources.getMusic("theme"), nullptr);
  EXPECT_NEAR(resources.getMusic("theme")->getMusic()->getDuration().asSeconds(), 0.3f, 0.01f);
  EXPECT_EQ(resources.unloadMusic("theme"), 0);
  EXPECT_EQ(resources.unloadMusic("theme"), -1);
  // Stopping and releasing at shutdown, twice, is harmless.
  ASSERT_EQ(resources.loadMusic(longer, "again"), 0);
  resources.getMusic("again")->play(true);
  resources.shutDown();
  resources.shutDown();
  EXPECT_EQ(resources.getMusic("again"), nullptr);
}

TEST(SoundWithoutDevice, NothingCrashesOrStalls) {
  // A driver list naming no real backend leaves OpenAL without a device.
  setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
  ScratchDir dir;
  const std::string tone = writeTone(dir, "tone.wav", 0.2f);
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  const auto start = std::chrono::steady_clock::now();
  if (resources.loadSound(tone, "tone") == 0) {
    resources.getSound("tone")->play(true);
    resources.getSound("tone")->pause();
    resources.getSound("tone")->stop();
  }
  if (resources.loadMusic(tone, "music") == 0) {
    resources.getMusic("music")->play(true);
    sleepMs(50);
    resources.getMusic("music")->pause();
    resources.getMusic("music")->play(true);
    resources.getMusic("music")->stop();
  }
  resources.shutDown();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Peak absolute sample of 16-bit PCM data in a WAV file written so far
// (its header sizes may not be final yet).
int peakOfWaveFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t data = bytes.find("data");
  if (data == std::string::npos) return -1;
  int peak = 0;
  for (std::size_t i = data + 8; i + 1 < bytes.size(); i += 2) {
    const auto sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                             (static_cast<uint8_t>(bytes[i + 1]) << 8));
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
  }
  return peak;
}

TEST(SoundOutput, AKeptSoundPointerPlaysAfterTheListChanges) {
  ScratchDir dir;
  const std::string out = dir.path() + "/out.wav";
  const std::string conf = dir.write(
      "alsoft.conf",
      "[general]\nchannels = mono\nsample-type = int16\nfrequency = 44100\ndither = false\n"
      "[wave]\nfile = " +
          out + "\n");
  setenv("ALSOFT_DRIVERS", "wave", 1);
  setenv("ALSOFT_CONF", conf.c_str(), 1);

  const std::string tone = writeTone(dir, "tone.wav", 0.3f);
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  ASSERT_EQ(resources.loadSound(tone, "before"), 0);
  ASSERT_EQ(resources.loadSound(tone, "tone"), 0);
  ko::Sound* p_kept = resources.getSound("tone");
  ASSERT_NE(p_kept, nullptr);
  // Fill the list to its capacity, then close a gap before the kept sound.
  for (int i = 2; i < ko::MAX_SOUNDS; i++) {
    ASSERT_EQ(resources.loadSound(tone, "filler" + std::to_string(i)), 0);
  }
  ASSERT_EQ(resources.unloadSound("before"), 0);
  EXPECT_EQ(resources.getSound("tone"), p_kept);
  sleepMs(200);
  ASSERT_EQ(peakOfWaveFile(out), 0) << "silence before anything plays";

  p_kept->play(false);
  sleepMs(600);
  EXPECT_GT(peakOfWaveFile(out), 5000);
}

// A 16-bit PCM WAV header with the given claims, followed by the samples
// actually there.
std::string lyingWave(const ScratchDir& dir, const std::string& name, uint16_t channels,
                      uint32_t rate, uint32_t data_bytes, std::size_t real_samples) {
  std::string bytes;
  auto u32 = [&bytes](uint32_t v) {
    for (int i = 0; i < 4; i++) bytes += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  auto u16 = [&bytes](uint16_t v) {
    bytes += static_cast<char>(v & 0xff);
    bytes += static_cast<char>(v >> 8);
  };
  bytes += "RIFF";
  u32(36 + data_bytes);
  bytes += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(channels);
  u32(rate);
  u32(rate * channels * 2);
  u16(static_cast<uint16_t>(channels * 2));
  u16(16);
  bytes += "data";
  u32(data_bytes);
  bytes += std::string(real_samples * 2, '\x10');
  return dir.write(name, bytes);
}

// Headers that would make the audio library allocate gigabytes, or that
// promise more than the file holds: refused with the reason, nothing kept.
TEST(SoundFile, HeadersThatLieAreRefusedWithTheReason) {
  useNullAudio();
  ScratchDir dir;
  const struct {
    const char* name;
    uint16_t channels;
    uint32_t rate;
    uint32_t data_bytes;
    std::size_t real_samples;
    const char* why;
  } cases[] = {
      {"huge.wav", 1, 44100, 0xFFFFFF00u, 53, "samples, more than its 150 bytes hold"},
      {"fast.wav", 2, 0xFFFFFFF0u, 400, 200, "a sample rate of 4294967280"},
      {"short.wav", 1, 44100, 2000, 500, "the file ends before the samples its header claims"},
  };
  logLines();
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path =
        lyingWave(dir, c.name, c.channels, c.rate, c.data_bytes, c.real_samples);
    EXPECT_EQ(resources.loadSound(path, c.name), -1);
    EXPECT_EQ(resources.getSound(c.name), nullptr);
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "failed to load " + path);
    EXPECT_NE(lines.back().find(c.why), std::string::npos) << lines.back();
  }
  // Music streams, but sizes its buffer from the rate: the same two lies
  // are refused there, with a line saying why.
  for (const auto& c : {cases[0], cases[1]}) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.path() + "/" + c.name;
    EXPECT_EQ(resources.loadMusic(path, c.name), -1);
    EXPECT_EQ(resources.getMusic(c.name), nullptr);
    EXPECT_NE(logLines().back().find(c.why), std::string::npos) << logLines().back();
  }
  // An honest file still loads.
  const std::string honest = lyingWave(dir, "honest.wav", 1, 44100, 1000, 500);
  EXPECT_EQ(resources.loadSound(honest, "honest"), 0);
  EXPECT_EQ(resources.loadMusic(honest, "honest"), 0);
}

}  // namespace
