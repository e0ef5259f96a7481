// Private to the engine: whether the audio library could open an output
// device, asked once per process.
#pragma once

namespace ko {

bool audioDeviceOpened();

}  // namespace ko
