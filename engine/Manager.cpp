#include <korvane/Manager.h>

#include <korvane/Event.h>
#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>

namespace ko {

Manager::Manager() : type(GENERAL_MANAGER), is_started(false) {}

Manager::~Manager() = default;

void Manager::setType(std::string new_type) { type = std::move(new_type); }

std::string Manager::getType() const { return type; }

int Manager::startUp() {
  is_started = true;
  return 0;
}

void Manager::shutDown() { is_started = false; }

bool Manager::isStarted() const { return is_started; }

int Manager::onEvent(const Event* p_event) const {
  const auto entry = interest.find(p_event->getType());
  if (entry == interest.end()) return -1;
  // A copy, so handlers may register and unregister while it is walked.
  const ObjectList listeners = entry->second;
  int visited = 0;
  for (ObjectListIterator it(&listeners); !it.isDone(); it.next()) {
    Object* p_o = it.currentObject();
    if (p_o->isActive()) p_o->eventHandler(p_event);
    ++visited;
  }
  return visited;
}

int Manager::registerInterest(Object* p_o, std::string event_type) {
  if (interest.size() >= static_cast<size_t>(MAX_EVENTS)) return -1;
  return interest[event_type].insert(p_o);
}

int Manager::unregisterInterest(Object* p_o, std::string event_type) {
  const auto entry = interest.find(event_type);
  if (entry == interest.end()) return -1;
  return entry->second.remove(p_o);
}

}  // namespace ko
