// A test object that remembers every event handed to it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <korvane/EventCollision.h>
#include <korvane/EventStep.h>
#include <korvane/Object.h>

namespace ko_test {

struct SeenEvent {
  std::string type;
  ko::Object* p_obj1 = nullptr;
  ko::Object* p_obj2 = nullptr;
  ko::Vector position;
  int step_count = -1;
};

class RecordingObject : public ko::Object {
 public:
  std::vector<SeenEvent> seen;
  // Runs inside eventHandler, after the event is recorded.
  std::function<void(const ko::Event*)> on_event;
  // Runs inside the destructor.
  std::function<void()> on_destroy;
  int draws = 0;
  std::function<void()> on_draw;

  ~RecordingObject() override {
    if (on_destroy) on_destroy();
  }

  int eventHandler(const ko::Event* p_e) override {
    SeenEvent record;
    record.type = p_e->getType();
    if (record.type == ko::COLLISION_EVENT) {
      auto* p_c = static_cast<const ko::EventCollision*>(p_e);
      record.p_obj1 = p_c->getObject1();
      record.p_obj2 = p_c->getObject2();
      record.position = p_c->getPosition();
    } else if (record.type == ko::STEP_EVENT) {
      record.step_count = static_cast<const ko::EventStep*>(p_e)->getStepCount();
    }
    seen.push_back(record);
    if (on_event) on_event(p_e);
    return 1;
  }

  void draw() override {
    ++draws;
    if (on_draw) on_draw();
  }

  int count(const std::string& event_type) const {
    int n = 0;
    for (const SeenEvent& e : seen) n += e.type == event_type;
    return n;
  }
};

// An object of a given box at a given position, in the world.
inline RecordingObject* makeBoxObject(ko::Vector pos, float width, float height,
                                      ko::Solidness solidness = ko::HARD) {
  auto* p_o = new RecordingObject;
  p_o->setPos(pos);
  p_o->setBox(ko::Box(ko::Vector(), width, height));
  p_o->setSolidness(solidness);
  return p_o;
}

}  // namespace ko_test
