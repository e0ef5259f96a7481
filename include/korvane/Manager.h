// Base of the engine's singleton managers: a type name, a started flag and
// an interest table that maps event types to the objects that asked for them.
#pragma once

#include <string>
#include <unordered_map>

#include <korvane/ObjectList.h>

namespace ko {

class Event;
class Object;

const int MAX_EVENTS = 100;
const std::string GENERAL_MANAGER = "ko::general_manager";

class Manager {
 public:
  Manager();
  virtual ~Manager();

  void setType(std::string new_type);
  std::string getType() const;

  // Returns 0; overrides return -1 when they cannot start.
  virtual int startUp();
  virtual void shutDown();
  bool isStarted() const;

  // Delivers p_event to every active object registered for its type, in
  // registration order. Returns the number of registered objects (active or
  // not), or -1 if no object ever registered for the type.
  int onEvent(const Event* p_event) const;

  // 0, or -1 when the table already holds MAX_EVENTS types or the list is full.
  int registerInterest(Object* p_o, std::string event_type);
  // 0, or -1 when the type is unknown or p_o is not registered for it.
  int unregisterInterest(Object* p_o, std::string event_type);

 private:
  std::string type;
  bool is_started;
  std::unordered_map<std::string, ObjectList> interest;
};

}  // namespace ko
