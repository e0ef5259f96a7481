#include <korvane/EventOut.h>

namespace ko {

EventOut::EventOut() { setType(OUT_EVENT); }

}  // namespace ko
