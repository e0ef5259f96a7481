// Feeds arbitrary bytes to the sprite file reader. Whatever loads must be
// drawable without reading outside a frame: every frame has the sprite's
// size and holds exactly width x height characters. Whatever fails must
// leave nothing behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include <korvane/ResourceManager.h>
#include <korvane/Sprite.h>
#include "FuzzSupport.h"

using ko_fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ko::ResourceManager& resources = ko::ResourceManager::getInstance();
  static const bool started = resources.startUp() == 0;
  check(started, "resource manager did not start");

  const std::string path = ko_fuzz::writeFile("sprite.txt", data, size);
  const int result = resources.loadSprite(path, "fuzz");
  check(result == 0 || result == -1, "loadSprite returns 0 or -1");
  const ko::Sprite* p_sprite = resources.getSprite("fuzz");
  check((p_sprite != nullptr) == (result == 0), "a sprite is kept exactly when loading succeeds");
  if (p_sprite == nullptr) return 0;

  const int width = p_sprite->getWidth();
  const int height = p_sprite->getHeight();
  const int frames = p_sprite->getFrameCount();
  check(width >= 0 && height >= 0 && frames >= 0, "sprite sizes are not negative");
  check(p_sprite->getColor() != ko::UNDEFINED_COLOR, "sprite has a colour");
  check(p_sprite->getLabel() == "fuzz", "sprite keeps its label");
  // Each frame takes at least height + 1 lines, so a file of this size
  // cannot hold more frames or taller ones.
  check(static_cast<size_t>(frames) * (static_cast<size_t>(height) + 1) <= size,
        "no more frame lines than the file has");
  for (int i = 0; i < frames; i++) {
    const ko::Frame frame = p_sprite->getFrame(i);
    check(frame.getWidth() == width && frame.getHeight() == height,
          "every frame has the sprite's size");
    check(height > 0, "a loaded frame has rows");
    check(frame.getString().size() == static_cast<size_t>(width) * static_cast<size_t>(height),
          "a frame holds width x height characters");
    check(frame.getString().find('\n') == std::string::npos, "no line feed inside a frame");
  }
  for (int outside : {-1, frames, frames + 1}) {
    const ko::Frame frame = p_sprite->getFrame(outside);
    check(frame.getWidth() == 0 && frame.getHeight() == 0 && frame.getString().empty(),
          "frames out of range are empty");
  }

  check(resources.unloadSprite("fuzz") == 0, "a loaded sprite unloads");
  check(resources.getSprite("fuzz") == nullptr, "an unloaded sprite is gone");
  return 0;
}
