#include "AudioDevice.h"

#include <dlfcn.h>

#include <SFML/Audio/SoundBuffer.hpp>

namespace ko {

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
    const auto get_context = reinterpret_cast<GetContext>(dlsym(p_openal, "alcGetCurrentContext"));
    const bool has_context = get_context == nullptr || get_context() != nullptr;
    dlclose(p_openal);
    return has_context;
  }();
  return opened;
}

}  // namespace ko
