// A full 80 x 24 screen in every colour, drawn per character and batched:
// the time to submit it, and the time of the whole frame up to the swap.
#include "DrawBench.h"

#include <chrono>
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
}
