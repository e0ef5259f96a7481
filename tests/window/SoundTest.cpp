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

#include "ResourceManager.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

using ko_test::ScratchDir;
using ko_test::logLines;
using ko_test::sleepMs;

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

// Must run before anything opens the audio device.
void useNullAudio() { setenv("ALSOFT_DRIVERS", "null", 1); }

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

TEST(SoundOutput, ASoundMovedByTheListStillPlaysItsSamples) {
  ScratchDir dir;
  const std::string out = dir.path() + "/out.wav";
  const std::string conf = dir.write(
      "alsoft.conf",
      "[general]\nchannels = mono\nsample-type = int16\nfrequency = 44100\ndither = false\n"
      "[wave]\nfile = " + out + "\n");
  setenv("ALSOFT_DRIVERS", "wave", 1);
  setenv("ALSOFT_CONF", conf.c_str(), 1);

  const std::string tone = writeTone(dir, "tone.wav", 0.3f);
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  ASSERT_EQ(resources.loadSound(tone, "tone"), 0);
  // Enough later loads that the list's storage moves several times.
  for (int i = 0; i < 40; i++) {
    ASSERT_EQ(resources.loadSound(tone, "filler" + std::to_string(i)), 0);
  }
  sleepMs(200);
  ASSERT_EQ(peakOfWaveFile(out), 0) << "silence before anything plays";

  resources.getSound("tone")->play(false);
  sleepMs(600);
  EXPECT_GT(peakOfWaveFile(out), 5000);
}

}  // namespace
