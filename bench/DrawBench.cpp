// A full 80 x 24 screen in every colour, drawn per character and batched:
// the time to submit it, and the time of the whole frame up to the swap.
// Then frames as games draw them (every cell changing, none, a few falling
// blocks) against libtcod's renderers, run as a separate program
// (KO_TCOD_BENCH) on the same display between the engine's rounds.
#include "DrawBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <korvane/GraphicsManager.h>
#include "Table.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void drawFullScreen() {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const std::string glyphs = "the quick brown fox jumps over the lazy dog SEGMENTATION FAULT";
  for (int row = 0; row < 24; ++row) {
    for (int col = 0; col < 80; ++col) {
      const char ch = glyphs[static_cast<size_t>(row * 80 + col) % glyphs.size()];
      graphics.drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), ch,
                      static_cast<ko::Color>((row + col) % 8));
    }
  }
}

// Frame `step` of a case, as the libtcod side draws it: every cell
// changing, none, or the cells of a few falling blocks (about one in
// twenty).
bool changed(const std::string& which, int col, int row, int step) {
  if (which == "all") return step % 2 == 1;
  if (which == "none") return false;
  return (col / 4 + row + step) % 20 == 0 && col % 4 != 3;
}

void drawCase(const std::string& which, int step) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const std::string glyphs = "the quick brown fox jumps over the lazy dog SEGMENTATION FAULT";
  for (int row = 0; row < 24; ++row) {
    for (int col = 0; col < 80; ++col) {
      const int shift = changed(which, col, row, step) ? 7 : 0;
      const char ch = glyphs[static_cast<size_t>(row * 80 + col + shift) % glyphs.size()];
      graphics.drawCh(ko::Vector(static_cast<float>(col), static_cast<float>(row)), ch,
                      static_cast<ko::Color>((row + col + shift) % 8));
    }
  }
}

double caseMilliseconds(const std::string& which, int frames) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  for (int i = 0; i < 5; ++i) {
    drawCase(which, i);
    graphics.swapBuffers();
  }
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < frames; ++i) {
    drawCase(which, i);
    graphics.swapBuffers();
  }
  return milliseconds(Clock::now() - start) / frames;
}

// "<renderer> <case>" to ms per frame, from one run of the libtcod bench;
// empty if it is not there.
std::map<std::string, double> tcodMilliseconds(int frames) {
  std::map<std::string, double> times;
  const char* program = std::getenv("KO_TCOD_BENCH");
  if (program == nullptr || *program == 0) return times;
  const std::string command = std::string(program) + " ko-font.ttf " + std::to_string(frames);
  FILE* p_out = popen(command.c_str(), "r");
  if (p_out == nullptr) return times;
  char renderer[32], which[32];
  double ms;
  while (std::fscanf(p_out, "%31s %31s %lf", renderer, which, &ms) == 3) {
    times[std::string(renderer) + " " + which] = ms;
  }
  pclose(p_out);
  return times;
}

void benchAgainstTcod() {
  const int frames = 60;
  const char* cases[] = {"all", "none", "some"};
  std::map<std::string, double> best;
  auto keepBest = [&best](const std::string& key, double ms) {
    const auto it = best.find(key);
    if (it == best.end() || ms < it->second) best[key] = ms;
  };
  for (int round = 0; round < 3; ++round) {
    for (const char* which : cases)
      keepBest(std::string("korvane ") + which, caseMilliseconds(which, frames));
    for (const auto& t : tcodMilliseconds(frames)) keepBest(t.first, t.second);
  }
  printSection(
      "Frames of 80 x 24 cells, 1024 x 768, against libtcod (ms per frame, best of 3 "
      "interleaved rounds)");
  const char* labels[] = {"(a) every cell changing", "(b) an unchanged frame",
                          "(c) about 5 % of the cells changing"};
  for (int i = 0; i < 3; ++i) {
    const std::string which = cases[i];
    const double korvane = best["korvane " + which];
    printRow(std::string(labels[i]) + ": Korvane", format("%.2f", korvane));
    const auto sdl2 = best.find("sdl2 " + which), gl2 = best.find("opengl2 " + which);
    if (sdl2 == best.end() || gl2 == best.end()) {
      printRow(std::string(labels[i]) + ": libtcod", "not measured (KO_TCOD_BENCH unset?)");
      continue;
    }
    printRow(std::string(labels[i]) + ": libtcod SDL2", format("%.2f", sdl2->second));
    printRow(std::string(labels[i]) + ": libtcod OpenGL 2", format("%.2f", gl2->second));
    printRow(std::string(labels[i]) + ": ratio Korvane / best libtcod",
             format("%.2fx", korvane / std::min(sdl2->second, gl2->second)));
    if (which == "all") {
      printRow(std::string(labels[i]) + ": ratio Korvane / libtcod OpenGL 2",
               format("%.2fx", korvane / gl2->second));
    }
  }
}

struct FrameTimes {
  double submit_ms;
  double total_ms;
};

FrameTimes measure(bool batched, int frames) {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  graphics.setBatching(batched);
  for (int i = 0; i < 5; ++i) {  // warm-up: glyphs cached, driver settled
    drawFullScreen();
    graphics.swapBuffers();
  }
  Clock::duration submit{}, total{};
  for (int i = 0; i < frames; ++i) {
    const Clock::time_point start = Clock::now();
    drawFullScreen();
    graphics.flush();
    const Clock::time_point submitted = Clock::now();
    graphics.swapBuffers();
    const Clock::time_point shown = Clock::now();
    submit += submitted - start;
    total += shown - start;
  }
  return {milliseconds(submit) / frames, milliseconds(total) / frames};
}

}  // namespace

void benchDrawing() {
  const int frames = 60;
  // Interleaved rounds, so that a busy spell on the machine hits both alike.
  FrameTimes per_char{0, 0}, batched{0, 0};
  for (int round = 0; round < 3; ++round) {
    const FrameTimes a = measure(false, frames), b = measure(true, frames);
    per_char.submit_ms += a.submit_ms / 3;
    per_char.total_ms += a.total_ms / 3;
    batched.submit_ms += b.submit_ms / 3;
    batched.total_ms += b.total_ms / 3;
  }
  printSection("Full frame, 80 x 24 characters in every colour (ms per frame)");
  printRow("submission, per character", format("%.2f", per_char.submit_ms));
  printRow("submission, batched", format("%.2f", batched.submit_ms));
  printRow("submission ratio (per character / batched)",
           format("%.1fx", per_char.submit_ms / batched.submit_ms));
  printRow("whole frame to swap, per character", format("%.2f", per_char.total_ms));
  printRow("whole frame to swap, batched", format("%.2f", batched.total_ms));
  printRow("whole frame ratio (per character / batched)",
           format("%.2fx", per_char.total_ms / batched.total_ms));
  ko::GraphicsManager::getInstance().setBatching(true);
  benchAgainstTcod();
}
