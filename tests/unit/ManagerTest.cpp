#include <gtest/gtest.h>

#include <string>

#include <korvane/Event.h>
#include <korvane/Manager.h>
#include "RecordingObject.h"

using ko_test::RecordingObject;

namespace {

ko::Event eventOfType(const std::string& type) {
  ko::Event e;
  e.setType(type);
  return e;
}

}  // namespace

TEST(Manager, OnEventReportsUnknownTypesAndEmptiedLists) {
  ko::Manager manager;
  RecordingObject o;
  const ko::Event ping = eventOfType("ping");
  EXPECT_EQ(manager.onEvent(&ping), -1);
  ASSERT_EQ(manager.registerInterest(&o, "ping"), 0);
  EXPECT_EQ(manager.onEvent(&ping), 1);
  ASSERT_EQ(manager.unregisterInterest(&o, "ping"), 0);
  EXPECT_EQ(manager.onEvent(&ping), 0);
  EXPECT_EQ(o.count("ping"), 1);
}

TEST(Manager, InactiveObjectsAreCountedButNotCalled) {
  ko::Manager manager;
  RecordingObject active, inactive;
  inactive.setIsActive(false);
  manager.registerInterest(&active, "ping");
  manager.registerInterest(&inactive, "ping");
  const ko::Event ping = eventOfType("ping");
  EXPECT_EQ(manager.onEvent(&ping), 2);
  EXPECT_EQ(active.count("ping"), 1);
  EXPECT_EQ(inactive.count("ping"), 0);
}

TEST(Manager, AHundredTypesFillTheTableForEveryType) {
  ko::Manager manager;
  RecordingObject o, late;
  for (int i = 0; i < ko::MAX_EVENTS; ++i) {
    ASSERT_EQ(manager.registerInterest(&o, "type" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(manager.registerInterest(&late, "type100"), -1);
  EXPECT_EQ(manager.registerInterest(&late, "type7"), -1);  // present, still refused
  const ko::Event seventh = eventOfType("type7");
  EXPECT_EQ(manager.onEvent(&seventh), 1);
  EXPECT_EQ(late.count("type7"), 0);
}

TEST(Manager, UnregisterKeepsOrderAndRejectsStrangers) {
  ko::Manager manager;
  RecordingObject a, b, c, stranger;
  std::string order;
  for (auto* p_o : {&a, &b, &c, &stranger}) {
    p_o->on_event = [&order, p_o, &a, &b, &c](const ko::Event*) {
      order += p_o == &a ? "a" : p_o == &b ? "b" : p_o == &c ? "c" : "?";
    };
  }
  for (auto* p_o : {&a, &b, &c}) manager.registerInterest(p_o, "ping");
  EXPECT_EQ(manager.unregisterInterest(&stranger, "ping"), -1);
  EXPECT_EQ(manager.unregisterInterest(&stranger, "never"), -1);
  EXPECT_EQ(manager.unregisterInterest(&b, "ping"), 0);
  const ko::Event ping = eventOfType("ping");
  EXPECT_EQ(manager.onEvent(&ping), 2);
  EXPECT_EQ(order, "ac");
}

TEST(Manager, ChangesDuringADispatchApplyFromTheNextEvent) {
  ko::Manager manager;
  RecordingObject first, leaver, newcomer;
  manager.registerInterest(&first, "ping");
  manager.registerInterest(&leaver, "ping");
  first.on_event = [&](const ko::Event*) {
    if (first.count("ping") == 1) {
      manager.unregisterInterest(&leaver, "ping");
      manager.registerInterest(&newcomer, "ping");
    }
  };
  const ko::Event ping = eventOfType("ping");
  EXPECT_EQ(manager.onEvent(&ping), 2);
  EXPECT_EQ(leaver.count("ping"), 1);    // unregistered during it, still served
  EXPECT_EQ(newcomer.count("ping"), 0);  // registered during it, not served
  EXPECT_EQ(manager.onEvent(&ping), 2);
  EXPECT_EQ(leaver.count("ping"), 1);
  EXPECT_EQ(newcomer.count("ping"), 1);
}

TEST(Manager, StartAndShutDownToggleTheFlag) {
  ko::Manager manager;
  EXPECT_EQ(manager.getType(), "ko::general_manager");
  EXPECT_FALSE(manager.isStarted());
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(manager.isStarted());
  manager.shutDown();
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
}
