// The world's spatial index must be invisible: on randomised worlds whose
// objects change under it during the step, every collision and out event,
// their order and every final position match the plain scan of all solid
// objects.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <korvane/EventCollision.h>
#include <korvane/EventOut.h>
#include <korvane/Object.h>
#include <korvane/ObjectListIterator.h>
#include <korvane/WorldManager.h>

namespace {

ko::WorldManager& world() { return ko::WorldManager::getInstance(); }

struct Scenario;

// An object that reacts to collisions by changing the world: it deactivates,
// re-layers, re-solidifies, teleports or deletes objects, or creates one.
class ChaosObject : public ko::Object {
 public:
  ChaosObject(Scenario& in_scenario, int new_ordinal)
      : scenario(in_scenario), ordinal(new_ordinal) {}
  int eventHandler(const ko::Event* p_e) override;

  Scenario& scenario;
  const int ordinal;
};

struct Scenario {
  std::mt19937 random;
  std::ostringstream log;
  std::vector<ChaosObject*> objects;  // by ordinal
  std::vector<bool> marked;           // by ordinal; a marked object is gone after the update

  explicit Scenario(unsigned seed) : random(seed) {}

  float uniform(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

  ChaosObject* spawn() {
    auto* p_o = new ChaosObject(*this, static_cast<int>(objects.size()));
    objects.push_back(p_o);
    marked.push_back(false);
    // Mostly small boxes; a few empty, inverted or huge ones.
    const int shape = pick(20);
    const float width = shape == 0 ? 0 : shape == 1 ? -2 : shape == 2 ? 500 : 1 + pick(6);
    const float height = shape == 3 ? 0 : 3;
    p_o->setBox(ko::Box(ko::Vector(-width / 2, -1.5f), width, height));
    p_o->setPos(ko::Vector(uniform(-10, 210), uniform(-10, 70)));
    const ko::Solidness kinds[] = {ko::HARD, ko::HARD, ko::SOFT, ko::SPECTRAL};
    p_o->setSolidness(kinds[pick(4)]);
    if (pick(3) != 0) p_o->setVelocity(ko::Vector(uniform(-2, 2), uniform(-2, 2)));
    return p_o;
  }

  ChaosObject* someLiving() {
    for (int tries = 0; tries < 8; ++tries) {
      const auto ordinal = static_cast<size_t>(pick(static_cast<int>(objects.size())));
      if (!marked[ordinal]) return objects[ordinal];
    }
    return nullptr;
  }

  void meddle() {
    ChaosObject* p_o = someLiving();
    if (p_o == nullptr) return;
    // clang-format off
    switch (pick(7)) {
      case 0: p_o->setIsActive(!p_o->isActive()); break;
      case 1: p_o->setAltitude(pick(5)); break;
      case 2: p_o->setSolidness(p_o->getSolidness() == ko::HARD ? ko::SOFT : ko::HARD); break;
      case 3: p_o->setPos(ko::Vector(uniform(0, 200), uniform(0, 60))); break;
      case 4:
        marked[static_cast<size_t>(p_o->ordinal)] = true;
        world().markForDelete(p_o);
        break;
      case 5: spawn(); break;
      default: p_o->setBox(ko::Box(ko::Vector(-1, -1), 2 + pick(4), 2)); break;
    }
    // clang-format on
  }

  std::string run(bool indexing) {
    world().getSceneGraph().setSpatialIndexing(indexing);
    world().setBoundary(ko::Box(ko::Vector(), 200, 60));
    for (int i = 0; i < 400; ++i) spawn();
    for (int step = 0; step < 25; ++step) {
      log << "step " << step << "\n";
      world().update();
      for (int i = 0; i < 10; ++i) meddle();
    }
    const ko::ObjectList all = world().getAllObjects(true);
    for (ko::ObjectListIterator it(&all); !it.isDone(); it.next()) {
      const auto* p_o = static_cast<const ChaosObject*>(it.currentObject());
      log << p_o->ordinal << " at " << p_o->getPos().x << "," << p_o->getPos().y << "\n";
    }
    world().shutDown();
    return log.str();
  }
};

int ChaosObject::eventHandler(const ko::Event* p_e) {
  if (p_e->getType() == ko::OUT_EVENT) {
    scenario.log << "out " << ordinal << "\n";
  } else if (p_e->getType() == ko::COLLISION_EVENT) {
    const auto* p_c = static_cast<const ko::EventCollision*>(p_e);
    scenario.log << "hit " << ordinal << ": "
                 << static_cast<ChaosObject*>(p_c->getObject1())->ordinal << " "
                 << static_cast<ChaosObject*>(p_c->getObject2())->ordinal << "\n";
    if (scenario.pick(4) == 0) scenario.meddle();
  }
  return 1;
}

// Reports the first differing line rather than a diff of the whole logs.
void expectSameLines(const std::string& indexed, const std::string& plain) {
  std::istringstream a(indexed), b(plain);
  std::string line_a, line_b;
  for (int line = 1;; ++line) {
    const bool more_a = static_cast<bool>(std::getline(a, line_a));
    const bool more_b = static_cast<bool>(std::getline(b, line_b));
    if (!more_a && !more_b) return;
    if (more_a != more_b || line_a != line_b) {
      ADD_FAILURE() << "line " << line << ": indexed \"" << line_a << "\", plain \"" << line_b
                    << "\"";
      return;
    }
  }
}

}  // namespace

TEST(CollisionIndex, MatchesThePlainScanOnRandomisedWorlds) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    SCOPED_TRACE(seed);
    Scenario indexed(seed), plain(seed);
    const std::string with_index = indexed.run(true);
    const std::string without = plain.run(false);
    ASSERT_NE(with_index.find("hit"), std::string::npos);  // the worlds do collide
    ASSERT_NE(with_index.find("out"), std::string::npos);
    expectSameLines(with_index, without);
  }
}
