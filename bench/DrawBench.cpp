// A full 80 x 24 screen in every colour, drawn per character and batched:
// the time to submit it, and the time of the whole frame up to the swap,
// in the designed window and fullscreen on the display (1920 x 1080 under
// the bench command), where every glyph is bigger. Then frames as games
// draw them (every cell changing, none, a few falling blocks) against
// libtcod's renderers, run as a separate program (KO_TCOD_BENCH) on the
// same display between the engine's rounds.
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
    drawCase("all", i);
    graphics.swapBuffers();
  }
  Clock::duration submit{}, total{};
  for (int i = 0; i < frames; ++i) {
    const Clock::time_point start = Clock::now();
    // Every cell changes, so that no frame is drawn over the kept one.
    drawCase("all", i);
    graphics.flush();
    const Clock::time_point submitted = Clock::now();
    graphics.swapBuffers();
    const Clock::time_point shown = Clock::now();
    submit += submitted - start;
    total += shown - start;
  }
  return {milliseconds(submit) / frames, milliseconds(total) / frames};
}

struct ModeTimes {
  FrameTimes per_char{0, 0}, batched{0, 0};
};

void printMode(const std::string& mode, const ModeTimes& t) {
  printRow("submission, per character" + mode, format("%.2f", t.per_char.submit_ms));
  printRow("submission, batched" + mode, format("%.2f", t.batched.submit_ms));
  printRow("submission ratio (per character / batched)" + mode,
           format("%.1fx", t.per_char.submit_ms / t.batched.submit_ms));
  printRow("whole frame to swap, per character" + mode, format("%.2f", t.per_char.total_ms));
  printRow("whole frame to swap, batched" + mode, format("%.2f", t.batched.total_ms));
  printRow("whole frame ratio (per character / batched)" + mode,
           format("%.2fx", t.per_char.total_ms / t.batched.total_ms));
}

}  // namespace

void benchDrawing() {
  ko::GraphicsManager& graphics = ko::GraphicsManager::getInstance();
  const int frames = 60;
  const int rounds = 3;
  // Interleaved rounds, so that a busy spell on the machine hits every row
  // alike.
  ModeTimes windowed, fullscreen;
  for (int round = 0; round < rounds; ++round) {
    for (ModeTimes* p_times : {&windowed, &fullscreen}) {
      graphics.setFullscreen(p_times == &fullscreen);
      const FrameTimes a = measure(false, frames), b = measure(true, frames);
      p_times->per_char.submit_ms += a.submit_ms / rounds;
      p_times->per_char.total_ms += a.total_ms / rounds;
      p_times->batched.submit_ms += b.submit_ms / rounds;
      p_times->batched.total_ms += b.total_ms / rounds;
    }
  }
  graphics.setFullscreen(true);
  const sf::Vector2u screen = graphics.getWindow()->getSize();
  graphics.setFullscreen(false);
  printSection("Full frame, 80 x 24 characters in every colour (ms per frame)");
  printMode("", windowed);
  printMode(", fullscreen " + std::to_string(screen.x) + " x " + std::to_string(screen.y),
            fullscreen);
  graphics.setBatching(true);
  benchAgainstTcod();
}
