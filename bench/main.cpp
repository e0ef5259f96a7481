// Benchmarks of the engine, printed as one table. bench/run.sh provides a
// display and the game's layout; the measurements of one run are taken
// side by side, so their ratios hold on a busy machine even when absolute
// times drift.
#include <cstdio>
#include <cstring>

#include <korvane/GameManager.h>
#include "CpuBench.h"
#include "DrawBench.h"
#include "PacingBench.h"
#include "WorldBench.h"

int main(int argc, char** argv) {
  const bool world_only = argc > 1 && std::strcmp(argv[1], "--world") == 0;
  std::printf("Korvane benchmarks\n");
  benchWorld();
  if (world_only) return 0;
  ko::GameManager& game = ko::GameManager::getInstance();
  if (game.startUp() != 0) {
    std::fprintf(stderr, "bench: the engine did not start (display? ko-font.ttf?)\n");
    return 1;
  }
  benchDrawing();
  benchPacing();
  benchProcessorUse();
  game.shutDown();
  return 0;
}
