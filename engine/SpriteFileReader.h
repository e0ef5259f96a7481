// Private to the engine: the reader of sprite files, which the resource
// manager keeps under labels. The line readers it is built from are
// declared in ResourceManager.h, where games and tests find them.
#pragma once

#include <memory>
#include <string>

#include <korvane/Sprite.h>

namespace ko {

// The sprite the file describes, or null when it cannot be used; what is
// wrong, and on which line, goes to the log.
std::unique_ptr<Sprite> readSpriteFile(const std::string& filename);

}  // namespace ko
