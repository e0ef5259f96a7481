// World update time with many moving solid objects: every object moves each
// step, so every step makes one collision query per object.
#include "WorldBench.h"

#include <chrono>
#include <random>

#include <korvane/Object.h>
#include <korvane/WorldManager.h>
#include "Table.h"

namespace {

const ko::Box BENCH_WORLD(ko::Vector(), 1000, 300);

void populate(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> x(0, 1000), y(0, 300), speed(-1, 1);
  std::uniform_int_distribution<int> width(1, 6);
  for (int i = 0; i < count; ++i) {
    auto* p_o = new ko::Object;
    const float w = static_cast<float>(width(random));
    p_o->setBox(ko::Box(ko::Vector(-w / 2, -1.5f), w, 3));
    p_o->setPos(ko::Vector(x(random), y(random)));
    p_o->setSolidness(i % 2 == 0 ? ko::HARD : ko::SOFT);
    p_o->setVelocity(ko::Vector(speed(random), speed(random)));
  }
}

// Milliseconds per update, averaged over enough updates to last a while.
double millisecondsPerUpdate(int count, bool indexed) {
  ko::WorldManager& world = ko::WorldManager::getInstance();
  world.getSceneGraph().setSpatialIndexing(indexed);
  world.setBoundary(BENCH_WORLD);
  populate(count, 42);
  world.update();  // warm-up
  const int updates = count >= 5000 && !indexed ? 10 : 30;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < updates; ++i) world.update();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  world.shutDown();
  return spent.count() / updates;
}

}  // namespace

void benchWorld() {
  printSection("World update, moving solid objects (1000 x 300 world, boxes 1-6 x 3)");
  for (int count : {100, 1000, 5000}) {
    const double plain = millisecondsPerUpdate(count, false);
    const double indexed = millisecondsPerUpdate(count, true);
    const std::string label = std::to_string(count) + " objects";
    printRow(label + ": straightforward scan, ms/update", format("%.3f", plain));
    printRow(label + ": indexed, ms/update", format("%.3f", indexed));
    printRow(label + ": speed-up (straightforward / indexed)", format("%.1fx", plain / indexed));
  }
}
