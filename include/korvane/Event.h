// Base of every event: a small value identified by its type string.
// Senders build events as locals and deliver them by pointer; handlers
// compare getType() with a type constant and then read the subclass.
#pragma once

#include <string>

namespace ko {

const std::string UNDEFINED_EVENT = "ko::undefined";

class Event {
 public:
  Event();
  virtual ~Event();

  void setType(std::string new_type);
  std::string getType() const;

 private:
  std::string event_type;
};

}  // namespace ko
