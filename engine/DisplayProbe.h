// Asks the X server for a display before the window library is asked for a
// window: the library aborts the whole process when no display answers,
// while a start-up that knows can fail cleanly and say why.
#pragma once

#include <string>

namespace ko {

// Empty when a display answers; otherwise a line for the log saying which
// display was tried and that it did not answer.
std::string displayProblem();

}  // namespace ko
